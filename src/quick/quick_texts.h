// Every text of quick type (the hotkeys, the tray icon, the question before a
// long run, the progress window), in Japanese and English side by side.
#pragma once

#include "common/language.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

enum class QuickText : std::uint8_t {
    ClipboardEmpty,
    RunQuestion,        // %s characters, %s lines, %s window title
    RunQuestionOneLine, // %s characters, %s window title
    KeylessCharacters,  // %s count, %s layout, %s the characters
    KeylessCharacter,   // %s layout, %s the character
    HotkeyTaken,        // %s combination
    HotkeyAltGr,        // %s combination, %s AltGr key, %s character, %s layout
    HotkeySuggestion,   // %s combination
    KeysStillHeld,
    Progress, // %s done, %s of
    ProgressPaused,
    TooltipIdle,
    TooltipTyping, // %s done, %s of
    MenuTypeClipboard,
    MenuTypeText,
    MenuClickWhere,
    MenuShow,
    MenuExit,
    HotkeysTitle,
    HotkeysClipboardLabel,
    HotkeysTextLabel,
    HotkeysNote,
    ButtonOk,
    ButtonCancel,
    NoWindowUnderClick,
    Count_
};

std::u16string_view quickText(QuickText id, Language language);
std::span<const TextEntry<QuickText>> quickTextTable();

// Fills each %s from `args` in order.
std::u16string formatQuickText(QuickText id, Language language,
                               std::initializer_list<std::u16string_view> args);

// 1234567 as "1,234,567".
std::u16string groupedNumber(std::uint64_t value);

} // namespace tapwell
