// standin_test.cpp -- the SDL2 stand-in on SDL's dummy video driver (a
// 1024x768 desktop in memory): the message queue's order and the quit
// message, the close path, key and focus events as messages, the display's
// refusals and the back buffer's locks, text drawn onto the pixels, and the
// picture scaled sharply between whole scales.
#include "winapi/sdl2/standin.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <cstring>
#include <vector>

namespace {

std::vector<UINT> received; // messages the window procedure saw, in order

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    received.push_back(msg);
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

class StandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = "test";
        ASSERT_NE(RegisterClassA(&wc), 0);
        window = CreateWindowExA(0, "test", "test", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        received.clear();
    }
    void TearDown() override { SDL_Quit(); }

    // The device in exclusive mode with the 640x480x32 flip chain.
    void TakeScreen() {
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<LPVOID*>(&device), IID_IDirectDraw7,
                                     nullptr),
                  DD_OK);
        ASSERT_EQ(device->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
        ASSERT_EQ(device->SetDisplayMode(640, 480, 32, 0, 0), DD_OK);
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = 1;
        ASSERT_EQ(device->CreateSurface(&desc, &primary, nullptr), DD_OK);
        DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
        ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    }

    HWND window = nullptr;
    IDirectDraw7* device = nullptr;
    IDirectDrawSurface7* primary = nullptr;
    IDirectDrawSurface7* back = nullptr;
};

SDL_Event KeyDown(SDL_Keycode key, bool repeat) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.repeat = repeat;
    return e;
}

} // namespace

