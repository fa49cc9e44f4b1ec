// progress.cpp -- the progress bar.
#include "tools/capture/progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {
constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
} // namespace

ProgressBar::ProgressBar(uint64_t total) : total_(total), enabled_(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
    Finish();
}

void ProgressBar::Update(uint64_t done) {
    if (!enabled_ || total_ == 0) return;
    const Clock::time_point now = Clock::now();
    if (now - lastShown_ < kRedrawEvery && done != total_) return;
    lastShown_ = now;

    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    std::string left = "--:--";
    if (rate > 0.0) {
        const auto remaining =
            static_cast<unsigned long long>(static_cast<double>(total_ - done) / rate + 0.5);
        char text[32];
        std::snprintf(text, sizeof text, "%llu:%02llu", remaining / 60, remaining % 60);
        left = text;
    }
    const int filled = static_cast<int>(done * kBarWidth / total_);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    // The trailing spaces clear what a longer previous line left.
    std::fprintf(stderr, "\r[%s] %llu/%llu frames, %.1f fps, %s left   ", bar.c_str(),
                 static_cast<unsigned long long>(done), static_cast<unsigned long long>(total_),
                 rate, left.c_str());
    std::fflush(stderr);
    open_ = true;
}

void ProgressBar::Finish() {
    if (open_) {
        std::fputc('\n', stderr);
        open_ = false;
    }
}
