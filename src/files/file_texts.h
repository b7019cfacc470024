// Every user-visible text of the file commands, in English and Japanese.
#pragma once

#include "common/language.h"

#include <span>
#include <string_view>

namespace tapwell {

enum class FileText {
    // ReportReadError, by reader result code
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

// The message ReportReadError shows for a reader result code (never 0).
FileText readErrorText(unsigned code);
// The message after WriteTextFileUtf8 returned `code` (SaveDone for 0).
FileText saveResultText(unsigned code);

inline constexpr std::u16string_view kTextFilesPattern = u"*.txt;*.rsc";
inline constexpr std::u16string_view kBinaryFilesPattern = u"*.bin";
inline constexpr std::u16string_view kAllFilesPattern = u"*.*";

} // namespace tapwell
