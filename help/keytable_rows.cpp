// Writes the rows of the help file's virtual-key table from KeyNameTable:
// one row per key of the Special Key Input menus, with every name that
// shares the key's code.
#include "common/utf.h"
#include "keystroke/key_tables.h"

#include <cstdio>
#include <string>

namespace {

std::string escapeHtml(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: keytable_rows OUTPUT\n");
        return 64;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out)
        return 1;
    auto keys = tapwell::keyNames();
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t end = i + 1;
        while (end < keys.size() && keys[end].code == keys[i].code)
            ++end;
        std::string names, descriptions;
        for (std::size_t j = i; j < end; ++j) {
            names += (j > i ? "<br>" : "") + std::string("<code>") + keys[j].name + "</code>";
            std::string d = escapeHtml(tapwell::utf16ToUtf8(keys[j].description));
            descriptions += (j > i ? "<br>" : "") + d;
        }
        std::fprintf(out,
                     "<tr class=\"key\"><td>0x%02X</td><td>%u</td><td>%s</td><td>%s</td></tr>\n",
                     keys[i].code, keys[i].code, names.c_str(), descriptions.c_str());
        i = end;
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
