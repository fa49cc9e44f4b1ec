// clock_music.cpp -- the clock of a demo with music: the music streamed to
// the sound device (sound.h), refilled from the frame loop, and the sample
// being heard the picture's time. Without a sound device, or once it fails,
// the timer goes on from where the music was. The live program holds and
// moves it (clock_control.h): a move plays the music from there on a device
// opened again.
#include "app/clock.h"
#include "app/clock_control.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "app/music_source.h"
#include "app/sound.h"
#include "common/music.h"

static const uint64_t kFrameBytes = MUS_CHANNELS * sizeof(int16_t);
// A device may take a few seconds to start (a sink resuming from suspend,
// Bluetooth): the picture waits that long for its first move. Once it has
// moved, a position that stands while the device says it plays is
// followed; one that stands this long where the device cannot tell is a
// device that has stopped without saying so.
static const DWORD kStartMs = 5000;
static const DWORD kStallMs = 1000;
// After a device has failed, how often it is opened again.
static const DWORD kRetryMs = 1000;

static const SoundOutput* output; // null while silent, or until reopened
static int reopen;                // moved while playing: the device opens again to play on
static int playing;
static uint64_t base;  // the music's sample frame that the device started at
static uint64_t heard; // the sample frame being heard, as last told, from base
static DWORD lastMove; // timeGetTime when it last moved (or playing started)
static int moving;     // it has moved since playing (re)started
static int retry;      // the device failed: it is opened again every kRetryMs
static DWORD failedAt; // timeGetTime of the failure, or of the last try

// A frame is seen a frame after it is rendered (the flip shows it at the
// next vertical blank), so it shows the sound heard that much later: the
// frames' mean interval, in sample frames, 0 until two frames have run.
static uint64_t lead;
static DWORD lastFrame;
static const DWORD kMaxLeadMs = 50;

// Silent: the timer's milliseconds since silentStart, on top of silentBase.
static uint64_t silentBase; // sample frames
static DWORD silentStart;
static int silentRunning;

static int held;  // the live program's pause
static int noEnd; // the live program's: the clock waits at the music's end

int CLK_Fill(uint64_t at, uint8_t* out, uint32_t bytes) {
    at += base * kFrameBytes;
    const uint64_t total = static_cast<uint64_t>(musicFrames) * kFrameBytes;
    while (bytes > 0) {
        const uint64_t offset = musicLoop ? at % total : at;
        uint32_t n = bytes;
        if (offset < total) {
            if (total - offset < n) n = static_cast<uint32_t>(total - offset);
            if (!MUS_Read(static_cast<uint32_t>(offset), out, n)) return 0;
        } else {
            memset(out, 0, n);
        }
        out += n;
        at += n;
        bytes -= n;
    }
    return 1;
}

enum Progress { kPlays, kFailed, kStalled };

// Follows the device's position and refills it.
static Progress Advance(void) {
    uint64_t now;
    if (!output->update(&now)) return kFailed;
    const DWORD time = timeGetTime();
    if (now != heard) {
        heard = now;
        lastMove = time;
        moving = 1;
        return kPlays;
    }
    if (!moving) return time - lastMove <= kStartMs ? kPlays : kStalled;
    if (output->alive()) { // the sound waits with the picture: nothing is lost
        lastMove = time;
        return kPlays;
    }
    return time - lastMove <= kStallMs ? kPlays : kStalled;
}

// Follows the frames' interval while the music plays (a running mean over
// about eight frames).
static void MeasureFrame(void) {
    const DWORD now = timeGetTime(), interval = now - lastFrame;
    lastFrame = now;
    if (interval > kMaxLeadMs) return; // the first frame, or one after a pause
    const uint64_t frames = static_cast<uint64_t>(interval) * MUS_RATE / 1000;
    lead = lead == 0 ? frames : (lead * 7 + frames) / 8;
}

// The sample frame last shown from the device's position: the position
// never goes back, though the lead may shrink while the device's position
// stands between two of its steps.
static uint64_t shown;

