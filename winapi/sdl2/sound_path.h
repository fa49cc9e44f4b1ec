// sound_path.h -- what plays DirectSound's one streaming buffer: the sound
// server through libpulse (sound_pulse.cpp), or, where no server answers,
// SDL2's own audio, which plays to ALSA (sound_sdl.cpp). dsound.cpp picks
// one and keeps the buffer's bytes; a path takes them in order, from its
// own thread, and tells the byte being heard.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The circular buffer of samples as the program fills it.
struct SoundRing {
    std::vector<uint8_t> bytes;
    bool started = false; // played once: the ring holds the music from then on
    uint64_t taken = 0;   // bytes handed on to the path, unwrapped

    // Hands on the next `count` bytes, in at most two pieces round the end.
    template <typename Sink> bool Take(size_t count, Sink sink) {
        while (count > 0) {
            const size_t at = taken % bytes.size(), n = std::min(bytes.size() - at, count);
            if (!sink(bytes.data() + at, n)) return false;
            taken += n;
            count -= n;
        }
        return true;
    }
};

class SoundPath {
  public:
    virtual ~SoundPath() = default;
    // The ring is shared with the path's thread: held from the buffer's Lock
    // to its Unlock, and around each call below.
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    // The stream or its server has failed.
    virtual bool Lost() = 0;
    // The ring's byte being heard, unwrapped: never going back, at most
    // `taken`.
    virtual uint64_t Heard() = 0;
    // Pauses (true) or plays. False when lost.
    virtual bool Cork(bool cork) = 0;
    // What plays, for the user.
    virtual std::string Name() const = 0;
};

// Each null when it cannot play; the sample format is 16-bit little-endian.
std::unique_ptr<SoundPath> OpenPulsePath(SoundRing& ring, uint32_t rate, int channels);
std::unique_ptr<SoundPath> OpenSdlPath(SoundRing& ring, uint32_t rate, int channels);
