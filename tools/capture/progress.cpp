// progress.cpp -- the progress bar.
#include "tools/capture/progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {
constexpr int kBarWidth = 40;
}

ProgressBar::ProgressBar(uint64_t total) : total_(total), enabled_(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
    Finish();
}

void ProgressBar::Update(uint64_t done) {
    if (!enabled_ || total_ == 0) return;
    const int permille = static_cast<int>(done * 1000 / total_);
    if (permille == lastShown_ && done != total_) return;
    lastShown_ = permille;
    const int filled = static_cast<int>(done * kBarWidth / total_);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(stderr, "\r[%s] %llu/%llu frames", bar.c_str(),
                 static_cast<unsigned long long>(done), static_cast<unsigned long long>(total_));
    std::fflush(stderr);
    open_ = true;
}

void ProgressBar::Finish() {
    if (open_) {
        std::fputc('\n', stderr);
        open_ = false;
    }
}
