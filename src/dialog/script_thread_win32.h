// The script's worker thread as the main dialog runs it: one at a time, on
// its own copy of the text, with the dialog's host callbacks (boxes owned by
// the dialog) and its own key delivery.
#pragma once

#include "keystroke/run_host.h"

#include <cstdint>
#include <string>
#include <windows.h>

namespace tapwell {

// Points ScriptText at a copy of `text` that stays until the thread has ended
// and starts ScriptThreadProc on a new thread. `delivery` and `targetLayout`
// choose how its key events are delivered. False when no thread could be
// started, or when the last one has not ended yet.
bool startScriptThread(HWND owner, std::u16string text, Delivery delivery,
                       std::uint32_t targetLayout);

// The running script thread, 0 when there is none.
DWORD scriptThreadId();

// The Pause key: the running script (and a later one) waits before its next
// statement until this comes with false or the user's Esc stops the run.
void pauseScriptThread(bool paused);

// Before the program ends: asks a running script to stop, closes its boxes
// and waits up to `timeoutMs` for the thread to release what it holds and
// end, answering the messages that the script's boxes send to this thread
// meanwhile. True when no script thread runs any more.
bool finishScriptThread(DWORD timeoutMs);

} // namespace tapwell
