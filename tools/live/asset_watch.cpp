// asset_watch.cpp -- the pictures' and fonts' modification times polled on
// a thread of their own; what a save gives is made there and waits, under a
// lock, for the frame loop to take it.
#include "tools/live/asset_watch.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

#include "tools/assets/asset_file.h"

namespace {

struct Watched {
    std::string file, name;
    int size = 0; // a font's; 0 for a picture
    std::pair<time_t, long> stamp;
};

std::mutex lock;
std::map<std::string, IMG_Held> pictures; // saved, not yet taken
std::map<std::string, FFX_Font> fonts;

std::pair<time_t, long> Stamp(const std::string& file) {
    struct stat st {};
    stat(file.c_str(), &st);
    return {st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

std::string BaseName(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void TakeUp(const Watched& w, int depth) {
    std::string error;
    if (w.size == 0) {
        IMG_Held picture;
        if (!LoadPicture(w.file, depth, picture, error)) {
            std::fprintf(stderr, "live: IMAGES %s: %s; the last good one shows on\n", w.file.c_str(),
                         error.c_str());
            return;
        }
        std::lock_guard<std::mutex> hold(lock);
        pictures[w.name] = std::move(picture);
    } else {
        FFX_Font font;
        std::vector<uint32_t> lacking;
        if (!LoadFont(w.file, w.size, font, lacking, error)) {
            std::fprintf(stderr, "live: FONTS %s: %s; the last good one shows on\n", w.file.c_str(),
                         error.c_str());
            return;
        }
        for (uint32_t code : lacking)
            std::fprintf(stderr, "live: FONTS %s: has no %s; drawn as its missing glyph\n",
                         w.file.c_str(), CharacterName(code).c_str());
        std::lock_guard<std::mutex> hold(lock);
        fonts[w.name] = std::move(font);
    }
    std::fprintf(stderr, "live: %s shows as saved\n", w.file.c_str());
}

} // namespace

void LIVE_WatchAssets(int depth, const std::vector<std::string>& images,
                      const std::vector<std::string>& fontSpecs) {
    std::vector<Watched> watched;
    for (const std::string& file : images)
        watched.push_back(Watched{file, BaseName(file), 0, Stamp(file)});
    for (const std::string& spec : fontSpecs) { // NAME=FILE:SIZE, as ffx_add_demo checked it
        const size_t equals = spec.find('='), colon = spec.find_last_of(':');
        const std::string file = spec.substr(equals + 1, colon - equals - 1);
        watched.push_back(Watched{file, spec.substr(0, equals), std::stoi(spec.substr(colon + 1)), Stamp(file)});
    }
    if (watched.empty()) return;
    std::thread([watched, depth]() mutable {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            for (Watched& w : watched) {
                const auto now = Stamp(w.file);
                if (now == w.stamp) continue;
                w.stamp = now;
                TakeUp(w, depth);
            }
        }
    }).detach();
}

void LIVE_TakeAssets(void) {
    std::lock_guard<std::mutex> hold(lock);
    for (auto& [name, picture] : pictures)
        IMG_Replace(name, std::move(picture));
    for (auto& [name, font] : fonts)
        FNT_Replace(name, std::move(font));
    pictures.clear();
    fonts.clear();
}
