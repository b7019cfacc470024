#include "about/clipboard_win32.h"

#include <cstring>

namespace tapwell::about {

bool Win32Clipboard::open() {
    return OpenClipboard(nullptr) != 0;
}

void Win32Clipboard::close() {
    CloseClipboard();
}

bool Win32Clipboard::allocate(std::size_t bytes) {
    block_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    return block_ != nullptr;
}

bool Win32Clipboard::lockAndCopy(std::u16string_view units) {
    void* p = GlobalLock(block_);
    if (!p)
        return false;
    std::memcpy(p, units.data(), units.size() * sizeof(char16_t));
    GlobalUnlock(block_);
    return true;
}

bool Win32Clipboard::empty() {
    return EmptyClipboard() != 0;
}

bool Win32Clipboard::setUnicodeText() {
    if (!SetClipboardData(CF_UNICODETEXT, block_))
        return false;
    block_ = nullptr; // the clipboard owns it now
    return true;
}

void Win32Clipboard::freeBlock() {
    if (block_) {
        GlobalFree(block_);
        block_ = nullptr;
    }
}

} // namespace tapwell::about
