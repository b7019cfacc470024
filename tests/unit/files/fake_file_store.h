// In-memory files for the file-command tests, with switches that make each
// operation fail.
#pragma once

#include "files/file_store.h"

#include <cstring>
#include <map>

namespace tapwell::testing {

class FakeFileStore : public FileStore {
  public:
    std::map<FilePath, std::string> files;
    bool failSize = false;
    bool failRead = false;
    std::optional<std::uint64_t> reportedSize; // overrides the real size
    bool failCreate = false;
    std::size_t writableBytes = SIZE_MAX; // a write beyond this fails
    bool failCommit = false;
    int replacementsAlive = 0;

    std::unique_ptr<InputFile> openForReading(const FilePath& path) override {
        auto it = files.find(path);
        if (it == files.end())
            return nullptr;
        return std::make_unique<Input>(*this, it->second);
    }

    std::unique_ptr<ReplacementFile> createReplacement(const FilePath& path) override {
        if (failCreate)
            return nullptr;
        return std::make_unique<Replacement>(*this, path);
    }

  private:
    struct Input : InputFile {
        FakeFileStore& store;
        const std::string& bytes;
        Input(FakeFileStore& s, const std::string& b) : store(s), bytes(b) {}
        std::optional<std::uint64_t> size() override {
            if (store.failSize)
                return std::nullopt;
            return store.reportedSize ? *store.reportedSize : bytes.size();
        }
        bool read(char* dest, std::size_t count) override {
            if (store.failRead || count > bytes.size())
                return false;
            std::memcpy(dest, bytes.data(), count);
            return true;
        }
    };

    struct Replacement : ReplacementFile {
        FakeFileStore& store;
        FilePath path;
        std::string staged;
        Replacement(FakeFileStore& s, FilePath p) : store(s), path(std::move(p)) {
            ++store.replacementsAlive;
        }
        ~Replacement() override { --store.replacementsAlive; }
        bool write(std::string_view b) override {
            if (staged.size() + b.size() > store.writableBytes)
                return false;
            staged.append(b);
            return true;
        }
        bool commit() override {
            if (store.failCommit)
                return false;
            store.files[path] = staged;
            return true;
        }
    };
};

} // namespace tapwell::testing
