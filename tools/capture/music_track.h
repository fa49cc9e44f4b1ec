// music_track.h -- a demo's music encoded as one audio stream of a file
// being muxed: AAC, Opus or FLAC beside the frames of a video, 16-bit PCM
// in a WAV file. A thread of its own encodes ahead of the muxing, beside
// the rendering.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

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
    // `container` before its header is written, and starts encoding the
    // music's first `frames` sample frames (48 kHz). False with `error` set.
    bool Open(AVFormatContext* container, const char* encoder, uint64_t frames,
              std::string& error);

    // Writes the encoded music that starts before sample frame `end` (the
    // encoder's first packets may start before 0).
    bool WriteUntil(uint64_t end, std::string& error);

    // Writes the rest of it.
    bool Finish(std::string& error);

  private:
    void Encode();
    bool Send(int samples);
    bool Receive();
    void Failed(const char* step, int code);

    const CaptureMusic& music_;
    const OutputIo& io_;
    AVFormatContext* container_ = nullptr;
    AVCodecContext* encoder_ = nullptr;
    AVStream* stream_ = nullptr;
    AVFrame* frame_ = nullptr; // the encoding thread's
    int chunk_ = 0;            // sample frames an encoder frame takes
    uint64_t next_ = 0;        // the next sample frame to encode
    uint64_t total_ = 0;       // sample frames to encode

    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<AVPacket*> packets_; // encoded, not written yet
    bool encoded_ = false;          // all of it, or the encoder failed
    bool stopping_ = false;
    std::string failure_;
};
