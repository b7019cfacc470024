// Reading a text file in whatever encoding it has, and writing one as UTF-8
// with a byte-order mark. Both return a FileResult that the caller maps to a
// message (file_texts.h).
#pragma once

#include "files/file_result.h"
#include "files/file_store.h"
#include "files/text_file_decoding.h"

#include <string>
#include <string_view>

namespace tapwell {

// Sizes that need more than 32 bits are refused as unreadable.
inline constexpr std::uint64_t kLargestReadableFile = 0xFFFFFFFFull;

// Reads the whole of an existing file into `bytes`: Ok, CannotOpen,
// ReadFailed or OutOfMemory.
FileResult readWholeFile(FileStore& store, const FilePath& path, std::string& bytes);

// On success `text` holds the whole file as UTF-16, up to its first zero
// character; on failure it is left unchanged.
FileResult ReadTextFile(FileStore& store, const CodePageServiceFactory& makeService,
                        const FilePath& path, std::u16string& text);

// ReadTextFile's steps after the read, for bytes from anywhere: Ok,
// OutOfMemory, NoConverter or ConversionFailed.
FileResult decodeTextFile(const CodePageServiceFactory& makeService, std::string_view bytes,
                          std::u16string& text);

// Writes EF BB BF and the text in UTF-8. The old file stays untouched unless
// everything was written: Ok, OutOfMemory, CannotOpen or WriteFailed.
FileResult WriteTextFileUtf8(FileStore& store, const FilePath& path, std::u16string_view text);

} // namespace tapwell
