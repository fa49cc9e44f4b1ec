// encode.cpp -- samples to MP3 with libavcodec's LAME encoder.
#include "encode.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
}

namespace {

struct Encoder {
    AVCodecContext* codec = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    ~Encoder() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
    }
};

// Appends the packets the encoder has ready, a frame each; counts them.
bool Receive(Encoder& e, std::string& mp3, uint64_t& frames) {
    for (;;) {
        const int code = avcodec_receive_packet(e.codec, e.packet);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
        if (code < 0) return false;
        mp3.append(reinterpret_cast<const char*>(e.packet->data), e.packet->size);
        ++frames;
        av_packet_unref(e.packet);
    }
}

} // namespace

bool EncodeMp3(const std::vector<int16_t>& samples, std::string& mp3, int& delay, uint64_t& decoded,
               std::string& error) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libmp3lame");
    Encoder e;
    if (!codec || !(e.codec = avcodec_alloc_context3(codec)) || !e.frame || !e.packet) {
        error = codec ? "out of memory" : "this FFmpeg has no MP3 encoder (libmp3lame)";
        return false;
    }
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    e.codec->ch_layout = stereo;
    e.codec->sample_rate = 48000;
    e.codec->sample_fmt = AV_SAMPLE_FMT_S16P;
    e.codec->bit_rate = 192000;
    e.codec->time_base = AVRational{1, 48000};
    if (avcodec_open2(e.codec, codec, nullptr) < 0) {
        error = "cannot open the MP3 encoder";
        return false;
    }
    delay = e.codec->initial_padding;
    e.frame->format = AV_SAMPLE_FMT_S16P;
    e.frame->ch_layout = stereo;
    e.frame->sample_rate = 48000;
    e.frame->nb_samples = e.codec->frame_size;
    if (av_frame_get_buffer(e.frame, 0) < 0) {
        error = "out of memory";
        return false;
    }
    const size_t frames = samples.size() / 2;
    uint64_t coded = 0;
    for (size_t at = 0; at < frames; at += static_cast<size_t>(e.codec->frame_size)) {
        const int n = static_cast<int>(std::min<size_t>(e.codec->frame_size, frames - at));
        if (av_frame_make_writable(e.frame) < 0) {
            error = "out of memory";
            return false;
        }
        e.frame->nb_samples = n;
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < 2; ++c)
                reinterpret_cast<int16_t*>(e.frame->data[c])[i] = samples[(at + i) * 2 + c];
        e.frame->pts = static_cast<int64_t>(at);
        if (avcodec_send_frame(e.codec, e.frame) < 0 || !Receive(e, mp3, coded)) {
            error = "the MP3 encoder failed";
            return false;
        }
    }
    if (avcodec_send_frame(e.codec, nullptr) < 0 || !Receive(e, mp3, coded)) {
        error = "the MP3 encoder failed";
        return false;
    }
    decoded = coded * 1152;
    return true;
}
