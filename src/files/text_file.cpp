#include "files/text_file.h"

#include "common/utf.h"
#include "files/text_file_decoding.h"

#include <new>

namespace tapwell {

unsigned readWholeFile(FileStore& store, const FilePath& path, std::string& bytes) {
    auto file = store.openForReading(path);
    if (!file)
        return kReadTextCannotOpen;
    auto size = file->size();
    if (!size || *size > kLargestReadableFile)
        return kReadTextReadFailed;
    std::string buffer;
    try {
        buffer.resize(static_cast<std::size_t>(*size));
    } catch (const std::bad_alloc&) {
        return kReadTextOutOfMemory;
    } catch (const std::length_error&) {
        return kReadTextOutOfMemory;
    }
    if (!buffer.empty() && !file->read(buffer.data(), buffer.size()))
        return kReadTextReadFailed;
    bytes = std::move(buffer);
    return kReadTextOk;
}

unsigned ReadTextFile(FileStore& store, const CodePageServiceFactory& makeService,
                      const FilePath& path, std::u16string& text) {
    std::string bytes;
    if (unsigned code = readWholeFile(store, path, bytes))
        return code;
    return decodeTextFile(makeService, bytes, text);
}

unsigned decodeTextFile(const CodePageServiceFactory& makeService, std::string_view bytes,
                        std::u16string& text) {
    auto service = makeService ? makeService() : nullptr;
    if (!service)
        return kReadTextNoConverter;
    try {
        std::u16string decoded;
        if (unsigned code = decodeTextFileBytes(*service, bytes, decoded))
            return code;
        text = std::move(decoded);
    } catch (const std::bad_alloc&) {
        return kReadTextOutOfMemory;
    }
    return kReadTextOk;
}

unsigned WriteTextFileUtf8(FileStore& store, const FilePath& path, std::u16string_view text) {
    std::string bytes;
    try {
        bytes = "\xEF\xBB\xBF" + utf16ToUtf8(text);
    } catch (const std::bad_alloc&) {
        return kWriteTextOutOfMemory;
    }
    auto file = store.createReplacement(path);
    if (!file)
        return kWriteTextCannotCreate;
    if (!file->write(bytes))
        return kWriteTextWriteFailed;
    // The text is all written; failing to put it under the real name means
    // the target itself cannot be written (read-only, locked by another).
    if (!file->commit())
        return kWriteTextCannotCreate;
    return kWriteTextOk;
}

} // namespace tapwell
