// Writes the rows of the help file's virtual-key table from KeyNameTable:
// one row per key of the Special Key Input menus, with every name that
// shares the key's code. The English page takes its descriptions from
// englishKeyDescriptions(), or from KeyNameTable where that is English
// already; a key with neither is an error, so no key goes undescribed.
#include "common/utf.h"
#include "html_text.h"
#include "key_descriptions_en.h"
#include "keystroke/key_tables.h"

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <string_view>

using tapwell::help::escapeHtml;

namespace {

bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::optional<std::string> englishDescription(const tapwell::KeyNameEntry& key,
                                              std::set<std::string_view>& used) {
    for (const auto& entry : tapwell::help::englishKeyDescriptions()) {
        if (entry.name == key.name) {
            used.insert(entry.name);
            return std::string(entry.english);
        }
    }
    std::string own = tapwell::utf16ToUtf8(key.description);
    if (isAscii(own))
        return own;
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view lang = argc == 3 ? argv[2] : "";
    if (argc != 3 || (lang != "ja" && lang != "en")) {
        std::fprintf(stderr, "usage: keytable_rows OUTPUT ja|en\n");
        return 64;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out)
        return 1;
    std::set<std::string_view> used;
    bool complete = true;
    auto keys = tapwell::keyNames();
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t end = i + 1;
        while (end < keys.size() && keys[end].code == keys[i].code)
            ++end;
        std::string names, descriptions;
        for (std::size_t j = i; j < end; ++j) {
            names += (j > i ? "<br>" : "") + std::string("<code>") + keys[j].name + "</code>";
            std::string d;
            if (lang == "en") {
                const auto english = englishDescription(keys[j], used);
                if (!english) {
                    std::fprintf(stderr, "keytable_rows: %s has no English description\n",
                                 keys[j].name);
                    complete = false;
                }
                d = escapeHtml(english.value_or(""));
            } else {
                d = escapeHtml(tapwell::utf16ToUtf8(keys[j].description));
            }
            descriptions += (j > i ? "<br>" : "") + d;
        }
        std::fprintf(out,
                     "<tr class=\"key\"><td>0x%02X</td><td>%u</td><td>%s</td><td>%s</td></tr>\n",
                     keys[i].code, keys[i].code, names.c_str(), descriptions.c_str());
        i = end;
    }
    if (lang == "en") {
        for (const auto& entry : tapwell::help::englishKeyDescriptions()) {
            if (!used.contains(entry.name)) {
                std::fprintf(stderr, "keytable_rows: %.*s is not a key of KeyNameTable\n",
                             static_cast<int>(entry.name.size()), entry.name.data());
                complete = false;
            }
        }
    }
    return std::fclose(out) == 0 && complete ? 0 : 1;
}
