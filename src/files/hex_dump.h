// The text box as a hex dump: any file's bytes shown as two upper-case hex
// digits each, and hex digits in the text written back as bytes.
#pragma once

#include "files/file_result.h"
#include "files/file_store.h"

#include <string>
#include <string_view>

namespace tapwell {

// "%02X" per byte, no separators, no line breaks.
std::u16string encodeHexDump(std::string_view bytes);

// Each pair of hex digits (either case) becomes one byte; every other
// character is skipped without breaking a pair, and a lone digit at the end
// is dropped.
std::string decodeHexDump(std::u16string_view text);

// On success `text` holds the dump (empty for an empty file); otherwise it is
// left unchanged. Ok, CannotOpen, OutOfMemory (for the bytes), ReadFailed or
// NoMemoryForText (for the dump).
FileResult readHexDumpFile(FileStore& store, const FilePath& path, std::u16string& text);

// An empty text creates an empty file. A failed write leaves the old file as
// it was. Ok, NoMemoryForText, CannotOpen or WriteFailed.
FileResult writeHexDumpFile(FileStore& store, const FilePath& path, std::u16string_view text);

} // namespace tapwell
