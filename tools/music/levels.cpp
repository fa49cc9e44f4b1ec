// levels.cpp -- each step's loudness from a Hann window of 2048 samples
// centred on it: overall its RMS, each band the RMS of the spectrum's bins
// within it (libavutil's real FFT, av_tx), both in dB of full scale mapped
// from -60..0 to 0..255.
#include "levels.h"

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/tx.h>
}

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWindow = 2048, kRate = 48000, kStep = kRate / kLevelsPerSecond;
// The bands' edges in Hz: about an octave each, 40 Hz to 16 kHz.
constexpr double kEdges[kLevelBands + 1] = {40, 85, 180, 380, 800, 1700, 3600, 7600, 16000};

uint8_t Level(double rms) {
    const double db = rms > 0 ? 20.0 * std::log10(rms) : -120.0;
    return static_cast<uint8_t>(std::lround(std::clamp((db + 60.0) / 60.0, 0.0, 1.0) * 255.0));
}

} // namespace

std::vector<uint8_t> MusicLevels(const std::vector<int16_t>& samples) {
    AVTXContext* fft = nullptr;
    av_tx_fn transform = nullptr;
    const float scale = 1.0f;
    if (av_tx_init(&fft, &transform, AV_TX_FLOAT_RDFT, 0, kWindow, &scale, 0) < 0) return {};
    // The transform's buffers as libavutil aligns them for its SIMD.
    float* in = static_cast<float*>(av_malloc(sizeof(float) * (kWindow + 2)));
    auto* out = static_cast<AVComplexFloat*>(av_malloc(sizeof(AVComplexFloat) * (kWindow / 2 + 1)));
    std::vector<float> window(kWindow);
    double windowPower = 0;
    for (int i = 0; i < kWindow; ++i) {
        window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * M_PI * i / kWindow));
        windowPower += static_cast<double>(window[i]) * window[i];
    }
    const int64_t frames = static_cast<int64_t>(samples.size() / 2);
    std::vector<uint8_t> levels;
    for (int64_t at = 0; at < frames; at += kStep) {
        double power = 0;
        for (int i = 0; i < kWindow; ++i) {
            const int64_t f = at - kWindow / 2 + i;
            const double mono = f >= 0 && f < frames ? (samples[2 * f] + samples[2 * f + 1]) / 65536.0 : 0.0;
            power += mono * mono;
            in[i] = static_cast<float>(mono) * window[i];
        }
        transform(fft, out, in, sizeof(float)); // the stride: one input sample
        for (uint32_t band = 0; band < kLevelBands; ++band) {
            const int low = static_cast<int>(kEdges[band] * kWindow / kRate);
            const int high = std::max(low + 1, static_cast<int>(kEdges[band + 1] * kWindow / kRate));
            double sum = 0;
            for (int bin = low; bin < high; ++bin)
                sum += static_cast<double>(out[bin].re) * out[bin].re + static_cast<double>(out[bin].im) * out[bin].im;
            // Parseval: a full-scale sine in the band reads about 0 dB.
            levels.push_back(Level(std::sqrt(2.0 * sum / (windowPower * kWindow))));
        }
        levels.push_back(Level(std::sqrt(power / kWindow)));
    }
    av_free(in);
    av_free(out);
    av_tx_uninit(&fft);
    return levels;
}