static uint64_t Position(void) {
    if (output) {
        if (base + heard + lead > shown) shown = base + heard + lead;
        return shown;
    }
    if (reopen || !silentRunning) return silentBase;
    return silentBase + static_cast<uint64_t>(timeGetTime() - silentStart) * MUS_RATE / 1000;
}

// From now on the timer, from the music's last position: heard at lastMove,
// or, where the device never started, now. A device that said it failed is
// let go, to be opened again later; one that only stood is stopped and left
// alone.
static void GoSilent(const char* what, int failed) {
    if (output && failed) output->close();
    if (output && !failed) output->play(0); // whatever it still plays, it is not ours
    output = NULL;
    silentBase = base + heard;
    silentStart = moving ? lastMove : timeGetTime();
    silentRunning = playing;
    retry = failed;
    failedAt = timeGetTime();
    fprintf(stderr, "%s: the demo goes on silently on its timer from %.3f s\n", what,
            static_cast<double>(silentBase) / MUS_RATE);
}

static const SoundOutput* OpenOutput(void) {
#ifdef _WIN32
    int present;
    const SoundOutput* wasapi = SND_OpenWasapi(&present);
    if (present) return wasapi;
#endif
    return SND_OpenDirectSound();
}

void CLK_Start(void) {
    if (!MUS_Open()) {
        GoSilent("the music cannot be decoded here", 0);
        return;
    }
    output = OpenOutput();
    if (!output) GoSilent("no sound device", 0);
}

// Plays on from the music's sample frame `frame` (round the loop, or at
// most its end): a device playing closes, to open again when the clock runs.
static void MoveTo(uint64_t frame) {
    if (musicLoop) frame %= musicFrames;
    if (!musicLoop && frame > musicFrames) frame = musicFrames;
    if (output) {
        output->close();
        output = NULL;
        reopen = 1;
        playing = 0;
    }
    base = shown = frame;
    heard = lead = 0;
    silentBase = base;
    silentStart = timeGetTime();
}

// A device that failed, opened again: the music plays on from where the
// timer has it (the timer goes on from there if it will not open).
static void TakeUp(void) {
    failedAt = timeGetTime();
    MoveTo(Position());
    output = OpenOutput();
    if (!output) return;
    retry = reopen = playing = 0;
    fprintf(stderr, "the sound device is back: the music plays on from %.3f s\n",
            static_cast<double>(base) / MUS_RATE);
}

int CLK_Elapsed(uint32_t* ms) {
    if (reopen && !held) {
        reopen = 0;
        output = OpenOutput();
        if (!output) GoSilent("no sound device", 0);
    }
    if (retry && !held && timeGetTime() - failedAt >= kRetryMs) TakeUp();
    if (output && !playing && !held) {
        playing = 1;
        lastMove = timeGetTime();
        moving = 0;
        if (!output->play(1)) GoSilent("the sound device failed", 1);
    }
    if (output && playing) {
        const Progress progress = Advance();
        if (progress != kPlays) GoSilent("the sound device stopped", progress == kFailed);
    }
    if (output && playing) MeasureFrame();
    if (!output && !reopen && !silentRunning && !held) {
        silentStart = timeGetTime();
        silentRunning = 1;
    }
    if (noEnd && !musicLoop && Position() >= musicFrames) {
        if (!held) {
            MoveTo(musicFrames);
            CLK_Hold(1);
        }
        *ms = MUS_FrameToMs(musicFrames - 1);
        return 1;
    }
    return MUS_Position(Position(), ms);
}

int CLK_AtEnd(void) {
    return noEnd && !musicLoop && Position() >= musicFrames;
}

void CLK_Pause(void) {
    if (output && playing) {
        if (!output->play(0)) GoSilent("the sound device failed", 1);
        playing = 0;
    }
    if (!output && silentRunning) {
        silentBase = Position();
        silentRunning = 0;
    }
}

void CLK_Hold(int hold) {
    if (hold) CLK_Pause();
    held = hold;
}

int CLK_Held(void) {
    return held;
}

void CLK_Seek(uint32_t ms) {
    MoveTo(static_cast<uint64_t>(ms) * MUS_RATE / 1000);
}

void CLK_NoEnd(void) {
    noEnd = 1;
}
