// core_test.cpp -- the stand-in's shared half over an in-memory backend: the
// modes it asks the backend for, input as messages for live windows only,
// message boxes, text blended and clipped by the backend's coverage, and the
// command line WinMain gets.
#include "winapi/core/standin.h"

#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <string>
#include <vector>

struct HWND__ {};

namespace {

std::deque<HWND__> windows; // never destroyed: handles stay distinct

// What the backend was asked, and what it answers.
std::vector<std::string> screens; // "640x480" per openScreen
bool boxShown = true;
HWND boxOwner;
BoxIcon boxIcon;
Coverage glyphs; // what any string rasterises to

const StandInBackend testBackend = {
    [](const char*, int, int, int, int, bool) -> HWND { return &windows.emplace_back(); },
    [](HWND) {},
    [](HWND, bool) {},
    [](HWND) {},
    [](bool) {},
    [] {},
    [] { return false; }, // nothing ever arrives
    [](HWND, DisplayMode* mode) {
        *mode = DisplayMode{800, 600, 60};
        return true;
    },
    [](HWND, int32_t w, int32_t h) {
        screens.push_back(std::to_string(w) + "x" + std::to_string(h));
        return true;
    },
    [](const void*, int32_t) { return true; },
    [](HWND owner, const char*, const char*, BoxIcon icon) {
        boxOwner = owner;
        boxIcon = icon;
        return boxShown;
    },
    [](const char*, size_t, Coverage* out) {
        *out = glyphs;
        return true;
    },
    [] { return uint32_t(1234); },
    [](HWND, const char*) {},
};

std::vector<MSG> received; // what the window procedure saw, in order
std::string commandLine;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    received.push_back(MSG{hWnd, msg, wParam, lParam, 0, {}});
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

HWND MakeWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "test";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "test", "test", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr,
                           nullptr);
}

// A device context over width x height pixels of memory, rows packed.
struct Memory {
    std::vector<uint32_t> pixels;
    HDC__ dc;
    Memory(int32_t width, int32_t height)
        : pixels(size_t(width) * size_t(height)),
          dc{reinterpret_cast<uint8_t*>(pixels.data()), width, height, width * 4, TRANSPARENT, 0} {}
};

} // namespace

const StandInBackend backend = testBackend;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd) {
    commandLine = lpCmdLine;
    return hInstance && !hPrevInstance && nShowCmd == SW_SHOWDEFAULT ? 3 : -1;
}

TEST(StandInCore, OnlyModesTheDesktopHoldsReachTheBackend) {
    const HWND window = MakeWindow();
    IDirectDraw7* device = nullptr;
    ASSERT_EQ(
        DirectDrawCreateEx(nullptr, reinterpret_cast<LPVOID*>(&device), IID_IDirectDraw7, nullptr),
        DD_OK);
    ASSERT_EQ(device->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    EXPECT_EQ(device->SetDisplayMode(640, 480, 32, 75, 0), DDERR_INVALIDMODE) << "desktop: 60 Hz";
    EXPECT_EQ(device->SetDisplayMode(801, 480, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(device->SetDisplayMode(0, 480, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(device->SetDisplayMode(0x80000000u, 480, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_TRUE(screens.empty());
    EXPECT_EQ(device->SetDisplayMode(640, 480, 32, 60, 0), DD_OK);
    EXPECT_EQ(screens, std::vector<std::string>{"640x480"});
}

TEST(StandInCore, InputReachesLiveWindowsOnly) {
    const HWND window = MakeWindow();
    KeyPressed(nullptr, VK_SPACE, 0x39, true);
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) << "no window has the keyboard";
    SetFocus(window);
    KeyPressed(nullptr, VK_SPACE, 0x39, true);
    FocusChanged(window, false);
    ASSERT_EQ(received.size(), 1u) << "activation is sent at once";
    EXPECT_EQ(received[0].message, UINT(WM_ACTIVATEAPP));
    EXPECT_EQ(received[0].wParam, WPARAM(0));
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    EXPECT_EQ(msg.lParam, LPARAM(1 | 0x39 << 16 | 1 << 30)) << "count 1, scan code, repeat bit";
    EXPECT_EQ(msg.time, DWORD(1234));

    // Alt+F4 reaches the window as a system key, whose default handling
    // asks the window to close, and destroys it.
    KeyPressed(window, VK_F4, 0x3E, false, true);
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, UINT(WM_SYSKEYDOWN));
    EXPECT_EQ(msg.lParam, LPARAM(1 | 0x3E << 16 | 1 << 29)) << "count 1, scan code, Alt bit";
    received.clear();
    DispatchMessageA(&msg);
    std::vector<UINT> sent;
    for (const MSG& m : received)
        sent.push_back(m.message);
    EXPECT_EQ(sent, (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    received.clear();
    KeyPressed(window, VK_ESCAPE, 1, false);
    KeyPressed(nullptr, VK_ESCAPE, 1, false);
    CloseRequested(window);
    PointerOver(window);
    FocusChanged(window, true);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1) << "nothing waits, and the backend cannot wait";
}

TEST(StandInCore, MessageBoxesGoToTheBackendAndStderr) {
    const HWND window = MakeWindow();
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(window, "Video mode not found", nullptr, 0x10), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Video mode not found\n");
    EXPECT_EQ(boxOwner, window);
    EXPECT_EQ(boxIcon, BoxIcon::Error);
    boxShown = false;
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "text\n", "Caption", MB_ICONWARNING), 0) << "no box shown";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Caption: text\n");
    EXPECT_EQ(boxIcon, BoxIcon::Warning);
}

TEST(StandInCore, TextIsBlendedByCoverageAndClippedToTheSurface) {
    Memory m(8, 4);
    glyphs = Coverage{3, 2, {255, 0, 0, 0, 255, 255}};
    SetTextColor(&m.dc, RGB(0x11, 0x22, 0x33));
    // Only the bitmap's second row, last two columns, lands on the pixels.
    ASSERT_TRUE(TextOutA(&m.dc, -1, -1, "ab", 2));
    // Positions whose far edge is past the int range clip to nothing.
    for (const int x : {INT_MAX - 1, INT_MIN, 0})
        EXPECT_TRUE(TextOutA(&m.dc, x, x == 0 ? INT_MAX : 0, "ab", 2));
    SetBkMode(&m.dc, 2); // OPAQUE: a white box under the ink
    ASSERT_TRUE(TextOutA(&m.dc, 6, 2, "ab", 2));

    constexpr uint32_t I = 0x112233, W = 0xFFFFFF;
    EXPECT_EQ(m.pixels, (std::vector<uint32_t>{I, I, 0, 0, 0, 0, 0, 0, //
                                               0, 0, 0, 0, 0, 0, 0, 0, //
                                               0, 0, 0, 0, 0, 0, I, W, //
                                               0, 0, 0, 0, 0, 0, W, I}));

    glyphs.alpha.pop_back();
    EXPECT_FALSE(TextOutA(&m.dc, 0, 0, "ab", 2)) << "a bitmap smaller than it says";
}

TEST(StandInCore, WinMainGetsTheArgumentsAsOneCommandLine) {
    char program[] = "ffxdemo", plain[] = "-w", spaced[] = "two words";
    char* argv[] = {program, plain, spaced, nullptr};
    EXPECT_EQ(RunWinMain(3, argv), 3);
    EXPECT_EQ(commandLine, "-w \"two words\"");
}
