#include "app/text_file_win32.h"

#include "app/code_page_service_win32.h"
#include "app/file_store_win32.h"
#include "app/text_file.h"

namespace tapwell {

namespace {

FilePath toFilePath(const std::wstring& path) {
    return FilePath(path.begin(), path.end());
}

} // namespace

unsigned ReadTextFile(const std::wstring& path, std::u16string& text) {
    return ReadTextFile(win32FileStore(), createMlangCodePageService, toFilePath(path), text);
}

unsigned WriteTextFileUtf8(const std::wstring& path, std::u16string_view text) {
    return WriteTextFileUtf8(win32FileStore(), toFilePath(path), text);
}

} // namespace tapwell
