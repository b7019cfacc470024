// Opening topics of the help file through the platform's HTML help library,
// loaded on first use, and through the external viewer for "/?".
#pragma once

#include "common/language.h"
#include "common/windows_glue_win32.h"

#include <windows.h>

#include <string>

namespace tapwell {

using HelpEntry = HWND(WINAPI*)(HWND owner, const wchar_t* path, UINT command, DWORD_PTR data);

// Loads a library by the full path it is given.
using HelpLibraryLoader = HMODULE (*)(const wchar_t* fullPath);

// Process-wide: once loading failed, help stays unavailable for the run. An
// entry set without a library is used as it is (a test's recording entry).
struct HelpLibraryState {
    // Replaceable, so that a test can see every path the loader is given.
    HelpLibraryLoader loadLibrary = loadLibraryByFullPath;
    HMODULE library = nullptr;
    HelpEntry entry = nullptr;
    bool failed = false;
};

HelpLibraryState& helpLibraryState();

// The registered in-process server of the HTML help control, expanded;
// empty when it is not registered.
std::wstring registeredHelpControlPath();

// Loads the library (from `registeredPath` when it is a full path, else
// "hhctrl.ocx" from the system folder, both by full path: a bare name would
// be searched for, beside the executable too) and finds its wide help
// function. Null on failure, which
// `state` remembers so that later calls fail at once.
HelpEntry ensureHelpEntry(HelpLibraryState& state, const std::wstring& registeredPath);

// Opens `topic` (a page name, or null for the file itself) of ".\tapwell.chm"
// in the language's folder; true when the help library gave a window.
bool OpenHelpTopic(HWND owner, const wchar_t* topic, Language language);

// Starts `program` with `parameter` from the current folder; false when it
// could not be started.
using HelpViewerStarter = bool (*)(const std::wstring& program, const std::wstring& parameter);

// Replaces the way the viewer is started (tests record it); returns the one
// before.
HelpViewerStarter setHelpViewerStarter(HelpViewerStarter starter);

// Where the system's Windows folder is asked for (GetSystemWindowsDirectoryW's
// signature); tests give one that fails.
using WindowsFolderQuery = UINT(WINAPI*)(LPWSTR buffer, UINT size);

// "/?": starts "hh.exe" from the Windows folder on the language's
// command-line topic; false when it could not be started, the folder unknown
// included (the caller reports it).
bool launchHelpViewer(Language language,
                      WindowsFolderQuery windowsFolder = GetSystemWindowsDirectoryW);

} // namespace tapwell
