// Shared pieces of the Windows-side app tests: a scratch folder made current,
// a clean registry key, and a recorder for message boxes.
#pragma once

#include "theme/theme_win32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tapwell::test {

struct ShownMessage {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

// Records every box shown through showAppMessage instead of showing it.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    std::vector<ShownMessage> shown;

  private:
    AppMessagePresenter previous_;
};

// Creates an empty folder under the temp directory and makes it current;
// the previous current directory comes back at the end.
class ScratchFolder {
  public:
    explicit ScratchFolder(const wchar_t* tag);
    ~ScratchFolder();
    const std::wstring& path() const { return path_; }

  private:
    std::wstring path_;
    std::wstring previous_;
};

// Removes the program's registry key with everything under it.
void deleteProgramKey();
// Writes a raw value under the program's key (creating it).
void writeRawValue(const wchar_t* name, DWORD type, const void* data, DWORD size);
bool programKeyExists();

std::string readWholeFile(const std::wstring& path);

} // namespace tapwell::test
