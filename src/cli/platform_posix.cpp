// tapwell-cli where there is no desktop: every script run is a dry run, and
// iconv stands in for the code pages of a Japanese system.
#include "cli/cli.h"
#include "files/text_file_decoding.h"

namespace tapwell::cli {

void prepareStandardStreams() {}

bool hasRealScriptDevices() {
    return false;
}
ScriptDevices realScriptDevices() {
    return {};
}

// Never called: there is no real run here.
bool waitBeforeRealRun(int) {
    return false;
}
std::int32_t realRunCheckAbort(std::int32_t) {
    return 1;
}
void endRealRun() {}

CodePageServiceFactory inputCodePages() {
    return createIconvCodePageService;
}

} // namespace tapwell::cli
