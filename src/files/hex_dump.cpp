#include "files/hex_dump.h"

#include "common/leaf_helpers.h"
#include "files/text_file.h"

#include <new>

namespace tapwell {

std::u16string encodeHexDump(std::string_view bytes) {
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string text;
    text.reserve(bytes.size() * 2);
    for (char b : bytes) {
        auto v = static_cast<unsigned char>(b);
        text.push_back(digits[v >> 4]);
        text.push_back(digits[v & 0x0F]);
    }
    return text;
}

std::string decodeHexDump(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() / 2);
    int pending = -1;
    for (char16_t c : text) {
        const int v = asciiDigitValue(c);
        if (v >= 16)
            continue;
        if (pending < 0) {
            pending = v;
        } else {
            bytes.push_back(static_cast<char>((pending << 4) | v));
            pending = -1;
        }
    }
    return bytes;
}

FileResult readHexDumpFile(FileStore& store, const FilePath& path, std::u16string& text) {
    std::string bytes;
    if (const FileResult read = readWholeFile(store, path, bytes); read != FileResult::Ok)
        return read;
    try {
        text = encodeHexDump(bytes);
    } catch (const std::bad_alloc&) {
        return FileResult::NoMemoryForText;
    } catch (const std::length_error&) {
        return FileResult::NoMemoryForText;
    }
    return FileResult::Ok;
}

FileResult writeHexDumpFile(FileStore& store, const FilePath& path, std::u16string_view text) {
    std::string bytes;
    try {
        bytes = decodeHexDump(text);
    } catch (const std::bad_alloc&) {
        return FileResult::NoMemoryForText;
    }
    auto file = store.createReplacement(path);
    if (!file)
        return FileResult::CannotOpen;
    if (!bytes.empty() && !file->write(bytes))
        return FileResult::WriteFailed;
    if (!file->commit())
        return FileResult::CannotOpen;
    return FileResult::Ok;
}

} // namespace tapwell
