#include "files/text_file_win32.h"
#include "cli/input_code_pages.h"

#include <objbase.h>

namespace tapwell::cli {

CodePageServiceFactory inputCodePages() {
    return [] {
        // MLang is a COM object; the tool reads on its one thread and never
        // uninitialises before it exits.
        static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        (void)com;
        return createMlangCodePageService();
    };
}

} // namespace tapwell::cli
