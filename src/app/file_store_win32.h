// Files on disk through the Win32 file functions. Saving writes a temporary
// file beside the target and moves it over the target at the end.
#pragma once

#include "app/file_store.h"

namespace tapwell {

FileStore& win32FileStore();

} // namespace tapwell
