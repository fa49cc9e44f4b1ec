// png_sequence.cpp -- the PNG folder: one producer, a pool of encoders.
#include "tools/capture/png_sequence.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/capture/interrupt.h"
#include "tools/capture/output_file.h"
#include "tools/capture/png_file.h"

namespace {

// The name of frame k in `folder`.
std::string FrameName(const std::string& folder, uint64_t k) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05llu.png", static_cast<unsigned long long>(k));
    return (std::filesystem::path(folder) / name).string();
}

} // namespace

PngSequence::PngSequence(std::string folder, int width, int height, unsigned workers)
    : folder_(std::move(folder)), width_(width), height_(height),
      inFlight_(2 * static_cast<size_t>(workers > 0 ? workers : 1)) {
    for (unsigned i = 0; i < (workers > 0 ? workers : 1); ++i)
        threads_.emplace_back(&PngSequence::Work, this);
}

PngSequence::~PngSequence() {
    Stop(true);
}

bool PngSequence::Add(const uint32_t* frame, std::string& error) {
    std::unique_lock<std::mutex> lock(mutex_);
    // Waits for room; an interruption ends the wait, and the caller sees it.
    while (queue_.size() + busy_ >= inFlight_ && error_.empty() && !InterruptSignal())
        jobTaken_.wait_for(lock, std::chrono::milliseconds(50));
    if (!error_.empty()) {
        error = error_;
        return false;
    }
    Job job{next_++, {}};
    if (!spare_.empty()) {
        job.pixels = std::move(spare_.back());
        spare_.pop_back();
    }
    job.pixels.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    std::memcpy(job.pixels.data(), frame, job.pixels.size() * sizeof(uint32_t));
    queue_.push_back(std::move(job));
    jobReady_.notify_one();
    return true;
}

bool PngSequence::Finish(std::string& error) {
    Stop(false);
    error = error_;
    return error_.empty();
}

void PngSequence::Stop(bool drop) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
        dropping_ = dropping_ || drop;
    }
    jobReady_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable()) thread.join();
}

void PngSequence::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        jobReady_.wait(lock, [this] { return !queue_.empty() || closing_; });
        if (queue_.empty() || dropping_ || !error_.empty()) return;
        Job job = std::move(queue_.front());
        queue_.pop_front();
        ++busy_;
        lock.unlock();

        std::string error;
        OutputFile file;
        const bool ok = file.Open(FrameName(folder_, job.k), error) &&
                        WritePngFile(file, job.pixels.data(), width_, height_, error);
        if (ok) ++done_;

        lock.lock();
        --busy_;
        if (!ok && error_.empty()) error_ = error;
        spare_.push_back(std::move(job.pixels));
        jobTaken_.notify_one();
    }
}
