// dsound.cpp -- DirectSound's one streaming buffer over a sound path
// (sound_path.h): the sound server when one answers, else SDL2's audio.
// The play cursor is the byte being heard, as the path tells it; the buffer
// plays while its path's stream lives, and says so (GetStatus), so that a
// position which stands while a device starts or resumes is waited for.
#include "winapi/sdl2/standin.h"

#include <dsound.h>

#include <cstdio>

#include "winapi/sdl2/sound_path.h"

struct SoundBufferImpl {
    SoundRing ring;
    std::unique_ptr<SoundPath> path;
    bool playing = false;
};

namespace {

constexpr HRESULT kInvalidParam = HRESULT(0x80070057u); // E_INVALIDARG

DirectSoundImpl* const kDevice = nullptr;
IDirectSound8 sound{kDevice};
SoundBufferImpl streaming;
IDirectSoundBuffer soundBuffer{&streaming};

// Opens the sound server, or SDL2's audio where none answers, and says
// which plays when it is not the one that played last.
bool Open(SoundBufferImpl& b, const WAVEFORMATEX& format) {
    b.path = OpenPulsePath(b.ring, format.nSamplesPerSec, format.nChannels);
    if (!b.path) b.path = OpenSdlPath(b.ring, format.nSamplesPerSec, format.nChannels);
    if (!b.path) return false;
    static std::string said;
    if (b.path->Name() != said)
        fprintf(stderr, "the music plays through %s\n", b.path->Name().c_str());
    said = b.path->Name();
    return true;
}

HRESULT Cork(SoundBufferImpl& b, bool cork) {
    b.path->Lock();
    if (!cork) b.ring.started = true;
    const bool ok = b.path->Cork(cork);
    if (ok) b.playing = !cork;
    b.path->Unlock();
    return ok ? DS_OK : DSERR_NODRIVER;
}

} // namespace

HRESULT WINAPI DirectSoundCreate8(LPCGUID, LPDIRECTSOUND8* ppDS8, IUnknown*) {
    *ppDS8 = &sound;
    return DS_OK;
}

HRESULT WINAPI IDirectSound8::SetCooperativeLevel(HWND, DWORD) {
    return DS_OK;
}

HRESULT WINAPI IDirectSound8::CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* out,
                                                IUnknown*) {
    const WAVEFORMATEX* format = desc ? desc->lpwfxFormat : nullptr;
    if (!format || format->wFormatTag != WAVE_FORMAT_PCM || format->wBitsPerSample != 16 ||
        desc->dwBufferBytes == 0 || desc->dwBufferBytes % format->nBlockAlign != 0)
        return kInvalidParam;
    if (streaming.path) return DSERR_NODRIVER; // one buffer is all the framework makes
    streaming.ring.bytes.assign(desc->dwBufferBytes, 0);
    if (!Open(streaming, *format)) {
        streaming = SoundBufferImpl{};
        return DSERR_NODRIVER;
    }
    *out = &soundBuffer;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::GetCurrentPosition(DWORD* play, DWORD* write) {
    impl->path->Lock();
    const bool lost = impl->path->Lost();
    const uint64_t heard = impl->path->Heard(), taken = impl->ring.taken;
    impl->path->Unlock();
    if (lost) return DSERR_NODRIVER;
    const size_t size = impl->ring.bytes.size();
    if (play) *play = static_cast<DWORD>(heard % size);
    if (write) *write = static_cast<DWORD>(taken % size);
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::GetStatus(DWORD* status) {
    impl->path->Lock();
    const bool lost = impl->path->Lost();
    impl->path->Unlock();
    *status = lost ? DSBSTATUS_BUFFERLOST : impl->playing ? DSBSTATUS_PLAYING : 0;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* bytes1,
                                        LPVOID* part2, DWORD* bytes2, DWORD) {
    std::vector<uint8_t>& ring = impl->ring.bytes;
    const DWORD size = static_cast<DWORD>(ring.size());
    if (offset >= size || bytes > size) return kInvalidParam;
    impl->path->Lock(); // until Unlock
    *part1 = ring.data() + offset;
    *bytes1 = std::min(bytes, size - offset);
    *part2 = bytes > *bytes1 ? ring.data() : nullptr;
    *bytes2 = bytes - *bytes1;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Unlock(LPVOID, DWORD, LPVOID, DWORD) {
    impl->path->Unlock();
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Play(DWORD, DWORD, DWORD) {
    return Cork(*impl, false);
}

HRESULT WINAPI IDirectSoundBuffer::Stop(void) {
    return Cork(*impl, true);
}

HRESULT WINAPI IDirectSoundBuffer::Restore(void) {
    impl->path->Lock();
    const bool lost = impl->path->Lost();
    impl->path->Unlock();
    return lost ? DSERR_NODRIVER : DS_OK;
}

// The stream and its connection closed: the program may make another.
ULONG WINAPI IDirectSoundBuffer::Release(void) {
    impl->path.reset(); // its thread ended before the ring goes
    *impl = SoundBufferImpl{};
    return 0;
}

ULONG WINAPI IDirectSound8::Release(void) {
    return 0;
}
