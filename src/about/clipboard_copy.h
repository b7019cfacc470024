// Copying the report to the clipboard, step by step, over a small port so
// that every failure path can be checked without a desktop.
#pragma once

#include "about/about_texts.h"

#include <cstddef>
#include <string_view>

namespace tapwell::about {

class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;
    virtual bool open() = 0;
    virtual void close() = 0;
    // A movable, zero-filled block of `bytes`; false when out of memory.
    virtual bool allocate(std::size_t bytes) = 0;
    // Locks the block and copies `units` into it; false when it cannot be locked.
    virtual bool lockAndCopy(std::u16string_view units) = 0;
    virtual bool empty() = 0;
    // Hands the block over as Unicode text; false when refused.
    virtual bool setUnicodeText() = 0;
    // Frees a block that was not handed over.
    virtual void freeBlock() = 0;
};

enum class ClipboardResult { Done, OpenFailed, OutOfMemory, LockFailed, EmptyFailed, SetFailed };

// Opens, allocates (text plus terminator), copies, empties, sets. The block is
// freed unless the clipboard took it; the clipboard is closed whenever it was
// opened.
ClipboardResult copyToClipboard(ClipboardPort& port, std::u16string_view text);

struct ClipboardMessage {
    AboutText text;
    bool error; // error icon, else information icon
};

ClipboardMessage clipboardMessage(ClipboardResult result);

} // namespace tapwell::about
