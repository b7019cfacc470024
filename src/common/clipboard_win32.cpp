#include "common/clipboard_win32.h"

#include <cstring>

namespace tapwell {

bool Win32ClipboardSteps::open() {
    return owner_ != nullptr && OpenClipboard(owner_) != 0;
}

void Win32ClipboardSteps::close() {
    CloseClipboard();
}

bool Win32ClipboardSteps::allocate(std::size_t bytes) {
    freeBlock();
    block_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    return block_ != nullptr;
}

bool Win32ClipboardSteps::lockAndCopy(std::u16string_view units) {
    void* p = GlobalLock(block_);
    if (!p)
        return false;
    std::memcpy(p, units.data(), units.size() * sizeof(char16_t));
    GlobalUnlock(block_);
    return true;
}

bool Win32ClipboardSteps::empty() {
    return EmptyClipboard() != 0;
}

bool Win32ClipboardSteps::setUnicodeText() {
    if (!SetClipboardData(CF_UNICODETEXT, block_))
        return false;
    block_ = nullptr; // the clipboard owns it now
    return true;
}

void Win32ClipboardSteps::freeBlock() {
    if (block_) {
        GlobalFree(block_);
        block_ = nullptr;
    }
}

ClipboardResult writeClipboardText(HWND owner, std::u16string_view text) {
    Win32ClipboardSteps steps(owner);
    return copyToClipboard(steps, text);
}

} // namespace tapwell
