#include "settings/settings.h"

#include "settings/process_state.h"

namespace tapwell {

const std::array<SettingField, 25> kSettingFields = {{
    settingField<&Settings::g_BigDialog>(u"g_BigDialog"),
    settingField<&Settings::iInputMode>(u"iInputMode"),
    settingField<&Settings::iWaitMode>(u"iWaitMode"),
    settingField<&Settings::iErrorStop>(u"iErrorStop"),
    settingField<&Settings::iDisableEnter>(u"iDisableEnter"),
    settingField<&Settings::iDisableSpace>(u"iDisableSpace"),
    settingField<&Settings::iDisableTab>(u"iDisableTab"),
    settingField<&Settings::iTopMost>(u"iTopMost"),
    settingField<&Settings::iWaitSec>(u"iWaitSec"),
    settingField<&Settings::iTimeHour>(u"iTimeHour"),
    settingField<&Settings::iTimeMin>(u"iTimeMin"),
    settingField<&Settings::iTimeSec>(u"iTimeSec"),
    settingField<&Settings::iWaitMSec>(u"iWaitMSec"),
    settingField<&Settings::iLoopNum>(u"iLoopNum"),
    settingField<&Settings::iDelivery>(u"iDelivery"),
    settingField<&Settings::iTargetLayout>(u"iTargetLayout"),
    settingField<&Settings::iEscAbort>(u"iEscAbort"),
    settingField<&Settings::iFocusGuard>(u"iFocusGuard"),
    settingField<&Settings::iImeMode>(u"iImeMode"),
    settingField<&Settings::iCapsLockMode>(u"iCapsLockMode"),
    settingField<&Settings::iTrayIcon>(u"iTrayIcon"),
    settingField<&Settings::iHotkeyClipboard>(u"iHotkeyClipboard"),
    settingField<&Settings::iHotkeyText>(u"iHotkeyText"),
    settingField<&Settings::iQuickAsk>(u"iQuickAsk"),
    settingField<&Settings::iQuickProgress>(u"iQuickProgress"),
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
    if (s.iInputMode > InputMode::Script)
        s.iInputMode = InputMode::Keyboard;
    if (s.iWaitMode > WaitMode::TimeOfDay)
        s.iWaitMode = WaitMode::Seconds;
    limitFlag(s.iErrorStop);
    limitFlag(s.iDisableEnter);
    limitFlag(s.iDisableSpace);
    limitFlag(s.iDisableTab);
    limitFlag(s.iTopMost);
    if (s.iWaitSec < 0)
        s.iWaitSec = kDefaultWaitSec;
    limitClock(s.iTimeHour, kHoursPerDay);
    limitClock(s.iTimeMin, kMinutesPerHour);
    limitClock(s.iTimeSec, kSecondsPerMinute);
    // 0 is kept on load: the interval edit box shows what was stored, and only
    // the next save turns it into 20.
    if (s.iWaitMSec < 0)
        s.iWaitMSec = kDefaultWaitMSec;
    if (s.iDelivery > Delivery::KeyPresses)
        s.iDelivery = Delivery::Written;
    // A value that is no flag falls back to the default, which is on.
    if (s.iEscAbort >= 2)
        s.iEscAbort = 1;
    limitFlag(s.iFocusGuard);
    if (s.iImeMode >= 3)
        s.iImeMode = 0;
    limitFlag(s.iCapsLockMode);
    limitFlag(s.iTrayIcon);
    // Questions and the progress window are on unless turned off.
    if (s.iQuickAsk >= 2)
        s.iQuickAsk = 1;
    if (s.iQuickProgress >= 2)
        s.iQuickProgress = 1;
}

AppState& appState() {
    static AppState state;
    return state;
}

} // namespace tapwell
