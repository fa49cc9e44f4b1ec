// image_file.cpp -- a picture file decoded with FFmpeg: the first frame of
// its first video stream, kept as palette indices where the decoder gives
// them (PAL8), else converted to BGRA (0xAARRGGBB words) by libswscale.
#include "image_file.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstring>

namespace {

struct Decoding {
    AVFormatContext* container = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    ~Decoding() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&container);
    }
};

// The first frame of the stream, or false.
bool FirstFrame(Decoding& d, int stream) {
    while (av_read_frame(d.container, d.packet) >= 0) {
        const bool ours = d.packet->stream_index == stream;
        if (ours) avcodec_send_packet(d.codec, d.packet);
        av_packet_unref(d.packet);
        if (ours && avcodec_receive_frame(d.codec, d.frame) == 0) return true;
    }
    avcodec_send_packet(d.codec, nullptr);
    return avcodec_receive_frame(d.codec, d.frame) == 0;
}

bool Convert(const AVFrame* frame, DecodedImage& image) {
    SwsContext* scale = sws_getContext(frame->width, frame->height,
                                       static_cast<AVPixelFormat>(frame->format), frame->width,
                                       frame->height, AV_PIX_FMT_BGRA, SWS_POINT, nullptr,
                                       nullptr, nullptr);
    if (!scale) return false;
    image.pixels.resize(static_cast<size_t>(frame->width) * frame->height);
    uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(image.pixels.data())};
    int pitches[4] = {frame->width * 4};
    sws_scale(scale, frame->data, frame->linesize, 0, frame->height, planes, pitches);
    sws_freeContext(scale);
    return true;
}

} // namespace

bool DecodeImage(const std::string& path, DecodedImage& image, std::string& error) {
    av_log_set_level(AV_LOG_QUIET);
    Decoding d;
    if (avformat_open_input(&d.container, path.c_str(), nullptr, nullptr) < 0) {
        error = "cannot be read as a picture";
        return false;
    }
    avformat_find_stream_info(d.container, nullptr);
    const AVCodec* decoder = nullptr;
    const int stream =
        av_find_best_stream(d.container, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (stream < 0 || !decoder) {
        error = "holds no picture that FFmpeg decodes";
        return false;
    }
    d.codec = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(d.codec, d.container->streams[stream]->codecpar);
    if (avcodec_open2(d.codec, decoder, nullptr) < 0 || !FirstFrame(d, stream)) {
        error = "cannot be decoded";
        return false;
    }
    const AVFrame* frame = d.frame;
    if (frame->width > kMaxImageSide || frame->height > kMaxImageSide) {
        error = "is " + std::to_string(frame->width) + " x " + std::to_string(frame->height) +
                ", larger than " + std::to_string(kMaxImageSide) + " x " +
                std::to_string(kMaxImageSide);
        return false;
    }
    image = DecodedImage{};
    image.width = frame->width;
    image.height = frame->height;
    if (frame->format == AV_PIX_FMT_PAL8) {
        image.indexed = true;
        image.indices.resize(static_cast<size_t>(image.width) * image.height);
        for (int32_t y = 0; y < image.height; ++y)
            std::memcpy(&image.indices[static_cast<size_t>(y) * image.width],
                        frame->data[0] + static_cast<ptrdiff_t>(y) * frame->linesize[0],
                        image.width);
        image.palette.resize(256);
        std::memcpy(image.palette.data(), frame->data[1], 256 * 4);
        return true;
    }
    if (!Convert(frame, image)) {
        error = "has a pixel format that cannot be converted";
        return false;
    }
    return true;
}

int32_t TransparentIndex(const DecodedImage& image) {
    for (int32_t i = 0; i < 256; ++i)
        if ((image.palette[i] >> 24) == 0) return i;
    return 0;
}

void ExpandIndexed(DecodedImage& image) {
    image.pixels.resize(image.indices.size());
    for (size_t i = 0; i < image.indices.size(); ++i)
        image.pixels[i] = image.palette[image.indices[i]];
    image.indexed = false;
    image.indices.clear();
    image.palette.clear();
}
