// window_test.cpp -- the window procedure's table: which messages it
// answers itself, which it passes on, and the flags it sets.
#include "app/app.h"
#include "tests/framework/support.h"

struct Row {
    UINT message;
    WPARAM wParam;
    Strings calls;  // what the procedure calls, in order
    LRESULT result; // when the default handling is not asked
};

// DefWindowProcA in the fake answers 0; rows that pass the message on must
// show the call.
static const Row rows[] = {
    {WM_SETCURSOR, 0, {"SetCursor(NULL)"}, 1},
    {WM_SYSCOMMAND, SC_SCREENSAVE, {}, 0},
    {WM_SYSCOMMAND, SC_MONITORPOWER, {}, 0},
    {WM_SYSCOMMAND, SC_SCREENSAVE + 1, {"DefWindowProcA(hwnd, WM_SYSCOMMAND, 0xF141, 0)"}, 0},
    {WM_SYSCOMMAND, SC_MONITORPOWER | 2, {"DefWindowProcA(hwnd, WM_SYSCOMMAND, 0xF172, 0)"}, 0},
    {WM_SYSCOMMAND, 0xF020, {"DefWindowProcA(hwnd, WM_SYSCOMMAND, 0xF020, 0)"}, 0},
    {WM_KEYDOWN,
     VK_ESCAPE,
     {"PostMessageA(hwnd, WM_CLOSE, 0x0, 0)", "DefWindowProcA(hwnd, WM_KEYDOWN, 0x1B, 0)"},
     0},
    {WM_KEYDOWN, 'Q', {"DefWindowProcA(hwnd, WM_KEYDOWN, 0x51, 0)"}, 0},
    {WM_DESTROY, 0, {"PostQuitMessage(0)", "DefWindowProcA(hwnd, WM_DESTROY, 0x0, 0)"}, 0},
    {0x0005 /* WM_SIZE */, 0, {"DefWindowProcA(hwnd, 0x5, 0x0, 0)"}, 0},
};

TEST(WindowProcedure, AnswersOrPassesOnEachMessage) {
    fake::setup().activateOnShow = false;
    ASSERT_EQ(WIN_Init(fake::instance(), SW_SHOWDEFAULT), 1);
    for (const Row& row : rows) {
        size_t before = fake::log().size();
        EXPECT_EQ(WIN_WndProc(mainWindow, row.message, row.wParam, 0), row.result);
        EXPECT_EQ(Strings(fake::log().begin() + before, fake::log().end()), row.calls)
            << "message " << std::hex << row.message << ", wParam " << row.wParam;
    }
    EXPECT_EQ(appActive, 0);
    EXPECT_EQ(showFps, 0);
}

TEST(WindowProcedure, ActivationStoresWParamAndSpaceTogglesTheReadout) {
    fake::setup().activateOnShow = false;
    ASSERT_EQ(WIN_Init(fake::instance(), SW_SHOWDEFAULT), 1);
    WIN_WndProc(mainWindow, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(appActive, 1);
    WIN_WndProc(mainWindow, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(appActive, 0);

    int32_t seen[3];
    for (int32_t& value : seen) {
        WIN_WndProc(mainWindow, WM_KEYDOWN, VK_SPACE, 0);
        value = showFps;
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[1], 0);
    EXPECT_EQ(seen[2], 1);
    EXPECT_EQ(fake::calls({"DefWindowProcA"}).size(), 5u); // every one passed on
}
