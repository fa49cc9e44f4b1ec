// sync_client.h -- the live program's link to a sync editor over TCP, in the
// editors' protocol: the greeting, then one command byte and a big-endian
// payload each way. The editor's keys go into the tracks (common/track.h);
// its pause and seek are handed to the caller. Nothing here ever waits on
// the editor.
#pragma once

#include <cstdint>
#include <string>

// What the editor asked of the clock since the last poll.
struct SyncRequests {
    bool seek = false; // go to `row` (the last of several)
    uint32_t row = 0;
    bool pause = false; // pause (`paused`) or play
    bool paused = false;
};

// The editor at `host`:`port`, connected to and reconnected to by SYN_Poll.
void SYN_Start(const std::string& host, uint16_t port);

// Once a frame: connects (again, after a loss, within 2 s), asks the editor
// for each track the effect has asked for, in that order, and takes what the
// editor sent.
SyncRequests SYN_Poll(void);

// Tells the editor the demo's row.
void SYN_SendRow(uint32_t row);

bool SYN_Connected(void);
