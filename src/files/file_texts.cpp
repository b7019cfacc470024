#include "files/file_texts.h"

namespace tapwell {

namespace {

// Some English texts keep their historical spelling: users and scripts that
// watch for these boxes know them this way.
constexpr FileTextEntry kFileTexts[] = {
    {FileText::ReadCannotOpen, u"Cannot open the file.", u"ファイルを開けません。"},
    {FileText::ReadFailed, u"Cannot read the file.", u"ファイルを読み込めません。"},
    {FileText::ReadOutOfMemory, u"Out of memory.", u"メモリが足りません。"},
    {FileText::ReadNoConverter, u"An error occurred while preparing for character code conversion.",
     u"文字コード変換の準備中にエラーになりました。"},
    {FileText::ReadConversionFailed, u"An error occurred during character code conversion..",
     u"文字コード変換中にエラーになりました。"},
    {FileText::ReadUnknown, u"Unknown error.", u"不明なエラーによりファイルを読み込めません。"},

    {FileText::SaveNoMemoryForText, u"Out of memory.",
     u"ファイル書き込みを行うためのメモリが足りません。"},
    {FileText::SaveCannotCreate, u"Cannot open the file on write mode.",
     u"ファイルを書き込みモードで開けません。"},
    {FileText::SaveWriteFailed, u"Cannot write to the file.", u"ファイルへ書き込めません。"},
    {FileText::SaveOutOfMemory, u"Out of memory.", u"メモリが足りません。"},
    {FileText::SaveUnknown, u"Unknown error.", u"不明なエラーによりファイルに書き込めません。"},
    {FileText::SaveDone, u"The file has been saved in UTF-8 (with BOM).",
     u"UTF-8(BOM付き)でファイルに保存しました。"},

    {FileText::HexReadCannotOpen, u"Cannot open the file.", u"ファイルを開けません。"},
    {FileText::HexReadNoMemoryForBytes, u"Out of memory.",
     u"ファイルを読み込むためのメモリが足りません。"},
    {FileText::HexReadFailed, u"Cannot read file.", u"ファイルを読み込めません。"},
    {FileText::HexReadNoMemoryForText, u"Out of memory.",
     u"ファイル読込処理のためのメモリが足りません。"},
    {FileText::HexWriteNoMemoryForText, u"Out of memory.",
     u"ファイル書き込みを行うためのメモリが足りません。"},
    {FileText::HexWriteCannotCreate, u"Cannot open flie.",
     u"ファイルを書き込みモードで開けません。"},
    {FileText::HexWriteFailed, u"Cannot write to flie.", u"ファイルへ書き込みができません。"},

    {FileText::LoadTextTitle, u"Choose a file", u"ファイルを開く"},
    {FileText::SaveTextTitle, u"Save to file(UTF-8)", u"ファイルへ保存(UTF-8)"},
    {FileText::ReadHexTitle, u"Choose a binary file", u"ファイルを開く(16進ダンプ)"},
    {FileText::WriteHexTitle, u"Save to a binary file", u"バイナリファイルへ保存"},
    {FileText::TextFilesLabel, u"Text/Script files(*.txt;*.rsc)",
     u"テキスト/スクリプトファイル(*.txt;*.rsc)"},
    {FileText::BinaryFilesLabel, u"Binary files(*.bin)", u"バイナリファイル(*.bin)"},
    {FileText::AllFilesLabel, u"All files(*.*)", u"すべてのファイル(*.*)"},
};

} // namespace

std::u16string_view fileText(FileText id, Language language) {
    return pickText<FileText>(kFileTexts, id, language);
}

std::span<const FileTextEntry> fileTextTable() {
    return kFileTexts;
}

namespace {

struct FileMessageRow {
    FileCommand command;
    FileResult result;
    FileText text;
};

constexpr FileMessageRow kFileMessages[] = {
    {FileCommand::LoadText, FileResult::CannotOpen, FileText::ReadCannotOpen},
    {FileCommand::LoadText, FileResult::ReadFailed, FileText::ReadFailed},
    {FileCommand::LoadText, FileResult::OutOfMemory, FileText::ReadOutOfMemory},
    {FileCommand::LoadText, FileResult::NoConverter, FileText::ReadNoConverter},
    {FileCommand::LoadText, FileResult::ConversionFailed, FileText::ReadConversionFailed},
    {FileCommand::SaveText, FileResult::Ok, FileText::SaveDone},
    {FileCommand::SaveText, FileResult::NoMemoryForText, FileText::SaveNoMemoryForText},
    {FileCommand::SaveText, FileResult::CannotOpen, FileText::SaveCannotCreate},
    {FileCommand::SaveText, FileResult::WriteFailed, FileText::SaveWriteFailed},
    {FileCommand::SaveText, FileResult::OutOfMemory, FileText::SaveOutOfMemory},
    {FileCommand::ReadHexDump, FileResult::CannotOpen, FileText::HexReadCannotOpen},
    {FileCommand::ReadHexDump, FileResult::OutOfMemory, FileText::HexReadNoMemoryForBytes},
    {FileCommand::ReadHexDump, FileResult::ReadFailed, FileText::HexReadFailed},
    {FileCommand::ReadHexDump, FileResult::NoMemoryForText, FileText::HexReadNoMemoryForText},
    {FileCommand::WriteHexDump, FileResult::NoMemoryForText, FileText::HexWriteNoMemoryForText},
    {FileCommand::WriteHexDump, FileResult::CannotOpen, FileText::HexWriteCannotCreate},
    {FileCommand::WriteHexDump, FileResult::WriteFailed, FileText::HexWriteFailed},
};

// A failure without a row of its own, by command.
constexpr FileText kOtherFailure[] = {FileText::ReadUnknown, FileText::SaveUnknown,
                                      FileText::HexReadFailed, FileText::HexWriteFailed};

} // namespace

std::optional<FileMessage> fileResultMessage(FileCommand command, FileResult result) {
    const bool failed = result != FileResult::Ok;
    for (const FileMessageRow& row : kFileMessages)
        if (row.command == command && row.result == result)
            return FileMessage{row.text, failed};
    if (!failed)
        return std::nullopt;
    return FileMessage{kOtherFailure[static_cast<std::size_t>(command)], true};
}

} // namespace tapwell
