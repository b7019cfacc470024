// Stopping a run from any window. While a run goes on, a low-level keyboard
// hook on a thread of its own watches for the user's Esc: the GUI thread may
// be blocked (a WAIT sleeps it) and Windows drops a low-level hook whose
// thread does not answer in time. The Esc that stops a run is swallowed, its
// release too; the hook ignores injected events, so the run's own Esc (and a
// script's) never stops it.
#pragma once

#include <windows.h>

namespace tapwell {

// Posted to the main dialog by the watch thread when the user pressed Esc.
inline constexpr UINT kEscStopMessage = WM_APP + 19;
// Posted to the main dialog when the user pressed Pause (swallowed as Esc is).
inline constexpr UINT kPauseKeyMessage = WM_APP + 21;

// A run begins: the stop event is cleared and, when `watchEsc`, the hook is
// installed before this returns.
void beginRunStopWatch(HWND dialog, bool watchEsc);
// The run has ended. Returns at once: the thread goes when the Esc that
// stopped the run has been released, so that the release reaches no window.
void endRunStopWatch();

// Waits `ms` milliseconds, or less when the user's Esc stops the run.
void waitUnlessStopped(DWORD ms);

// Closes the message boxes open on `threadId` (a pause box, a script's box)
// as if OK was pressed. Other dialogs of the thread are left alone.
void closeRunMessageBoxes(DWORD threadId);

} // namespace tapwell
