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
                      const std::vector<std::string>& fontDeclarations) {
    std::vector<Watched> watched;
    for (const std::string& file : images)
        watched.push_back(Watched{file, PictureName(file), 0, Stamp(file)});
    for (const std::string& declared : fontDeclarations) {
        Watched font;
        if (!ParseFontDeclaration(declared, font.name, font.file, font.size)) continue; // checked by the build
        font.stamp = Stamp(font.file);
        watched.push_back(font);
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
