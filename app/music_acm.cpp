// music_acm.cpp -- the music decoded from the MP3 the program carries by the
// Audio Compression Manager's MP3 codec (on every Windows since 2000; Wine
// has it too; off Windows the stand-in's), a piece at a time as the clock
// asks for it. A read elsewhere (a seek, a loop) starts the codec again a
// few MP3 frames before the place: the MP3 is of one bit rate, so its
// frames are of one size, and a frame's samples are the same however far
// back the decoding started, once the frames before it have filled the
// codec's state (its bit reservoir and its filters).
#include "app/music_source.h"

#include <windows.h>

#include <mmreg.h>
#include <msacm.h>

#include <cstring>
#include <vector>

#include "common/music.h"

static const DWORD kFrameBytes = MUS_CHANNELS * sizeof(int16_t);
static const DWORD kPiece = 4096; // MP3 bytes converted at a time
static const DWORD kBitRate = 192000;
static const DWORD kCodedFrameBytes = 144 * kBitRate / MUS_RATE; // one MPEG-1 layer III frame
static const DWORD kFrameSamples = 1152;                         // the sample frames it decodes to
// The frames decoded before the one a read starts in, and thrown away: the
// bit reservoir reaches one frame back, the overlap of the transform
// another, the synthesis filter a part of one more. (libmpg123 gives the
// samples of a decoding from the start after two.)
static const DWORD kPrerollFrames = 3;

static HACMSTREAM stream; // null until opened, and after a failure
static ACMSTREAMHEADER header;
static BYTE coded[kPiece];        // MP3 given to the codec: what it left, then more
static std::vector<BYTE> decoded; // the samples of the last conversion
static DWORD codedAt;             // MP3 bytes taken from the music so far
static DWORD carried;             // MP3 bytes the codec left at the last conversion
static DWORD decodedUsed;         // decoded bytes handed out or skipped
static int64_t position;          // the music's byte that decoded[decodedUsed] is
static uint64_t nextOffset;       // where the last read ended
static int ended;                 // the codec has given all it will

static void Close(void) {
    if (!stream) return;
    acmStreamUnprepareHeader(stream, &header, 0);
    acmStreamClose(stream, 0);
    stream = NULL;
}

// Opens the codec at the MP3's coded frame `frame`.
static int Start(DWORD frame) {
    Close();
    MPEGLAYER3WAVEFORMAT mp3 = {};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = MUS_CHANNELS;
    mp3.wfx.nSamplesPerSec = MUS_RATE;
    mp3.wfx.nAvgBytesPerSec = kBitRate / 8;
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
    mp3.nBlockSize = kCodedFrameBytes;
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
    codedAt = frame * kCodedFrameBytes;
    carried = decodedUsed = 0;
    header.cbDstLengthUsed = 0;
    position = (static_cast<int64_t>(frame) * kFrameSamples - musicCodedDelay) * kFrameBytes;
    nextOffset = 0;
    ended = 0;
    return 1;
}

// Converts the next piece of MP3 (the last one to its end).
static int Convert(void) {
    const DWORD more =
        kPiece - carried < musicCodedBytes - codedAt ? kPiece - carried : musicCodedBytes - codedAt;
    memcpy(coded + carried, musicCoded + codedAt, more);
    codedAt += more;
    header.cbSrcLength = carried + more;
    const int last = codedAt == musicCodedBytes;
    if (acmStreamConvert(stream, &header,
                         last ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN) != 0) {
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
    return Start(0);
}

// Starts the codec for a read from the music's byte `offset`.
static int StartAt(uint32_t offset) {
    const DWORD frame = (offset / kFrameBytes + musicCodedDelay) / kFrameSamples;
    const DWORD frames = musicCodedBytes / kCodedFrameBytes;
    const DWORD from = frame > kPrerollFrames ? frame - kPrerollFrames : 0;
    return Start(from < frames ? from : frames);
}

int MUS_Read(uint32_t offset, uint8_t* out, uint32_t bytes) {
    if ((!stream || offset != nextOffset) && !StartAt(offset)) return 0;
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
