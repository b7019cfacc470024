// The File menu's four commands (IDM_LOAD_TEXT to IDM_WRITE_HEX) with their file dialogs and
// messages. The main dialog calls them with its own handle and its text box.
#pragma once

#include "common/language.h"
#include "files/file_result.h"

#include <windows.h>

#include <commdlg.h>

#include <string>

namespace tapwell {

using MessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption,
                                   UINT flags);

// Shows the open (`save` false) or the save dialog for `ofn`: true when the
// user chose a path; otherwise `error` is the common dialogs' extended error
// (0 after a cancel).
using FileDialogFunction = bool (*)(OPENFILENAMEW& ofn, bool save, DWORD& error);

struct FileCommandUi {
    Language language = Language::Japanese;
    std::wstring programTitle;
    // The program's message-box function; MessageBoxW when null.
    MessageBoxFunction messageBox = nullptr;
    // The system's file dialogs when null; tests answer them themselves.
    FileDialogFunction fileDialog = nullptr;
};

// Characters in a file dialog's path buffer.
inline constexpr std::size_t kFileDialogBufferSize = 520;

// `filter` is a list of label and pattern pairs ending with an empty label.
// `buffer` (kFileDialogBufferSize characters) is cleared first and holds the
// chosen path when the result is true.
// After a refused name the buffer is cleared and the dialog shown once more.
bool ChooseFileToOpen(HWND owner, const wchar_t* filter, wchar_t* buffer, const wchar_t* title,
                      const wchar_t* defaultExtension, FileDialogFunction dialog = nullptr);
bool ChooseFileToSave(HWND owner, const wchar_t* filter, wchar_t* buffer, const wchar_t* title,
                      FileDialogFunction dialog = nullptr);

// Shows the message for a ReadTextFile failure and returns the result.
FileResult ReportReadError(HWND owner, FileResult result, const FileCommandUi& ui);

// Each returns true when the file was read or written.
bool loadTextFromFile(HWND dialog, HWND textBox, const FileCommandUi& ui);    // IDM_LOAD_TEXT
bool saveTextToFile(HWND dialog, HWND textBox, const FileCommandUi& ui);      // IDM_SAVE_TEXT
bool readHexDumpFromFile(HWND dialog, HWND textBox, const FileCommandUi& ui); // IDM_READ_HEX
bool writeHexDumpToFile(HWND dialog, HWND textBox, const FileCommandUi& ui);  // IDM_WRITE_HEX

} // namespace tapwell
