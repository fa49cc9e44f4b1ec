// clock_music.cpp -- the clock of a demo with music: the music streamed into
// a looping DirectSound buffer, refilled from the frame loop, and its play
// cursor (the sample being heard) the picture's time. Without a sound
// device, or once it fails, the timer goes on from where the music was.
#include "app/clock.h"

#include <windows.h>

#include <dsound.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/music_source.h"
#include "common/music.h"

static const DWORD kFrameBytes = MUS_CHANNELS * sizeof(int16_t);
static const DWORD kRingBytes = MUS_RATE * kFrameBytes * 2; // two seconds ahead
// A play cursor that stands still this long while playing means a device
// that has stopped without saying so; a device may take longer to start.
static const DWORD kStallMs = 1000;
static const DWORD kStartMs = 5000;

static LPDIRECTSOUNDBUFFER soundBuffer; // null while silent
static int playing;
static uint64_t playedBytes;  // the play cursor, unwrapped: bytes played since the start
static uint64_t writtenBytes; // bytes put into the buffer since the start
static DWORD lastCursor;      // the play cursor as last read
static DWORD lastMove;        // timeGetTime when it last moved (or playing started)
static int moving;            // it has moved since playing (re)started

// Windows' play cursor is the sample being played. Wine's is the sample its
// mixer has taken, which its sound driver and the sound server hold this
// much longer before it is heard (measured with PulseAudio; no call tells).
static const DWORD kWineLatencyMs = 150;
static uint64_t latency; // sample frames between the play cursor and the ear

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

// Writes the music's bytes from `at` on: looped, or silence after its end.
// Returns 0 when they cannot be decoded.
static int Fill(uint64_t at, uint8_t* out, DWORD bytes) {
    const uint64_t total = static_cast<uint64_t>(musicFrames) * kFrameBytes;
    while (bytes > 0) {
        const uint64_t offset = musicLoop ? at % total : at;
        DWORD n = bytes;
        if (offset < total) {
            if (total - offset < n) n = static_cast<DWORD>(total - offset);
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

// Writes the music into the part of the buffer already played. Returns 0
// when the buffer refuses or the music cannot be decoded.
static int Refill(void) {
    const DWORD space = kRingBytes - static_cast<DWORD>(writtenBytes - playedBytes);
    if (space == 0) return 1;
    LPVOID part1, part2;
    DWORD bytes1, bytes2;
    if (soundBuffer->Lock(static_cast<DWORD>(writtenBytes % kRingBytes), space, &part1, &bytes1,
                          &part2, &bytes2, 0) != DS_OK)
        return 0;
    const int filled = Fill(writtenBytes, static_cast<uint8_t*>(part1), bytes1) &&
                       (!part2 || Fill(writtenBytes + bytes1, static_cast<uint8_t*>(part2), bytes2));
    if (soundBuffer->Unlock(part1, bytes1, part2, bytes2) != DS_OK || !filled) return 0;
    writtenBytes += bytes1 + (part2 ? bytes2 : 0);
    return 1;
}

// Follows the play cursor round the buffer and refills behind it. Returns 0
// when the device has failed or stalled.
static int Advance(void) {
    DWORD play, write;
    if (soundBuffer->GetCurrentPosition(&play, &write) != DS_OK) return 0;
    const DWORD moved = (play + kRingBytes - lastCursor) % kRingBytes;
    if (moved != 0) {
        playedBytes += moved;
        lastCursor = play;
        lastMove = timeGetTime();
        moving = 1;
    } else if (timeGetTime() - lastMove > (moving ? kStallMs : kStartMs)) {
        return 0;
    }
    return Refill();
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

static uint64_t OutputLatency(void) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const int wine = ntdll != NULL && GetProcAddress(ntdll, "wine_get_version") != NULL;
    return wine ? static_cast<uint64_t>(kWineLatencyMs) * MUS_RATE / 1000 : 0;
}

// The sample frame being heard.
static uint64_t Heard(void) {
    const uint64_t cursor = playedBytes / kFrameBytes;
    return cursor > latency ? cursor - latency : 0;
}

static uint64_t Position(void) {
    if (soundBuffer) return Heard() + lead;
    if (!silentRunning) return silentBase;
    return silentBase + static_cast<uint64_t>(timeGetTime() - silentStart) * MUS_RATE / 1000;
}

// From now on the timer, from the music's last position (heard at lastMove).
static void GoSilent(const char* what) {
    if (soundBuffer) soundBuffer->Stop(); // whatever it still plays, it is not ours
    soundBuffer = NULL;
    silentBase = Heard();
    silentStart = lastMove;
    silentRunning = playing;
    fprintf(stderr, "%s: the demo goes on silently on its timer from %.3f s\n", what,
            static_cast<double>(silentBase) / MUS_RATE);
}

void CLK_Start(void) {
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, MUS_CHANNELS, MUS_RATE, MUS_RATE * kFrameBytes,
                           kFrameBytes, 16, 0};
    DSBUFFERDESC desc = {sizeof desc, DSBCAPS_GETCURRENTPOSITION2, kRingBytes, 0, &format, {}};
    LPDIRECTSOUND8 sound;
    latency = OutputLatency();
    if (!MUS_Open()) {
        GoSilent("the music cannot be decoded here");
        return;
    }
    if (DirectSoundCreate8(NULL, &sound, NULL) != DS_OK ||
        sound->SetCooperativeLevel(mainWindow, DSSCL_PRIORITY) != DS_OK ||
        sound->CreateSoundBuffer(&desc, &soundBuffer, NULL) != DS_OK || !Refill())
        GoSilent("no sound device");
}

int CLK_Elapsed(uint32_t* ms) {
    if (soundBuffer && !playing) {
        if (soundBuffer->Play(0, 0, DSBPLAY_LOOPING) != DS_OK) GoSilent("the sound device failed");
        playing = 1;
        lastMove = timeGetTime();
        moving = 0;
    }
    if (soundBuffer && !Advance()) GoSilent("the sound device stopped");
    if (soundBuffer) MeasureFrame();
    if (!soundBuffer && !silentRunning) {
        silentStart = timeGetTime();
        silentRunning = 1;
    }
    return MUS_Position(Position(), ms);
}

void CLK_Pause(void) {
    if (soundBuffer && playing) {
        if (soundBuffer->Stop() != DS_OK) GoSilent("the sound device failed");
        playing = 0;
    }
    if (!soundBuffer && silentRunning) {
        silentBase = Position();
        silentRunning = 0;
    }
}
