// Every text that the main dialog itself shows, in both languages. The
// controls' own captions live in the dialog templates; these are the ones the
// dialog's code puts up at run time.
#pragma once

#include "common/language.h"
#include "common/leaf_helpers.h"

#include <span>
#include <string_view>

namespace tapwell {

enum class DialogText {
    DescriptionKeyboard,
    DescriptionUnicode,
    DescriptionScript,
    ExitQuestion,
    BigDialogNotice,
    BigDialogCaption,
    TextBoxFontFace,
    StopRunTooltip,
    StopRunEscTooltip,
};

using DialogTextEntry = TextEntry<DialogText>;

std::u16string_view dialogText(DialogText id, Language language);
std::span<const DialogTextEntry> dialogTextTable();

// A tooltip: the control it belongs to and its text.
// The language's tooltip table.
std::span<const TooltipEntry> tooltipTable(Language language);

// The Start button's tooltip: the table's text while idle; while running, the
// Abort role, naming the Esc key when Esc stops a run.
std::u16string_view startButtonTooltip(Language language, bool running, bool escStops);

} // namespace tapwell
