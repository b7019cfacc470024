// The IME and Caps Lock submenus: each item sets its setting and carries the
// one radio mark of its submenu.
#include "dialog/input_state_menu.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(InputStateMenu, EachItemSetsItsSettingAndAloneCarriesTheMark) {
    const struct {
        int command;
        std::uint8_t ime, capsLock;
    } cases[] = {
        {IDM_IME_LEAVE, 1, 0},    {IDM_IME_TURN_OFF_EVERY_RUN, 2, 0}, {IDM_CAPS_LOCK_LEAVE, 2, 1},
        {IDM_IME_TURN_OFF, 0, 1}, {IDM_CAPS_LOCK_TURN_OFF, 0, 0},
    };
    Settings s;
    for (const auto& c : cases) {
        ASSERT_TRUE(applyInputStateCommand(s, c.command)) << c.command;
        EXPECT_EQ(s.iImeMode, c.ime) << c.command;
        EXPECT_EQ(s.iCapsLockMode, c.capsLock) << c.command;
        int imeMarks = 0, capsMarks = 0;
        for (const InputStateChoice& choice : inputStateChoices()) {
            const bool checked = inputStateChoiceChecked(choice, s);
            (choice.field == &Settings::iImeMode ? imeMarks : capsMarks) += checked;
            if (choice.commandId == c.command) {
                EXPECT_TRUE(checked) << c.command;
            }
        }
        EXPECT_EQ(imeMarks, 1) << c.command;
        EXPECT_EQ(capsMarks, 1) << c.command;
    }
    const Settings before = s;
    for (int other : {IDM_DELIVERY_WRITTEN, IDM_FOCUS_GUARD, IDM_ERROR_STOP, IDM_LAYOUT_LOCAL})
        EXPECT_FALSE(applyInputStateCommand(s, other)) << other;
    EXPECT_EQ(s, before);
}

// A value no item stands for marks the default, as a run treats it.
TEST(InputStateMenu, AnUnknownValueMarksTheDefault) {
    Settings s;
    s.iImeMode = 9;
    s.iCapsLockMode = 7;
    for (const InputStateChoice& choice : inputStateChoices())
        EXPECT_EQ(inputStateChoiceChecked(choice, s),
                  choice.commandId == IDM_IME_TURN_OFF ||
                      choice.commandId == IDM_CAPS_LOCK_TURN_OFF)
            << choice.commandId;
}
