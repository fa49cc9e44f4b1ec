// music_track.h -- a demo's music encoded as one audio stream of a file
// being muxed: AAC, Opus or FLAC beside the frames of a video, 16-bit PCM
// in a WAV file.
#pragma once

#include <cstdint>
#include <string>

#include "tools/capture/options.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
class OutputIo;

class MusicTrack {
  public:
    // `music` and `io` (the container's, for messages) must outlive it.
    MusicTrack(const CaptureMusic& music, const OutputIo& io) : music_(music), io_(io) {}
    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;
    ~MusicTrack();

    // Adds the stream, encoded by the FFmpeg encoder `encoder`, to
    // `container` before its header is written. False with `error` set.
    bool Open(AVFormatContext* container, const char* encoder, std::string& error);

    // Writes the music up to sample frame `end` (48 kHz), in whole encoder
    // frames: the rest waits for the next call or for Finish.
    bool WriteUntil(uint64_t end, std::string& error);

    // Writes the music up to sample frame `end` and drains the encoder.
    bool Finish(uint64_t end, std::string& error);

  private:
    bool Send(int samples, std::string& error);
    bool Drain(bool last, std::string& error);

    const CaptureMusic& music_;
    const OutputIo& io_;
    AVFormatContext* container_ = nullptr;
    AVCodecContext* encoder_ = nullptr;
    AVStream* stream_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    int chunk_ = 0;     // sample frames an encoder frame takes
    uint64_t next_ = 0; // the next sample frame to encode
};
