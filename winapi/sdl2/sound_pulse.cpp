// sound_pulse.cpp -- the ring played by the sound server (PulseAudio, or
// PipeWire's PulseAudio server) through libpulse: the server asks for the
// ring's bytes in order, and the byte heard is the server's playback time,
// which counts what it and the sink still hold, interpolated between its
// timing updates. A latency that changes (a device that holds more, or
// PULSE_LATENCY_MSEC) is followed as the server reports it; while a sink
// resumes from suspend the time stands, and the stream lives on.
#include "winapi/sdl2/sound_path.h"

#include <pulse/pulseaudio.h>

namespace {

// What the stream asks the server to hold: about two of SDL's usual device
// buffers. PULSE_LATENCY_MSEC, or the device, may make it more.
constexpr pa_usec_t kTargetLatency = 40 * PA_USEC_PER_MSEC;

void Signal(void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

void ContextChanged(pa_context*, void* loop) {
    Signal(loop);
}

void StreamChanged(pa_stream*, void* loop) {
    Signal(loop);
}

void Done(pa_stream*, int, void*) {}

class PulsePath : public SoundPath {
  public:
    explicit PulsePath(SoundRing& ring) : ring_(ring) {}

    ~PulsePath() override {
        if (loop_) pa_threaded_mainloop_stop(loop_);
        if (stream_) pa_stream_unref(stream_);
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        if (loop_) pa_threaded_mainloop_free(loop_);
    }

    bool Connect(uint32_t rate, int channels);

    void Lock() override { pa_threaded_mainloop_lock(loop_); }
    void Unlock() override { pa_threaded_mainloop_unlock(loop_); }

    bool Lost() override {
        return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) ||
               !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
    }

    // The server's playback time stands while corked and before its first
    // timing report.
    uint64_t Heard() override {
        pa_usec_t time = 0;
        if (pa_stream_get_time(stream_, &time) == 0) {
            const uint64_t at = pa_usec_to_bytes(time, pa_stream_get_sample_spec(stream_));
            heard_ = std::max(heard_, std::min(at, ring_.taken));
        }
        return heard_;
    }

    // Playing, it first gives the server what it has asked for so far
    // (before the first Play, nothing was given).
    bool Cork(bool cork) override {
        if (Lost()) return false;
        if (!cork) {
            const size_t room = pa_stream_writable_size(stream_);
            if (room != static_cast<size_t>(-1)) Write(stream_, room, this);
        }
        Heard();
        pa_operation* done = pa_stream_cork(stream_, cork, Done, nullptr);
        if (done) pa_operation_unref(done);
        return true;
    }

    std::string Name() const override { return "the sound server"; }

  private:
    // The mainloop's thread, with the loop locked: the server wants `bytes`
    // more. Nothing before the first Play.
    static void Write(pa_stream* stream, size_t bytes, void* user) {
        SoundRing& ring = static_cast<PulsePath*>(user)->ring_;
        if (!ring.started) return;
        ring.Take(bytes, [stream](const uint8_t* data, size_t n) {
            return pa_stream_write(stream, data, n, nullptr, 0, PA_SEEK_RELATIVE) == 0;
        });
    }

    SoundRing& ring_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    uint64_t heard_ = 0;
};

bool PulsePath::Connect(uint32_t rate, int channels) {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_) return false;
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "ffxdemo");
    if (!context_) return false;
    pa_context_set_state_callback(context_, ContextChanged, loop_);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    Lock();
    if (pa_threaded_mainloop_start(loop_) < 0) {
        Unlock();
        return false;
    }
    pa_context_state_t state;
    while ((state = pa_context_get_state(context_)) != PA_CONTEXT_READY &&
           PA_CONTEXT_IS_GOOD(state))
        pa_threaded_mainloop_wait(loop_);
    bool ok = state == PA_CONTEXT_READY;
    const pa_sample_spec samples{PA_SAMPLE_S16LE, rate, static_cast<uint8_t>(channels)};
    if (ok) {
        stream_ = pa_stream_new(context_, "music", &samples, nullptr);
        ok = stream_ != nullptr;
    }
    if (ok) {
        pa_stream_set_state_callback(stream_, StreamChanged, loop_);
        pa_stream_set_write_callback(stream_, Write, this);
        pa_buffer_attr attr;
        attr.maxlength = UINT32_MAX;
        attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(kTargetLatency, &samples));
        attr.prebuf = UINT32_MAX;
        attr.minreq = UINT32_MAX;
        attr.fragsize = UINT32_MAX;
        const auto flags =
            pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_INTERPOLATE_TIMING |
                              PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
        pa_stream_state_t s = PA_STREAM_UNCONNECTED;
        ok = pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) == 0;
        while (ok && (s = pa_stream_get_state(stream_)) != PA_STREAM_READY) {
            ok = PA_STREAM_IS_GOOD(s) && PA_CONTEXT_IS_GOOD(pa_context_get_state(context_));
            if (ok) pa_threaded_mainloop_wait(loop_);
        }
    }
    Unlock();
    return ok;
}

} // namespace

std::unique_ptr<SoundPath> OpenPulsePath(SoundRing& ring, uint32_t rate, int channels) {
    auto path = std::make_unique<PulsePath>(ring);
    if (!path->Connect(rate, channels)) return nullptr;
    return path;
}
