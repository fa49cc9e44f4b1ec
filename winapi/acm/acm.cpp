// acm.cpp -- the Audio Compression Manager's stream calls off Windows: MP3
// to 16-bit PCM through libmpg123, as Windows' MP3 codec does it (fed
// piece by piece, an info frame (Xing, LAME) not read, nothing trimmed:
// the encoder's delay and the decoder's come out as they are).
#include <msacm.h>

#include <mpg123.h>

#include <new>

struct HACMSTREAM__ {
    mpg123_handle* decoder;
    DWORD codedFrameBytes; // an MP3 frame's bytes at the format's bit rate
    WORD blockAlign;       // a PCM sample frame's bytes
};

namespace {

constexpr DWORD kFrameSamples = 1152; // an MPEG-1 layer III frame's

// A decoder fed by the caller, giving 16-bit samples at `rate` in
// `channels`; null when libmpg123 cannot.
mpg123_handle* NewDecoder(long rate, int channels) {
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    if (!decoder) return nullptr;
    if (mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_IGNORE_INFOFRAME | MPG123_QUIET, 0) !=
            MPG123_OK ||
        mpg123_format_none(decoder) != MPG123_OK ||
        mpg123_format(decoder, rate, channels == 2 ? MPG123_STEREO : MPG123_MONO,
                      MPG123_ENC_SIGNED_16) != MPG123_OK ||
        mpg123_open_feed(decoder) != MPG123_OK) {
        mpg123_delete(decoder);
        return nullptr;
    }
    return decoder;
}

} // namespace

