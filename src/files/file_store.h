// The few file-system operations the text and hex-dump files need, behind an
// interface so that the decisions around them (size limits, result codes,
// never losing the old file on a failed save) run and are tested anywhere.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tapwell {

// Paths are UTF-16, as the Windows file functions take them.
using FilePath = std::u16string;

class InputFile {
  public:
    virtual ~InputFile() = default;
    // Size in bytes, or nothing when it cannot be taken.
    virtual std::optional<std::uint64_t> size() = 0;
    // Reads exactly `count` bytes into `dest`; false on any shortfall.
    virtual bool read(char* dest, std::size_t count) = 0;
};

// A file being written in place of `path`: the bytes go to a temporary file
// beside it, and only commit() puts them under the real name. Destroying an
// uncommitted one removes the temporary file and leaves `path` as it was.
class ReplacementFile {
  public:
    virtual ~ReplacementFile() = default;
    virtual bool write(std::string_view bytes) = 0;
    virtual bool commit() = 0;
};

class FileStore {
  public:
    virtual ~FileStore() = default;
    // Opens an existing file for reading (others may read it too); nullptr
    // when it does not exist or cannot be opened.
    virtual std::unique_ptr<InputFile> openForReading(const FilePath& path) = 0;
    // nullptr when no file can be created in the target's folder.
    virtual std::unique_ptr<ReplacementFile> createReplacement(const FilePath& path) = 0;
};

// The extended-length form of a full path ("\\?\C:\..." or
// "\\?\UNC\server\share\..."), which the Windows file functions take far
// beyond their classic length limit: a save writes a replacement file whose
// name is longer than the target's, and must work wherever the target's own
// name does. Paths already in that form, device paths and paths that are not
// full stay as they are.
FilePath extendedLengthPath(std::u16string_view fullPath);

// Files on disk through the Win32 file functions. Saving writes a temporary
// file beside the target and moves it over the target at the end.

FileStore& win32FileStore();

} // namespace tapwell
