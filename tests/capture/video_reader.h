// video_reader.h -- decodes a video file through FFmpeg's libraries, for the
// tests to look at what ffxcapture wrote.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct VideoInfo {
    std::string container;   // the demuxer's name, e.g. "mov,mp4,m4a,3gp,3g2,mj2"
    std::string codec;       // e.g. "h264"
    std::string pixelFormat; // the stream's, e.g. "yuv420p"
    std::string profile;     // e.g. "High"
    int64_t bitRate = 0;     // the file's, bits a second
    int width = 0, height = 0;
    int rateNum = 0, rateDen = 1; // the stream's average frame rate
    double tick = 0.0;            // its time base, in seconds
    int64_t frames = 0;           // decoded
};

// Calls `frame` for each decoded frame in presentation order with its pixels
// converted to 0x00RRGGBB and its time in seconds. YUV is taken as
// studio-range BT.601 with each chroma sample covering its pixels (nearest,
// no interpolation), as ffxcapture makes it. False with `error` set when the file cannot be read or
// decoded.
bool DecodeVideo(const std::string& path, VideoInfo& info,
                 const std::function<void(const std::vector<uint32_t>&, double)>& frame,
                 std::string& error);
