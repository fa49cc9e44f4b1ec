// dsound.cpp -- DirectSound's one streaming buffer over SDL2's audio (and so
// PulseAudio or PipeWire). SDL's callback takes the circular buffer's bytes
// in order; the play cursor is the byte being heard: what the callback has
// taken, less what waits in the device's queue, advanced by the clock
// between two callbacks.
#include "winapi/sdl2/standin.h"

#include <dsound.h>

#include <algorithm>
#include <cstring>
#include <vector>

struct SoundBufferImpl {
    SDL_AudioDeviceID device = 0;
    std::vector<uint8_t> ring;
    double bytesPerTick = 0; // bytes heard per performance-counter tick
    int64_t queued = 0;      // bytes taken but not heard yet: the output's latency
    bool playing = false;
    bool started = false; // SDL's device unpaused
    uint64_t taken = 0;   // bytes the callback has taken, unwrapped
    // The byte heard: `anchor` at `anchorTime`, moving on while playing, never
    // past `limit` (what the device holds) and never back.
    double anchor = 0, limit = 0, heard = 0;
    uint64_t anchorTime = 0;
};

namespace {

constexpr HRESULT kInvalidParam = HRESULT(0x80070057u); // E_INVALIDARG
constexpr int kDeviceSamples = 1024;                    // 21 ms at 48 kHz

DirectSoundImpl* const kDevice = nullptr;
IDirectSound8 sound{kDevice};
SoundBufferImpl streaming;
IDirectSoundBuffer soundBuffer{&streaming};

// SDL's audio thread, with the device locked.
void SDLCALL Take(void* user, Uint8* out, int length) {
    SoundBufferImpl& b = *static_cast<SoundBufferImpl*>(user);
    if (!b.playing) {
        std::memset(out, 0, static_cast<size_t>(length));
        return;
    }
    const size_t size = b.ring.size();
    for (size_t done = 0; done < static_cast<size_t>(length);) {
        const size_t at = (b.taken + done) % size;
        const size_t n = std::min(size - at, static_cast<size_t>(length) - done);
        std::memcpy(out + done, b.ring.data() + at, n);
        done += n;
    }
    b.anchor = static_cast<double>(b.taken) - b.queued;
    b.anchorTime = SDL_GetPerformanceCounter();
    b.taken += static_cast<uint64_t>(length);
    b.limit = static_cast<double>(b.taken) - b.queued;
}

// With the device locked.
double Heard(SoundBufferImpl& b) {
    if (b.playing) {
        const double moved = (SDL_GetPerformanceCounter() - b.anchorTime) * b.bytesPerTick;
        b.heard = std::max(b.heard, std::min(b.anchor + moved, b.limit));
    }
    return b.heard;
}

bool Lost(const SoundBufferImpl& b) {
    return b.started && SDL_GetAudioDeviceStatus(b.device) == SDL_AUDIO_STOPPED;
}

} // namespace

HRESULT WINAPI DirectSoundCreate8(LPCGUID, LPDIRECTSOUND8* ppDS8, IUnknown*) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return DSERR_NODRIVER;
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
    if (streaming.device != 0) return DSERR_NODRIVER; // one buffer is all the framework makes
    SDL_AudioSpec want{}, have{};
    want.freq = static_cast<int>(format->nSamplesPerSec);
    want.format = AUDIO_S16LSB;
    want.channels = static_cast<Uint8>(format->nChannels);
    want.samples = kDeviceSamples;
    want.callback = Take;
    want.userdata = &streaming;
    streaming.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (streaming.device == 0) return DSERR_NODRIVER;
    streaming.ring.assign(desc->dwBufferBytes, 0);
    streaming.bytesPerTick =
        static_cast<double>(format->nAvgBytesPerSec) / SDL_GetPerformanceFrequency();
    // The callback fills the device's next buffer while the sound server
    // plays about one: the bytes taken are heard a buffer later.
    streaming.queued = int64_t(have.samples) / 2 * format->nBlockAlign;
    *out = &soundBuffer;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::GetCurrentPosition(DWORD* play, DWORD* write) {
    if (Lost(*impl)) return DSERR_NODRIVER;
    SDL_LockAudioDevice(impl->device);
    const uint64_t heard = static_cast<uint64_t>(std::max(0.0, Heard(*impl)));
    const uint64_t taken = impl->taken;
    SDL_UnlockAudioDevice(impl->device);
    const size_t size = impl->ring.size();
    if (play) *play = static_cast<DWORD>(heard % size);
    if (write) *write = static_cast<DWORD>(taken % size);
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* bytes1,
                                        LPVOID* part2, DWORD* bytes2, DWORD) {
    const DWORD size = static_cast<DWORD>(impl->ring.size());
    if (offset >= size || bytes > size) return kInvalidParam;
    SDL_LockAudioDevice(impl->device); // until Unlock
    *part1 = impl->ring.data() + offset;
    *bytes1 = std::min(bytes, size - offset);
    *part2 = bytes > *bytes1 ? impl->ring.data() : nullptr;
    *bytes2 = bytes - *bytes1;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Unlock(LPVOID, DWORD, LPVOID, DWORD) {
    SDL_UnlockAudioDevice(impl->device);
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Play(DWORD, DWORD, DWORD) {
    if (Lost(*impl)) return DSERR_NODRIVER;
    SDL_LockAudioDevice(impl->device);
    impl->playing = true;
    impl->anchor = impl->limit = impl->heard;
    impl->anchorTime = SDL_GetPerformanceCounter();
    SDL_UnlockAudioDevice(impl->device);
    if (!impl->started) SDL_PauseAudioDevice(impl->device, 0);
    impl->started = true;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Stop(void) {
    SDL_LockAudioDevice(impl->device);
    Heard(*impl);
    impl->playing = false;
    SDL_UnlockAudioDevice(impl->device);
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Restore(void) {
    return Lost(*impl) ? DSERR_NODRIVER : DS_OK;
}
