#include "files/text_file_decoding.h"

#include <iconv.h>

namespace tapwell {

namespace {

// iconv's names for the code pages the reader asks for.
const char* iconvName(std::uint32_t codePage) {
    switch (codePage) {
    case kCodePageShiftJis:
        return "CP932";
    case kCodePageEucJp:
        return "EUC-JP";
    case kCodePageUtf16Be:
        return "UTF-16BE";
    case kCodePageUtf8:
        return "UTF-8";
    default:
        return nullptr;
    }
}

class Converter {
  public:
    explicit Converter(const char* from) : cd_(iconv_open("UTF-16LE", from)) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

// Fails on any invalid or incomplete sequence, as the platform's strict
// conversion does.
std::optional<std::u16string> decodeWithIconv(std::uint32_t codePage, std::string_view bytes) {
    if (bytes.empty())
        return std::u16string();
    const char* name = iconvName(codePage);
    if (!name)
        return std::nullopt;
    Converter converter(name);
    if (!converter.ok())
        return std::nullopt;
    // No code page here yields more than two UTF-16 units per byte.
    std::string out(bytes.size() * 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    if (iconv(converter.get(), &in, &inLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0)
        return std::nullopt;
    if (iconv(converter.get(), nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    std::size_t produced = out.size() - dstLeft;
    std::u16string text(produced / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                        (static_cast<unsigned char>(out[2 * i + 1]) << 8));
    return text;
}

class IconvCodePageService final : public CodePageService {
  public:
    std::optional<std::uint32_t> detectCodePage(std::string_view) override { return std::nullopt; }
    std::optional<std::u16string> convert(std::uint32_t codePage, std::string_view bytes) override {
        return decodeWithIconv(codePage, bytes);
    }
    std::optional<std::u16string> decodeStrict(std::uint32_t codePage,
                                               std::string_view bytes) override {
        return decodeWithIconv(codePage, bytes);
    }
    std::uint32_t ansiCodePage() override { return kCodePageShiftJis; }
};

} // namespace

std::unique_ptr<CodePageService> createIconvCodePageService() {
    return std::make_unique<IconvCodePageService>();
}

} // namespace tapwell
