// msacm.h -- stand-in declarations of the Audio Compression Manager's
// stream calls the framework makes to decode its music, for builds off
// Windows. Implemented by winapi/acm.
#pragma once

#include <mmreg.h>

typedef UINT MMRESULT;
typedef uintptr_t DWORD_PTR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef struct HACMSTREAM__* HACMSTREAM;
typedef HACMSTREAM* LPHACMSTREAM;
typedef struct HACMDRIVER__* HACMDRIVER;
typedef struct wavefilter_tag* LPWAVEFILTER; // never given

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NOMEM 7
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11
#define ACMERR_BASE 512
#define ACMERR_NOTPOSSIBLE (ACMERR_BASE + 0)
#define ACMERR_UNPREPARED (ACMERR_BASE + 2)

#define ACM_STREAMSIZEF_SOURCE 0x00000000
#define ACM_STREAMSIZEF_DESTINATION 0x00000001
#define ACM_STREAMCONVERTF_BLOCKALIGN 0x00000004
#define ACM_STREAMCONVERTF_START 0x00000010
#define ACM_STREAMCONVERTF_END 0x00000020
#define ACMSTREAMHEADER_STATUSF_DONE 0x00010000
#define ACMSTREAMHEADER_STATUSF_PREPARED 0x00020000

// A buffer of source data and one for the converted data, as the SDK lays
// it out (the driver's reserved words are 15 on 64-bit Windows, 10 on
// 32-bit).
typedef struct tACMSTREAMHEADER {
    DWORD cbStruct;
    DWORD fdwStatus;
    DWORD_PTR dwUser;
    LPBYTE pbSrc;
    DWORD cbSrcLength;
    DWORD cbSrcLengthUsed;
    DWORD_PTR dwSrcUser;
    LPBYTE pbDst;
    DWORD cbDstLength;
    DWORD cbDstLengthUsed;
    DWORD_PTR dwDstUser;
    DWORD dwReservedDriver[sizeof(void*) == 8 ? 15 : 10];
} ACMSTREAMHEADER, *LPACMSTREAMHEADER;

// MP3 (MPEG-1 layer III) to 16-bit PCM of the same rate and channels; any
// other conversion is ACMERR_NOTPOSSIBLE.
MMRESULT WINAPI acmStreamOpen(LPHACMSTREAM phas, HACMDRIVER had, LPWAVEFORMATEX pwfxSrc,
                              LPWAVEFORMATEX pwfxDst, LPWAVEFILTER pwfltr, DWORD_PTR dwCallback,
                              DWORD_PTR dwInstance, DWORD fdwOpen);
MMRESULT WINAPI acmStreamClose(HACMSTREAM has, DWORD fdwClose);
// The bytes of output that `cbInput` bytes of input may give at most.
MMRESULT WINAPI acmStreamSize(HACMSTREAM has, DWORD cbInput, LPDWORD pdwOutputBytes, DWORD fdwSize);
MMRESULT WINAPI acmStreamPrepareHeader(HACMSTREAM has, LPACMSTREAMHEADER pash, DWORD fdwPrepare);
MMRESULT WINAPI acmStreamUnprepareHeader(HACMSTREAM has, LPACMSTREAMHEADER pash,
                                         DWORD fdwUnprepare);
// Takes all of the source and gives what fits of what it decodes; the rest
// comes with the next conversion, with or without more source.
MMRESULT WINAPI acmStreamConvert(HACMSTREAM has, LPACMSTREAMHEADER pash, DWORD fdwConvert);
