// The clipboard steps on Windows. The clipboard is always opened with an
// owner window: after an opening without one, emptying leaves the clipboard
// without an owner and the platform refuses the data that follows.
#pragma once

#include "common/clipboard.h"

#include <windows.h>

#include <string_view>

namespace tapwell {

class Win32ClipboardSteps final : public ClipboardSteps {
  public:
    explicit Win32ClipboardSteps(HWND owner) : owner_(owner) {}
    ~Win32ClipboardSteps() override { freeBlock(); }
    Win32ClipboardSteps(const Win32ClipboardSteps&) = delete;
    Win32ClipboardSteps& operator=(const Win32ClipboardSteps&) = delete;

    bool open() override;
    void close() override;
    bool allocate(std::size_t bytes) override;
    bool lockAndCopy(std::u16string_view units) override;
    bool empty() override;
    bool setUnicodeText() override;
    void freeBlock() override;

  private:
    HWND owner_;
    HGLOBAL block_ = nullptr;
};

// `text` as the clipboard's Unicode text, owned by `owner` (which must be a
// window of the calling thread; a null owner is refused).
ClipboardResult writeClipboardText(HWND owner, std::u16string_view text);

} // namespace tapwell