MMRESULT WINAPI acmStreamOpen(LPHACMSTREAM phas, HACMDRIVER, LPWAVEFORMATEX pwfxSrc,
                              LPWAVEFORMATEX pwfxDst, LPWAVEFILTER, DWORD_PTR, DWORD_PTR, DWORD) {
    if (!phas || !pwfxSrc || !pwfxDst) return MMSYSERR_INVALPARAM;
    *phas = nullptr;
    const auto* mp3 = reinterpret_cast<const MPEGLAYER3WAVEFORMAT*>(pwfxSrc);
    if (pwfxSrc->wFormatTag != WAVE_FORMAT_MPEGLAYER3 ||
        pwfxSrc->cbSize < MPEGLAYER3_WFX_EXTRA_BYTES || mp3->wID != MPEGLAYER3_ID_MPEG ||
        pwfxDst->wFormatTag != WAVE_FORMAT_PCM || pwfxDst->wBitsPerSample != 16 ||
        pwfxSrc->nSamplesPerSec != pwfxDst->nSamplesPerSec ||
        pwfxSrc->nChannels != pwfxDst->nChannels || pwfxSrc->nChannels < 1 ||
        pwfxSrc->nChannels > 2 || pwfxSrc->nSamplesPerSec == 0 ||
        pwfxDst->nBlockAlign != pwfxDst->nChannels * 2)
        return ACMERR_NOTPOSSIBLE;
    const DWORD frameBytes = static_cast<DWORD>(static_cast<uint64_t>(pwfxSrc->nAvgBytesPerSec) *
                                                kFrameSamples / pwfxSrc->nSamplesPerSec);
    if (frameBytes == 0) return ACMERR_NOTPOSSIBLE;
    mpg123_handle* decoder = NewDecoder(pwfxSrc->nSamplesPerSec, pwfxSrc->nChannels);
    if (!decoder) return ACMERR_NOTPOSSIBLE;
    *phas = new (std::nothrow) HACMSTREAM__{decoder, frameBytes, pwfxDst->nBlockAlign};
    if (!*phas) {
        mpg123_delete(decoder);
        return MMSYSERR_NOMEM;
    }
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI acmStreamClose(HACMSTREAM has, DWORD) {
    if (!has) return MMSYSERR_INVALHANDLE;
    mpg123_delete(has->decoder);
    delete has;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI acmStreamSize(HACMSTREAM has, DWORD cbInput, LPDWORD pdwOutputBytes,
                              DWORD fdwSize) {
    if (!has) return MMSYSERR_INVALHANDLE;
    if (!pdwOutputBytes) return MMSYSERR_INVALPARAM;
    const DWORD pcmFrameBytes = kFrameSamples * has->blockAlign;
    uint64_t frames;
    if (fdwSize == ACM_STREAMSIZEF_SOURCE) { // MP3 bytes in: PCM bytes out
        frames = (static_cast<uint64_t>(cbInput) + has->codedFrameBytes - 1) / has->codedFrameBytes;
        *pdwOutputBytes = static_cast<DWORD>(frames * pcmFrameBytes);
    } else if (fdwSize == ACM_STREAMSIZEF_DESTINATION) { // PCM bytes wanted: MP3 bytes in
        frames = cbInput / pcmFrameBytes;
        *pdwOutputBytes = static_cast<DWORD>(frames * has->codedFrameBytes);
    } else {
        return MMSYSERR_INVALFLAG;
    }
    return frames == 0 || frames * pcmFrameBytes > 0xFFFFFFFFu ? ACMERR_NOTPOSSIBLE
                                                               : MMSYSERR_NOERROR;
}

MMRESULT WINAPI acmStreamPrepareHeader(HACMSTREAM has, LPACMSTREAMHEADER pash, DWORD) {
    if (!has) return MMSYSERR_INVALHANDLE;
    if (!pash || pash->cbStruct < sizeof(ACMSTREAMHEADER)) return MMSYSERR_INVALPARAM;
    pash->fdwStatus |= ACMSTREAMHEADER_STATUSF_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI acmStreamUnprepareHeader(HACMSTREAM has, LPACMSTREAMHEADER pash, DWORD) {
    if (!has) return MMSYSERR_INVALHANDLE;
    if (!pash) return MMSYSERR_INVALPARAM;
    if (!(pash->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED)) return ACMERR_UNPREPARED;
    pash->fdwStatus &= ~static_cast<DWORD>(ACMSTREAMHEADER_STATUSF_PREPARED);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI acmStreamConvert(HACMSTREAM has, LPACMSTREAMHEADER pash, DWORD fdwConvert) {
    if (!has) return MMSYSERR_INVALHANDLE;
    if (!pash) return MMSYSERR_INVALPARAM;
    if (!(pash->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED)) return ACMERR_UNPREPARED;
    pash->fdwStatus &= ~static_cast<DWORD>(ACMSTREAMHEADER_STATUSF_DONE);
    pash->cbSrcLengthUsed = pash->cbDstLengthUsed = 0;
    // A new stream: what the decoder held is dropped.
    if ((fdwConvert & ACM_STREAMCONVERTF_START) &&
        (mpg123_close(has->decoder) != MPG123_OK || mpg123_open_feed(has->decoder) != MPG123_OK))
        return MMSYSERR_ERROR;
    if (pash->cbSrcLength > 0 &&
        mpg123_feed(has->decoder, pash->pbSrc, pash->cbSrcLength) != MPG123_OK)
        return MMSYSERR_ERROR;
    pash->cbSrcLengthUsed = pash->cbSrcLength;
    // Whole sample frames only, so that a frame is never split between two
    // conversions.
    const size_t room = pash->cbDstLength - pash->cbDstLength % has->blockAlign;
    size_t filled = 0;
    for (;;) {
        size_t done = 0;
        const int code = mpg123_read(has->decoder, pash->pbDst + filled, room - filled, &done);
        filled += done;
        if (code == MPG123_NEED_MORE || code == MPG123_DONE || filled == room) break;
        if (code != MPG123_OK && code != MPG123_NEW_FORMAT) return MMSYSERR_ERROR;
    }
    pash->cbDstLengthUsed = static_cast<DWORD>(filled);
    pash->fdwStatus |= ACMSTREAMHEADER_STATUSF_DONE;
    return MMSYSERR_NOERROR;
}
