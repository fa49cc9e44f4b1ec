// startup_test.cpp -- the program comes up in order (window, buffers,
// display, effect, clock), and each failure ends it with its boxes and
// exit code 0.
#include <ddraw.h>

#include "tests/framework/support.h"

TEST(StartUp, BringsUpWindowBuffersDisplayEffectThenRuns) {
    fake::setTicks(5000);
    fake::Script().afterFrame(1).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);

    EXPECT_EQ(logBetween("LoadIconA", "DirectDrawCreateEx"),
              (Strings{
                  "LoadIconA(hinstance, #32512)",
                  "LoadCursorA(NULL, #32512)",
                  "RegisterClassA(style=0x3, proc=set, extra=0/0, hinstance, NULL, arrow, NULL, "
                  "NULL, \"cname\")",
                  "GetSystemMetrics(0)",
                  "GetSystemMetrics(1)",
                  "CreateWindowExA(0x0, \"cname\", \"cname\", 0x80000000, 0, 0, 640, 480, NULL, "
                  "NULL, hinstance, NULL)",
                  "ShowWindow(hwnd, 10)",
                  "sent WM_ACTIVATEAPP(1, 0)",
                  "DefWindowProcA(hwnd, WM_ACTIVATEAPP, 0x1, 0)",
                  "UpdateWindow(hwnd)",
                  "SetFocus(hwnd)",
                  "VirtualAlloc(NULL, 1310720, 0x3000, 0x4)",
                  "VirtualProtect(+1245184, 65536, 0x1)",
                  "SetUnhandledExceptionFilter(set)",
              }));
    EXPECT_EQ(logBetween("DirectDrawCreateEx", "PeekMessageA"),
              (Strings{
                  "DirectDrawCreateEx(NULL, IID_IDirectDraw7, NULL)",
                  "SetCooperativeLevel(hwnd, 0x51)",
                  "SetDisplayMode(640, 480, 32, 0, 0x0)",
                  "CreateSurface(dwFlags=0x21, dwCaps=0x218, dwBackBufferCount=1, NULL)",
                  "GetAttachedSurface(primary, 0x4, 0x0, 0x0, 0x0)",
                  "GetTickCount()",
                  "FFX_Init(zero-filled)",
                  "timeGetTime()",
              }));
    EXPECT_EQ(fake::calls({"MessageBoxA"}), Strings{});
    EXPECT_EQ(fake::log().back(), "FFX_Shutdown()");
}

struct WindowFailure : ::testing::TestWithParam<const char*> {};

TEST_P(WindowFailure, ShowsWinInitAndEnds) {
    fake::failNext(GetParam());
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"MessageBoxA"}),
              Strings{"MessageBoxA(NULL, \"WIN_Init\", \"ERROR\", 0x30)"});
    EXPECT_EQ(fake::calls({"VirtualAlloc", "DirectDrawCreateEx", "ShowWindow"}), Strings{});
}

INSTANTIATE_TEST_SUITE_P(StartUp, WindowFailure,
                         ::testing::Values("RegisterClassA", "CreateWindowExA"),
                         [](const auto& info) { return std::string(info.param); });

struct DisplayStep {
    const char* call;
    const char* message;
};

void PrintTo(const DisplayStep& step, std::ostream* out) {
    *out << step.call;
}

struct DisplayFailure : ::testing::TestWithParam<DisplayStep> {};

TEST_P(DisplayFailure, ShowsTheStepsBoxThenDdrawInitAndEnds) {
    fake::failNext(GetParam().call);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"MessageBoxA"}),
              (Strings{"MessageBoxA(hwnd, \"" + std::string(GetParam().message) +
                           "\\n\", \"Error\", 0x0)",
                       "MessageBoxA(NULL, \"DDRAW_Init\", \"ERROR\", 0x30)"}));
    // Nothing after the failed step: no frame-rate start, no effect, no loop.
    EXPECT_EQ(fake::log().back(), "MessageBoxA(NULL, \"DDRAW_Init\", \"ERROR\", 0x30)");
    EXPECT_EQ(fake::calls({"GetTickCount", "FFX_Init", "PeekMessageA"}), Strings{});
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, DisplayFailure,
    ::testing::Values(DisplayStep{"DirectDrawCreateEx", "Could not create Direct Draw Instance"},
                      DisplayStep{"SetCooperativeLevel", "Could not take control of the screen"},
                      DisplayStep{"SetDisplayMode", "Video mode not found"},
                      DisplayStep{"CreateSurface", "Could not create the primary surface"},
                      DisplayStep{"GetAttachedSurface", "Could not get the back surface"}),
    [](const auto& info) { return std::string(info.param.call); });

TEST(StartUp, FailedAllocationEndsWithoutABox) {
    fake::failNext("VirtualAlloc");
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"VirtualAlloc", "MessageBoxA", "DirectDrawCreateEx"}),
              Strings{"VirtualAlloc(NULL, 1310720, 0x3000, 0x4)"});
}

TEST(StartUp, FailedEffectShowsFfxInitAndEnds) {
    fake::failNext("FFX_Init");
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"MessageBoxA"}),
              Strings{"MessageBoxA(NULL, \"FFX_Init\", \"ERROR\", 0x30)"});
    EXPECT_EQ(fake::calls({"timeGetTime", "PeekMessageA", "FFX_Shutdown"}), Strings{});
}
