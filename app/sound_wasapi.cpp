// sound_wasapi.cpp -- the music streamed into WASAPI's shared stream on the
// default device, refilled as it plays. On Windows its clock's position is
// the sample being played out of the device.
//
// Not under Wine (ntdll exports wine_get_version): there the position is a
// count of its PulseAudio driver's timer ticks, a device period each, which
// falls behind the sound when the ticks come late (by 20 to 60 ms at each
// start on a busy machine, measured), and no call tells what the sound
// server holds. But its Start hands the server what it holds and uncorks
// the stream, and Stop corks it: the server plays from Start to Stop on the
// same clock as the performance counter. So under Wine the sound heard is
// the time played, as the performance counter measures it.
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
    if (underWine) {
        const int64_t ticks = playedTicks + (startedAt != 0 ? Counter() - startedAt : 0);
        *heard = static_cast<uint64_t>(ticks) * MUS_RATE / counterRate.QuadPart;
    } else {
        *heard = position * MUS_RATE / frequency;
    }
    return Refill();
}

const SoundOutput output = {Play, Update};

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
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, MUS_CHANNELS, MUS_RATE, MUS_RATE * kFrameBytes,
                           kFrameBytes, 16, 0};
    IMMDevice* device = NULL;
    const int opened =
        devices->GetDefaultAudioEndpoint(eRender, eConsole, &device) == S_OK &&
        device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, NULL,
                         reinterpret_cast<void**>(&client)) == S_OK &&
        client->Initialize(AUDCLNT_SHAREMODE_SHARED,
                           AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM |
                               AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY,
                           kBufferTime, 0, &format, NULL) == S_OK &&
        client->GetBufferSize(&bufferFrames) == S_OK &&
        client->GetService(__uuidof(IAudioRenderClient), reinterpret_cast<void**>(&render)) ==
            S_OK &&
        client->GetService(__uuidof(IAudioClock), reinterpret_cast<void**>(&clock)) == S_OK &&
        clock->GetFrequency(&frequency) == S_OK && frequency != 0 && Refill();
    if (device) device->Release();
    devices->Release();
    if (!opened) return NULL;
    underWine = UnderWine();
    QueryPerformanceFrequency(&counterRate);
    return &output;
}
