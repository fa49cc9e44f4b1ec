// rebuild.cpp -- the watcher: source files' modification times polled on a
// thread of its own, the build run there, so the demo runs on meanwhile.
#include "tools/live/rebuild.h"

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

std::atomic<bool> rebuilt{false};

std::vector<timespec> Stamps(const std::vector<std::string>& sources) {
    std::vector<timespec> stamps;
    for (const std::string& source : sources) {
        struct stat st {};
        stat(source.c_str(), &st);
        stamps.push_back(st.st_mtim);
    }
    return stamps;
}

bool Same(const std::vector<timespec>& a, const std::vector<timespec>& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].tv_sec != b[i].tv_sec || a[i].tv_nsec != b[i].tv_nsec) return false;
    return true;
}

// Runs the build; its output is shown only when it fails.
bool Build(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return false;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output.append(chunk, n);
    const bool ok = pclose(pipe) == 0;
    if (!ok) std::fprintf(stderr, "%s\nlive: the effect does not build; the last good one runs on\n",
                          output.c_str());
    return ok;
}

} // namespace

void LIVE_Watch(const std::vector<std::string>& sources, const std::string& command) {
    std::thread([sources, command] {
        std::vector<timespec> seen = Stamps(sources);
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const std::vector<timespec> now = Stamps(sources);
            if (Same(now, seen)) continue;
            seen = now;
            std::fprintf(stderr, "live: rebuilding the effect\n");
            if (Build(command)) rebuilt = true;
        }
    }).detach();
}

bool LIVE_Rebuilt(void) {
    return rebuilt.exchange(false);
}
