// What a text or hex-dump file function reports: one result for reading and
// writing both kinds of file. The numbers are the text functions' result
// codes (0 for success), which messages and tests have always used.
#pragma once

namespace tapwell {

enum class FileResult : unsigned {
    Ok = 0,
    CannotOpen = 1, // opening for reading, or creating or replacing for writing
    ReadFailed = 2, // also for files of 4 GB or more
    WriteFailed = 3,
    OutOfMemory = 4, // for the file's bytes
    NoConverter = 5, // the code-page service could not be made
    ConversionFailed = 6,
    NoMemoryForText = 7, // for the text box's text or a hex dump of the bytes
};

} // namespace tapwell
