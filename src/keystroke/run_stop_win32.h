// Stopping a run from any window. While a run goes on, a low-level keyboard
// hook on a thread of its own watches for the user's Esc: the GUI thread may
// be blocked and Windows drops a low-level hook whose thread does not answer
// in time. The Esc that stops a run is swallowed, its release too; the hook
// ignores injected events, so the run's own Esc (and a script's) never stops
// it. The first hook that sees the Esc swallows it, so every other tapwell
// run of the session (another dialog, tapwell-cli) would never learn of it:
// the stop is broadcast to them all.
#pragma once

#include <windows.h>

namespace tapwell {

// Posted to the run's window by the watch thread when the user pressed Esc,
// here or for another tapwell run.
inline constexpr UINT kEscStopMessage = WM_APP + 19;
// Posted to the window that watches when the user pressed Pause (swallowed
// as Esc is).
inline constexpr UINT kPauseKeyMessage = WM_APP + 21;

// The session-wide "stop every run" message, posted to HWND_BROADCAST.
UINT runStopBroadcastMessage();

// A run begins: the stop event is cleared and, when `watchEsc`, the hook
// and the broadcast's receiver are in place before this returns. On a stop
// `notify` (may be null) gets kEscStopMessage, and the message boxes open on
// `boxThread` (0: none) close as if OK was pressed.
void beginRunStopWatch(HWND notify, bool watchEsc, DWORD boxThread = 0);
// The run has ended. Returns at once: the thread goes when the Esc that
// stopped the run has been released, so that the release reaches no window.
void endRunStopWatch();
// For a program about to end: waits until the ended watch has seen the
// release of its Esc (or given up on it), so that the release, too, reaches
// no window.
void awaitRunStopWatchEnd();

// The user's stop has come (Esc, a broadcast, a console's Ctrl+C or close).
bool runStopRequested();
// Sets the stop event: a wait ends at once. Idempotent.
void requestRunStop();

// False when the system could not make the stop event: every wait would
// then end at once, so no run may go on.
bool runStopEventReady();

// Waits `ms` milliseconds, or less when the run is stopped.
void waitUnlessStopped(DWORD ms);
// Waits until `event` is set or the run is stopped; true when stopped.
bool waitForEventUnlessStopped(HANDLE event);

// Waits `ms` milliseconds with the thread's messages flowing, so that its
// windows answer and an Abort can be given; ends early on a stop or when
// `ended(context)` comes true after a message.
void waitWithMessages(DWORD ms, bool (*ended)(void* context), void* context);

// Closes the message boxes open on `threadId` (a pause box, a script's box)
// as if OK was pressed. Other dialogs of the thread are left alone.
void closeRunMessageBoxes(DWORD threadId);

// A console program's run: Ctrl+C, Ctrl+Break, closing the console, logoff
// and shut-down request the stop. For the last three the process ends when
// the handler returns, so the handler waits (a few seconds at most, as the
// system allows) until markRunFinished says that what was held is released.
void stopRunOnConsoleEvents();
void markRunFinished();
// The handler itself, for tests: true when the event was handled.
BOOL WINAPI consoleStopHandler(DWORD event);

} // namespace tapwell
