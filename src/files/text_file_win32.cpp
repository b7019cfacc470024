#include "files/text_file_win32.h"

#include "files/file_store.h"
#include "files/text_file.h"

#include <climits>
#include <mlang.h>
#include <utility>
#include <windows.h>

namespace tapwell {

namespace {

FilePath toFilePath(const std::wstring& path) {
    return FilePath(path.begin(), path.end());
}

} // namespace

FileResult ReadTextFile(const std::wstring& path, std::u16string& text) {
    return ReadTextFile(win32FileStore(), createMlangCodePageService, toFilePath(path), text);
}

FileResult WriteTextFileUtf8(const std::wstring& path, std::u16string_view text) {
    return WriteTextFileUtf8(win32FileStore(), toFilePath(path), text);
}

namespace {

// mingw's mlang.h declares these without defining them.
const CLSID kClsidMultiLanguage = {
    0x275C23E2, 0x3747, 0x11D0, {0x9F, 0xEA, 0x00, 0xAA, 0x00, 0x3F, 0x86, 0x46}};
const IID kIidMultiLanguage2 = {
    0xDCCFC164, 0x2B38, 0x11D2, {0xB7, 0xEC, 0x00, 0xC0, 0x4F, 0x8F, 0x5D, 0x9A}};

class MlangCodePageService final : public CodePageService {
  public:
    MlangCodePageService(IMultiLanguage2* ml, MlangConversionCall convert)
        : ml_(ml), convert_(std::move(convert)) {}
    ~MlangCodePageService() override { ml_->Release(); }
    MlangCodePageService(const MlangCodePageService&) = delete;
    MlangCodePageService& operator=(const MlangCodePageService&) = delete;

    std::optional<std::uint32_t> detectCodePage(std::string_view bytes) override {
        // Detection needs no more than the first 2 GB to decide.
        INT size = bytes.size() > INT_MAX ? INT_MAX : static_cast<INT>(bytes.size());
        if (size == 0)
            return std::nullopt;
        DetectEncodingInfo info{};
        INT count = 1;
        HRESULT hr =
            ml_->DetectInputCodepage(0, 0, const_cast<CHAR*>(bytes.data()), &size, &info, &count);
        if (hr != S_OK || count < 1)
            return std::nullopt;
        return info.nCodePage;
    }

    std::optional<std::u16string> convert(std::uint32_t codePage, std::string_view bytes) override {
        if (bytes.empty())
            return std::u16string();
        if (bytes.size() >= UINT_MAX / 2)
            return std::nullopt;
        // No code page yields more than two UTF-16 units per byte.
        std::u16string out(bytes.size() * 2 + 1, u'\0');
        DWORD mode = 0;
        UINT srcSize = static_cast<UINT>(bytes.size());
        UINT dstSize = static_cast<UINT>(out.size() - 1);
        HRESULT hr = convert_(&mode, codePage, const_cast<CHAR*>(bytes.data()), &srcSize,
                              reinterpret_cast<WCHAR*>(out.data()), &dstSize);
        // S_FALSE means the conversion is not supported and nothing was converted.
        if (hr != S_OK)
            return std::nullopt;
        out.resize(dstSize);
        return out;
    }

    std::optional<std::u16string> decodeStrict(std::uint32_t codePage,
                                               std::string_view bytes) override {
        if (bytes.empty())
            return std::u16string();
        if (bytes.size() > INT_MAX)
            return std::nullopt;
        int srcSize = static_cast<int>(bytes.size());
        int needed =
            MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), srcSize, nullptr, 0);
        if (needed <= 0)
            return std::nullopt;
        std::u16string out(static_cast<std::size_t>(needed), u'\0');
        int got = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), srcSize,
                                      reinterpret_cast<wchar_t*>(out.data()), needed);
        if (got <= 0)
            return std::nullopt;
        out.resize(static_cast<std::size_t>(got));
        return out;
    }

    std::uint32_t ansiCodePage() override { return GetACP(); }

  private:
    IMultiLanguage2* ml_;
    MlangConversionCall convert_;
};

} // namespace

std::unique_ptr<CodePageService> createMlangCodePageServiceWith(MlangConversionCall convert) {
    IMultiLanguage2* ml = nullptr;
    HRESULT hr = CoCreateInstance(kClsidMultiLanguage, nullptr, CLSCTX_INPROC_SERVER,
                                  kIidMultiLanguage2, reinterpret_cast<void**>(&ml));
    if (FAILED(hr) || !ml)
        return nullptr;
    if (!convert) {
        convert = [ml](DWORD* mode, UINT codePage, CHAR* src, UINT* srcSize, WCHAR* dst,
                       UINT* dstSize) {
            return ml->ConvertStringToUnicodeEx(mode, codePage, src, srcSize, dst, dstSize, 0,
                                                nullptr);
        };
    }
    return std::make_unique<MlangCodePageService>(ml, std::move(convert));
}

std::unique_ptr<CodePageService> createMlangCodePageService() {
    return createMlangCodePageServiceWith(MlangConversionCall{});
}

} // namespace tapwell
