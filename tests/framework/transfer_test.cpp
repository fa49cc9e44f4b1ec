// transfer_test.cpp -- each frame reaches the back buffer row by row at the
// surface's pitch, a frame whose lock fails is skipped, and lost surfaces
// come back.
#include <ddraw.h>

#include "display/display.h"
#include "tests/framework/support.h"

TEST(Transfer, CopiesEachRowAtThePitchAndLeavesTheRestOfTheRow) {
    fake::setup().pitch = 700 * 4;
    fake::Script().afterFrame(2).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_TRUE(screenShows(lastFramePixel));
    // The pitch query's lock, then the copy's; neither waits.
    EXPECT_EQ(frameLog(2, {"Lock", "Unlock", "Flip"}),
              (Strings{"Lock", "Unlock", "Lock", "Unlock", "Flip"}));
    EXPECT_EQ(fake::calls({"Lock"})[0], "Lock(back, NULL, 0x0, NULL)");
    EXPECT_EQ(fake::calls({"Unlock"})[0], "Unlock(back, NULL)");
    EXPECT_FALSE(fake::backBuffer().locked);
}

// The flip chain swaps: after a skipped frame the screen shows what the back
// buffer held, the fake's untouched 0xCD bytes.
static uint32_t untouched(int, int) {
    return 0xCDCDCDCDu;
}

TEST(Transfer, FrameWhoseLockFailsIsSkippedButStillFlipped) {
    fake::Script()
        .afterFrame(1)
        .then([] {
            fake::passNext("Lock");
            fake::failNext("Lock");
        })
        .afterFrame(2)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(frameLog(2, {"Lock", "Unlock", "Flip"}), (Strings{"Lock", "Unlock", "Lock", "Flip"}));
    EXPECT_TRUE(screenShows(untouched));
    EXPECT_FALSE(fake::backBuffer().locked);
}

// Without a pitch every row would land on the first one.
TEST(Transfer, FrameWhosePitchQueryFailsIsNotCopiedAndUnlocked) {
    fake::Script().afterFrame(1).failNext("Lock").afterFrame(2).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(frameLog(2, {"Lock", "Unlock", "Flip"}), (Strings{"Lock", "Lock", "Unlock", "Flip"}));
    EXPECT_TRUE(screenShows(untouched));
    EXPECT_FALSE(fake::backBuffer().locked);
}

// Once restored, the chain and its device are let go and the screen taken
// again as at the start, so that no buffer from before the switch is shown;
// the same frame is then drawn into the new chain.
TEST(Transfer, LostSurfacesAreRestoredTakenAgainAndTheSameFrameShows) {
    fake::Script().afterFrame(2).loseSurfaces().afterFrame(4).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(frameLog(3, {"DirectDrawCreateEx", "SetCooperativeLevel", "SetDisplayMode",
                           "CreateSurface", "GetAttachedSurface", "Lock", "Restore", "Unlock",
                           "Flip", "Release"}),
              (Strings{"Lock", "Restore", "Release", "Release", "Release", "DirectDrawCreateEx",
                       "SetCooperativeLevel", "SetDisplayMode", "CreateSurface",
                       "GetAttachedSurface", "Lock", "Unlock", "Flip"}));
    EXPECT_EQ(fake::calls({"Release"}),
              (Strings{"Release(back)", "Release(primary)", "Release(device)"}));
    EXPECT_EQ(fake::calls({"MessageBoxA"}), Strings{});
    EXPECT_TRUE(screenShows(lastFramePixel));
}

// Wine restores the surfaces of a minimised window and makes its buffers
// anew when it is shown: nothing is restored or taken until then.
TEST(Transfer, MinimisedWindowsScreenIsTakenOnlyOnceItIsShown) {
    fake::Script()
        .afterFrame(2)
        .loseSurfaces()
        .then([] { fake::minimise(true); })
        .afterFrame(4)
        .then([] { fake::minimise(false); })
        .afterFrame(6)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    for (int frame : {3, 4})
        EXPECT_EQ(frameLog(frame, {"Restore", "CreateSurface", "Flip"}), Strings{"Flip"}) << frame;
    EXPECT_EQ(frameLog(5, {"Restore", "CreateSurface", "Flip"}),
              (Strings{"Restore", "CreateSurface", "Flip"}));
    EXPECT_TRUE(screenShows(lastFramePixel));
}

// Taking the screen again fails once: no box, nothing half-held, and the
// next try takes it.
TEST(Transfer, ScreenThatCannotBeTakenAgainIsTriedAgain) {
    fake::Script()
        .afterFrame(2)
        .loseSurfaces()
        .failNext("CreateSurface")
        .afterFrame(4)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"MessageBoxA"}), Strings{});
    EXPECT_EQ(fake::calls({"CreateSurface"}, true).size(), 3u);
    EXPECT_EQ(fake::calls({"Release"}, true),
              (Strings{"Release", "Release", "Release", "Release"}));
    EXPECT_TRUE(screenShows(lastFramePixel));
}

TEST(Transfer, PitchQueryAndLockLeaveTheBackBufferAsTheySay) {
    fake::setup().pitch = 2600;
    fake::Script().afterFrame(1).key(VK_ESCAPE);
    ASSERT_EQ(runProgram(), 0);

    EXPECT_EQ(DDRAW_GetPitch(), 2600);
    EXPECT_FALSE(fake::backBuffer().locked);
    fake::failNext("Lock");
    EXPECT_EQ(DDRAW_GetPitch(), 0);
    EXPECT_FALSE(fake::backBuffer().locked);

    EXPECT_EQ(DDRAW_Lock(), fake::backBuffer().bytes.data());
    EXPECT_TRUE(fake::backBuffer().locked);
    DDRAW_Unlock();
    fake::failNext("Lock");
    EXPECT_EQ(DDRAW_Lock(), nullptr);
    EXPECT_FALSE(fake::backBuffer().locked);
}
