// dsound.cpp -- DirectSound's one streaming buffer over the sound server
// (PulseAudio, or PipeWire's PulseAudio server), through libpulse: the
// server asks for the circular buffer's bytes in order, and the play cursor
// is the byte being heard, as the server tells it: its playback time, which
// counts what it and the sink still hold, interpolated between its timing
// updates. A latency that changes (a device that holds more, or
// PULSE_LATENCY_MSEC) is followed as the server reports it.
#include "winapi/sdl2/standin.h"

#include <dsound.h>

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <cstring>
#include <vector>

struct SoundBufferImpl {
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    std::vector<uint8_t> ring;
    size_t bytesPerSecond = 0;
    bool started = false; // played once: the ring holds the music from then on
    uint64_t taken = 0;   // bytes written to the server, unwrapped
    uint64_t heard = 0;   // the byte heard when last asked, never going back
};

namespace {

constexpr HRESULT kInvalidParam = HRESULT(0x80070057u); // E_INVALIDARG
// What the stream asks the server to hold: about two of SDL's usual device
// buffers. PULSE_LATENCY_MSEC, or the device, may make it more.
constexpr pa_usec_t kTargetLatency = 40 * PA_USEC_PER_MSEC;

DirectSoundImpl* const kDevice = nullptr;
IDirectSound8 sound{kDevice};
SoundBufferImpl streaming;
IDirectSoundBuffer soundBuffer{&streaming};

// The mainloop's thread, with the loop locked: the server wants `bytes` more.
// Nothing before the first Play, which writes what is wanted by then.
void Write(pa_stream* stream, size_t bytes, void* user) {
    SoundBufferImpl& b = *static_cast<SoundBufferImpl*>(user);
    if (!b.started) return;
    const size_t size = b.ring.size();
    while (bytes > 0) {
        const size_t at = b.taken % size, n = std::min(size - at, bytes);
        if (pa_stream_write(stream, b.ring.data() + at, n, nullptr, 0, PA_SEEK_RELATIVE) != 0)
            return;
        b.taken += n;
        bytes -= n;
    }
}

void Signal(void* user) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(user), 0);
}

void ContextChanged(pa_context*, void* loop) {
    Signal(loop);
}

void StreamChanged(pa_stream*, void* loop) {
    Signal(loop);
}

void Done(pa_stream*, int, void*) {}

// With the loop locked.
bool Lost(const SoundBufferImpl& b) {
    return !PA_CONTEXT_IS_GOOD(pa_context_get_state(b.context)) ||
           !PA_STREAM_IS_GOOD(pa_stream_get_state(b.stream));
}

bool Connect(SoundBufferImpl& b, const WAVEFORMATEX& format) {
    b.loop = pa_threaded_mainloop_new();
    if (!b.loop) return false;
    b.context = pa_context_new(pa_threaded_mainloop_get_api(b.loop), "ffxdemo");
    if (!b.context) return false;
    pa_context_set_state_callback(b.context, ContextChanged, b.loop);
    if (pa_context_connect(b.context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    pa_threaded_mainloop_lock(b.loop);
    if (pa_threaded_mainloop_start(b.loop) < 0) {
        pa_threaded_mainloop_unlock(b.loop);
        return false;
    }
    pa_context_state_t state;
    while ((state = pa_context_get_state(b.context)) != PA_CONTEXT_READY &&
           PA_CONTEXT_IS_GOOD(state))
        pa_threaded_mainloop_wait(b.loop);
    bool ok = state == PA_CONTEXT_READY;
    const pa_sample_spec samples{PA_SAMPLE_S16LE, format.nSamplesPerSec,
                              static_cast<uint8_t>(format.nChannels)};
    if (ok) {
        b.stream = pa_stream_new(b.context, "music", &samples, nullptr);
        ok = b.stream != nullptr;
    }
    if (ok) {
        pa_stream_set_state_callback(b.stream, StreamChanged, b.loop);
        pa_stream_set_write_callback(b.stream, Write, &b);
        pa_buffer_attr attr;
        attr.maxlength = UINT32_MAX;
        attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(kTargetLatency, &samples));
        attr.prebuf = UINT32_MAX;
        attr.minreq = UINT32_MAX;
        attr.fragsize = UINT32_MAX;
        const auto flags = pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_INTERPOLATE_TIMING |
                                             PA_STREAM_AUTO_TIMING_UPDATE |
                                             PA_STREAM_ADJUST_LATENCY);
        pa_stream_state_t s = PA_STREAM_UNCONNECTED;
        ok = pa_stream_connect_playback(b.stream, nullptr, &attr, flags, nullptr, nullptr) == 0;
        while (ok && (s = pa_stream_get_state(b.stream)) != PA_STREAM_READY) {
            ok = PA_STREAM_IS_GOOD(s) && PA_CONTEXT_IS_GOOD(pa_context_get_state(b.context));
            if (ok) pa_threaded_mainloop_wait(b.loop);
        }
    }
    pa_threaded_mainloop_unlock(b.loop);
    return ok;
}

