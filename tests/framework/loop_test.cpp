// loop_test.cpp -- the message and frame loop: messages before frames,
// frames only while active, the clean way out, and the effect's clock.
#include <ddraw.h>

#include "tests/framework/support.h"

TEST(Loop, HandlesEveryWaitingMessageBeforeTheNextFrame) {
    fake::Script().afterFrame(1).key('A').key('B').post(WM_SETCURSOR).afterFrame(2).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    // Frame 1 ends with its flip; the three messages come before frame 2.
    EXPECT_EQ(
        frameLog(1, {"FFX_Render", "Flip", "PeekMessageA", "GetMessageA", "DispatchMessageA"}),
        (Strings{"FFX_Render", "Flip", "PeekMessageA", "GetMessageA", "DispatchMessageA",
                 "PeekMessageA", "GetMessageA", "DispatchMessageA", "PeekMessageA", "GetMessageA",
                 "DispatchMessageA", "PeekMessageA"}));
    EXPECT_EQ(fake::calls({"PeekMessageA"})[0], "PeekMessageA(NULL, 0, 0, 0x0)");
    EXPECT_EQ(fake::calls({"GetMessageA"})[0], "GetMessageA(NULL, 0, 0)");
    EXPECT_EQ(fake::calls({"TranslateMessage"})[0], "TranslateMessage(hwnd, WM_KEYDOWN, 0x41, 0)");
}

TEST(Loop, RendersOnlyWhileTheApplicationIsActive) {
    fake::setup().activateOnShow = false;
    fake::Script()
        .whenIdle()
        .activate(true)
        .afterFrame(2)
        .activate(false)
        .key(VK_SPACE)
        .whenIdle()
        .activate(true)
        .afterFrame(3)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);

    // Waits until activated; after deactivation the space bar is still
    // handled, then it waits again instead of rendering.
    EXPECT_EQ(fake::calls({"WaitMessage", "DispatchMessageA", "FFX_Render"}),
              (Strings{
                  "WaitMessage()",
                  "DispatchMessageA(hwnd, WM_ACTIVATEAPP, 0x1, 0)",
                  "FFX_Render(0)",
                  "FFX_Render(0)",
                  "DispatchMessageA(hwnd, WM_ACTIVATEAPP, 0x0, 0)",
                  "DispatchMessageA(hwnd, WM_KEYDOWN, 0x20, 0)",
                  "WaitMessage()",
                  "DispatchMessageA(hwnd, WM_ACTIVATEAPP, 0x1, 0)",
                  "FFX_Render(0)",
                  "DispatchMessageA(hwnd, WM_KEYDOWN, 0x1B, 0)",
                  "DispatchMessageA(hwnd, WM_CLOSE, 0x0, 0)",
                  "DispatchMessageA(NULL, WM_QUIT, 0x0, 0)",
              }));
}

TEST(Loop, EscapeClosesDestroysAndQuitsWithoutAnotherFrame) {
    fake::Script().afterFrame(1).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(logBetween("DispatchMessageA(hwnd, WM_KEYDOWN", "FFX_Shutdown"),
              (Strings{
                  "DispatchMessageA(hwnd, WM_KEYDOWN, 0x1B, 0)",
                  "PostMessageA(hwnd, WM_CLOSE, 0x0, 0)",
                  "DefWindowProcA(hwnd, WM_KEYDOWN, 0x1B, 0)",
                  "PeekMessageA(NULL, 0, 0, 0x0)",
                  "GetMessageA(NULL, 0, 0)",
                  "  got hwnd, WM_CLOSE, 0x0, 0",
                  "TranslateMessage(hwnd, WM_CLOSE, 0x0, 0)",
                  "DispatchMessageA(hwnd, WM_CLOSE, 0x0, 0)",
                  "DefWindowProcA(hwnd, WM_CLOSE, 0x0, 0)",
                  "sent WM_DESTROY(0, 0)",
                  "PostQuitMessage(0)",
                  "DefWindowProcA(hwnd, WM_DESTROY, 0x0, 0)",
                  "PeekMessageA(NULL, 0, 0, 0x0)",
                  "GetMessageA(NULL, 0, 0)",
                  "  got NULL, WM_QUIT, 0x0, 0",
                  "TranslateMessage(NULL, WM_QUIT, 0x0, 0)",
                  "DispatchMessageA(NULL, WM_QUIT, 0x0, 0)",
              }));
    EXPECT_EQ(fake::frames(), 1);
}

TEST(Loop, ErrorFromGetMessageDoesNotEndTheLoop) {
    fake::Script().afterFrame(1).failNext("GetMessageA").key('A').afterFrame(2).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::frames(), 2);
    EXPECT_EQ(frameLog(1, {"GetMessageA", "DispatchMessageA", "FFX_Render"}),
              (Strings{"FFX_Render", "GetMessageA", "DispatchMessageA", "GetMessageA",
                       "DispatchMessageA"}));
}

// The elapsed milliseconds since the start wrap at 2^32 and reach the
// effect as single-precision seconds.
TEST(Loop, EffectGetsSecondsSinceStartAcrossTheTimersWrap) {
    fake::setTime(0xFFFFFF00u);
    fake::Script()
        .afterFrame(1)
        .time(0x00000130u)
        .afterFrame(2)
        .time(0xFFFFFEFFu)
        .afterFrame(3)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"FFX_Render"}),
              (Strings{"FFX_Render(0)", "FFX_Render(0.560000002)", "FFX_Render(4294967.5)"}));
}
