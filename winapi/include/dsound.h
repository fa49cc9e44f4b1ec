// dsound.h -- stand-in declarations of the DirectSound subset the music
// clock uses (one streaming secondary buffer), for builds off Windows.
// Names, signatures, layouts and constant values are the SDK's.
//
// As with ddraw.h, the interfaces are plain structs without a vtable whose
// member functions the linked implementation defines: the stand-in's
// (winapi/sdl2, over SDL2's audio) or winapi/fake's. Nothing is released.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#define DS_OK 0
#define MAKE_DSHRESULT(code) ((HRESULT)(0x88780000u | (code)))
#define DSERR_BUFFERLOST MAKE_DSHRESULT(150) // 0x88780096
#define DSERR_NODRIVER MAKE_DSHRESULT(120)   // 0x88780078

#define DSSCL_PRIORITY 0x00000002

#define DSBCAPS_GETCURRENTPOSITION2 0x00010000

#define DSBPLAY_LOOPING 0x00000001

#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002

typedef struct _DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
} DSBUFFERDESC, *LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

static_assert(sizeof(DSBUFFERDESC) == (sizeof(void*) == 8 ? 40 : 36),
              "the SDK's buffer description size");

typedef struct IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;
typedef struct IDirectSound8* LPDIRECTSOUND8;

// A circular buffer of samples. The play cursor is the byte being heard; the
// bytes from the write cursor up to the play cursor (round the end) may be
// written.
struct IDirectSoundBuffer {
    HRESULT WINAPI GetCurrentPosition(DWORD* pdwCurrentPlayCursor,
                                      DWORD* pdwCurrentWriteCursor);
    HRESULT WINAPI GetStatus(DWORD* pdwStatus);
    HRESULT WINAPI Lock(DWORD dwOffset, DWORD dwBytes, LPVOID* ppvAudioPtr1,
                        DWORD* pdwAudioBytes1, LPVOID* ppvAudioPtr2, DWORD* pdwAudioBytes2,
                        DWORD dwFlags);
    HRESULT WINAPI Play(DWORD dwReserved1, DWORD dwPriority, DWORD dwFlags);
    ULONG WINAPI Release(void);
    HRESULT WINAPI Restore(void);
    HRESULT WINAPI Stop(void);
    HRESULT WINAPI Unlock(LPVOID pvAudioPtr1, DWORD dwAudioBytes1, LPVOID pvAudioPtr2,
                          DWORD dwAudioBytes2);

    struct SoundBufferImpl* impl;
};

struct IDirectSound8 {
    HRESULT WINAPI CreateSoundBuffer(LPCDSBUFFERDESC pcDSBufferDesc,
                                     LPDIRECTSOUNDBUFFER* ppDSBuffer, IUnknown* pUnkOuter);
    HRESULT WINAPI SetCooperativeLevel(HWND hwnd, DWORD dwLevel);
    ULONG WINAPI Release(void);

    struct DirectSoundImpl* impl;
};

// Opens the default output device (pcGuidDevice null).
HRESULT WINAPI DirectSoundCreate8(LPCGUID pcGuidDevice, LPDIRECTSOUND8* ppDS8,
                                  IUnknown* pUnkOuter);
