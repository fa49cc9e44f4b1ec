// transport.cpp -- the keys, the sync editor and the saved sync file, each
// frame, turned into holds and moves of the clock (app/clock_control.h) and
// keys of the tracks (common/track.h).
#include "tools/live/transport.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/clock_control.h"
#include "common/elapsed.h"
#include "common/track.h"
#include "tools/live/end_notice.h"
#include "tools/live/rebuild.h"
#include "tools/live/sync_client.h"
#include "tools/music/rocket_file.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int64_t kStepMs = 1000;
constexpr auto kKeysAwaited = std::chrono::seconds(1); // for the editor's keys

std::string syncPath;
bool editing; // a sync editor is looked for
int64_t lastRow = -1;
std::vector<Clock::time_point> askedAt; // when each track was first asked for
size_t checked;                         // tracks checked for keys
bool fileRead;                          // the sync file has been read again since the build
RocketFile file;

// The program's name and arguments, as the kernel has them.
std::vector<std::string> Arguments() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::vector<std::string> arguments;
    std::string argument;
    while (std::getline(in, argument, '\0'))
        arguments.push_back(argument);
    if (arguments.empty()) arguments.push_back("live");
    return arguments;
}

[[noreturn]] void Usage(const std::string& why) {
    std::fprintf(stderr, "live: %s\nusage: %s [--at SECONDS]\n", why.c_str(),
                 Arguments()[0].c_str());
    std::exit(2);
}

uint32_t Milliseconds(const std::string& seconds) {
    char* end = nullptr;
    const double value = std::strtod(seconds.c_str(), &end);
    if (seconds.empty() || *end || !(value >= 0.0) || value > 4.0e6)
        Usage("--at takes the seconds to start at, not '" + seconds + "'");
    return static_cast<uint32_t>(std::llround(value * 1000.0));
}

void StartEditor() {
    const char* setting = std::getenv("FFX_SYNC");
    std::string value = setting && *setting ? setting : "127.0.0.1:1338";
    if (value == "off") return;
    const size_t colon = value.rfind(':');
    char* end = nullptr;
    const long port =
        colon == std::string::npos ? 0 : std::strtol(value.c_str() + colon + 1, &end, 10);
    if (colon == std::string::npos || colon == 0 || *end || port < 1 || port > 65535) {
        std::fprintf(stderr, "live: FFX_SYNC is host:port or off, not '%s'\n", value.c_str());
        std::exit(2);
    }
    SYN_Start(value.substr(0, colon), static_cast<uint16_t>(port));
    editing = true;
}

// Presses of P and of the arrow keys since the last frame, as SDL queues
// them (on the main thread, as the frame loop takes window messages): a
// tap shorter than a frame counts too.
int pausePresses, steps;

int SDLCALL KeyWatch(void*, SDL_Event* event) {
    if (event->type != SDL_KEYDOWN || event->key.repeat) return 1;
    if (event->key.keysym.scancode == SDL_SCANCODE_P) ++pausePresses;
    if (event->key.keysym.scancode == SDL_SCANCODE_LEFT) --steps;
    if (event->key.keysym.scancode == SDL_SCANCODE_RIGHT) ++steps;
    return 1;
}

void Keys(float seconds) {
    if (pausePresses % 2) CLK_Hold(!CLK_Held());
    if (steps != 0) {
        const int64_t ms = std::llround(static_cast<double>(seconds) * 1000.0) + steps * kStepMs;
        CLK_Seek(static_cast<uint32_t>(ms > 0 ? ms : 0));
    }
    pausePresses = steps = 0;
}

// The keys the file has for `track` now.
void FromFile(FFX_Track* track) {
    track->keys.clear();
    for (const RocketTrack& t : file.tracks)
        if (t.name == track->name)
            for (const RocketKey& key : t.keys)
                track->keys.push_back(
                    TRK_Key{key.row, key.value, static_cast<TRK_Interpolation>(key.interpolation)});
}

void ReadSyncFile() {
    std::string why;
    RocketFile read;
    if (!ReadRocketFile(syncPath, read, why)) {
        std::fprintf(stderr, "live: %s; its last keys stay\n", why.c_str());
        return;
    }
    file = read;
    fileRead = true;
    for (FFX_Track* track : TRK_Asked())
        FromFile(track);
    std::fprintf(stderr, "live: the sync file's keys are read again\n");
}

// Tracks the effect asks for for the first time: the file's keys as last
// read, and a word once for a track still without keys a second later.
void NewTracks() {
    const std::vector<FFX_Track*>& asked = TRK_Asked();
    for (size_t i = askedAt.size(); i < asked.size(); ++i) {
        askedAt.push_back(Clock::now());
        if (fileRead) FromFile(asked[i]);
    }
    for (; checked < asked.size() && Clock::now() - askedAt[checked] >= kKeysAwaited; ++checked)
        if (asked[checked]->keys.empty())
            std::fprintf(stderr, "live: the track \"%s\" has no keys, in the sync file%s\n",
                         asked[checked]->name.c_str(), editing ? " or the editor" : "");
}

} // namespace

void LIVE_StartTransport(const char* syncFile) {
    const std::vector<std::string> arguments = Arguments();
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] != "--at") Usage("unknown argument '" + arguments[i] + "'");
        if (++i == arguments.size()) Usage("--at takes the seconds to start at");
        CLK_Seek(Milliseconds(arguments[i]));
    }
    CLK_NoEnd();
    SDL_AddEventWatch(KeyWatch, nullptr);
    syncPath = syncFile;
    if (!syncPath.empty()) StartEditor();
}

void LIVE_Transport(float seconds) {
    Keys(seconds);
    if (!syncPath.empty()) {
        // The row this frame shows goes to the editor, unless the editor
        // put it there.
        const int64_t row = static_cast<int64_t>(std::floor(TRK_RowAt(seconds)));
        if (row != lastRow) SYN_SendRow(static_cast<uint32_t>(row));
        lastRow = row;
        if (LIVE_SyncSaved() && !SYN_Connected()) ReadSyncFile();
    }
    if (editing) {
        const SyncRequests requests = SYN_Poll();
        if (requests.pause) CLK_Hold(requests.paused);
        if (requests.seek) {
            CLK_Seek(TRK_RowMs(requests.row));
            lastRow = requests.row;
        }
    }
    NewTracks();
    LIVE_NoticeEnd(seconds);
}
