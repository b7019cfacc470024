#include "app/app_state.h"
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace tapwell {
namespace {

using Strings = std::vector<std::u16string>;

TEST(CommandLine, ArgumentsInEitherCase) {
    const struct {
        Strings args;
        CommandLineError error;
        bool iniFile;
        std::u16string_view text;
        bool fromT, fromF;
        Strings filesRead;
    } cases[] = {
        {{u"/OR", u"/T:x"}, CommandLineError::None, true, u"x", true, false, {}},
        {{u"/o"}, CommandLineError::None, true, u"", false, false, {}},
        {{u"/Oanything"}, CommandLineError::None, true, u"", false, false, {}},
        {{u"-O", u"O", u"/"}, CommandLineError::None, false, u"", false, false, {}},
        // Empty and unknown switches are ignored; later text replaces earlier.
        {{u"/T:", u"/F:"}, CommandLineError::None, false, u"", false, false, {}},
        {{u"hello", u"/X:1", u"/Tabc", u"T:abc", u"/T"},
         CommandLineError::None,
         false,
         u"",
         false,
         false,
         {}},
        {{u"/T:abc", u"/t:x y "}, CommandLineError::None, false, u"x y ", true, false, {}},
        {{u"/T::"}, CommandLineError::None, false, u":", true, false, {}},
        {{u"/f:notes.txt"},
         CommandLineError::None,
         false,
         u"<notes.txt>",
         false,
         true,
         {u"notes.txt"}},
        // A file is read when met, so an unreadable one is reported first.
        {{u"/T:abc", u"/F:missing.txt", u"/F:never.txt"},
         CommandLineError::FileUnreadable,
         false,
         u"abc",
         true,
         false,
         {u"missing.txt"}},
        {{u"/T:abc", u"/F:x.txt"},
         CommandLineError::TextAndFile,
         false,
         u"<x.txt>",
         true,
         true,
         {u"x.txt"}},
        {{u"/F:x.txt", u"/T:abc"},
         CommandLineError::TextAndFile,
         false,
         u"abc",
         true,
         true,
         {u"x.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.size());
        Strings filesRead;
        auto reader = [&filesRead](std::u16string_view path) -> std::optional<std::u16string> {
            filesRead.emplace_back(path);
            if (path.starts_with(u"missing"))
                return std::nullopt;
            return u"<" + std::u16string(path) + u">";
        };
        CommandLineText out;
        EXPECT_EQ(parseArguments(c.args, reader, out), c.error);
        EXPECT_EQ(out.useIniFile, c.iniFile);
        EXPECT_EQ(out.inputText, c.text);
        EXPECT_EQ(out.textFromT, c.fromT);
        EXPECT_EQ(out.textFromF, c.fromF);
        EXPECT_EQ(out.autoRun(), c.fromT || c.fromF);
        EXPECT_EQ(filesRead, c.filesRead);
    }
}

TEST(CommandLine, OneShotFormsAreTheWholeLine) {
    const std::pair<std::u16string_view, OneShotMode> cases[] = {
        {u"/?", OneShotMode::Help},           {u"/OR", OneShotMode::IniToRegistry},
        {u"/or", OneShotMode::IniToRegistry}, {u"/Ro", OneShotMode::RegistryToIni},
        {u"/OR /T:x", OneShotMode::None},     {u"/OR ", OneShotMode::None},
        {u"\"/OR\"", OneShotMode::None},      {u"", OneShotMode::None}};
    for (const auto& [line, mode] : cases)
        EXPECT_EQ(oneShotMode(line), mode);
}

TEST(CommandLine, ExecutableNameAndFolder) {
    for (std::u16string_view name :
         {u"C:\\tools\\tapwell_o.exe", u"C:\\TAPWELL_O.EXE", u"ab_o.exe"})
        EXPECT_TRUE(isIniExecutableName(name));
    for (std::u16string_view name : {u"b_o.exe", u"C:\\tools\\tapwell.exe", u"C:\\tapwell-o.exe",
                                     u"C:\\tools\\tapwell_o.exe.bak"})
        EXPECT_FALSE(isIniExecutableName(name));
    // A backslash at index 1 to 4 is a root's and is kept.
    const std::pair<std::u16string_view, std::optional<std::u16string>> folders[] = {
        {u"C:\\prog.exe", u"C:\\"},
        {u"C:\\a\\b\\prog.exe", u"C:\\a\\b"},
        {u"\\\\srv\\share\\p.exe", u"\\\\srv\\share"},
        {u"abcd\\prog.exe", u"abcd\\"},
        {u"abcde\\prog.exe", u"abcde"},
        {u"prog.exe", std::nullopt},
        {u"\\prog.exe", std::nullopt}};
    for (const auto& [path, folder] : folders)
        EXPECT_EQ(executableFolder(path), folder);
}

// TPW_LANG decides when set and not empty; otherwise the primary language
// (the low 10 bits) of the system's.
TEST(UiLanguage, VariableThenSystemLanguage) {
    const struct {
        std::optional<std::u16string_view> variable;
        std::uint16_t system;
        Language language;
    } cases[] = {
        {u"JA", 0x0409, Language::Japanese},        {u"ja", 0x0409, Language::Japanese},
        {u"jA", 0x0409, Language::Japanese},        {u"EN", 0x0411, Language::English},
        {u"JAP", 0x0411, Language::English},        {u" JA", 0x0411, Language::English},
        {u"ｊａ", 0x0411, Language::English},       {std::nullopt, 0x0411, Language::Japanese},
        {u"", 0x0411, Language::Japanese},          {std::nullopt, 0x0409, Language::English},
        {std::nullopt, 0x0011, Language::Japanese}, {std::nullopt, 0xFC11, Language::Japanese},
        {std::nullopt, 0x0511, Language::English},  {std::nullopt, 0x0412, Language::English}};
    for (const auto& c : cases)
        EXPECT_EQ(chooseUiLanguage(c.variable, c.system), c.language) << c.system;
}

} // namespace
} // namespace tapwell
