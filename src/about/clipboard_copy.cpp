#include "about/clipboard_copy.h"

namespace tapwell::about {

ClipboardResult copyToClipboard(ClipboardPort& port, std::u16string_view text) {
    if (!port.open())
        return ClipboardResult::OpenFailed;
    ClipboardResult result = ClipboardResult::Done;
    if (!port.allocate((text.size() + 1) * sizeof(char16_t))) {
        result = ClipboardResult::OutOfMemory;
    } else {
        if (!port.lockAndCopy(text))
            result = ClipboardResult::LockFailed;
        else if (!port.empty())
            result = ClipboardResult::EmptyFailed;
        else if (!port.setUnicodeText())
            result = ClipboardResult::SetFailed;
        if (result != ClipboardResult::Done)
            port.freeBlock();
    }
    port.close();
    return result;
}

ClipboardMessage clipboardMessage(ClipboardResult result) {
    switch (result) {
    case ClipboardResult::Done:
        return {AboutText::ClipboardDone, false};
    case ClipboardResult::OpenFailed:
        return {AboutText::ClipboardOpenFailed, true};
    case ClipboardResult::OutOfMemory:
        return {AboutText::ClipboardOutOfMemory, true};
    case ClipboardResult::LockFailed:
        return {AboutText::ClipboardLockFailed, true};
    case ClipboardResult::EmptyFailed:
        return {AboutText::ClipboardEmptyFailed, true};
    case ClipboardResult::SetFailed:
        break;
    }
    return {AboutText::ClipboardSetFailed, false};
}

} // namespace tapwell::about
