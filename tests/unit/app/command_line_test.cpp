#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace tapwell {
namespace {

struct Parsed {
    CommandLineError error;
    CommandLineText text;
    std::vector<std::u16string> filesRead;
};

// Files named "missing*" cannot be read; others hold "<content of NAME>".
Parsed parse(std::vector<std::u16string> args) {
    Parsed p{};
    auto reader = [&p](std::u16string_view path) -> std::optional<std::u16string> {
        p.filesRead.emplace_back(path);
        if (path.starts_with(u"missing"))
            return std::nullopt;
        return u"<content of " + std::u16string(path) + u">";
    };
    p.error = parseArguments(args, reader, p.text);
    return p;
}

TEST(CommandLineTest, OneShotFormsMatchTheWholeLineIgnoringCase) {
    EXPECT_EQ(oneShotMode(u"/?"), OneShotMode::Help);
    EXPECT_EQ(oneShotMode(u"/OR"), OneShotMode::IniToRegistry);
    EXPECT_EQ(oneShotMode(u"/or"), OneShotMode::IniToRegistry);
    EXPECT_EQ(oneShotMode(u"/Ro"), OneShotMode::RegistryToIni);
    EXPECT_EQ(oneShotMode(u"/OR /T:x"), OneShotMode::None);
    EXPECT_EQ(oneShotMode(u"/OR "), OneShotMode::None);
    EXPECT_EQ(oneShotMode(u"\"/OR\""), OneShotMode::None);
    EXPECT_EQ(oneShotMode(u""), OneShotMode::None);
}

TEST(CommandLineTest, CopySwitchAmongOthersSelectsTheIniFileAndStartsTheText) {
    auto p = parse({u"/OR", u"/T:x"});
    EXPECT_EQ(p.error, CommandLineError::None);
    EXPECT_TRUE(p.text.useIniFile);
    EXPECT_EQ(p.text.inputText, u"x");
    EXPECT_TRUE(p.text.textFromT);
    EXPECT_TRUE(p.text.autoRun());
}

TEST(CommandLineTest, AnySlashOArgumentSelectsTheIniFile) {
    EXPECT_TRUE(parse({u"/o"}).text.useIniFile);
    EXPECT_TRUE(parse({u"/Oanything"}).text.useIniFile);
    EXPECT_FALSE(parse({u"-O"}).text.useIniFile);
    EXPECT_FALSE(parse({u"O"}).text.useIniFile);
    EXPECT_FALSE(parse({u"/"}).text.useIniFile);
}

TEST(CommandLineTest, EmptyTextSwitchesAreIgnored) {
    auto p = parse({u"/T:", u"/F:"});
    EXPECT_EQ(p.error, CommandLineError::None);
    EXPECT_FALSE(p.text.autoRun());
    EXPECT_TRUE(p.text.inputText.empty());
    EXPECT_TRUE(p.filesRead.empty());
}

TEST(CommandLineTest, LaterTextReplacesEarlierAndKeepsBlanks) {
    auto p = parse({u"/T:abc", u"/t:x y "});
    EXPECT_EQ(p.text.inputText, u"x y ");
    EXPECT_EQ(parse({u"/T:abc", u"/T:xyz"}).text.inputText, u"xyz");
    EXPECT_EQ(parse({u"/T::"}).text.inputText, u":");
}

TEST(CommandLineTest, UnknownArgumentsAreIgnored) {
    auto p = parse({u"hello", u"/X:1", u"/Tabc", u"T:abc", u"/T"});
    EXPECT_EQ(p.error, CommandLineError::None);
    EXPECT_FALSE(p.text.autoRun());
    EXPECT_FALSE(p.text.useIniFile);
}

TEST(CommandLineTest, FileIsReadWhenMet) {
    auto p = parse({u"/f:notes.txt"});
    EXPECT_EQ(p.error, CommandLineError::None);
    EXPECT_EQ(p.text.inputText, u"<content of notes.txt>");
    EXPECT_TRUE(p.text.textFromF);
    EXPECT_FALSE(p.text.textFromT);
    EXPECT_EQ(p.filesRead, (std::vector<std::u16string>{u"notes.txt"}));
}

TEST(CommandLineTest, UnreadableFileIsReportedBeforeTheTextConflict) {
    auto p = parse({u"/T:abc", u"/F:missing.txt", u"/F:never-read.txt"});
    EXPECT_EQ(p.error, CommandLineError::FileUnreadable);
    EXPECT_EQ(p.filesRead, (std::vector<std::u16string>{u"missing.txt"}));
}

TEST(CommandLineTest, TextAndFileTogetherConflictAfterTheFileWasRead) {
    auto p = parse({u"/T:abc", u"/F:x.txt"});
    EXPECT_EQ(p.error, CommandLineError::TextAndFile);
    EXPECT_EQ(p.filesRead, (std::vector<std::u16string>{u"x.txt"}));
    EXPECT_EQ(parse({u"/F:x.txt", u"/T:abc"}).error, CommandLineError::TextAndFile);
}

TEST(CommandLineTest, IniExecutableNameEndsInUnderscoreO) {
    EXPECT_TRUE(isIniExecutableName(u"C:\\tools\\tapwell_o.exe"));
    EXPECT_TRUE(isIniExecutableName(u"C:\\tools\\TAPWELL_O.EXE"));
    EXPECT_TRUE(isIniExecutableName(u"ab_o.exe"));
    EXPECT_FALSE(isIniExecutableName(u"b_o.exe")) << "shorter than 8 characters";
    EXPECT_FALSE(isIniExecutableName(u"C:\\tools\\tapwell.exe"));
    EXPECT_FALSE(isIniExecutableName(u"C:\\tools\\tapwell-o.exe"));
    EXPECT_FALSE(isIniExecutableName(u"C:\\tools\\tapwell_o.exe.bak"));
}

TEST(CommandLineTest, ExecutableFolderKeepsTheBackslashOfADriveRoot) {
    EXPECT_EQ(executableFolder(u"C:\\prog.exe"), u"C:\\");
    EXPECT_EQ(executableFolder(u"C:\\tools\\prog.exe"), u"C:\\tools");
    EXPECT_EQ(executableFolder(u"C:\\a\\b\\prog.exe"), u"C:\\a\\b");
    EXPECT_EQ(executableFolder(u"\\\\srv\\share\\prog.exe"), u"\\\\srv\\share");
    // The root rule covers a backslash at index 1 to 4, nothing beyond.
    EXPECT_EQ(executableFolder(u"abcd\\prog.exe"), u"abcd\\");
    EXPECT_EQ(executableFolder(u"abcde\\prog.exe"), u"abcde");
    EXPECT_EQ(executableFolder(u"prog.exe"), std::nullopt);
    EXPECT_EQ(executableFolder(u"\\prog.exe"), std::nullopt);
}

} // namespace
} // namespace tapwell
