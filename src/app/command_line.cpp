#include "app/command_line.h"

#include "common/leaf_helpers.h"

namespace tapwell {

namespace {

// "/X:" with X in either case, followed by at least one character.
std::optional<std::u16string_view> switchValue(std::u16string_view arg, char16_t letter) {
    if (arg.size() < 4 || arg[0] != u'/' || asciiUpper(arg[1]) != letter || arg[2] != u':')
        return std::nullopt;
    return arg.substr(3);
}

} // namespace

OneShotMode oneShotMode(std::u16string_view commandLine) {
    if (commandLine == u"/?")
        return OneShotMode::Help;
    if (equalsIgnoringAsciiCase(commandLine, u"/OR"))
        return OneShotMode::IniToRegistry;
    if (equalsIgnoringAsciiCase(commandLine, u"/RO"))
        return OneShotMode::RegistryToIni;
    return OneShotMode::None;
}

CommandLineError parseArguments(std::span<const std::u16string> arguments,
                                const CommandLineFileReader& readFile, CommandLineText& out) {
    for (const std::u16string& arg : arguments) {
        if (arg.size() >= 2 && arg[0] == u'/' && asciiUpper(arg[1]) == u'O') {
            out.useIniFile = true;
        } else if (auto text = switchValue(arg, u'T')) {
            out.inputText = std::u16string(*text);
            out.textFromT = true;
        } else if (auto path = switchValue(arg, u'F')) {
            std::optional<std::u16string> content = readFile ? readFile(*path) : std::nullopt;
            if (!content)
                return CommandLineError::FileUnreadable;
            out.inputText = std::move(*content);
            out.textFromF = true;
        }
    }
    if (out.textFromT && out.textFromF)
        return CommandLineError::TextAndFile;
    return CommandLineError::None;
}

bool isIniExecutableName(std::u16string_view modulePath) {
    constexpr std::u16string_view suffix = u"_o.exe";
    if (modulePath.size() < 8)
        return false;
    return equalsIgnoringAsciiCase(modulePath.substr(modulePath.size() - suffix.size()), suffix);
}

std::optional<std::u16string> executableFolder(std::u16string_view modulePath) {
    std::size_t cut = modulePath.rfind(u'\\');
    if (cut == std::u16string_view::npos || cut == 0)
        return std::nullopt;
    if (cut <= 4)
        return std::u16string(modulePath.substr(0, cut + 1));
    return std::u16string(modulePath.substr(0, cut));
}

std::u16string iniFileBeside(std::u16string_view modulePath) {
    std::optional<std::u16string> folder = executableFolder(modulePath);
    if (!folder)
        return {};
    if (folder->back() != u'\\')
        folder->push_back(u'\\');
    return *folder + u"tapwell.ini";
}

} // namespace tapwell
