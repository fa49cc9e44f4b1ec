// music_acm.cpp -- the music decoded from the MP3 the program carries by the
// Audio Compression Manager's MP3 codec (on every Windows since 2000; Wine
// has it too; off Windows the stand-in's), a piece at a time as the clock
// asks for it.
#include "app/music_source.h"

#include <windows.h>

#include <mmreg.h>
#include <msacm.h>

#include <cstring>
#include <vector>

#include "common/music.h"

static const DWORD kFrameBytes = MUS_CHANNELS * sizeof(int16_t);
static const DWORD kPiece = 4096; // MP3 bytes converted at a time

static HACMSTREAM stream; // null until opened, and after a failure
static ACMSTREAMHEADER header;
static BYTE coded[kPiece];     // MP3 given to the codec: what it left, then more
static std::vector<BYTE> decoded; // the samples of the last conversion
static DWORD codedAt;          // MP3 bytes taken from the music so far
static DWORD carried;          // MP3 bytes the codec left at the last conversion
static DWORD decodedUsed;      // decoded bytes handed out or skipped
static int64_t position;       // the music's byte that decoded[decodedUsed] is
static uint64_t nextOffset;    // where the last read ended
static int ended;              // the codec has given all it will

static void Close(void) {
    if (!stream) return;
    acmStreamUnprepareHeader(stream, &header, 0);
    acmStreamClose(stream, 0);
    stream = NULL;
}

// Opens the codec at the MP3's start.
static int Start(void) {
    Close();
    MPEGLAYER3WAVEFORMAT mp3 = {};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = MUS_CHANNELS;
    mp3.wfx.nSamplesPerSec = MUS_RATE;
    mp3.wfx.nAvgBytesPerSec = 192000 / 8;
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
    mp3.nBlockSize = 144 * 192000 / MUS_RATE; // bytes in a frame
    mp3.nFramesPerBlock = 1;
    WAVEFORMATEX pcm = {WAVE_FORMAT_PCM, MUS_CHANNELS, MUS_RATE, MUS_RATE * kFrameBytes,
                        kFrameBytes, 16, 0};
    if (acmStreamOpen(&stream, NULL, &mp3.wfx, &pcm, NULL, 0, 0, 0) != 0) {
        stream = NULL;
        return 0;
    }
    DWORD size;
    if (acmStreamSize(stream, kPiece, &size, ACM_STREAMSIZEF_SOURCE) != 0) size = 0;
    if (size > decoded.size()) decoded.resize(size);
    memset(&header, 0, sizeof header);
    header.cbStruct = sizeof header;
    header.pbSrc = coded;
    header.cbSrcLength = kPiece;
    header.pbDst = decoded.data();
    header.cbDstLength = static_cast<DWORD>(decoded.size());
    if (decoded.empty() || acmStreamPrepareHeader(stream, &header, 0) != 0) {
        acmStreamClose(stream, 0);
        stream = NULL;
        return 0;
    }
    codedAt = carried = decodedUsed = 0;
    header.cbDstLengthUsed = 0;
    position = -static_cast<int64_t>(musicCodedDelay) * kFrameBytes;
    nextOffset = 0;
    ended = 0;
    return 1;
}

// Converts the next piece of MP3 (the last one to its end).
static int Convert(void) {
    const DWORD more = kPiece - carried < musicCodedBytes - codedAt ? kPiece - carried
                                                                     : musicCodedBytes - codedAt;
    memcpy(coded + carried, musicCoded + codedAt, more);
    codedAt += more;
    header.cbSrcLength = carried + more;
    const int last = codedAt == musicCodedBytes;
    if (acmStreamConvert(stream, &header, last ? ACM_STREAMCONVERTF_END
                                               : ACM_STREAMCONVERTF_BLOCKALIGN) != 0) {
        Close();
        return 0;
    }
    carried = header.cbSrcLength - header.cbSrcLengthUsed;
    memmove(coded, coded + header.cbSrcLengthUsed, carried);
    decodedUsed = 0;
    // At the end, once a conversion gives nothing more.
    ended = last && header.cbDstLengthUsed == 0;
    return 1;
}

int MUS_Open(void) {
    return Start();
}

int MUS_Read(uint32_t offset, uint8_t* out, uint32_t bytes) {
    if ((!stream || offset != nextOffset) && !Start()) return 0;
    nextOffset = static_cast<uint64_t>(offset) + bytes;
    while (bytes > 0) {
        const DWORD ready = header.cbDstLengthUsed - decodedUsed;
        if (ready == 0) {
            if (ended) { // what the codec gave ran short of the music: silence
                memset(out, 0, bytes);
                break;
            }
            if (!Convert()) return 0;
            continue;
        }
        if (position < offset) { // before the music, or before the offset
            const uint64_t skip = static_cast<uint64_t>(offset - position);
            const DWORD n = skip < ready ? static_cast<DWORD>(skip) : ready;
            decodedUsed += n;
            position += n;
            continue;
        }
        const DWORD n = ready < bytes ? ready : bytes;
        memcpy(out, decoded.data() + decodedUsed, n);
        decodedUsed += n;
        position += n;
        offset += n;
        out += n;
        bytes -= n;
    }
    return 1;
}
