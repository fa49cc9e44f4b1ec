// interrupt.h -- Ctrl+C and SIGTERM stop a capture: the handler only notes
// the signal; the capture loop sees it and cleans up.
#pragma once

// Installs the handlers (without SA_RESTART, so that a write blocked on a
// FIFO returns), and ignores SIGPIPE, so that a reader that went away is a
// write error. Call from the main thread, before starting other threads.
void CatchInterrupts();

// The signal that asked the capture to stop (SIGINT or SIGTERM), or 0.
int InterruptSignal();
