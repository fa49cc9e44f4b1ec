// support.cpp -- the effect's double and the helpers the framework's tests
// share.
#include "tests/framework/support.h"

#include <cstdio>

#include "ffxdemo.h"
#include "effect/ffx.h"

static int renderCount;

uint8_t patternByte(size_t i, int render) {
    return (uint8_t)(((uint32_t)i * 2654435761u + (uint32_t)render * 40503u) >> 24);
}

int renders() {
    return renderCount;
}

// The effect's double: logs its calls, fails on request, and renders a
// pattern that differs in every frame and row. The buffer's bytes are only
// checked at start-up, where the depth-8 path must have cleared them.
int FFX_Init(void* frameBuffer) {
    const uint8_t* bytes = (const uint8_t*)frameBuffer;
    size_t size = ((size_t)width * height * depth) >> 3;
    bool zero = true;
    for (size_t i = 0; i < size && zero; i++)
        zero = bytes[i] == 0;
    fake::record(zero ? "FFX_Init(zero-filled)" : "FFX_Init()");
    return fake::failing("FFX_Init") ? 0 : 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    char entry[64];
    snprintf(entry, sizeof(entry), "FFX_Render(%.9g)", seconds);
    fake::record(entry);
    renderCount++;
    uint8_t* bytes = (uint8_t*)frameBuffer;
    size_t size = ((size_t)width * height * depth) >> 3;
    for (size_t i = 0; i < size; i++)
        bytes[i] = patternByte(i, renderCount);
}

void FFX_Shutdown(void) {
    fake::record("FFX_Shutdown()");
}

int runProgram() {
    return WinMain(fake::instance(), NULL, (LPSTR) "", SW_SHOWDEFAULT);
}

static bool startsWith(const std::string& entry, const std::string& prefix) {
    return entry.compare(0, prefix.size(), prefix) == 0;
}

Strings frameLog(int frame, std::initializer_list<std::string> names) {
    Strings found;
    int current = 0;
    for (const std::string& entry : fake::log()) {
        if (startsWith(entry, "FFX_Render(")) current++;
        if (current < frame) continue;
        if (current > frame || startsWith(entry, "FFX_Shutdown(")) break;
        std::string call = entry.substr(0, entry.find('('));
        if (names.size() == 0) found.push_back(entry);
        for (const std::string& name : names)
            if (call == name) found.push_back(call);
    }
    return found;
}

Strings logBetween(const std::string& from, const std::string& to) {
    Strings found;
    for (const std::string& entry : fake::log()) {
        if (found.empty() && !startsWith(entry, from)) continue;
        if (!found.empty() && startsWith(entry, to)) break;
        found.push_back(entry);
    }
    return found;
}

::testing::AssertionResult screenShows(const std::function<uint32_t(int x, int y)>& expected) {
    const fake::Pixels& screen = fake::screen();
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++)
            if (screen.pixel(x, y) != expected(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << screen.pixel(x, y)
                       << ", expected " << expected(x, y);
        for (int b = width * 4; b < screen.pitch; b++)
            if (screen.bytes[(size_t)y * screen.pitch + b] != 0xCD)
                return ::testing::AssertionFailure()
                       << "byte " << b << " beyond row " << y << " was written";
    }
    return ::testing::AssertionSuccess();
}

uint32_t lastFramePixel(int x, int y) {
    size_t i = ((size_t)y * width + x) * 4;
    uint32_t pixel = 0;
    for (int b = 3; b >= 0; b--)
        pixel = pixel << 8 | patternByte(i + b, renderCount);
    return pixel;
}
