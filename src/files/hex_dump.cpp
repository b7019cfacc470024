#include "files/hex_dump.h"

#include "common/leaf_helpers.h"
#include "files/text_file.h"

#include <new>

namespace tapwell {

namespace {

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

} // namespace

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

HexReadResult readHexDumpFile(FileStore& store, const FilePath& path, std::u16string& text) {
    std::string bytes;
    switch (readWholeFile(store, path, bytes)) {
    case kReadTextOk:
        break;
    case kReadTextCannotOpen:
        return HexReadResult::CannotOpen;
    case kReadTextOutOfMemory:
        return HexReadResult::NoMemoryForBytes;
    default:
        return HexReadResult::ReadFailed;
    }
    try {
        text = encodeHexDump(bytes);
    } catch (const std::bad_alloc&) {
        return HexReadResult::NoMemoryForText;
    } catch (const std::length_error&) {
        return HexReadResult::NoMemoryForText;
    }
    return HexReadResult::Ok;
}

HexWriteResult writeHexDumpFile(FileStore& store, const FilePath& path, std::u16string_view text) {
    std::string bytes;
    try {
        bytes = decodeHexDump(text);
    } catch (const std::bad_alloc&) {
        return HexWriteResult::NoMemoryForText;
    }
    auto file = store.createReplacement(path);
    if (!file)
        return HexWriteResult::CannotCreate;
    if (!bytes.empty() && !file->write(bytes))
        return HexWriteResult::WriteFailed;
    if (!file->commit())
        return HexWriteResult::CannotCreate;
    return HexWriteResult::Ok;
}

} // namespace tapwell
