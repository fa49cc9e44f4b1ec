// live_effect.cpp -- the effect of NAME-live: FFX_Init, FFX_Render and
// FFX_Shutdown passed on to the demo's effect built as a shared library,
// which is built again when a source is saved and swapped in between two
// frames. The clock is the program's and runs on across a swap; the
// transport holds and moves it. The FFX_LIVE_ definitions come from
// ffx_add_demo.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ffxdemo.h"
#include "app/app.h"
#include "tools/live/asset_watch.h"
#include "tools/live/rebuild.h"
#include "tools/live/transport.h"

namespace {

struct Effect {
    void* library = nullptr;
    int (*init)(void*) = nullptr;
    void (*render)(void*, float) = nullptr;
    void (*shutdown)(void) = nullptr;
};

Effect current;
int loads = 0;

// The library as built now, loaded from a copy of its own (the loader
// would hand back an earlier copy of the same name).
bool Load(Effect& effect) {
    const std::string copy = std::filesystem::temp_directory_path() /
                             ("ffx-live-" + std::to_string(getpid()) + "-" +
                              std::to_string(++loads) + ".so");
    std::error_code ec;
    std::filesystem::copy_file(FFX_LIVE_LIBRARY, copy,
                               std::filesystem::copy_options::overwrite_existing, ec);
    effect.library = ec ? nullptr : dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    std::filesystem::remove(copy, ec);
    if (!effect.library) {
        std::fprintf(stderr, "live: cannot load the effect: %s\n", ec ? ec.message().c_str() : dlerror());
        return false;
    }
    // The entry points have C++ linkage: their names as the compiler gives them.
    effect.init = reinterpret_cast<int (*)(void*)>(dlsym(effect.library, "_Z8FFX_InitPv"));
    effect.render =
        reinterpret_cast<void (*)(void*, float)>(dlsym(effect.library, "_Z10FFX_RenderPvf"));
    effect.shutdown = reinterpret_cast<void (*)(void)>(dlsym(effect.library, "_Z12FFX_Shutdownv"));
    if (effect.init && effect.render && effect.shutdown) return true;
    std::fprintf(stderr, "live: the effect lacks FFX_Init, FFX_Render or FFX_Shutdown\n");
    dlclose(effect.library);
    return false;
}

// A list separated by |, as ffx_add_demo writes them.
std::vector<std::string> List(const char* text) {
    std::vector<std::string> items;
    std::istringstream list(text);
    std::string item;
    while (std::getline(list, item, '|'))
        items.push_back(item);
    return items;
}

// The command that prints what the effect's sources include, as the last
// build found: ninja's record of its objects, or the compiler's dependency
// file beside each.
std::string Dependencies() {
    const std::string ninja = FFX_LIVE_NINJA, binary = FFX_LIVE_BINARY_DIR "/";
    std::string command = ninja.empty() ? "cat" : "'" + ninja + "' -C '" + binary + "' -t deps";
    for (std::string object : List(FFX_LIVE_OBJECTS)) {
        if (ninja.empty())
            object += ".d";
        else if (object.compare(0, binary.size(), binary) == 0)
            object.erase(0, binary.size());
        command += " '" + object + "'";
    }
    return command;
}

// Between two frames: the old effect's FFX_Shutdown, then the new one's
// FFX_Init; if that fails, the old one starts again and stays.
void Swap(void* frameBuffer) {
    Effect next;
    if (!Load(next)) return;
    current.shutdown();
    if (next.init(frameBuffer)) {
        dlclose(current.library);
        current = next;
        std::fprintf(stderr, "live: the new effect runs\n");
        return;
    }
    std::fprintf(stderr, "live: FFX_Init of the new effect failed; the last good one runs on\n");
    dlclose(next.library);
    current.init(frameBuffer);
}

// The demo in a window, unless FFX_WINDOW says otherwise: set before the
// display opens, which is before FFX_Init.
[[maybe_unused]] const int windowed = setenv("FFX_WINDOW", "1", 0);

} // namespace

int FFX_Init(void* frameBuffer) {
    // Frames go on while the sync editor, or the editor of the sources, has the focus.
    appRunsInBackground = 1;
    LIVE_StartTransport(FFX_LIVE_SYNC);
    if (!Load(current) || !current.init(frameBuffer)) return 0;
    LIVE_Watch(LiveFiles{List(FFX_LIVE_SOURCES), FFX_LIVE_BUILD, Dependencies(), FFX_LIVE_SYNC});
    LIVE_WatchAssets(FFX_LIVE_DEPTH, List(FFX_LIVE_IMAGES), List(FFX_LIVE_FONTS));
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    LIVE_Transport(seconds);
    if (LIVE_Rebuilt()) Swap(frameBuffer);
    LIVE_TakeAssets();
    current.render(frameBuffer, seconds);
}

void FFX_Shutdown(void) {
    current.shutdown();
}
