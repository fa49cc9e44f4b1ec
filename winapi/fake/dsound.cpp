// dsound.cpp -- the fake DirectSound device and its one streaming buffer:
// the buffer's bytes kept, locks checked against it, and a play cursor that
// moves only as far as the test plays the device on, recording what it
// passes as heard.
#include <dsound.h>

#include "winapi/fake/internal.h"

struct DirectSoundImpl {};

struct SoundBufferImpl {
    std::vector<uint8_t> bytes;
    uint32_t cursor = 0; // the play (and write) cursor
    bool playing = false;
    bool looping = false;
    // The parts the last Lock handed out, until Unlock.
    uint8_t* locked1 = nullptr;
    uint8_t* locked2 = nullptr;
    DWORD lockedBytes1 = 0, lockedBytes2 = 0;
};

namespace fake {

namespace {

constexpr HRESULT kInvalidParam = (HRESULT)0x80070057u; // DSERR_INVALIDPARAM
constexpr HRESULT kInvalidCall = MAKE_DSHRESULT(50);    // DSERR_INVALIDCALL

DirectSoundImpl deviceImpl;
IDirectSound8 sound = {&deviceImpl};
SoundBufferImpl bufferImpl;
IDirectSoundBuffer buffer = {&bufferImpl};
std::vector<uint8_t> heard;

std::string describe(const DSBUFFERDESC* desc) {
    std::string text = "dwFlags=" + detail::hex(desc->dwFlags) +
                       ", dwBufferBytes=" + std::to_string(desc->dwBufferBytes);
    const WAVEFORMATEX* f = desc->lpwfxFormat;
    if (f == nullptr) return text + ", lpwfxFormat=NULL";
    return text + ", wFormatTag=" + std::to_string(f->wFormatTag) +
           ", nChannels=" + std::to_string(f->nChannels) +
           ", nSamplesPerSec=" + std::to_string(f->nSamplesPerSec) +
           ", nAvgBytesPerSec=" + std::to_string(f->nAvgBytesPerSec) +
           ", nBlockAlign=" + std::to_string(f->nBlockAlign) +
           ", wBitsPerSample=" + std::to_string(f->wBitsPerSample);
}

// What DirectSound accepts for a PCM buffer: a consistent format and whole
// sample frames.
bool valid(const DSBUFFERDESC* desc) {
    const WAVEFORMATEX* f = desc->lpwfxFormat;
    if (desc->dwSize != sizeof(DSBUFFERDESC) || f == nullptr || f->wFormatTag != WAVE_FORMAT_PCM)
        return false;
    const uint32_t align = f->nChannels * f->wBitsPerSample / 8;
    return align != 0 && f->nBlockAlign == align &&
           f->nAvgBytesPerSec == f->nSamplesPerSec * align && desc->dwBufferBytes >= align &&
           desc->dwBufferBytes % align == 0;
}

} // namespace

void playSound(uint32_t bytes) {
    SoundBufferImpl& b = bufferImpl;
    if (!b.playing || b.bytes.empty()) return;
    for (; bytes > 0 && b.playing; bytes--) {
        heard.push_back(b.bytes[b.cursor]);
        b.cursor = (b.cursor + 1) % (uint32_t)b.bytes.size();
        // Played once, the buffer stops at its end, ready to play again.
        if (b.cursor == 0 && !b.looping) b.playing = false;
    }
}

const std::vector<uint8_t>& heardSound() {
    return heard;
}

void stopSound() {
    bufferImpl.playing = false;
}

Script& Script::playSound(uint32_t bytes) {
    return then([=] { fake::playSound(bytes); });
}

Script& Script::stopSound() {
    return then([] { fake::stopSound(); });
}

} // namespace fake

using namespace fake;
using namespace fake::detail;

HRESULT WINAPI DirectSoundCreate8(LPCGUID pcGuidDevice, LPDIRECTSOUND8* ppDS8,
                                  IUnknown* pUnkOuter) {
    HRESULT result;
    if (enter("DirectSoundCreate8", name(pcGuidDevice) + ", " + name(pUnkOuter), &result))
        return result;
    nameHandle(&sound, "sound");
    *ppDS8 = &sound;
    return DS_OK;
}

HRESULT WINAPI IDirectSound8::SetCooperativeLevel(HWND hwnd, DWORD dwLevel) {
    HRESULT result;
    if (enter("IDirectSound8::SetCooperativeLevel", name(hwnd) + ", " + hex(dwLevel), &result))
        return result;
    return hwnd != NULL && hwnd == window() ? DS_OK : kInvalidParam;
}

