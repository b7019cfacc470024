// Reading a text file in whatever encoding it has, and writing one as UTF-8
// with a byte-order mark. Both return small result codes (0 for success)
// that the caller maps to a message.
#pragma once

#include "files/file_store.h"
#include "files/text_file_decoding.h"

#include <string>
#include <string_view>

namespace tapwell {

enum ReadTextResult : unsigned {
    kReadTextOk = 0,
    kReadTextCannotOpen = 1,
    kReadTextReadFailed = 2, // also for files of 4 GB or more
    kReadTextOutOfMemory = 4,
    kReadTextNoConverter = 5,
    kReadTextConversionFailed = 6,
};

enum WriteTextResult : unsigned {
    kWriteTextOk = 0,
    kWriteTextCannotCreate = 1,
    kWriteTextWriteFailed = 3,
    kWriteTextOutOfMemory = 4,
};

// Sizes that need more than 32 bits are refused as unreadable.
inline constexpr std::uint64_t kLargestReadableFile = 0xFFFFFFFFull;

// Reads the whole of an existing file into `bytes`: 0, 1, 2 or 4 as for
// ReadTextFile.
unsigned readWholeFile(FileStore& store, const FilePath& path, std::string& bytes);

// On success `text` holds the whole file as UTF-16, up to its first zero
// character; on failure it is left unchanged.
unsigned ReadTextFile(FileStore& store, const CodePageServiceFactory& makeService,
                      const FilePath& path, std::u16string& text);

// ReadTextFile's steps after the read, for bytes from anywhere: 0, 4, 5 or 6.
unsigned decodeTextFile(const CodePageServiceFactory& makeService, std::string_view bytes,
                        std::u16string& text);

// Writes EF BB BF and the text in UTF-8. The old file stays untouched unless
// everything was written.
unsigned WriteTextFileUtf8(FileStore& store, const FilePath& path, std::u16string_view text);

} // namespace tapwell
