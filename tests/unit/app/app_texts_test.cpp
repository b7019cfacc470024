#include "app/app_state.h"
#include "settings/settings_persistence.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

TEST(SettingsTexts, WriteFailuresNameTheValueInTheIniFileOnly) {
    EXPECT_EQ(settingsText(SettingsText::RegwCaption, Language::Japanese), u"Registory Class");
    EXPECT_EQ(
        describeWriteFailure(true, StoreWriteResult::WriteFailed, u"iTopMost", Language::English),
        u".\\tapwell.ini[TAPWELL] - iTopMost write error.");
    EXPECT_EQ(
        describeWriteFailure(false, StoreWriteResult::OpenFailed, u"iTopMost", Language::English)
            .find(u"iTopMost"),
        std::u16string::npos);
}

} // namespace
} // namespace tapwell
