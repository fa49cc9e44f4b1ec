// video_reader.cpp -- demuxing (libavformat), decoding (libavcodec) and the
// conversion to the effect's pixels (libswscale).
#include "tests/capture/video_reader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace {

std::string AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(code, text, sizeof text);
    return text;
}

struct Decoder {
    AVFormatContext* container = nullptr;
    AVCodecContext* codec = nullptr;
    SwsContext* converter = nullptr;
    AVFrame* picture = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    ~Decoder() {
        sws_freeContext(converter);
        av_frame_free(&picture);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&container);
    }
};

} // namespace

bool DecodeVideo(const std::string& path, VideoInfo& info,
                 const std::function<void(const std::vector<uint32_t>&, double)>& frame,
                 std::string& error) {
    av_log_set_level(AV_LOG_ERROR);
    Decoder d;
    int code = avformat_open_input(&d.container, path.c_str(), nullptr, nullptr);
    if (code < 0 || (code = avformat_find_stream_info(d.container, nullptr)) < 0) {
        error = path + ": " + AvError(code);
        return false;
    }
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(d.container, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index < 0) {
        error = path + ": no video stream";
        return false;
    }
    const AVStream* stream = d.container->streams[index];
    d.codec = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(d.codec, stream->codecpar);
    if ((code = avcodec_open2(d.codec, codec, nullptr)) < 0) {
        error = path + ": " + AvError(code);
        return false;
    }
    info.container = d.container->iformat->name;
    info.codec = codec->name;
    info.pixelFormat = av_get_pix_fmt_name(d.codec->pix_fmt);
    const char* profile = avcodec_profile_name(d.codec->codec_id, d.codec->profile);
    info.profile = profile ? profile : "";
    info.bitRate = d.container->bit_rate;
    info.width = d.codec->width;
    info.height = d.codec->height;
    info.rateNum = stream->avg_frame_rate.num;
    info.rateDen = stream->avg_frame_rate.den;
    info.tick = av_q2d(stream->time_base);

    std::vector<uint32_t> pixels(static_cast<size_t>(info.width) *
                                 static_cast<size_t>(info.height));
    const auto deliver = [&]() {
        while (avcodec_receive_frame(d.codec, d.picture) == 0) {
            const AVPixelFormat format = static_cast<AVPixelFormat>(d.picture->format);
            d.converter = sws_getCachedContext(
                d.converter, info.width, info.height, format, info.width, info.height,
                AV_PIX_FMT_BGR0, SWS_POINT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
            if (!(av_pix_fmt_desc_get(format)->flags & AV_PIX_FMT_FLAG_RGB)) {
                const int* bt601 = sws_getCoefficients(SWS_CS_ITU601);
                sws_setColorspaceDetails(d.converter, bt601, 0, bt601, 1, 0, 1 << 16, 1 << 16);
            }
            uint8_t* target[] = {reinterpret_cast<uint8_t*>(pixels.data())};
            const int pitch[] = {info.width * 4};
            sws_scale(d.converter, d.picture->data, d.picture->linesize, 0, info.height, target,
                      pitch);
            for (uint32_t& p : pixels)
                p &= 0xFFFFFF;
            frame(pixels, static_cast<double>(d.picture->best_effort_timestamp) *
                              av_q2d(stream->time_base));
            ++info.frames;
        }
    };
    while (av_read_frame(d.container, d.packet) >= 0) {
        if (d.packet->stream_index == index) avcodec_send_packet(d.codec, d.packet);
        av_packet_unref(d.packet);
        deliver();
    }
    avcodec_send_packet(d.codec, nullptr);
    deliver();
    return true;
}