TEST_F(StandIn, QueueKeepsOrderAndQuitComesLast) {
    PostQuitMessage(7);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1) << "Peek with PM_NOREMOVE left it there";
    EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, WPARAM(VK_SPACE));
    DispatchMessageA(&msg);
    EXPECT_EQ(received, std::vector<UINT>{WM_KEYDOWN});

    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, UINT(WM_SYSCOMMAND));
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(7));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(StandIn, CloseDestroysTheWindow) {
    EXPECT_EQ(DefWindowProcA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(received, std::vector<UINT>{WM_DESTROY});
    EXPECT_FALSE(PostMessageA(window, WM_CLOSE, 0, 0)) << "the window is gone";
}

TEST_F(StandIn, SdlEventsBecomeMessages) {
    SetFocus(window);
    for (SDL_Event e : {KeyDown(SDLK_ESCAPE, false), KeyDown(SDLK_SPACE, true),
                        KeyDown(SDLK_q, false), KeyDown(SDLK_7, false)})
        SDL_PushEvent(&e);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.windowID = SDL_GetWindowID(window->sdl);
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    focus.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&focus);

    std::vector<WPARAM> keys;
    std::vector<bool> repeats;
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && GetMessageA(&msg, nullptr, 0, 0) &&
           msg.message == WM_KEYDOWN) {
        keys.push_back(msg.wParam);
        repeats.push_back((msg.lParam >> 30 & 1) != 0);
    }
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_ESCAPE, VK_SPACE, 'Q', '7'}));
    EXPECT_EQ(repeats, (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(msg.message, UINT(WM_CLOSE));
    EXPECT_EQ(msg.hwnd, window);
    // Activation is sent at once, while the events are read.
    EXPECT_EQ(received, std::vector<UINT>{WM_ACTIVATEAPP});
}

TEST_F(StandIn, RefusesModesTheDesktopCannotShow) {
    ASSERT_EQ(
        DirectDrawCreateEx(nullptr, reinterpret_cast<LPVOID*>(&device), IID_IDirectDraw7, nullptr),
        DD_OK);
    EXPECT_NE(device->SetDisplayMode(640, 480, 32, 0, 0), DD_OK) << "no exclusive level yet";
    ASSERT_EQ(device->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    EXPECT_EQ(device->SetDisplayMode(640, 480, 16, 0, 0), DDERR_INVALIDMODE);
    const SDL_DisplayMode desktop = DesktopMode(nullptr);
    EXPECT_EQ(device->SetDisplayMode(DWORD(desktop.w + 1), 480, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(device->SetDisplayMode(640, DWORD(desktop.h + 1), 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(device->SetDisplayMode(640, 480, 32, 0, 0), DD_OK);
}

TEST_F(StandIn, BackBufferIsPaddedMemoryLockedOnce) {
    TakeScreen();
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(back->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    EXPECT_GT(desc.lPitch, 640 * 4) << "rows are padded, so a transfer must honour the pitch";
    ASSERT_NE(desc.lpSurface, nullptr);
    DDSURFACEDESC2 again{};
    again.dwSize = sizeof(again);
    EXPECT_EQ(back->Lock(nullptr, &again, 0, nullptr), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_NE(back->GetDC(&dc), DD_OK) << "no device context while locked";
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_SURFACEBUSY) << "no flip while locked";
    EXPECT_EQ(back->Unlock(nullptr), DD_OK);
    EXPECT_EQ(back->Unlock(nullptr), DDERR_NOTLOCKED);
    EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);
}

TEST_F(StandIn, TextIsDrawnOverThePixelsNearItsPosition) {
    TakeScreen();
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(back->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    auto* pixels = static_cast<uint8_t*>(desc.lpSurface);
    const uint32_t grey = 0x404040;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            std::memcpy(pixels + y * desc.lPitch + x * 4, &grey, 4);
    back->Unlock(nullptr);

    HDC dc = nullptr;
    ASSERT_EQ(back->GetDC(&dc), DD_OK);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    ASSERT_TRUE(TextOutA(dc, 100, 200, "59.9 fps", 8));
    EXPECT_EQ(back->ReleaseDC(dc), DD_OK);

    int white = 0, changed = 0, stray = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            uint32_t p;
            std::memcpy(&p, pixels + y * desc.lPitch + x * 4, 4);
            if (p == grey) continue;
            ++changed;
            white += p == 0xFFFFFF;
            stray += x < 100 || x >= 200 || y < 200 || y >= 230;
        }
    EXPECT_GT(white, 5) << "white ink";
    EXPECT_GT(changed, white) << "antialiased edges";
    EXPECT_EQ(stray, 0) << "transparent: nothing drawn outside the text";
}

// The dummy desktop is 1024x768: the picture fills it at 1.6 times its size,
// between whole scales. Stripes two pixels wide, 3.2 screen pixels there,
// must keep flat insides and blend in one screen column at each edge: never
// two blended columns side by side (plain bilinear blurs each edge over
// two), and some blended (nearest-neighbour makes them 3 or 4 wide).
TEST_F(StandIn, BetweenWholeScalesEachEdgeBlendsInOneColumn) {
    TakeScreen();
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(back->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    auto* pixels = static_cast<uint8_t*>(desc.lpSurface);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const uint32_t p = (x / 2) % 2 ? 0x000000 : 0xFFFFFF;
            std::memcpy(pixels + y * desc.lPitch + x * 4, &p, 4);
        }
    back->Unlock(nullptr);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);

    SDL_Renderer* renderer = SDL_GetRenderer(window->sdl);
    ASSERT_NE(renderer, nullptr);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    ASSERT_EQ(w, 1024);
    ASSERT_EQ(h, 768);
    std::vector<uint32_t> row(static_cast<size_t>(w));
    const SDL_Rect middle{0, h / 2, w, 1};
    ASSERT_EQ(SDL_RenderReadPixels(renderer, &middle, SDL_PIXELFORMAT_RGB888, row.data(), w * 4), 0)
        << SDL_GetError();
    const auto blend = [&row](int x) {
        const uint32_t p = row[static_cast<size_t>(x)] & 0xFFFFFF;
        return p != 0 && p != 0xFFFFFF;
    };
    int blended = 0, adjacent = 0;
    for (int x = 0; x < w; ++x) {
        blended += blend(x);
        adjacent += x > 0 && blend(x) && blend(x - 1);
    }
    EXPECT_GT(blended, 0) << "nearest-neighbour between whole scales";
    EXPECT_EQ(adjacent, 0) << "edges blurred over more than one column";
    EXPECT_LE(blended, 319) << "at most one blended column per edge";
}

TEST(StandInClock, MillisecondsFromOneMonotonicClock) {
    const DWORD tick = GetTickCount();
    const DWORD time = timeGetTime();
    EXPECT_LE(DWORD(time - tick), 1u);
    SDL_Delay(20);
    EXPECT_GE(DWORD(timeGetTime() - time), 20u);
}
