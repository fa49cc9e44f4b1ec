// sound_wasapi.cpp -- the music streamed into WASAPI's shared stream on the
// default device, refilled as it plays. On Windows its clock's position is
// the sample being played out of the device.
//
// Under Wine (ntdll exports wine_get_version) neither of the two figures a
// program has is the sound heard, but each bounds it from above:
// - the time played: Wine's Start hands the sound server what it holds and
//   uncorks the stream, and Stop corks it, so the server plays at most from
//   Start to Stop, by the performance counter (which is its clock);
// - the position plus a device period: Wine's PulseAudio driver counts a
//   period as played at each tick of its timer, when it hands it on.
// Started on time, the sound is heard within a few ms of the time played
// (measured); but when the server starts late, or Wine's ticks come late on
// a busy machine, its position holds back with it (by 40 to 250 ms,
// measured), so the clock takes the lesser. What the server and its device
// hold after that, Wine tells no program.
#include "app/sound.h"

#include <windows.h>

#include <audioclient.h>
#include <mmdeviceapi.h>

#include "common/music.h"

namespace {

const UINT32 kFrameBytes = MUS_CHANNELS * sizeof(int16_t);
const REFERENCE_TIME kBufferTime = 5000000; // half a second ahead, in 100 ns

IAudioClient* client;
IAudioRenderClient* render;
IAudioClock* clock;
UINT32 bufferFrames;
UINT64 frequency;     // the clock's units a second
uint64_t written;     // sample frames given to the stream since the start
// Under Wine: performance-counter ticks played before the last Start, and
// the counter at that Start (0 while stopped).
int underWine;
LARGE_INTEGER counterRate;
int64_t playedTicks, startedAt;
uint64_t periodFrames; // the device's period

int Refill(void) {
    UINT32 padding;
    if (client->GetCurrentPadding(&padding) != S_OK) return 0;
    const UINT32 frames = bufferFrames - padding;
    if (frames == 0) return 1;
    BYTE* data;
    if (render->GetBuffer(frames, &data) != S_OK) return 0;
    const int filled = CLK_Fill(written * kFrameBytes, data, frames * kFrameBytes);
    if (render->ReleaseBuffer(frames, 0) != S_OK || !filled) return 0;
    written += frames;
    return 1;
}

int64_t Counter(void) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

int Play(int on) {
    const HRESULT result = on ? client->Start() : client->Stop();
    if (on) {
        startedAt = Counter();
    } else if (startedAt != 0) {
        playedTicks += Counter() - startedAt;
        startedAt = 0;
    }
    return result == S_OK || result == S_FALSE;
}

int Update(uint64_t* heard) {
    UINT64 position, time;
    if (clock->GetPosition(&position, &time) != S_OK) return 0;
    *heard = position * MUS_RATE / frequency;
    if (underWine) {
        const int64_t ticks = playedTicks + (startedAt != 0 ? Counter() - startedAt : 0);
        const uint64_t played = static_cast<uint64_t>(ticks) * MUS_RATE / counterRate.QuadPart;
        *heard = played < *heard + periodFrames ? played : *heard + periodFrames;
    }
    return Refill();
}

// WASAPI tells a lost device (AUDCLNT_E_DEVICE_INVALIDATED from its calls),
// not one that stands.
int Alive(void) {
    return 0;
}

void Close(void) {
    client->Stop();
    clock->Release();
    render->Release();
    client->Release();
    clock = NULL;
    render = NULL;
    client = NULL;
}

const SoundOutput output = {Play, Update, Alive, Close};

int UnderWine(void) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != NULL && GetProcAddress(ntdll, "wine_get_version") != NULL;
}

} // namespace

const SoundOutput* SND_OpenWasapi(int* present) {
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IMMDeviceEnumerator* devices = NULL;
    *present = CoCreateInstance(__uuidof(MMDeviceEnumerator), NULL, CLSCTX_ALL,
                                __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(&devices)) == S_OK;
    if (!*present) return NULL;
    written = 0;
    playedTicks = startedAt = 0;
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, MUS_CHANNELS, MUS_RATE, MUS_RATE * kFrameBytes,
                           kFrameBytes, 16, 0};
    IMMDevice* device = NULL;
    REFERENCE_TIME period = 0;
    const int opened =
        devices->GetDefaultAudioEndpoint(eRender, eConsole, &device) == S_OK &&
        device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, NULL,
                         reinterpret_cast<void**>(&client)) == S_OK &&
        client->Initialize(AUDCLNT_SHAREMODE_SHARED,
                           AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM |
                               AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY,
                           kBufferTime, 0, &format, NULL) == S_OK &&
        client->GetBufferSize(&bufferFrames) == S_OK &&
        client->GetDevicePeriod(&period, NULL) == S_OK &&
        client->GetService(__uuidof(IAudioRenderClient), reinterpret_cast<void**>(&render)) ==
            S_OK &&
        client->GetService(__uuidof(IAudioClock), reinterpret_cast<void**>(&clock)) == S_OK &&
        clock->GetFrequency(&frequency) == S_OK && frequency != 0 && Refill();
    if (device) device->Release();
    devices->Release();
    if (!opened) return NULL;
    underWine = UnderWine();
    QueryPerformanceFrequency(&counterRate);
    periodFrames = static_cast<uint64_t>(period) * MUS_RATE / 10000000;
    return &output;
}
