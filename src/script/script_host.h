// The record of callbacks through which a running script reaches its host,
// and the values exchanged in calls of host-side functions (cb.Name(...)).
#pragma once

#include <cstdint>
#include <string>

namespace tapwell {

// The error codes a run reports through ScriptHost::ReportError.
inline constexpr int kErrorSyntax = 101;
inline constexpr int kErrorDivisionByZero = 102;
inline constexpr int kErrorRemainderByZero = 103;
// A string built-in called without its '$'.
inline constexpr int kErrorStringFormOnly = 104;
inline constexpr int kErrorUnknownFunction = 105;
inline constexpr int kErrorOutOfMemory = 106;
inline constexpr int kErrorInvalidText = 107;

// A value in the host's UTF-16 form. A new one is integer 0.
struct HostValue {
    std::uint8_t type = 0; // 0 integer, anything else string
    std::int32_t integer = 0;
    std::u16string string;
};

// Valid only during the CallBack call; the host must keep none of it.
struct CallBackCall {
    const char16_t* name = nullptr; // as written after "cb.", with its '$'
    HostValue* arguments = nullptr; // null when there are none
    std::int32_t count = 0;
    // Points at a new HostValue on entry; the host fills it or points it at
    // a value of its own that stays valid until the call has returned.
    HostValue* result = nullptr;
};

using ScriptCallBackFn = std::int32_t (*)(CallBackCall* call);
using ScriptReportErrorFn = void (*)(std::int32_t code, std::int32_t line, const char16_t* text);
using ScriptCheckAbortFn = std::int32_t (*)(std::int32_t line);
// The platform's MessageBoxW signature (owner, text, caption, flags).
using ScriptMessageBoxFn = std::int32_t (*)(void* owner, const char16_t* text,
                                            const char16_t* caption, std::uint32_t flags);

// Any entry may be null (and so may the whole record): no callback service,
// no error display, never stopped from outside, the platform's message box.
struct ScriptHost {
    void* hWndOwner = nullptr;
    ScriptCallBackFn CallBack = nullptr;
    ScriptReportErrorFn ReportError = nullptr;
    ScriptCheckAbortFn CheckAbort = nullptr;
    ScriptMessageBoxFn ShowMessageBox = nullptr;
};

} // namespace tapwell
