// Message-box flags and button identifiers in the platform's MessageBoxW
// encoding, and the default captions of the message built-ins.
#pragma once

#include <cstdint>
#include <string_view>

namespace tapwell {

namespace message_box {
inline constexpr std::uint32_t Ok = 0x00;
inline constexpr std::uint32_t OkCancel = 0x01;
inline constexpr std::uint32_t AbortRetryIgnore = 0x02;
inline constexpr std::uint32_t YesNoCancel = 0x03;
inline constexpr std::uint32_t YesNo = 0x04;
inline constexpr std::uint32_t RetryCancel = 0x05;
inline constexpr std::uint32_t CancelTryContinue = 0x06;
inline constexpr std::uint32_t ButtonsMask = 0x0F;

inline constexpr std::uint32_t IconError = 0x10;
inline constexpr std::uint32_t IconQuestion = 0x20;
inline constexpr std::uint32_t IconWarning = 0x30;
inline constexpr std::uint32_t IconInformation = 0x40;

inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdAbort = 3;
inline constexpr int IdRetry = 4;
inline constexpr int IdIgnore = 5;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
inline constexpr int IdTryAgain = 10;
inline constexpr int IdContinue = 11;

// The identifier of a box's first (default) button.
inline int firstButton(std::uint32_t flags) {
    switch (flags & ButtonsMask) {
    case AbortRetryIgnore:
        return IdAbort;
    case YesNoCancel:
    case YesNo:
        return IdYes;
    case RetryCancel:
        return IdRetry;
    case CancelTryContinue:
        return IdCancel;
    default:
        return IdOk;
    }
}
} // namespace message_box

// The script's message captions are part of the language, not of the user
// interface, and read the same in both interface languages.
inline constexpr std::string_view kCaptionMessage = "Message";
inline constexpr std::string_view kCaptionQuestion = "Question";
inline constexpr std::string_view kCaptionWarning = "Warning";
inline constexpr std::string_view kCaptionInformation = "Information";
inline constexpr std::string_view kCaptionError = "Error";

} // namespace tapwell
