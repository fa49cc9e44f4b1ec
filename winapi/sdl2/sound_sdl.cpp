// sound_sdl.cpp -- the ring played by SDL2's own audio where no sound server
// answers: SDL's ALSA driver (or whichever of its drivers works), its
// callback taking the ring's bytes in order on SDL's audio thread. SDL tells
// no device delay; the byte heard is what it has taken less its two
// buffers (the one it has just filled and the one the device plays),
// moved on by the time since it took the last. What ALSA holds beyond them
// is not counted.
#include "winapi/sdl2/sound_path.h"

#include <SDL.h>

#include <cstring>

namespace {

// SDL's buffer, in sample frames: about 21 ms at 48 kHz.
constexpr Uint16 kBufferFrames = 1024;

class SdlPath : public SoundPath {
  public:
    explicit SdlPath(SoundRing& ring) : ring_(ring) {}

    ~SdlPath() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open(uint32_t rate, int channels) {
        initialised_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!initialised_) return false;
        SDL_AudioSpec want{}, have{};
        want.freq = static_cast<int>(rate);
        want.format = AUDIO_S16LSB;
        want.channels = static_cast<Uint8>(channels);
        want.samples = kBufferFrames;
        want.callback = Fill;
        want.userdata = this;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0); // the format as asked
        if (device_ == 0) return false;
        bufferBytes_ = have.size;
        bytesPerSecond_ = rate * static_cast<uint32_t>(channels) * sizeof(int16_t);
        return true;
    }

    void Lock() override { SDL_LockAudioDevice(device_); }
    void Unlock() override { SDL_UnlockAudioDevice(device_); }

    bool Lost() override { return SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED; }

    uint64_t Heard() override {
        const uint64_t held = 2 * static_cast<uint64_t>(bufferBytes_);
        if (handed_ >= held) {
            const double since = static_cast<double>(SDL_GetPerformanceCounter() - handedAt_) /
                                 static_cast<double>(SDL_GetPerformanceFrequency());
            uint64_t moved = static_cast<uint64_t>(since * bytesPerSecond_) & ~uint64_t(3);
            if (moved > bufferBytes_) moved = bufferBytes_;
            heard_ = std::max(heard_, std::min(handed_ - held + moved, ring_.taken));
        }
        return heard_;
    }

    bool Cork(bool cork) override {
        if (Lost()) return false;
        SDL_PauseAudioDevice(device_, cork ? 1 : 0);
        return true;
    }

    std::string Name() const override {
        return std::string("SDL2's ") + SDL_GetCurrentAudioDriver() +
               " driver (no sound server answers)";
    }

  private:
    // SDL's audio thread, with the device locked.
    static void SDLCALL Fill(void* user, Uint8* out, int bytes) {
        SdlPath& path = *static_cast<SdlPath*>(user);
        if (!path.ring_.started) {
            memset(out, 0, static_cast<size_t>(bytes));
            return;
        }
        path.ring_.Take(static_cast<size_t>(bytes), [&out](const uint8_t* data, size_t n) {
            memcpy(out, data, n);
            out += n;
            return true;
        });
        path.handed_ = path.ring_.taken;
        path.handedAt_ = SDL_GetPerformanceCounter();
    }

    SoundRing& ring_;
    bool initialised_ = false;
    SDL_AudioDeviceID device_ = 0;
    uint32_t bufferBytes_ = 0;
    uint32_t bytesPerSecond_ = 0;
    uint64_t handed_ = 0; // ring.taken after SDL's last callback
    Uint64 handedAt_ = 0; // the performance counter then
    uint64_t heard_ = 0;
};

} // namespace

std::unique_ptr<SoundPath> OpenSdlPath(SoundRing& ring, uint32_t rate, int channels) {
    // A machine without a sound device says so (ALSA's lines on stderr) at
    // the first try: there is no second.
    static bool failed = false;
    if (failed) return nullptr;
    auto path = std::make_unique<SdlPath>(ring);
    if (path->Open(rate, channels)) return path;
    failed = true;
    return nullptr;
}
