#include "dialog/file_commands_win32.h"

#include "common/windows_glue_win32.h"
#include "files/file_store.h"
#include "files/file_texts.h"
#include "files/hex_dump.h"
#include "files/text_file_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <new>

namespace tapwell {

namespace {

std::wstring text(FileText id, const FileCommandUi& ui) {
    auto t = fileText(id, ui.language);
    return std::wstring(t.begin(), t.end());
}

// The command's message for `result`, if it has one.
void showResult(HWND owner, FileCommand command, FileResult result, const FileCommandUi& ui) {
    const std::optional<FileMessage> message = fileResultMessage(command, result);
    if (!message)
        return;
    const std::wstring shown = text(message->text, ui);
    MessageBoxFunction box = ui.messageBox ? ui.messageBox : MessageBoxW;
    box(owner, shown.c_str(), ui.programTitle.c_str(),
        MB_OK | (message->error ? MB_ICONERROR : MB_ICONINFORMATION));
}

// "label\0pattern\0label\0pattern\0\0"
std::wstring makeFilter(FileText label, std::u16string_view pattern, const FileCommandUi& ui) {
    std::wstring f;
    for (auto [l, p] :
         {std::pair{label, pattern}, std::pair{FileText::AllFilesLabel, kAllFilesPattern}}) {
        f += text(l, ui);
        f.push_back(L'\0');
        f.append(p.begin(), p.end());
        f.push_back(L'\0');
    }
    f.push_back(L'\0');
    return f;
}

bool systemFileDialog(OPENFILENAMEW& ofn, bool save, DWORD& error) {
    if (save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))
        return true;
    error = CommDlgExtendedError();
    return false;
}

bool runFileDialog(HWND owner, const wchar_t* filter, wchar_t* buffer, const wchar_t* title,
                   const wchar_t* defaultExtension, DWORD flags, bool save,
                   FileDialogFunction dialog) {
    if (!dialog)
        dialog = systemFileDialog;
    // One more try after a rejected name: the buffer is emptied for it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        buffer[0] = L'\0';
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = static_cast<DWORD>(kFileDialogBufferSize);
        ofn.lpstrTitle = title;
        ofn.lpstrDefExt = defaultExtension;
        ofn.Flags = flags;
        DWORD error = 0;
        if (dialog(ofn, save, error))
            return true;
        if (error != FNERR_INVALIDFILENAME)
            break;
    }
    buffer[0] = L'\0';
    return false;
}

} // namespace

bool ChooseFileToOpen(HWND owner, const wchar_t* filter, wchar_t* buffer, const wchar_t* title,
                      const wchar_t* defaultExtension, FileDialogFunction dialog) {
    return runFileDialog(owner, filter, buffer, title, defaultExtension,
                         OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                         false, dialog);
}

bool ChooseFileToSave(HWND owner, const wchar_t* filter, wchar_t* buffer, const wchar_t* title,
                      FileDialogFunction dialog) {
    return runFileDialog(
        owner, filter, buffer, title, L"txt",
        OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR, true, dialog);
}

FileResult ReportReadError(HWND owner, FileResult result, const FileCommandUi& ui) {
    showResult(owner, FileCommand::LoadText, result, ui);
    return result;
}

namespace {

// The file dialog of one command: its file-type filter and title. False
// when the user cancelled.
bool choosePath(HWND dialog, const FileCommandUi& ui, bool save, FileText label,
                std::u16string_view pattern, FileText title, const wchar_t* defaultExtension,
                wchar_t* path) {
    const std::wstring filter = makeFilter(label, pattern, ui);
    const std::wstring caption = text(title, ui);
    return save ? ChooseFileToSave(dialog, filter.c_str(), path, caption.c_str(), ui.fileDialog)
                : ChooseFileToOpen(dialog, filter.c_str(), path, caption.c_str(), defaultExtension,
                                   ui.fileDialog);
}

// The text box's text for a save; says so when it cannot be copied.
bool textToSave(HWND dialog, HWND textBox, FileCommand command, const FileCommandUi& ui,
                std::u16string& content) {
    try {
        content = windowText(textBox);
        return true;
    } catch (const std::bad_alloc&) {
        showResult(dialog, command, FileResult::NoMemoryForText, ui);
        return false;
    }
}

} // namespace

bool loadTextFromFile(HWND dialog, HWND textBox, const FileCommandUi& ui) {
    wchar_t path[kFileDialogBufferSize];
    if (!choosePath(dialog, ui, false, FileText::TextFilesLabel, kTextFilesPattern,
                    FileText::LoadTextTitle, L"txt", path))
        return false;
    std::u16string loaded;
    if (const FileResult result = ReadTextFile(path, loaded); result != FileResult::Ok) {
        ReportReadError(dialog, result, ui);
        return false;
    }
    SetWindowTextW(textBox, wide(loaded));
    return true;
}

bool saveTextToFile(HWND dialog, HWND textBox, const FileCommandUi& ui) {
    wchar_t path[kFileDialogBufferSize];
    if (!choosePath(dialog, ui, true, FileText::TextFilesLabel, kTextFilesPattern,
                    FileText::SaveTextTitle, nullptr, path))
        return false;
    std::u16string content;
    if (!textToSave(dialog, textBox, FileCommand::SaveText, ui, content))
        return false;
    const FileResult result = WriteTextFileUtf8(path, content);
    showResult(dialog, FileCommand::SaveText, result, ui);
    return result == FileResult::Ok;
}

bool readHexDumpFromFile(HWND dialog, HWND textBox, const FileCommandUi& ui) {
    wchar_t path[kFileDialogBufferSize];
    if (!choosePath(dialog, ui, false, FileText::BinaryFilesLabel, kBinaryFilesPattern,
                    FileText::ReadHexTitle, L"bin", path))
        return false;
    std::u16string dump;
    FilePath filePath(path, path + wcslen(path));
    const FileResult result = readHexDumpFile(win32FileStore(), filePath, dump);
    if (result == FileResult::Ok)
        SetWindowTextW(textBox, wide(dump));
    showResult(dialog, FileCommand::ReadHexDump, result, ui);
    return result == FileResult::Ok;
}

bool writeHexDumpToFile(HWND dialog, HWND textBox, const FileCommandUi& ui) {
    wchar_t path[kFileDialogBufferSize];
    if (!choosePath(dialog, ui, true, FileText::BinaryFilesLabel, kBinaryFilesPattern,
                    FileText::WriteHexTitle, nullptr, path))
        return false;
    std::u16string content;
    if (!textToSave(dialog, textBox, FileCommand::WriteHexDump, ui, content))
        return false;
    FilePath filePath(path, path + wcslen(path));
    const FileResult result = writeHexDumpFile(win32FileStore(), filePath, content);
    showResult(dialog, FileCommand::WriteHexDump, result, ui);
    return result == FileResult::Ok;
}

} // namespace tapwell
