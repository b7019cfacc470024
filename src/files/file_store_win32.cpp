#include "common/windows_glue_win32.h"
#include "files/file_store.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

namespace tapwell {

namespace {

// ReadFile and WriteFile take 32-bit counts.
constexpr std::size_t kChunk = 1u << 30;

class Win32InputFile final : public InputFile {
  public:
    explicit Win32InputFile(HANDLE h) : h_(h) {}
    ~Win32InputFile() override { CloseHandle(h_); }
    Win32InputFile(const Win32InputFile&) = delete;
    Win32InputFile& operator=(const Win32InputFile&) = delete;

    std::optional<std::uint64_t> size() override {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(h_, &size) || size.QuadPart < 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    bool read(char* dest, std::size_t count) override {
        while (count > 0) {
            DWORD want = static_cast<DWORD>(std::min(count, kChunk));
            DWORD got = 0;
            if (!ReadFile(h_, dest, want, &got, nullptr) || got == 0)
                return false;
            dest += got;
            count -= got;
        }
        return true;
    }

  private:
    HANDLE h_;
};

class Win32ReplacementFile final : public ReplacementFile {
  public:
    Win32ReplacementFile(HANDLE h, std::wstring temp, std::wstring target)
        : h_(h), temp_(std::move(temp)), target_(std::move(target)) {}
    ~Win32ReplacementFile() override {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
        if (!committed_)
            DeleteFileW(temp_.c_str());
    }
    Win32ReplacementFile(const Win32ReplacementFile&) = delete;
    Win32ReplacementFile& operator=(const Win32ReplacementFile&) = delete;

    bool write(std::string_view bytes) override {
        if (h_ == INVALID_HANDLE_VALUE)
            return false;
        while (!bytes.empty()) {
            DWORD want = static_cast<DWORD>(std::min(bytes.size(), kChunk));
            DWORD put = 0;
            if (!WriteFile(h_, bytes.data(), want, &put, nullptr) || put == 0)
                return false;
            bytes.remove_prefix(put);
        }
        return true;
    }

    bool commit() override {
        if (h_ == INVALID_HANDLE_VALUE)
            return false;
        bool flushed = FlushFileBuffers(h_) != 0;
        bool closed = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        if (!flushed || !closed)
            return false;
        // Replacing keeps what belongs to the old file (attributes, creation
        // time, permissions); a new name is a plain rename.
        if (GetFileAttributesW(target_.c_str()) != INVALID_FILE_ATTRIBUTES)
            committed_ =
                ReplaceFileW(target_.c_str(), temp_.c_str(), nullptr, 0, nullptr, nullptr) != 0;
        else
            committed_ = MoveFileExW(temp_.c_str(), target_.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        return committed_;
    }

  private:
    HANDLE h_;
    std::wstring temp_;
    std::wstring target_;
    bool committed_ = false;
};

// The extended-length form of `path` made absolute; empty when it cannot be.
std::wstring absoluteExtendedPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    DWORD got = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (got == 0 || got >= size)
        return {};
    full.resize(got);
    const FilePath extended = tapwell::extendedLengthPath(fromWide(full));
    return std::wstring(extended.begin(), extended.end());
}

// The file a save really writes: an existing target is followed through
// symbolic links to the file they name, so that the link stays a link and
// the file behind it gets the text. A new file is the path itself.
std::wstring finalTargetPath(const std::wstring& path) {
    const std::wstring extended = absoluteExtendedPath(path);
    if (extended.empty())
        return {};
    HANDLE h =
        CreateFileW(extended.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return extended;
    std::wstring final(MAX_PATH, L'\0');
    DWORD got = GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (got >= final.size()) {
        final.resize(got + 1);
        got = GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    CloseHandle(h);
    if (got == 0 || got >= final.size())
        return extended;
    final.resize(got);
    return absoluteExtendedPath(final);
}

class Win32FileStore final : public FileStore {
  public:
    std::unique_ptr<InputFile> openForReading(const FilePath& path) override {
        HANDLE h = CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<Win32InputFile>(h);
    }

    std::unique_ptr<ReplacementFile> createReplacement(const FilePath& path) override {
        if (path.empty())
            return nullptr;
        const std::wstring target = finalTargetPath(std::wstring(wide(path)));
        if (target.empty())
            return nullptr;
        // A target that could not be opened for exclusive writing (read-only,
        // in use by another) is refused, even where a rename would replace it.
        DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return nullptr;
        HANDLE existing = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
        if (existing != INVALID_HANDLE_VALUE)
            CloseHandle(existing);
        else if (GetLastError() != ERROR_FILE_NOT_FOUND)
            return nullptr;
        // Same folder as the target, so the final move is a rename on one volume.
        for (unsigned attempt = 0; attempt < 16; ++attempt) {
            wchar_t suffix[40];
            std::swprintf(suffix, 40, L".%08lX%04X.tmp",
                          static_cast<unsigned long>(GetCurrentProcessId()),
                          (GetTickCount() + attempt * 7919u) & 0xFFFFu);
            std::wstring temp = target + suffix;
            HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE)
                return std::make_unique<Win32ReplacementFile>(h, std::move(temp), target);
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
                return nullptr;
        }
        return nullptr;
    }
};

} // namespace

FileStore& win32FileStore() {
    static Win32FileStore store;
    return store;
}

} // namespace tapwell
