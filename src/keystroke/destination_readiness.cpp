#include "keystroke/destination_readiness.h"

namespace tapwell {

namespace {

// Closes the IME and reads its status again after each attempt. An answer
// that does not come counts as still open: the window answered before.
bool closeIme(DestinationInputState& state, WindowId focus) {
    state.setImeOpen(focus, false);
    if (state.imeOpen(focus) == false)
        return true;
    state.pressImeOff();
    return state.imeOpen(focus) == false;
}

} // namespace

bool composesWithIme(std::uint16_t primaryLanguage) {
    return primaryLanguage == kLanguageJapanese || primaryLanguage == kLanguageChinese ||
           primaryLanguage == kLanguageKorean;
}

ReadinessNeeds readinessNeeds(const RunSettings& s) {
    if (s.iInputMode == InputMode::Script)
        return {};
    const bool lettersAsKeys =
        s.iInputMode == InputMode::Keyboard || s.iDelivery == Delivery::KeyPresses;
    ReadinessNeeds needs;
    needs.ime = s.iImeMode == ImeMode::TurnOffEveryRun ||
                (lettersAsKeys && s.iImeMode == ImeMode::TurnOffForRun);
    needs.capsLock = lettersAsKeys && s.iCapsLockMode == CapsLockMode::TurnOffAndRestore;
    return needs;
}

ReadinessResult prepareDestination(DestinationInputState& state, const RunSettings& settings) {
    const ReadinessNeeds needs = readinessNeeds(settings);
    ReadinessResult result;
    if (needs.ime) {
        const WindowId focus = state.focusWindow();
        if (focus != 0 && composesWithIme(state.layoutLanguage(focus)) &&
            state.imeOpen(focus) == true) {
            if (!closeIme(state, focus)) {
                result.ready = false;
                return result;
            }
            result.changes.imeClosed = true;
            result.changes.imeWindow = focus;
        }
    }
    if (needs.capsLock && state.capsLockOn()) {
        state.pressCapsLock();
        result.changes.capsLockTurnedOff = true;
    }
    return result;
}

void restoreDestination(DestinationInputState& state, const ReadinessChanges& changes) {
    // Pressed whatever the key state says now: a thread that is not in front
    // may still see the state from before the run's own press.
    if (changes.capsLockTurnedOff)
        state.pressCapsLock();
    // Another window's IME is the user's business.
    if (changes.imeClosed && state.focusWindow() == changes.imeWindow)
        state.setImeOpen(changes.imeWindow, true);
}

} // namespace tapwell
