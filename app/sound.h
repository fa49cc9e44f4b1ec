// sound.h -- where the music clock plays: the device, fed from the music and
// telling the sample frame being heard. DirectSound's streaming buffer
// (sound_dsound.cpp, on every build), or WASAPI's shared stream
// (sound_wasapi.cpp, Windows Vista and later, which tells its position as
// heard).
#pragma once

#include <cstdint>

struct SoundOutput {
    // Starts (1) or pauses (0) the sound; 0 when the device fails.
    int (*play)(int on);
    // Refills what the device has played and sets *heard to the sample
    // frame being heard, counted from the start; 0 when the device failed.
    int (*update)(uint64_t* heard);
    // 1 while the device says that its sound plays on: a position that
    // stands is then a device starting or resuming (a sink woken from
    // suspend, Bluetooth), and the clock follows it. 0 where the device
    // cannot tell (Wine's WASAPI, whose position stands when its sound
    // server has gone).
    int (*alive)(void);
    // Stops the sound and lets the device go; the output may be opened again.
    void (*close)(void);
};

// Each opens the default device, its buffer filled from the music's start;
// null when there is none.
const SoundOutput* SND_OpenDirectSound(void);
// Sets *present to 0 where Windows has no WASAPI (then null).
const SoundOutput* SND_OpenWasapi(int* present);

// The clock's: writes the music's bytes from byte `at` on (looped, or
// silence after its end). Returns 0 when they cannot be decoded.
int CLK_Fill(uint64_t at, uint8_t* out, uint32_t bytes);
