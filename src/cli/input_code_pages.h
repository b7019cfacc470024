// The code-page service tapwell-cli reads its input files with: the
// platform's own where it has one, so a preview decodes a file exactly as a
// run of the program would.
#pragma once

#include "files/text_file_decoding.h"

namespace tapwell::cli {

CodePageServiceFactory inputCodePages();

} // namespace tapwell::cli
