// A code-page service that knows a handful of byte strings: what the
// platform's strict conversions make of them, and what it detects.
#pragma once

#include "files/text_file_decoding.h"

#include <map>
#include <utility>
#include <vector>

namespace tapwell::testing {

class FakeCodePageService : public CodePageService {
  public:
    std::optional<std::uint32_t> detected; // nothing: detection fails
    std::uint32_t ansi = 1252;
    bool failConvert = false;
    // (code page, bytes) -> text; a missing entry is invalid in that code page.
    std::map<std::pair<std::uint32_t, std::string>, std::u16string> known;
    std::vector<std::uint32_t> strictCalls;
    int detectCalls = 0;
    int convertCalls = 0;

    std::optional<std::uint32_t> detectCodePage(std::string_view) override {
        ++detectCalls;
        return detected;
    }
    std::optional<std::u16string> convert(std::uint32_t cp, std::string_view bytes) override {
        ++convertCalls;
        if (failConvert)
            return std::nullopt;
        return lookup(cp, bytes);
    }
    std::optional<std::u16string> decodeStrict(std::uint32_t cp, std::string_view bytes) override {
        strictCalls.push_back(cp);
        return lookup(cp, bytes);
    }
    std::uint32_t ansiCodePage() override { return ansi; }

  private:
    std::optional<std::u16string> lookup(std::uint32_t cp, std::string_view bytes) const {
        auto it = known.find({cp, std::string(bytes)});
        if (it == known.end())
            return std::nullopt;
        return it->second;
    }
};

// Japanese samples in both encodings with what CP932, EUC-JP (20932) and
// Windows-1252 decode them into; missing code pages reject the bytes.
struct EncodedSample {
    const char* name;
    std::string bytes;
    std::u16string expected;
    std::map<std::uint32_t, std::u16string> decodings;
};

inline std::vector<EncodedSample> japaneseSamples() {
    const std::u16string longText =
        u"\u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8\u3067\u3059\u3002";
    return {
        {"ShiftJisSentence",
         "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x82\xC5\x82\xB7\x81\x42",
         longText,
         {{932, longText},
          {1252, u"\u201C\u00FA\u2013{\u0152\u00EA\u201A\u00CC\u0192e\u0192L\u0192X\u0192g"
                 u"\u201A\u00C5\u201A\u00B7\u0081B"}}},
        {"ShiftJisTwoKana",
         "\x82\xA0\x82\xA2",
         u"\u3042\u3044",
         {{932, u"\u3042\u3044"}, {1252, u"\u201A\u00A0\u201A\u00A2"}}},
        {"ShiftJisTwoKanji",
         "\x8A\xBF\x8E\x9A",
         u"\u6F22\u5B57",
         {{932, u"\u6F22\u5B57"}, {1252, u"\u0160\u00BF\u017D\u0161"}}},
        {"EucJpSentence",
         "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\xA4\xC7\xA4\xB9\xA1\xA3",
         longText,
         {{20932, longText},
          {1252, u"\u00C6\u00FC\u00CB\u00DC\u00B8\u00EC\u00A4\u00CE\u00A5\u00C6\u00A5\u00AD"
                 u"\u00A5\u00B9\u00A5\u00C8\u00A4\u00C7\u00A4\u00B9\u00A1\u00A3"}}},
        // Also valid CP932, as four half-width katakana.
        {"EucJpTwoKana",
         "\xA4\xA2\xA4\xA4",
         u"\u3042\u3044",
         {{932, u"\uFF64\uFF62\uFF64\uFF64"},
          {20932, u"\u3042\u3044"},
          {1252, u"\u00A4\u00A2\u00A4\u00A4"}}},
        {"EucJpTwoKanji",
         "\xB4\xC1\xBB\xFA",
         u"\u6F22\u5B57",
         {{20932, u"\u6F22\u5B57"}, {1252, u"\u00B4\u00C1\u00BB\u00FA"}}},
        {"Windows1252", "caf\xE9 au lait", u"caf\u00E9 au lait", {{1252, u"caf\u00E9 au lait"}}},
    };
}

inline void teach(FakeCodePageService& service, const EncodedSample& sample) {
    for (const auto& [cp, text] : sample.decodings)
        service.known[{cp, sample.bytes}] = text;
}

} // namespace tapwell::testing
