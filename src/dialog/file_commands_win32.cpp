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

void show(HWND owner, FileText id, UINT icon, const FileCommandUi& ui) {
    std::wstring message = text(id, ui);
    MessageBoxFunction box = ui.messageBox ? ui.messageBox : MessageBoxW;
    box(owner, message.c_str(), ui.programTitle.c_str(), MB_OK | icon);
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

unsigned ReportReadError(HWND owner, unsigned code, const FileCommandUi& ui) {
    show(owner, readErrorText(code), MB_ICONERROR, ui);
    return code;
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

// The text box's text for a save; says `noMemory` when it cannot be copied.
bool textToSave(HWND dialog, HWND textBox, FileText noMemory, const FileCommandUi& ui,
                std::u16string& content) {
    try {
        content = windowText(textBox);
        return true;
    } catch (const std::bad_alloc&) {
        show(dialog, noMemory, MB_ICONERROR, ui);
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
    if (unsigned code = ReadTextFile(path, loaded)) {
        ReportReadError(dialog, code, ui);
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
    if (!textToSave(dialog, textBox, FileText::SaveNoMemoryForText, ui, content))
        return false;
    unsigned code = WriteTextFileUtf8(path, content);
    show(dialog, saveResultText(code), code == 0 ? MB_ICONINFORMATION : MB_ICONERROR, ui);
    return code == 0;
}

bool readHexDumpFromFile(HWND dialog, HWND textBox, const FileCommandUi& ui) {
    wchar_t path[kFileDialogBufferSize];
    if (!choosePath(dialog, ui, false, FileText::BinaryFilesLabel, kBinaryFilesPattern,
                    FileText::ReadHexTitle, L"bin", path))
        return false;
    std::u16string dump;
    FilePath filePath(path, path + wcslen(path));
    switch (readHexDumpFile(win32FileStore(), filePath, dump)) {
    case HexReadResult::Ok:
        SetWindowTextW(textBox, wide(dump));
        return true;
    case HexReadResult::CannotOpen:
        show(dialog, FileText::HexReadCannotOpen, MB_ICONERROR, ui);
        break;
    case HexReadResult::NoMemoryForBytes:
        show(dialog, FileText::HexReadNoMemoryForBytes, MB_ICONERROR, ui);
        break;
    case HexReadResult::ReadFailed:
        show(dialog, FileText::HexReadFailed, MB_ICONERROR, ui);
        break;
    case HexReadResult::NoMemoryForText:
        show(dialog, FileText::HexReadNoMemoryForText, MB_ICONERROR, ui);
        break;
    }
    return false;
}

bool writeHexDumpToFile(HWND dialog, HWND textBox, const FileCommandUi& ui) {
    wchar_t path[kFileDialogBufferSize];
    if (!choosePath(dialog, ui, true, FileText::BinaryFilesLabel, kBinaryFilesPattern,
                    FileText::WriteHexTitle, nullptr, path))
        return false;
    std::u16string content;
    if (!textToSave(dialog, textBox, FileText::HexWriteNoMemoryForText, ui, content))
        return false;
    FilePath filePath(path, path + wcslen(path));
    switch (writeHexDumpFile(win32FileStore(), filePath, content)) {
    case HexWriteResult::Ok:
        return true;
    case HexWriteResult::NoMemoryForText:
        show(dialog, FileText::HexWriteNoMemoryForText, MB_ICONERROR, ui);
        break;
    case HexWriteResult::CannotCreate:
        show(dialog, FileText::HexWriteCannotCreate, MB_ICONERROR, ui);
        break;
    case HexWriteResult::WriteFailed:
        show(dialog, FileText::HexWriteFailed, MB_ICONERROR, ui);
        break;
    }
    return false;
}

} // namespace tapwell
