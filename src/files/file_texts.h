// Every user-visible text of the file commands, in English and Japanese.
#pragma once

#include "common/language.h"
#include "files/file_result.h"

#include <optional>

#include <span>
#include <string_view>

namespace tapwell {

enum class FileText {
    // loading a text
    ReadCannotOpen,
    ReadFailed,
    ReadOutOfMemory,
    ReadNoConverter,
    ReadConversionFailed,
    ReadUnknown,
    // saving a text
    SaveNoMemoryForText,
    SaveCannotCreate,
    SaveWriteFailed,
    SaveOutOfMemory,
    SaveUnknown,
    SaveDone,
    // hex dumps
    HexReadCannotOpen,
    HexReadNoMemoryForBytes,
    HexReadFailed,
    HexReadNoMemoryForText,
    HexWriteNoMemoryForText,
    HexWriteCannotCreate,
    HexWriteFailed,
    // file dialogs
    LoadTextTitle,
    SaveTextTitle,
    ReadHexTitle,
    WriteHexTitle,
    TextFilesLabel,
    BinaryFilesLabel,
    AllFilesLabel,
};

using FileTextEntry = TextEntry<FileText>;

std::u16string_view fileText(FileText id, Language language);
std::span<const FileTextEntry> fileTextTable();

// The File menu's four commands, each with its own wording of a result.
enum class FileCommand { LoadText, SaveText, ReadHexDump, WriteHexDump };

struct FileMessage {
    FileText text;
    bool error; // error icon, else information icon
};

// The message a command shows after `result`: every failure has one; of the
// successes only a saved text is announced.
std::optional<FileMessage> fileResultMessage(FileCommand command, FileResult result);

inline constexpr std::u16string_view kTextFilesPattern = u"*.txt;*.rsc";
inline constexpr std::u16string_view kBinaryFilesPattern = u"*.bin";
inline constexpr std::u16string_view kAllFilesPattern = u"*.*";

} // namespace tapwell
