// In-memory files for the file-command tests, failing at the step named in
// `failAt`: "size", "read", "create", "write" or "commit".
#pragma once

#include "files/file_store.h"

#include <map>

namespace tapwell::testing {

class FakeFileStore : public FileStore {
  public:
    std::map<FilePath, std::string> files;
    std::string failAt;
    std::optional<std::uint64_t> reportedSize; // in place of the real size

    std::unique_ptr<InputFile> openForReading(const FilePath& path) override {
        auto it = files.find(path);
        return it == files.end() ? nullptr : std::make_unique<Input>(*this, it->second);
    }
    std::unique_ptr<ReplacementFile> createReplacement(const FilePath& path) override {
        return failAt == "create" ? nullptr : std::make_unique<Replacement>(*this, path);
    }

  private:
    struct Input : InputFile {
        FakeFileStore& store;
        const std::string& bytes;
        Input(FakeFileStore& s, const std::string& b) : store(s), bytes(b) {}
        std::optional<std::uint64_t> size() override {
            if (store.failAt == "size")
                return std::nullopt;
            return store.reportedSize.value_or(bytes.size());
        }
        bool read(char* dest, std::size_t count) override {
            if (store.failAt == "read" || count > bytes.size())
                return false;
            bytes.copy(dest, count);
            return true;
        }
    };
    // Puts the staged bytes under the real name only on commit.
    struct Replacement : ReplacementFile {
        FakeFileStore& store;
        FilePath path;
        std::string staged;
        Replacement(FakeFileStore& s, FilePath p) : store(s), path(std::move(p)) {}
        bool write(std::string_view b) override {
            staged.append(b);
            return store.failAt != "write";
        }
        bool commit() override {
            if (store.failAt == "commit")
                return false;
            store.files[path] = staged;
            return true;
        }
    };
};

} // namespace tapwell::testing
