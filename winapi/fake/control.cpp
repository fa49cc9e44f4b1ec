// control.cpp -- what a test sets: the setup, failures, the two clocks; and
// the frame counter that paces the script.
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>

#include <mmsystem.h>

#include "winapi/fake/internal.h"

struct HINSTANCE__ {};

namespace fake {

static Setup theSetup;
// Per call, the outcomes of its next calls: a failure's result, or none.
static std::map<std::string, std::deque<std::optional<HRESULT>>> outcomes;
static uint32_t timeMs, tickMs;
static int framesPresented;

Setup& setup() {
    return theSetup;
}

HINSTANCE instance() {
    static HINSTANCE__ module;
    detail::nameHandle(&module, "hinstance");
    return &module;
}

void failNext(const std::string& call, int times, HRESULT result) {
    outcomes[call].insert(outcomes[call].end(), times, result);
}

void passNext(const std::string& call, int times) {
    outcomes[call].insert(outcomes[call].end(), times, std::nullopt);
}

bool failing(const std::string& call, HRESULT* result) {
    auto queue = outcomes.find(call);
    if (queue == outcomes.end() || queue->second.empty()) return false;
    std::optional<HRESULT> outcome = queue->second.front();
    queue->second.pop_front();
    if (outcome && result) *result = *outcome;
    return outcome.has_value();
}

void setTime(uint32_t ms) {
    timeMs = ms;
}

void setTicks(uint32_t ms) {
    tickMs = ms;
}

int frames() {
    return framesPresented;
}

namespace detail {

bool enter(const std::string& call, const std::string& args, HRESULT* result) {
    record(call + "(" + args + ")");
    return failing(call, result);
}

void countFrame() {
    if (++framesPresented > theSetup.maxFrames)
        abortRun("the program kept rendering past setup().maxFrames");
}

void abortRun(const char* why) {
    fprintf(stderr, "fake: %s (after %d frames)\n", why, framesPresented);
    std::abort();
}

} // namespace detail
} // namespace fake

DWORD WINAPI timeGetTime(void) {
    fake::record("timeGetTime()");
    return fake::timeMs;
}

DWORD WINAPI GetTickCount(void) {
    fake::record("GetTickCount()");
    return fake::tickMs;
}
