// mmreg.h -- stand-in declarations of the MP3 wave format the framework's
// music is carried in, for builds off Windows (winapi/acm decodes it).
#pragma once

#include <mmsystem.h>

#define WAVE_FORMAT_MPEGLAYER3 0x0055

#define MPEGLAYER3_WFX_EXTRA_BYTES 12
#define MPEGLAYER3_ID_MPEG 1
#define MPEGLAYER3_FLAG_PADDING_ISO 0x00000000

// The MP3 format: the wave format and its 12 extra bytes; packed, as in
// the SDK.
#pragma pack(push, 1)
typedef struct mpeglayer3waveformat_tag {
    WAVEFORMATEX wfx;
    WORD wID;
    DWORD fdwFlags;
    WORD nBlockSize;
    WORD nFramesPerBlock;
    WORD nCodecDelay;
} MPEGLAYER3WAVEFORMAT, *LPMPEGLAYER3WAVEFORMAT;
#pragma pack(pop)
static_assert(sizeof(MPEGLAYER3WAVEFORMAT) == 18 + MPEGLAYER3_WFX_EXTRA_BYTES,
              "the SDK's packed MP3 format");
