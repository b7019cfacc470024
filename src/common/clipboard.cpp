#include "common/clipboard.h"

namespace tapwell {

ClipboardResult copyToClipboard(ClipboardSteps& steps, std::u16string_view text) {
    if (!steps.open())
        return ClipboardResult::OpenFailed;
    ClipboardResult result = ClipboardResult::Done;
    if (!steps.allocate((text.size() + 1) * sizeof(char16_t))) {
        result = ClipboardResult::OutOfMemory;
    } else {
        if (!steps.lockAndCopy(text))
            result = ClipboardResult::LockFailed;
        else if (!steps.empty())
            result = ClipboardResult::EmptyFailed;
        else if (!steps.setUnicodeText())
            result = ClipboardResult::SetFailed;
        if (result != ClipboardResult::Done)
            steps.freeBlock();
    }
    steps.close();
    return result;
}

} // namespace tapwell
