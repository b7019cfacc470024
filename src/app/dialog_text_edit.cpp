#include "app/dialog_text_edit.h"

#include "resource.h"

namespace tapwell {

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
