// transport.h -- the live program's hold on its clock: P pauses and plays,
// the left and right arrow keys move a second back and on, and a sync
// editor (FFX_SYNC, 127.0.0.1:1338 unless it says otherwise, "off" for
// none) pauses and seeks, and follows the demo's row; --at SECONDS starts
// it there. The sync file, saved without an editor, is read again.
#pragma once

// From FFX_Init. `syncFile` is the demo's, or empty. Prints why and ends
// the program on a bad command line or FFX_SYNC.
void LIVE_StartTransport(const char* syncFile);

// Once a frame, before the frame at `seconds` is rendered.
void LIVE_Transport(float seconds);
