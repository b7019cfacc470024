#include "files/text_file.h"

#include "common/utf.h"
#include "files/text_file_decoding.h"

#include <new>

namespace tapwell {

FileResult readWholeFile(FileStore& store, const FilePath& path, std::string& bytes) {
    auto file = store.openForReading(path);
    if (!file)
        return FileResult::CannotOpen;
    auto size = file->size();
    if (!size || *size > kLargestReadableFile)
        return FileResult::ReadFailed;
    std::string buffer;
    try {
        buffer.resize(static_cast<std::size_t>(*size));
    } catch (const std::bad_alloc&) {
        return FileResult::OutOfMemory;
    } catch (const std::length_error&) {
        return FileResult::OutOfMemory;
    }
    if (!buffer.empty() && !file->read(buffer.data(), buffer.size()))
        return FileResult::ReadFailed;
    bytes = std::move(buffer);
    return FileResult::Ok;
}

FileResult ReadTextFile(FileStore& store, const CodePageServiceFactory& makeService,
                        const FilePath& path, std::u16string& text) {
    std::string bytes;
    if (const FileResult read = readWholeFile(store, path, bytes); read != FileResult::Ok)
        return read;
    return decodeTextFile(makeService, bytes, text);
}

FileResult decodeTextFile(const CodePageServiceFactory& makeService, std::string_view bytes,
                          std::u16string& text) {
    auto service = makeService ? makeService() : nullptr;
    if (!service)
        return FileResult::NoConverter;
    try {
        std::u16string decoded;
        if (const FileResult decoding = decodeTextFileBytes(*service, bytes, decoded);
            decoding != FileResult::Ok)
            return decoding;
        text = std::move(decoded);
    } catch (const std::bad_alloc&) {
        return FileResult::OutOfMemory;
    }
    return FileResult::Ok;
}

FileResult WriteTextFileUtf8(FileStore& store, const FilePath& path, std::u16string_view text) {
    std::string bytes;
    try {
        bytes = "\xEF\xBB\xBF" + utf16ToUtf8(text);
    } catch (const std::bad_alloc&) {
        return FileResult::OutOfMemory;
    }
    auto file = store.createReplacement(path);
    if (!file)
        return FileResult::CannotOpen;
    if (!file->write(bytes))
        return FileResult::WriteFailed;
    // The text is all written; failing to put it under the real name means
    // the target itself cannot be written (read-only, locked by another).
    if (!file->commit())
        return FileResult::CannotOpen;
    return FileResult::Ok;
}

} // namespace tapwell
