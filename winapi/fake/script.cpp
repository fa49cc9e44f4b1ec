// script.cpp -- the test's script of messages and events, delivered in
// groups as frames are presented or while the program waits.
#include <deque>

#include "winapi/fake/internal.h"

namespace fake {

namespace {

constexpr int kOnlyWhenIdle = -1;

struct Step {
    int group;
    int afterFrame; // or kOnlyWhenIdle
    std::function<void()> action;
};

std::deque<Step> steps;
int groups;

void deliverGroup() {
    int group = steps.front().group;
    while (!steps.empty() && steps.front().group == group) {
        Step step = steps.front();
        steps.pop_front();
        step.action();
    }
}

} // namespace

Script::Script() : group_(++groups) {}

Script& Script::afterFrame(int n) {
    group_ = ++groups;
    afterFrame_ = n;
    return *this;
}

Script& Script::whenIdle() {
    return afterFrame(kOnlyWhenIdle);
}

Script& Script::then(std::function<void()> action) {
    steps.push_back({group_, afterFrame_, std::move(action)});
    return *this;
}

Script& Script::post(UINT message, WPARAM wParam, LPARAM lParam) {
    return then([=] { detail::post(detail::window(), message, wParam, lParam); });
}

Script& Script::ticks(uint32_t ms) {
    return then([=] { setTicks(ms); });
}

Script& Script::time(uint32_t ms) {
    return then([=] { setTime(ms); });
}

Script& Script::failNext(const std::string& call, int times, HRESULT result) {
    return then([=] { fake::failNext(call, times, result); });
}

Script& Script::loseSurfaces() {
    return then([] { fake::loseSurfaces(); });
}

namespace detail {

void deliverDue() {
    while (!steps.empty() && steps.front().afterFrame != kOnlyWhenIdle &&
           steps.front().afterFrame <= frames())
        deliverGroup();
}

bool deliverNext() {
    if (steps.empty()) return false;
    deliverGroup();
    return true;
}

} // namespace detail
} // namespace fake
