// Putting a text on the clipboard, step by step: open, allocate, copy, empty,
// hand over, close. The steps are behind an interface so that every failure
// and the cleanup after it can be checked without a desktop; the About box
// reports each failure with its own message, a script only success.
#pragma once

#include <cstddef>
#include <string_view>

namespace tapwell {

// The platform's clipboard calls, one per step.
class ClipboardSteps {
  public:
    virtual ~ClipboardSteps() = default;
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
ClipboardResult copyToClipboard(ClipboardSteps& steps, std::u16string_view text);

} // namespace tapwell
