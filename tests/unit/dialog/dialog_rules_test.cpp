#include "dialog/dialog_rules.h"
#include "dialog/dialog_texts.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace tapwell;

namespace {

std::map<int, bool> enabledMap(const ModeControls& m) {
    std::map<int, bool> out;
    for (const ControlEnable& c : m.controls) {
        EXPECT_FALSE(out.count(c.controlId)) << "set twice: " << c.controlId;
        out[c.controlId] = c.enabled;
    }
    return out;
}

} // namespace

TEST(ModeRules, RadiosGiveTheMode) {
    EXPECT_EQ(modeFromRadios(true, false), 0);
    EXPECT_EQ(modeFromRadios(true, true), 0);
    EXPECT_EQ(modeFromRadios(false, true), 1);
    EXPECT_EQ(modeFromRadios(false, false), 2);
}

TEST(ModeRules, ScriptModeDisablesTheSendingSettingsOnly) {
    for (std::uint8_t mode : {0, 1, 2}) {
        auto m = enabledMap(modeControls(mode, true));
        for (int id :
             {IDC_INTERVAL_LABEL, IDC_INTERVAL, IDC_INTERVAL_UNIT, IDC_LOOP_LABEL, IDC_LOOP,
              IDC_LOOP_UNIT, IDC_PREFIX_LABEL, IDC_PREFIX, IDC_SUFFIX_LABEL, IDC_SUFFIX})
            EXPECT_EQ(m.at(id), mode != 2) << "mode " << int(mode) << " control " << id;
        // Up-downs stay as they are, whatever the mode.
        EXPECT_FALSE(m.count(IDC_INTERVAL_SPIN));
        EXPECT_FALSE(m.count(IDC_LOOP_SPIN));
        EXPECT_FALSE(m.count(IDC_TEXT));
    }
}

TEST(ModeRules, WaitRadioSwitchesBetweenSecondsAndClockTime) {
    auto seconds = enabledMap(modeControls(1, true));
    auto clock = enabledMap(modeControls(1, false));
    for (int id : {IDC_WAIT_SEC, IDC_WAIT_SEC_LABEL}) {
        EXPECT_TRUE(seconds.at(id));
        EXPECT_FALSE(clock.at(id));
    }
    for (int id : {IDC_TIME_HOUR, IDC_TIME_MIN, IDC_TIME_SEC, IDC_TIME_HOUR_LABEL,
                   IDC_TIME_MIN_LABEL, IDC_TIME_SEC_LABEL}) {
        EXPECT_FALSE(seconds.at(id));
        EXPECT_TRUE(clock.at(id));
    }
    EXPECT_FALSE(clock.count(IDC_TIME_HOUR_SPIN));
}

TEST(ModeRules, UpperCaseAndDescriptionFollowTheMode) {
    EXPECT_TRUE(modeControls(0, true).upperCase);
    EXPECT_FALSE(modeControls(1, true).upperCase);
    EXPECT_FALSE(modeControls(2, true).upperCase);
    EXPECT_EQ(modeControls(0, true).description, DialogText::DescriptionKeyboard);
    EXPECT_EQ(modeControls(1, true).description, DialogText::DescriptionUnicode);
    EXPECT_EQ(modeControls(2, true).description, DialogText::DescriptionScript);
    // Anything past the known modes is script mode, as the radios show it.
    EXPECT_EQ(modeControls(7, true).mode, 2);
}

TEST(ModeRules, RunLockLeavesStartAndSpinnersAlone) {
    auto locked = runLockedControls();
    EXPECT_EQ(locked.size(), 20u);
    EXPECT_EQ(std::count(locked.begin(), locked.end(), IDC_START), 0);
    EXPECT_EQ(std::count(locked.begin(), locked.end(), IDC_WAIT_SEC_SPIN), 0);
    EXPECT_EQ(std::count(locked.begin(), locked.end(), IDC_EXIT), 1);
    EXPECT_EQ(std::count(locked.begin(), locked.end(), IDC_TEXT), 1);
}

TEST(DialogTexts, TheExitQuestionInBothLanguages) {
    EXPECT_EQ(dialogText(DialogText::ExitQuestion, Language::English),
              u"Are you sure you want to exit?");
    EXPECT_EQ(dialogText(DialogText::ExitQuestion, Language::Japanese),
              u"終了してもよろしいですか?");
}

TEST(DialogTexts, TooltipTablesEndWithIdZeroAndNameOnlyRealControls) {
    auto en = tooltipTable(Language::English);
    auto ja = tooltipTable(Language::Japanese);
    ASSERT_EQ(en.back().controlId, 0);
    ASSERT_EQ(ja.back().controlId, 0);
    EXPECT_EQ(en.size(), 6u);
    EXPECT_EQ(ja.size(), 9u);
    // The English dialog has no check box 1005: no tooltip may point at it.
    for (const TooltipEntry& t : en)
        EXPECT_NE(t.controlId, IDC_BIG_DIALOG);
    EXPECT_EQ(ja[7].controlId, IDC_BIG_DIALOG);
}

TEST(DialogTexts, StartTooltipFollowsTheButtonsRoleAndTheEscSwitch) {
    EXPECT_EQ(startButtonTooltip(Language::English, false, true), u"Start keyboard simulation");
    EXPECT_EQ(startButtonTooltip(Language::Japanese, false, false),
              u"キーボードシミュレート(またはスクリプトの実行)を開始します");
    EXPECT_EQ(startButtonTooltip(Language::English, true, true),
              u"Stop the run (Esc in any window also stops it)");
    EXPECT_EQ(startButtonTooltip(Language::English, true, false), u"Stop the run");
    EXPECT_EQ(startButtonTooltip(Language::Japanese, true, true),
              u"入力を中止します（どのウィンドウでもEscキーで中止できます）");
    EXPECT_EQ(startButtonTooltip(Language::Japanese, true, false), u"入力を中止します");
}

TEST(RemoveCharacters, EachCommandRemovesItsOwnKindOnly) {
    const std::u16string text = u"a b\tc\r\nd\u3000e ";
    EXPECT_EQ(removeCharacters(text, RemovedCharacters::Spaces), u"ab\tc\r\nd\u3000e");
    EXPECT_EQ(removeCharacters(text, RemovedCharacters::Tabs), u"a bc\r\nd\u3000e ");
    EXPECT_EQ(removeCharacters(text, RemovedCharacters::LineBreaks), u"a b\tcd\u3000e ");
    EXPECT_EQ(removeCharacters(u"a b c", RemovedCharacters::Spaces), u"abc");
    EXPECT_EQ(removeCharacters(u"x\ry\nz\r\n", RemovedCharacters::LineBreaks), u"xyz");
    EXPECT_EQ(removeCharacters(u"", RemovedCharacters::Tabs), u"");
}

TEST(RemoveCharacters, CommandIds) {
    EXPECT_EQ(removalForCommand(IDM_DELETE_SPACES), RemovedCharacters::Spaces);
    EXPECT_EQ(removalForCommand(IDM_DELETE_TABS), RemovedCharacters::Tabs);
    EXPECT_EQ(removalForCommand(IDM_DELETE_RETURNS), RemovedCharacters::LineBreaks);
    EXPECT_FALSE(removalForCommand(IDM_IGNORE_SPACE).has_value());
}
