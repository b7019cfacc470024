// Code-page detection and conversion to UTF-16: the platform's multi-language
// service and its strict conversions on Windows, a fake in tests.
#pragma once

#include "files/file_result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tapwell {

inline constexpr std::uint32_t kCodePageShiftJis = 932;
inline constexpr std::uint32_t kCodePageEucJp = 20932;
inline constexpr std::uint32_t kCodePageUtf16Be = 1201;
inline constexpr std::uint32_t kCodePageUtf8 = 65001;

class CodePageService {
  public:
    virtual ~CodePageService() = default;
    // The code page the service recognises in `bytes`, or nothing when it
    // cannot tell (or cannot detect at all).
    virtual std::optional<std::uint32_t> detectCodePage(std::string_view bytes) = 0;
    // The service's own conversion for a detected code page; nothing on failure.
    virtual std::optional<std::u16string> convert(std::uint32_t codePage,
                                                  std::string_view bytes) = 0;
    // Conversion that fails on any byte sequence invalid in `codePage`.
    virtual std::optional<std::u16string> decodeStrict(std::uint32_t codePage,
                                                       std::string_view bytes) = 0;
    // The system's ANSI code page.
    virtual std::uint32_t ansiCodePage() = 0;
};

// Creates the service for one read; nullptr when it cannot be created.
using CodePageServiceFactory = std::function<std::unique_ptr<CodePageService>()>;

// Turning a text file's bytes into UTF-16: byte-order marks first, then the
// code page the platform detects, then our own decision when it cannot tell.

// How likely `text` is to be what a Japanese or Western text file meant:
// full-width kana, kanji and full-width punctuation count for it; half-width
// katakana, control characters, private-use and replacement characters
// against it. Only the comparison between candidates matters.
long japaneseTextPlausibility(std::u16string_view text);

// The decision when detection fails: valid UTF-8 is UTF-8; otherwise the most
// plausible of the strict CP932, EUC-JP and ANSI decodings (earlier ones win
// ties); UTF-8 with replacement characters when none of them decodes.
std::u16string decodeUndetectedText(CodePageService& service, std::string_view bytes);

// Decodes a whole file's bytes (after they were read) into `out`, cut at the
// first zero character. Returns Ok, or ConversionFailed when the service's
// conversion failed.
FileResult decodeTextFileBytes(CodePageService& service, std::string_view bytes,
                               std::u16string& out);

// A service built on the C library's iconv, for platforms without the
// multi-language service (code_page_service_iconv.cpp, not in the Windows
// build): it cannot detect, so every text without a byte-order mark takes the
// strict-decoding fallback, and it answers as a Japanese system does (ANSI
// code page 932).
std::unique_ptr<CodePageService> createIconvCodePageService();

} // namespace tapwell
