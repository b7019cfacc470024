// The clipboard port on the platform's clipboard.
#pragma once

#include "about/clipboard_copy.h"

#include <windows.h>

namespace tapwell::about {

class Win32Clipboard : public ClipboardPort {
  public:
    bool open() override;
    void close() override;
    bool allocate(std::size_t bytes) override;
    bool lockAndCopy(std::u16string_view units) override;
    bool empty() override;
    bool setUnicodeText() override;
    void freeBlock() override;

  private:
    HGLOBAL block_ = nullptr;
};

} // namespace tapwell::about
