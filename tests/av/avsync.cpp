// avsync.cpp -- ffxavsync: how far a recording's sound is from its picture,
// for the flash-and-tone demo (white flashes and tones that should start
// together). Reads any media file with FFmpeg's libraries, finds where each
// flash and each tone starts by the streams' own timestamps, pairs every
// flash with the nearest tone and prints the median offset.
//
//   ffxavsync FILE WITHIN_MS MIN_PAIRS [FLASHES]
//
// FLASHES, a file of times (seconds, one a line, on the clock of FILE's
// timestamps), gives the flashes where FILE holds the sound only: when a
// page put each white frame on its canvas.
//
// Exit status 0 when at least MIN_PAIRS flashes have a tone within 250 ms
// and the median offset (positive: the sound is late) is within
// +-WITHIN_MS; 1 otherwise; 2 when the file cannot be read. With
// FFX_AVSYNC_LIST set it lists each tone, then each flash and its tone's offset.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Stream {
    AVCodecContext* codec = nullptr;
    AVRational timeBase{};
};

struct Onsets {
    std::vector<double> flashes, tones; // seconds, by the file's timestamps
    bool bright = false;
    double quietSince = -1e9; // when the sound last fell silent
    bool sounding = false;
    double lastLoud = -1e9;
    SwsContext* toGray = nullptr;
    SwrContext* toMono = nullptr;
};

double Seconds(const AVFrame* frame, AVRational timeBase) {
    return frame->best_effort_timestamp * av_q2d(timeBase);
}

// A flash starts where the picture's mean brightness rises past the middle.
// A frame with more than 1 % of grey pixels is neither: the demo draws only
// black and white, so it is not the demo's frame (under load, Wine has been
// seen to show memory of its sound mixer as a stale frame's top rows).
void Picture(Onsets& o, const AVFrame* frame, AVRational timeBase) {
    o.toGray = sws_getCachedContext(o.toGray, frame->width, frame->height,
                                    static_cast<AVPixelFormat>(frame->format), frame->width,
                                    frame->height, AV_PIX_FMT_GRAY8, SWS_POINT, nullptr, nullptr,
                                    nullptr);
    std::vector<uint8_t> gray(static_cast<size_t>(frame->width) * frame->height);
    uint8_t* planes[] = {gray.data()};
    const int pitch[] = {frame->width};
    sws_scale(o.toGray, frame->data, frame->linesize, 0, frame->height, planes, pitch);
    double sum = 0;
    size_t grey = 0;
    for (uint8_t v : gray) {
        sum += v;
        grey += v > 32 && v < 223;
    }
    if (grey * 100 > gray.size()) return;
    const bool bright = sum / gray.size() > 128;
    if (bright && !o.bright) o.flashes.push_back(Seconds(frame, timeBase));
    o.bright = bright;
}

// A tone starts at the first loud sample after at least 50 ms of quiet.
void Sound(Onsets& o, const AVFrame* frame, AVRational timeBase) {
    if (!o.toMono) {
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        AVChannelLayout in = frame->ch_layout;
        swr_alloc_set_opts2(&o.toMono, &mono, AV_SAMPLE_FMT_FLT, frame->sample_rate, &in, static_cast<AVSampleFormat>(frame->format),
                            frame->sample_rate, 0, nullptr);
        swr_init(o.toMono);
    }
    std::vector<float> samples(static_cast<size_t>(frame->nb_samples) + 64);
    uint8_t* out[] = {reinterpret_cast<uint8_t*>(samples.data())};
    const int made = swr_convert(o.toMono, out, static_cast<int>(samples.size()),
                                 const_cast<const uint8_t**>(frame->extended_data),
                                 frame->nb_samples);
    const double start = Seconds(frame, timeBase);
    for (int i = 0; i < made; ++i) {
        const double t = start + static_cast<double>(i) / frame->sample_rate;
        if (std::fabs(samples[i]) > 0.05) {
            if (!o.sounding && t - o.lastLoud > 0.05) o.tones.push_back(t);
            o.sounding = true;
            o.lastLoud = t;
        } else if (t - o.lastLoud > 0.005) {
            o.sounding = false;
        }
    }
}

bool Read(const char* path, Onsets& o) {
    AVFormatContext* container = nullptr;
    if (avformat_open_input(&container, path, nullptr, nullptr) < 0 ||
        avformat_find_stream_info(container, nullptr) < 0)
        return false;
    std::vector<Stream> streams(container->nb_streams);
    for (unsigned i = 0; i < container->nb_streams; ++i) {
        const AVCodecParameters* p = container->streams[i]->codecpar;
        if (p->codec_type != AVMEDIA_TYPE_VIDEO && p->codec_type != AVMEDIA_TYPE_AUDIO) continue;
        const AVCodec* codec = avcodec_find_decoder(p->codec_id);
        streams[i].codec = avcodec_alloc_context3(codec);
        streams[i].timeBase = container->streams[i]->time_base;
        avcodec_parameters_to_context(streams[i].codec, p);
        if (avcodec_open2(streams[i].codec, codec, nullptr) < 0) return false;
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&](Stream& s) {
        while (avcodec_receive_frame(s.codec, frame) == 0) {
            if (s.codec->codec_type == AVMEDIA_TYPE_VIDEO)
                Picture(o, frame, s.timeBase);
            else
                Sound(o, frame, s.timeBase);
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(container, packet) >= 0) {
        Stream& s = streams[packet->stream_index];
        if (s.codec && avcodec_send_packet(s.codec, packet) >= 0) drain(s);
        av_packet_unref(packet);
    }
    for (Stream& s : streams)
        if (s.codec && avcodec_send_packet(s.codec, nullptr) >= 0) drain(s);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: ffxavsync FILE WITHIN_MS MIN_PAIRS [FLASHES]\n");
        return 2;
    }
    av_log_set_level(AV_LOG_QUIET);
    Onsets o;
    if (!Read(argv[1], o)) {
        std::fprintf(stderr, "ffxavsync: cannot read %s\n", argv[1]);
        return 2;
    }
    if (argc == 5) {
        FILE* list = std::fopen(argv[4], "r");
        double t;
        while (list && std::fscanf(list, "%lf", &t) == 1)
            o.flashes.push_back(t);
        if (list) std::fclose(list);
    }
    if (std::getenv("FFX_AVSYNC_LIST"))
        for (double tone : o.tones) std::printf("tone %.3f\n", tone);
    std::vector<double> offsets;
    for (double flash : o.flashes) {
        double best = 1e9;
        for (double tone : o.tones)
            if (std::fabs(tone - flash) < std::fabs(best)) best = tone - flash;
        if (std::getenv("FFX_AVSYNC_LIST")) std::printf("flash %.3f tone %+.1f ms\n", flash, best * 1000);
        if (std::fabs(best) < 0.25) offsets.push_back(best * 1000.0);
    }
    std::sort(offsets.begin(), offsets.end());
    const double median = offsets.empty() ? 0 : offsets[offsets.size() / 2];
    std::printf("%zu flashes, %zu tones, %zu paired; median offset %+.1f ms (sound late when "
                "positive), from %+.1f to %+.1f ms; tones from %.3f to %.3f\n",
                o.flashes.size(), o.tones.size(), offsets.size(), median,
                offsets.empty() ? 0 : offsets.front(), offsets.empty() ? 0 : offsets.back(),
                o.tones.empty() ? 0 : o.tones.front(), o.tones.empty() ? 0 : o.tones.back());
    const bool ok = offsets.size() >= std::strtoul(argv[3], nullptr, 10) &&
                    std::fabs(median) <= std::atof(argv[2]);
    return ok ? 0 : 1;
}
