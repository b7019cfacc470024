// The program's command line: the one-shot forms that are matched against
// the whole string, and the switches read from the split argument vector.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

enum class OneShotMode {
    None,
    Help,          // "/?"
    IniToRegistry, // "/OR"
    RegistryToIni, // "/RO"
};

// Matches the whole command line (without the program name), ignoring case.
OneShotMode oneShotMode(std::u16string_view commandLine);

struct CommandLineText {
    bool useIniFile = false;
    std::u16string inputText;
    bool textFromT = false;
    bool textFromF = false;

    // A text came from the command line: the dialog starts the run at once.
    bool autoRun() const { return textFromT || textFromF; }
};

enum class CommandLineError {
    None,
    FileUnreadable, // a /F: file could not be read
    TextAndFile,    // /T: and /F: were both given
};

// Reads a /F: file into text; nullopt when it cannot be read.
using CommandLineFileReader = std::function<std::optional<std::u16string>(std::u16string_view)>;

// Applies the switches in order (the program name already removed). A /F:
// is read when it is met, so an unreadable file is reported before a
// conflict with /T:. Arguments that match nothing are ignored.
CommandLineError parseArguments(std::span<const std::u16string> arguments,
                                const CommandLineFileReader& readFile, CommandLineText& out);

// An executable whose name ends in "_o.exe" (any case) uses the ini file.
bool isIniExecutableName(std::u16string_view modulePath);

// The folder to make current for an executable at `modulePath`: the path cut
// at its last backslash, keeping the backslash of a drive root (C:\). nullopt
// when there is no backslash or only one at the very start.
std::optional<std::u16string> executableFolder(std::u16string_view modulePath);

// The ini file's full path, beside the executable at `modulePath`; empty
// when that has no folder. Absolute, so that the file is the one beside the
// program even when its folder could not be made current.
std::u16string iniFileBeside(std::u16string_view modulePath);

} // namespace tapwell
