// rebuild.cpp -- the watcher: the files' modification times polled on a
// thread of its own, the build run there, so the demo runs on meanwhile.
// The headers watched are those the compiler found the sources include,
// read again after each build; system headers are left out.
#include "tools/live/rebuild.h"

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <thread>

namespace {

std::atomic<bool> rebuilt{false}, syncSaved{false};

using Stamps = std::map<std::string, std::pair<time_t, long>>;

Stamps Stamp(const std::set<std::string>& files) {
    Stamps stamps;
    for (const std::string& file : files) {
        struct stat st {};
        stat(file.c_str(), &st);
        stamps[file] = {st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    }
    return stamps;
}

// Runs a command; its output, and whether it succeeded.
bool Run(const std::string& command, std::string& output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return false;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output.append(chunk, n);
    return pclose(pipe) == 0;
}

// The sources and the files they include: the absolute paths of regular
// files in the dependency information, outside /usr.
std::set<std::string> Watched(const LiveFiles& files) {
    std::set<std::string> watched(files.sources.begin(), files.sources.end());
    std::string text;
    if (files.dependencies.empty() || !Run(files.dependencies, text)) return watched;
    std::istringstream words(text);
    std::string word;
    struct stat st {};
    while (words >> word)
        if (word[0] == '/' && word.compare(0, 5, "/usr/") != 0 && word.back() != ':' &&
            stat(word.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            watched.insert(word);
    return watched;
}

// Runs the build; its output is shown only when it fails.
bool Build(const std::string& command) {
    std::string output;
    const bool ok = Run(command, output);
    if (!ok)
        std::fprintf(stderr, "%s\nlive: the effect does not build; the last good one runs on\n",
                     output.c_str());
    return ok;
}

} // namespace

void LIVE_Watch(const LiveFiles& files) {
    std::thread([files] {
        std::set<std::string> watched = Watched(files);
        Stamps seen = Stamp(watched);
        const std::set<std::string> sync = {files.syncFile};
        Stamps syncSeen = Stamp(sync);
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!files.syncFile.empty()) {
                const Stamps now = Stamp(sync);
                if (now != syncSeen) syncSaved = true;
                syncSeen = now;
            }
            const Stamps now = Stamp(watched);
            if (now == seen) continue;
            seen = now; // a save during the build builds again
            std::fprintf(stderr, "live: rebuilding the effect\n");
            if (!Build(files.build)) continue;
            rebuilt = true;
            watched = Watched(files);
            Stamps next = Stamp(watched);
            for (auto& [file, stamp] : next)
                if (now.count(file)) stamp = now.at(file);
            seen = next;
        }
    }).detach();
}

bool LIVE_Rebuilt(void) {
    return rebuilt.exchange(false);
}

bool LIVE_SyncSaved(void) {
    return syncSaved.exchange(false);
}
