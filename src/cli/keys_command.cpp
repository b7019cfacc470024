#include "cli/commands.h"
#include "common/utf.h"
#include "keystroke/key_tables.h"

#include <cstdio>

namespace tapwell::cli {

int keysCommand(const Args& args) {
    if (!args.empty())
        return usageError("usage: tapwell-cli keys\n", "keys takes no arguments");
    for (const KeyNameEntry& e : keyNames()) {
        std::string desc = utf16ToUtf8(e.description);
        std::printf("%02X %s %s\n", e.code, e.name, desc.c_str());
    }
    return 0;
}

} // namespace tapwell::cli
