#include "files/code_page_service_iconv.h"
#include "cli/input_code_pages.h"

namespace tapwell::cli {

CodePageServiceFactory inputCodePages() {
    return createIconvCodePageService;
}

} // namespace tapwell::cli
