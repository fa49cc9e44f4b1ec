// decode.cpp -- a music file to 48 kHz stereo 16-bit samples: libavformat
// reads it, libavcodec decodes it, libswresample converts it.
#include "decode.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace {

constexpr int kRate = 48000;

std::string AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(code, text, sizeof text);
    return text;
}

struct Decoder {
    AVFormatContext* container = nullptr;
    AVCodecContext* codec = nullptr;
    SwrContext* resampler = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int stream = -1;
    ~Decoder() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        swr_free(&resampler);
        avcodec_free_context(&codec);
        avformat_close_input(&container);
    }
};

bool Open(Decoder& d, const std::string& path, std::string& error) {
    int code = avformat_open_input(&d.container, path.c_str(), nullptr, nullptr);
    if (code < 0) {
        error = "cannot open it: " + AvError(code);
        return false;
    }
    code = avformat_find_stream_info(d.container, nullptr);
    if (code < 0) {
        error = "cannot read it: " + AvError(code);
        return false;
    }
    const AVCodec* codec = nullptr;
    d.stream = av_find_best_stream(d.container, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (d.stream < 0) {
        error = d.stream == AVERROR_DECODER_NOT_FOUND ? "no decoder for its sound"
                                                      : "no sound in it";
        return false;
    }
    d.codec = avcodec_alloc_context3(codec);
    if (!d.codec || avcodec_parameters_to_context(d.codec, d.container->streams[d.stream]->codecpar) < 0 ||
        (code = avcodec_open2(d.codec, codec, nullptr)) < 0) {
        error = "cannot decode it: " + AvError(code);
        return false;
    }
    if (d.codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&d.codec->ch_layout, d.codec->ch_layout.nb_channels);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    code = swr_alloc_set_opts2(&d.resampler, &stereo, AV_SAMPLE_FMT_S16, kRate,
                               &d.codec->ch_layout, d.codec->sample_fmt, d.codec->sample_rate, 0,
                               nullptr);
    if (code < 0 || (code = swr_init(d.resampler)) < 0) {
        error = "cannot convert its sound: " + AvError(code);
        return false;
    }
    return true;
}

// Converts one decoded frame (null: what the resampler still holds).
bool Convert(Decoder& d, const AVFrame* frame, std::vector<int16_t>& samples, std::string& error) {
    const int in = frame ? frame->nb_samples : 0;
    const int room = swr_get_out_samples(d.resampler, in);
    if (room < 0) {
        error = "cannot convert its sound: " + AvError(room);
        return false;
    }
    const size_t at = samples.size();
    samples.resize(at + static_cast<size_t>(room) * 2);
    uint8_t* out = reinterpret_cast<uint8_t*>(samples.data() + at);
    const int made = swr_convert(d.resampler, &out, room,
                                 frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                                 in);
    if (made < 0) {
        error = "cannot convert its sound: " + AvError(made);
        return false;
    }
    samples.resize(at + static_cast<size_t>(made) * 2);
    return true;
}

// Takes every frame the decoder has ready.
bool Drain(Decoder& d, std::vector<int16_t>& samples, std::string& error) {
    for (;;) {
        const int code = avcodec_receive_frame(d.codec, d.frame);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
        if (code < 0) {
            error = "cannot decode it: " + AvError(code);
            return false;
        }
        const bool ok = Convert(d, d.frame, samples, error);
        av_frame_unref(d.frame);
        if (!ok) return false;
    }
}

} // namespace

bool DecodeMusic(const std::string& path, std::vector<int16_t>& samples, std::string& error) {
    av_log_set_level(AV_LOG_QUIET); // failures are reported in one line of our own
    samples.clear();
    Decoder d;
    if (!d.packet || !d.frame) {
        error = "out of memory";
        return false;
    }
    if (!Open(d, path, error)) return false;
    int code;
    while ((code = av_read_frame(d.container, d.packet)) >= 0) {
        const bool ours = d.packet->stream_index == d.stream;
        code = ours ? avcodec_send_packet(d.codec, d.packet) : 0;
        av_packet_unref(d.packet);
        if (code < 0) {
            error = "cannot decode it: " + AvError(code);
            return false;
        }
        if (ours && !Drain(d, samples, error)) return false;
    }
    if (code != AVERROR_EOF) {
        error = "cannot read it: " + AvError(code);
        return false;
    }
    if (avcodec_send_packet(d.codec, nullptr) < 0 || !Drain(d, samples, error) ||
        !Convert(d, nullptr, samples, error))
        return false;
    if (samples.empty()) {
        error = "no sound in it";
        return false;
    }
    return true;
}