// Ends what Connect began, whatever it reached.
void Disconnect(SoundBufferImpl& b) {
    if (b.loop) pa_threaded_mainloop_stop(b.loop);
    if (b.stream) pa_stream_unref(b.stream);
    if (b.context) {
        pa_context_disconnect(b.context);
        pa_context_unref(b.context);
    }
    if (b.loop) pa_threaded_mainloop_free(b.loop);
    b = SoundBufferImpl{};
}

// With the loop locked: the byte being heard. The server's playback time
// stands while corked and before its first timing report.
uint64_t Heard(SoundBufferImpl& b) {
    pa_usec_t time = 0;
    if (pa_stream_get_time(b.stream, &time) == 0) {
        const uint64_t at = pa_usec_to_bytes(time, pa_stream_get_sample_spec(b.stream));
        b.heard = std::max(b.heard, std::min(at, b.taken));
    }
    return b.heard;
}

// With the loop locked: gives the server what it has asked for so far
// (before the first Play, nothing was given).
void TopUp(SoundBufferImpl& b) {
    const size_t room = pa_stream_writable_size(b.stream);
    if (room != static_cast<size_t>(-1)) Write(b.stream, room, &b);
}

HRESULT Cork(SoundBufferImpl& b, int cork) {
    pa_threaded_mainloop_lock(b.loop);
    const bool lost = Lost(b);
    if (!lost) {
        b.started = b.started || !cork;
        TopUp(b);
        Heard(b);
        pa_operation* done = pa_stream_cork(b.stream, cork, Done, nullptr);
        if (done) pa_operation_unref(done);
    }
    pa_threaded_mainloop_unlock(b.loop);
    return lost ? DSERR_NODRIVER : DS_OK;
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
    if (streaming.loop) return DSERR_NODRIVER; // one buffer is all the framework makes
    streaming.ring.assign(desc->dwBufferBytes, 0);
    if (!Connect(streaming, *format)) {
        Disconnect(streaming);
        return DSERR_NODRIVER;
    }
    *out = &soundBuffer;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::GetCurrentPosition(DWORD* play, DWORD* write) {
    pa_threaded_mainloop_lock(impl->loop);
    const bool lost = Lost(*impl);
    const uint64_t heard = Heard(*impl), taken = impl->taken;
    pa_threaded_mainloop_unlock(impl->loop);
    if (lost) return DSERR_NODRIVER;
    const size_t size = impl->ring.size();
    if (play) *play = static_cast<DWORD>(heard % size);
    if (write) *write = static_cast<DWORD>(taken % size);
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* bytes1,
                                        LPVOID* part2, DWORD* bytes2, DWORD) {
    const DWORD size = static_cast<DWORD>(impl->ring.size());
    if (offset >= size || bytes > size) return kInvalidParam;
    pa_threaded_mainloop_lock(impl->loop); // until Unlock
    *part1 = impl->ring.data() + offset;
    *bytes1 = std::min(bytes, size - offset);
    *part2 = bytes > *bytes1 ? impl->ring.data() : nullptr;
    *bytes2 = bytes - *bytes1;
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Unlock(LPVOID, DWORD, LPVOID, DWORD) {
    pa_threaded_mainloop_unlock(impl->loop);
    return DS_OK;
}

HRESULT WINAPI IDirectSoundBuffer::Play(DWORD, DWORD, DWORD) {
    return Cork(*impl, 0);
}

HRESULT WINAPI IDirectSoundBuffer::Stop(void) {
    return Cork(*impl, 1);
}

HRESULT WINAPI IDirectSoundBuffer::Restore(void) {
    pa_threaded_mainloop_lock(impl->loop);
    const bool lost = Lost(*impl);
    pa_threaded_mainloop_unlock(impl->loop);
    return lost ? DSERR_NODRIVER : DS_OK;
}

// The stream and its connection closed: the program may make another.
ULONG WINAPI IDirectSoundBuffer::Release(void) {
    Disconnect(*impl);
    return 0;
}

ULONG WINAPI IDirectSound8::Release(void) {
    return 0;
}
