// progress.h -- a one-line progress bar on stderr, drawn only when stderr is
// a terminal (so logs and pipes get nothing).
#pragma once

#include <cstdint>

class ProgressBar {
  public:
    explicit ProgressBar(uint64_t total);
    ~ProgressBar();
    void Update(uint64_t done);
    // Ends the line (also done by the destructor).
    void Finish();

  private:
    uint64_t total_;
    bool enabled_;
    bool open_ = false;
    int lastShown_ = -1;
};
