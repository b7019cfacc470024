#include "settings/settings.h"

namespace tapwell {

const std::array<SettingField, 23> kSettingFields = {{
    {u"g_BigDialog", &Settings::g_BigDialog, nullptr},
    {u"iInputMode", &Settings::iInputMode, nullptr},
    {u"iWaitMode", &Settings::iWaitMode, nullptr},
    {u"iErrorStop", &Settings::iErrorStop, nullptr},
    {u"iDisableEnter", &Settings::iDisableEnter, nullptr},
    {u"iDisableSpace", &Settings::iDisableSpace, nullptr},
    {u"iDisableTab", &Settings::iDisableTab, nullptr},
    {u"iTopMost", &Settings::iTopMost, nullptr},
    {u"iWaitSec", nullptr, &Settings::iWaitSec},
    {u"iTimeHour", nullptr, &Settings::iTimeHour},
    {u"iTimeMin", nullptr, &Settings::iTimeMin},
    {u"iTimeSec", nullptr, &Settings::iTimeSec},
    {u"iWaitMSec", nullptr, &Settings::iWaitMSec},
    {u"iLoopNum", nullptr, &Settings::iLoopNum},
    {u"iDelivery", &Settings::iDelivery, nullptr},
    {u"iTargetLayout", nullptr, nullptr, &Settings::iTargetLayout},
    {u"iEscAbort", &Settings::iEscAbort, nullptr},
    {u"iFocusGuard", &Settings::iFocusGuard, nullptr},
    {u"iTrayIcon", &Settings::iTrayIcon, nullptr},
    {u"iHotkeyClipboard", nullptr, nullptr, &Settings::iHotkeyClipboard},
    {u"iHotkeyText", nullptr, nullptr, &Settings::iHotkeyText},
    {u"iQuickAsk", &Settings::iQuickAsk, nullptr},
    {u"iQuickProgress", &Settings::iQuickProgress, nullptr},
}};

namespace {
void limitFlag(std::uint8_t& v) {
    if (v >= 2)
        v = 0;
}
void limitClock(std::int32_t& v, std::int32_t end) {
    if (v < 0 || v >= end)
        v = 0;
}
} // namespace

void applyLoadRanges(Settings& s) {
    limitFlag(s.g_BigDialog);
    if (s.iInputMode >= 3)
        s.iInputMode = kInputModeKeyboard;
    limitFlag(s.iWaitMode);
    limitFlag(s.iErrorStop);
    limitFlag(s.iDisableEnter);
    limitFlag(s.iDisableSpace);
    limitFlag(s.iDisableTab);
    limitFlag(s.iTopMost);
    if (s.iWaitSec < 0)
        s.iWaitSec = 5;
    limitClock(s.iTimeHour, 24);
    limitClock(s.iTimeMin, 60);
    limitClock(s.iTimeSec, 60);
    // 0 is kept on load: the interval edit box shows what was stored, and only
    // the next save turns it into 20.
    if (s.iWaitMSec < 0)
        s.iWaitMSec = 20;
    limitFlag(s.iDelivery);
    // A value that is no flag falls back to the default, which is on.
    if (s.iEscAbort >= 2)
        s.iEscAbort = 1;
    limitFlag(s.iFocusGuard);
    limitFlag(s.iTrayIcon);
    // Questions and the progress window are on unless turned off.
    if (s.iQuickAsk >= 2)
        s.iQuickAsk = 1;
    if (s.iQuickProgress >= 2)
        s.iQuickProgress = 1;
}

} // namespace tapwell
