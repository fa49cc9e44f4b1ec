// sound_dsound.cpp -- the music streamed into a looping DirectSound buffer,
// refilled behind its play cursor, the sample being heard.
#include "app/sound.h"

#include <windows.h>

#include <dsound.h>
#include <mmsystem.h>

#include "app/app.h"
#include "common/music.h"

namespace {

const DWORD kFrameBytes = MUS_CHANNELS * sizeof(int16_t);
const DWORD kRingBytes = MUS_RATE * kFrameBytes * 2; // two seconds ahead

LPDIRECTSOUND8 sound;
LPDIRECTSOUNDBUFFER soundBuffer;
uint64_t playedBytes;  // the play cursor, unwrapped: bytes played since the start
uint64_t writtenBytes; // bytes put into the buffer since the start
DWORD lastCursor;      // the play cursor as last read

// Writes the music into the part of the buffer already played. Returns 0
// when the buffer refuses or the music cannot be decoded.
int Refill(void) {
    const DWORD space = kRingBytes - static_cast<DWORD>(writtenBytes - playedBytes);
    if (space == 0) return 1;
    LPVOID part1, part2;
    DWORD bytes1, bytes2;
    if (soundBuffer->Lock(static_cast<DWORD>(writtenBytes % kRingBytes), space, &part1, &bytes1,
                          &part2, &bytes2, 0) != DS_OK)
        return 0;
    const int filled = CLK_Fill(writtenBytes, static_cast<uint8_t*>(part1), bytes1) &&
                       (!part2 || CLK_Fill(writtenBytes + bytes1, static_cast<uint8_t*>(part2), bytes2));
    if (soundBuffer->Unlock(part1, bytes1, part2, bytes2) != DS_OK || !filled) return 0;
    writtenBytes += bytes1 + (part2 ? bytes2 : 0);
    return 1;
}

int Play(int on) {
    return (on ? soundBuffer->Play(0, 0, DSBPLAY_LOOPING) : soundBuffer->Stop()) == DS_OK;
}

// Follows the play cursor round the buffer and refills behind it.
int Update(uint64_t* heard) {
    DWORD play, write;
    if (soundBuffer->GetCurrentPosition(&play, &write) != DS_OK) return 0;
    playedBytes += (play + kRingBytes - lastCursor) % kRingBytes;
    lastCursor = play;
    *heard = playedBytes / kFrameBytes;
    return Refill();
}

// A stream that stands while this says it plays is waiting for its device.
int Alive(void) {
    DWORD status;
    return soundBuffer->GetStatus(&status) == DS_OK && (status & DSBSTATUS_PLAYING) &&
           !(status & DSBSTATUS_BUFFERLOST);
}

void Close(void) {
    if (soundBuffer) {
        soundBuffer->Stop();
        soundBuffer->Release();
    }
    if (sound) sound->Release();
    soundBuffer = NULL;
    sound = NULL;
}

const SoundOutput output = {Play, Update, Alive, Close};

} // namespace

const SoundOutput* SND_OpenDirectSound(void) {
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, MUS_CHANNELS, MUS_RATE, MUS_RATE * kFrameBytes,
                           kFrameBytes, 16, 0};
    DSBUFFERDESC desc = {sizeof desc, DSBCAPS_GETCURRENTPOSITION2, kRingBytes, 0, &format, {}};
    playedBytes = writtenBytes = 0;
    lastCursor = 0;
    if (DirectSoundCreate8(NULL, &sound, NULL) != DS_OK ||
        sound->SetCooperativeLevel(mainWindow, DSSCL_PRIORITY) != DS_OK ||
        sound->CreateSoundBuffer(&desc, &soundBuffer, NULL) != DS_OK || !Refill()) {
        Close();
        return NULL;
    }
    return &output;
}
