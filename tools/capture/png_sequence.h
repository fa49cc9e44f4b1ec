// png_sequence.h -- frames as DIR/frame_00000.png, DIR/frame_00001.png, ...,
// encoded on several threads while the caller renders the next frames.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/capture/frame_sink.h"

class PngSequence : public FrameSink {
  public:
    // `folder` exists; `workers` threads encode (at least one).
    PngSequence(std::string folder, int width, int height, unsigned workers);
    // Stops the workers. Unfinished, the frames being written are completed,
    // those still queued are dropped, and no temporary file remains.
    ~PngSequence() override;

    bool Add(const uint32_t* frame, std::string& error) override;
    bool Finish(std::string& error) override;
    uint64_t Done() const override { return done_; }

  private:
    struct Job {
        uint64_t k;
        std::vector<uint32_t> pixels;
    };
    void Work();
    void Stop(bool drop);

    const std::string folder_;
    const int width_, height_;
    const size_t inFlight_; // frames queued or being encoded, at most
    std::mutex mutex_;
    std::condition_variable jobReady_, jobTaken_;
    std::deque<Job> queue_;
    std::vector<std::vector<uint32_t>> spare_;
    size_t busy_ = 0; // jobs taken by workers and not finished
    bool closing_ = false;
    bool dropping_ = false;
    std::string error_; // the first failure
    uint64_t next_ = 0;
    std::atomic<uint64_t> done_{0};
    std::vector<std::thread> threads_;
};
