// What a run reads from the settings record: the stored numbers as the run's
// enums, including numbers that a hand-edited store may hold.
#include "dialog/run_host_win32.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(RunSettingsFrom, StoredNumbersBecomeTheRunsModes) {
    Settings s;
    const std::tuple<std::uint8_t, InputMode, WaitMode, Delivery> cases[] = {
        {0, InputMode::Keyboard, WaitMode::Seconds, Delivery::Written},
        {1, InputMode::Unicode, WaitMode::TimeOfDay, Delivery::KeyPresses},
        {2, InputMode::Script, WaitMode::TimeOfDay, Delivery::Written},
        {7, InputMode::Script, WaitMode::TimeOfDay, Delivery::Written},
    };
    for (const auto& [stored, mode, wait, delivery] : cases) {
        s.iInputMode = s.iWaitMode = s.iDelivery = stored;
        const RunSettings r = runSettingsFrom(s);
        EXPECT_EQ(r.iInputMode, mode) << int(stored);
        EXPECT_EQ(r.iWaitMode, wait) << int(stored);
        EXPECT_EQ(r.iDelivery, delivery) << int(stored);
    }
}
