#include "app/app_state.h"
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tapwell;
using Strings = std::vector<std::u16string>;

// Switches in either case; empty and unknown ones are ignored, a later text
// wins, a file is read when met (an unreadable one is reported before a /T: and
// /F: conflict). `flags`: i ini file, t and f text from /T: or /F:.
TEST(CommandLine, Arguments) {
    using E = CommandLineError;
    using Case = std::tuple<Strings, CommandLineError, std::u16string_view, std::string, Strings>;
    const Case cases[] = {
        {{u"/OR", u"/T:x"}, E::None, u"x", "it", {}},
        {{u"/oR"}, E::None, u"", "i", {}},
        {{u"-O", u"O", u"/"}, E::None, u"", "", {}},
        {{u"/T:", u"/F:", u"hi", u"/X:1", u"/Tabc", u"T:abc", u"/T"}, E::None, u"", "", {}},
        {{u"/T:abc", u"/t:x y "}, E::None, u"x y ", "t", {}},
        {{u"/f:notes.txt"}, E::None, u"<notes.txt>", "f", {u"notes.txt"}},
        {{u"/T:abc", u"/F:missing", u"/F:b"}, E::FileUnreadable, u"abc", "t", {u"missing"}},
        {{u"/T:abc", u"/F:x.txt"}, E::TextAndFile, u"<x.txt>", "tf", {u"x.txt"}},
        {{u"/F:x.txt", u"/T:abc"}, E::TextAndFile, u"abc", "tf", {u"x.txt"}}};
    for (const auto& [args, error, text, flags, filesRead] : cases) {
        SCOPED_TRACE(args.size());
        Strings read;
        auto reader = [&read](std::u16string_view path) -> std::optional<std::u16string> {
            read.emplace_back(path);
            if (path == u"missing") // the only file that cannot be read
                return std::nullopt;
            return std::u16string(u"<").append(path).append(u">");
        };
        CommandLineText out;
        EXPECT_EQ(parseArguments(args, reader, out), error);
        EXPECT_EQ(out.inputText, text);
        EXPECT_EQ(std::string(out.useIniFile ? "i" : "") + (out.textFromT ? "t" : "") +
                      (out.textFromF ? "f" : ""),
                  flags);
        EXPECT_EQ(out.autoRun(), flags.find_first_of("tf") != std::string::npos);
        EXPECT_EQ(read, filesRead);
    }
}

TEST(CommandLine, OneShotFormsAreTheWholeLine) {
    const std::pair<std::u16string_view, OneShotMode> cases[] = {
        {u"/?", OneShotMode::Help},           {u"/OR", OneShotMode::IniToRegistry},
        {u"/or", OneShotMode::IniToRegistry}, {u"/Ro", OneShotMode::RegistryToIni},
        {u"/OR /T:x", OneShotMode::None},     {u"", OneShotMode::None}};
    for (const auto& [line, mode] : cases)
        EXPECT_EQ(oneShotMode(line), mode);
}

// The ini file is chosen by a name ending in _o.exe (8 characters at least).
// The folder keeps a backslash at index 1 to 4, a root's.
TEST(CommandLine, ExecutableNameAndFolder) {
    for (std::u16string_view name : {u"C:\\t\\tapwell_o.exe", u"C:\\TAPWELL_O.EXE", u"ab_o.exe"})
        EXPECT_TRUE(isIniExecutableName(name));
    for (std::u16string_view name : {u"b_o.exe", u"C:\\tapwell.exe", u"C:\\t-o.exe", u"a_o.exe.b"})
        EXPECT_FALSE(isIniExecutableName(name));
    const std::pair<std::u16string_view, std::optional<std::u16string>> folders[] = {
        {u"C:\\p", u"C:\\"},     {u"C:\\a\\b\\p", u"C:\\a\\b"}, {u"\\\\s\\h\\p", u"\\\\s\\h"},
        {u"abcd\\p", u"abcd\\"}, {u"abcde\\p", u"abcde"},       {u"p", std::nullopt},
        {u"\\p", std::nullopt}};
    for (const auto& [path, folder] : folders)
        EXPECT_EQ(executableFolder(path), folder);
}

// The ini file is named by full path, whatever the current folder is.
TEST(CommandLine, TheIniFileIsBesideTheExecutableByFullPath) {
    EXPECT_EQ(iniFileBeside(u"C:\\Tools\\tapwell.exe"), u"C:\\Tools\\tapwell.ini");
    EXPECT_EQ(iniFileBeside(u"C:\\tapwell_o.exe"), u"C:\\tapwell.ini");
    EXPECT_EQ(iniFileBeside(u"\\\\server\\share\\t.exe"), u"\\\\server\\share\\tapwell.ini");
    EXPECT_EQ(iniFileBeside(u"tapwell.exe"), u"");
}

// TPW_LANG decides when set and not empty; otherwise the primary language
// (the low 10 bits) of the system's.
TEST(UiLanguage, VariableThenSystemLanguage) {
    const auto ja = Language::Japanese, en = Language::English;
    const std::tuple<std::optional<std::u16string_view>, std::uint16_t, Language> cases[] = {
        {u"JA", 0x0409, ja},        {u"ja", 0x0409, ja},        {u"EN", 0x0411, en},
        {u"JAP", 0x0411, en},       {u" JA", 0x0411, en},       {u"ｊａ", 0x0411, en},
        {std::nullopt, 0x0411, ja}, {u"", 0x0411, ja},          {std::nullopt, 0x0011, ja},
        {std::nullopt, 0xFC11, ja}, {std::nullopt, 0x0511, en}, {std::nullopt, 0x0412, en}};
    for (const auto& [variable, system, language] : cases)
        EXPECT_EQ(chooseUiLanguage(variable, system), language) << system;
}
