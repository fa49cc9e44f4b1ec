// mmsystem.h -- stand-in declarations of the WINMM call the framework makes
// and of the wave format its sound buffers take, for builds off Windows. Implemented by the stand-in (winapi/core,
// over its backend's clock) and by winapi/fake; exactly one is linked.
#pragma once

#include <windows.h>

// Milliseconds from the multimedia timer, wrapping at 2^32.
DWORD WINAPI timeGetTime(void);

// The format of a stream of samples; 18 bytes, packed, as in the SDK.
#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18, "the SDK's packed wave format");

#define WAVE_FORMAT_PCM 1