// The one buffer the program makes; its bytes start as 0xCD so that what
// was never written shows.
HRESULT WINAPI IDirectSound8::CreateSoundBuffer(LPCDSBUFFERDESC pcDSBufferDesc,
                                                LPDIRECTSOUNDBUFFER* ppDSBuffer,
                                                IUnknown* pUnkOuter) {
    HRESULT result;
    if (enter("IDirectSound8::CreateSoundBuffer", describe(pcDSBufferDesc) + ", " + name(pUnkOuter),
              &result))
        return result;
    if (!valid(pcDSBufferDesc)) return kInvalidParam;
    if (!bufferImpl.bytes.empty()) return kInvalidCall;
    bufferImpl.bytes.assign(pcDSBufferDesc->dwBufferBytes, 0xCD);
    nameHandle(&buffer, "buffer");
    *ppDSBuffer = &buffer;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::GetCurrentPosition(DWORD* pdwCurrentPlayCursor,
                                                      DWORD* pdwCurrentWriteCursor) {
    HRESULT result;
    if (enter("IDirectSoundBuffer::GetCurrentPosition", "", &result)) return result;
    if (pdwCurrentPlayCursor) *pdwCurrentPlayCursor = impl->cursor;
    if (pdwCurrentWriteCursor) *pdwCurrentWriteCursor = impl->cursor;
    return DS_OK;
}

// Hands out the bytes from dwOffset on, in two parts when they run past the
// end of the buffer.
HRESULT WINAPI IDirectSoundBuffer::Lock(DWORD dwOffset, DWORD dwBytes, LPVOID* ppvAudioPtr1,
                                        DWORD* pdwAudioBytes1, LPVOID* ppvAudioPtr2,
                                        DWORD* pdwAudioBytes2, DWORD dwFlags) {
    HRESULT result;
    if (enter("IDirectSoundBuffer::Lock",
              std::to_string(dwOffset) + ", " + std::to_string(dwBytes) + ", " + hex(dwFlags),
              &result))
        return result;
    const DWORD size = (DWORD)impl->bytes.size();
    if (dwOffset >= size || dwBytes == 0 || dwBytes > size) return kInvalidParam;
    impl->locked1 = impl->bytes.data() + dwOffset;
    impl->lockedBytes1 = dwBytes < size - dwOffset ? dwBytes : size - dwOffset;
    impl->lockedBytes2 = dwBytes - impl->lockedBytes1;
    impl->locked2 = impl->lockedBytes2 ? impl->bytes.data() : nullptr;
    *ppvAudioPtr1 = impl->locked1;
    *pdwAudioBytes1 = impl->lockedBytes1;
    if (ppvAudioPtr2) *ppvAudioPtr2 = impl->locked2;
    if (pdwAudioBytes2) *pdwAudioBytes2 = impl->lockedBytes2;
    return DS_OK;
}

// Playing from Play until Stop, or until the device stops by itself.
HRESULT WINAPI IDirectSoundBuffer::GetStatus(DWORD* pdwStatus) {
    HRESULT result;
    if (enter("IDirectSoundBuffer::GetStatus", "", &result)) return result;
    *pdwStatus = impl->playing ? DSBSTATUS_PLAYING : 0;
    return DS_OK;
}

// Takes back what Lock handed out: the same pointers, no more bytes.
HRESULT WINAPI IDirectSoundBuffer::Unlock(LPVOID pvAudioPtr1, DWORD dwAudioBytes1,
                                          LPVOID pvAudioPtr2, DWORD dwAudioBytes2) {
    HRESULT result;
    if (enter("IDirectSoundBuffer::Unlock",
              std::to_string(dwAudioBytes1) + ", " + std::to_string(dwAudioBytes2), &result))
        return result;
    if (impl->locked1 == nullptr || pvAudioPtr1 != impl->locked1 ||
        dwAudioBytes1 > impl->lockedBytes1 || pvAudioPtr2 != impl->locked2 ||
        (pvAudioPtr2 && dwAudioBytes2 > impl->lockedBytes2))
        return kInvalidParam;
    impl->locked1 = impl->locked2 = nullptr;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Play(DWORD dwReserved1, DWORD dwPriority, DWORD dwFlags) {
    HRESULT result;
    if (enter("IDirectSoundBuffer::Play",
              std::to_string(dwReserved1) + ", " + std::to_string(dwPriority) + ", " + hex(dwFlags),
              &result))
        return result;
    impl->playing = true;
    impl->looping = (dwFlags & DSBPLAY_LOOPING) != 0;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Stop(void) {
    HRESULT result;
    if (enter("IDirectSoundBuffer::Stop", "", &result)) return result;
    impl->playing = false;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Restore(void) {
    HRESULT result;
    if (enter("IDirectSoundBuffer::Restore", "", &result)) return result;
    return DS_OK;
}

// The buffer let go: the program may make another.
ULONG WINAPI IDirectSoundBuffer::Release(void) {
    enter("IDirectSoundBuffer::Release", "", nullptr);
    *impl = SoundBufferImpl{};
    return 0;
}

ULONG WINAPI IDirectSound8::Release(void) {
    enter("IDirectSound8::Release", "", nullptr);
    return 0;
}
