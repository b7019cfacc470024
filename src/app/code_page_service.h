// Code-page detection and conversion to UTF-16: the platform's multi-language
// service and its strict conversions on Windows, a fake in tests.
#pragma once

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

} // namespace tapwell
