// progress.h -- a one-line progress bar on stderr: frames done of total, the
// rate and the time left. Drawn only when stderr is a terminal (so logs and
// pipes get nothing).
#pragma once

#include <chrono>
#include <cstdint>

class ProgressBar {
  public:
    explicit ProgressBar(uint64_t total);
    ~ProgressBar();
    // Redraws the line, at most ten times a second and always at the end.
    void Update(uint64_t done);
    // Ends the line (also done by the destructor).
    void Finish();

  private:
    using Clock = std::chrono::steady_clock;
    uint64_t total_;
    bool enabled_;
    bool open_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_{};
};
