
#include "dialog/dialog_rules.h"

#include "resource.h"

namespace tapwell {

InputMode modeFromRadios(bool keyboardSelected, bool unicodeSelected) {
    if (keyboardSelected)
        return InputMode::Keyboard;
    return unicodeSelected ? InputMode::Unicode : InputMode::Script;
}

ModeControls modeControls(InputMode mode, bool waitAfterStart) {
    ModeControls out;
    out.mode = mode > InputMode::Script ? InputMode::Script : mode;
    out.upperCase = out.mode == InputMode::Keyboard;
    out.description = out.mode == InputMode::Keyboard  ? DialogText::DescriptionKeyboard
                      : out.mode == InputMode::Unicode ? DialogText::DescriptionUnicode
                                                       : DialogText::DescriptionScript;
    // A script has no interval, repeat count, prefix or suffix of the run's.
    const bool sendingMode = out.mode != InputMode::Script;
    for (int id : {IDC_INTERVAL_LABEL, IDC_INTERVAL, IDC_INTERVAL_UNIT, IDC_LOOP_LABEL, IDC_LOOP,
                   IDC_LOOP_UNIT, IDC_PREFIX_LABEL, IDC_PREFIX, IDC_SUFFIX_LABEL, IDC_SUFFIX})
        out.controls.push_back({id, sendingMode});
    for (int id : {IDC_WAIT_SEC, IDC_WAIT_SEC_LABEL})
        out.controls.push_back({id, waitAfterStart});
    for (int id : {IDC_TIME_HOUR, IDC_TIME_MIN, IDC_TIME_SEC, IDC_TIME_HOUR_LABEL,
                   IDC_TIME_MIN_LABEL, IDC_TIME_SEC_LABEL})
        out.controls.push_back({id, !waitAfterStart});
    return out;
}

std::vector<int> upperCaseEdits() {
    return {IDC_TEXT, IDC_PREFIX, IDC_SUFFIX};
}

std::vector<int> runLockedControls() {
    return {IDC_MENU_FILE,        IDC_MENU_SETTINGS,   IDC_MENU_KEYS,   IDC_MENU_HELP,
            IDC_MODE_KEYBOARD,    IDC_MODE_UNICODE,    IDC_MODE_SCRIPT, IDC_TEXT,
            IDC_WAIT_AFTER_START, IDC_WAIT_UNTIL_TIME, IDC_WAIT_SEC,    IDC_TIME_HOUR,
            IDC_TIME_MIN,         IDC_TIME_SEC,        IDC_INTERVAL,    IDC_LOOP,
            IDC_PREFIX,           IDC_SUFFIX,          IDC_BIG_DIALOG,  IDC_EXIT};
}

std::optional<RemovedCharacters> removalForCommand(int commandId) {
    switch (commandId) {
    case IDM_DELETE_SPACES:
        return RemovedCharacters::Spaces;
    case IDM_DELETE_TABS:
        return RemovedCharacters::Tabs;
    case IDM_DELETE_RETURNS:
        return RemovedCharacters::LineBreaks;
    default:
        return std::nullopt;
    }
}

std::u16string removeCharacters(std::u16string_view text, RemovedCharacters which) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        bool drop = false;
        switch (which) {
        case RemovedCharacters::Spaces:
            drop = c == u' ';
            break;
        case RemovedCharacters::Tabs:
            drop = c == u'\t';
            break;
        case RemovedCharacters::LineBreaks:
            drop = c == u'\r' || c == u'\n';
            break;
        }
        if (!drop)
            out.push_back(c);
    }
    return out;
}

} // namespace tapwell
