// ffxicon.cpp -- a demo's ICON made a Windows icon at build time:
//
//   ffxicon PICTURE ICO|-
//
// The picture (any that image_file.h decodes) is centred on a transparent
// square, its aspect kept, and scaled to 16, 32, 48 and 256 pixels: smoothly
// down (on premultiplied alpha, so that no dark fringe shows at its edges),
// by whole pixels up. Each size is a PNG image in the icon file, which every
// Windows since Vista reads. "-" only checks. A picture that cannot be read
// or decoded stops it with one line naming the file, and exit status 1;
// nothing is left half written.
#include <cstdio>
#include <string>
#include <vector>

#include "image_file.h"
#include "write_file.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int kSizes[] = {16, 32, 48, 256};

// RGBA bytes, premultiplied, of `image` centred on a transparent square.
std::vector<uint8_t> Square(const DecodedImage& image, int& side) {
    side = image.width > image.height ? image.width : image.height;
    std::vector<uint8_t> rgba(static_cast<size_t>(side) * side * 4, 0);
    const int left = (side - image.width) / 2, top = (side - image.height) / 2;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.pixels[static_cast<size_t>(y) * image.width + x];
            const uint32_t a = p >> 24;
            uint8_t* out = &rgba[(static_cast<size_t>(top + y) * side + left + x) * 4];
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<uint8_t>((((p >> (16 - 8 * c)) & 0xFF) * a + 127) / 255);
            out[3] = static_cast<uint8_t>(a);
        }
    return rgba;
}

// The premultiplied square scaled to `size`, with straight alpha again.
bool Scaled(const std::vector<uint8_t>& square, int side, int size, std::vector<uint8_t>& out) {
    SwsContext* scale =
        sws_getContext(side, side, AV_PIX_FMT_RGBA, size, size, AV_PIX_FMT_RGBA,
                       size < side ? SWS_AREA : SWS_POINT, nullptr, nullptr, nullptr);
    if (!scale) return false;
    out.assign(static_cast<size_t>(size) * size * 4, 0);
    const uint8_t* from[4] = {square.data()};
    const int fromPitch[4] = {side * 4};
    uint8_t* to[4] = {out.data()};
    const int toPitch[4] = {size * 4};
    sws_scale(scale, from, fromPitch, 0, side, to, toPitch);
    sws_freeContext(scale);
    for (size_t i = 0; i < out.size(); i += 4) {
        const uint32_t a = out[i + 3];
        for (int c = 0; c < 3; ++c) {
            const uint32_t straight = a ? (out[i + c] * 255u + a / 2) / a : 0;
            out[i + c] = static_cast<uint8_t>(straight > 255 ? 255 : straight);
        }
    }
    return true;
}

// RGBA bytes as a PNG file, by FFmpeg's encoder.
bool Png(const std::vector<uint8_t>& rgba, int size, std::string& png) {
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_PNG);
    AVCodecContext* codec = encoder ? avcodec_alloc_context3(encoder) : nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    bool done = false;
    if (codec && frame && packet) {
        codec->width = codec->height = size;
        codec->pix_fmt = AV_PIX_FMT_RGBA;
        codec->time_base = {1, 1};
        frame->width = frame->height = size;
        frame->format = AV_PIX_FMT_RGBA;
        frame->data[0] = const_cast<uint8_t*>(rgba.data());
        frame->linesize[0] = size * 4;
        if (avcodec_open2(codec, encoder, nullptr) == 0 && avcodec_send_frame(codec, frame) == 0 &&
            avcodec_receive_packet(codec, packet) == 0) {
            png.assign(reinterpret_cast<const char*>(packet->data), packet->size);
            done = true;
        }
    }
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    return done;
}

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ffxicon PICTURE ICO|-\n");
        return 2;
    }
    const std::string path = argv[1], icoPath = argv[2];
    DecodedImage image;
    std::string error;
    if (!DecodeImage(path, image, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    if (icoPath == "-") return 0;
    if (image.indexed) ExpandIndexed(image);
    int side = 0;
    const std::vector<uint8_t> square = Square(image, side);
    // ICONDIR, then an ICONDIRENTRY a size (0 stands for 256), then the PNGs.
    constexpr int count = sizeof kSizes / sizeof kSizes[0];
    std::string head, images;
    Put(head, 0, 2);
    Put(head, 1, 2);
    Put(head, count, 2);
    for (int size : kSizes) {
        std::vector<uint8_t> rgba;
        std::string png;
        if (!Scaled(square, side, size, rgba) || !Png(rgba, size, png)) {
            std::fprintf(stderr, "%s: cannot be made a %d-pixel icon\n", path.c_str(), size);
            return 1;
        }
        Put(head, size & 0xFF, 1);
        Put(head, size & 0xFF, 1);
        Put(head, 0, 2); // no palette, reserved
        Put(head, 1, 2); // planes
        Put(head, 32, 2);
        Put(head, static_cast<uint32_t>(png.size()), 4);
        Put(head, static_cast<uint32_t>(6 + 16 * count + images.size()), 4);
        images += png;
    }
    if (!WriteWholeFile(icoPath, head + images)) {
        std::fprintf(stderr, "%s: cannot be written\n", icoPath.c_str());
        return 1;
    }
    return 0;
}
