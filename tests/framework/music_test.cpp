// music_test.cpp -- the music clock on the fake's sound device, with the
// 0.75 s music of music_data.cpp: the picture's time is the music's as
// heard, the music's end ends the demo (or, looped, starts it again),
// switching away pauses both, and without a working device the timer goes
// on from where the music was. Compiled with MUSIC_LOOP 0 and 1.
#include <dsound.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/elapsed.h"
#include "tests/framework/music_pcm.h"
#include "tests/framework/support.h"

namespace {

constexpr uint32_t kBytesPerMs = MUS_RATE * MUS_CHANNELS * sizeof(int16_t) / 1000;

// The effect's calls for frames showing the music at these milliseconds.
Strings rendersAt(std::initializer_list<uint32_t> ms) {
    Strings entries;
    for (uint32_t m : ms) {
        char entry[64];
        snprintf(entry, sizeof(entry), "FFX_Render(%.9g)", COM_MsToSeconds(m));
        entries.push_back(entry);
    }
    return entries;
}

// The first `bytes` the device should play: the music, then silence or the
// music again.
std::vector<uint8_t> musicAsPlayed(size_t bytes) {
    const size_t total = musicFrames * MUS_CHANNELS * sizeof(int16_t);
    std::vector<uint8_t> played(bytes, 0);
    for (size_t at = 0; at < bytes; at += total) {
        if (at > 0 && !musicLoop) break;
        memcpy(&played[at], musicSamples, std::min(total, bytes - at));
    }
    return played;
}

::testing::AssertionResult heardMusic(size_t bytes) {
    const std::vector<uint8_t>& heard = fake::heardSound();
    const std::vector<uint8_t> expected = musicAsPlayed(bytes);
    if (heard.size() != bytes)
        return ::testing::AssertionFailure() << heard.size() << " bytes heard, not " << bytes;
    for (size_t i = 0; i < bytes; i++)
        if (heard[i] != expected[i])
            return ::testing::AssertionFailure()
                   << "byte " << i << " heard is " << int(heard[i]) << ", not " << int(expected[i]);
    return ::testing::AssertionSuccess();
}

} // namespace

#if !MUSIC_LOOP

// The device plays 100 ms between frames while the timer moves 20 ms: the
// picture keeps to the device, 20 ms ahead once two frames have run (a frame
// is seen a frame after it is rendered), and closes when that reaches the
// music's 750 ms.
TEST(MusicClock, PictureFollowsThePlayCursorAndTheMusicsEndClosesTheWindow) {
    fake::setTime(1000);
    for (int frame = 1; frame <= 8; frame++)
        fake::Script().afterFrame(frame).time(1000 + 20 * frame).playSound(100 * kBytesPerMs);
    EXPECT_EQ(runProgram(), 0);

    // The 2 s buffer is filled before it plays.
    Strings sound = fake::calls({"DirectSoundCreate8", "IDirectSound8::SetCooperativeLevel",
                                 "IDirectSound8::CreateSoundBuffer", "IDirectSoundBuffer::Lock",
                                 "IDirectSoundBuffer::Unlock", "IDirectSoundBuffer::Play"});
    ASSERT_GE(sound.size(), 6u);
    EXPECT_EQ(Strings(sound.begin(), sound.begin() + 6),
              (Strings{
                  "DirectSoundCreate8(NULL, NULL)",
                  "IDirectSound8::SetCooperativeLevel(hwnd, 0x2)",
                  "IDirectSound8::CreateSoundBuffer(dwFlags=0x10000, dwBufferBytes=384000, "
                  "wFormatTag=1, nChannels=2, nSamplesPerSec=48000, nAvgBytesPerSec=192000, "
                  "nBlockAlign=4, wBitsPerSample=16, NULL)",
                  "IDirectSoundBuffer::Lock(0, 384000, 0x0)",
                  "IDirectSoundBuffer::Unlock(384000, 0)",
                  "IDirectSoundBuffer::Play(0, 0, 0x1)",
              }));
    EXPECT_EQ(fake::calls({"FFX_Render"}), rendersAt({0, 120, 220, 320, 420, 520, 620, 720}));
    // The frame that would show 820 ms is not rendered: the window closes.
    EXPECT_EQ(frameLog(8, {"Flip", "PostMessageA", "FFX_Render"}),
              (Strings{"FFX_Render", "Flip", "PostMessageA"}));
    EXPECT_TRUE(fake::calls({"MessageBoxA"}).empty());
    // 800 ms heard: the music's 750 ms, then silence.
    EXPECT_TRUE(heardMusic(800 * kBytesPerMs));
}

// The frames come quicker while the device's position stands between two
// of its steps: the picture's time holds there, never going back.
TEST(MusicClock, ThePicturesTimeNeverGoesBack) {
    uint32_t time = 1000;
    fake::setTime(time);
    for (int frame = 1; frame <= 4; frame++)
        fake::Script().afterFrame(frame).time(time += 40).playSound(40 * kBytesPerMs);
    for (int frame = 5; frame <= 10; frame++)
        fake::Script().afterFrame(frame).time(time += 10);
    fake::Script().afterFrame(11).time(time += 10).playSound(800 * kBytesPerMs);
    EXPECT_EQ(runProgram(), 0);
    double last = 0.0;
    for (const std::string& render : fake::calls({"FFX_Render"})) {
        const double seconds = std::strtod(render.c_str() + render.find('(') + 1, nullptr);
        EXPECT_GE(seconds, last) << render;
        last = seconds;
    }
}

// Switched away, the music stops with the picture (what the device would
// have played meanwhile is not heard), and both go on from where they were
// however long the timer says it was.
TEST(MusicClock, SwitchingAwayPausesTheMusicWithThePicture) {
    fake::Script()
        .afterFrame(1)
        .playSound(100 * kBytesPerMs)
        .afterFrame(2)
        .playSound(100 * kBytesPerMs)
        .activate(false)
        .whenIdle()
        .time(10000)
        .playSound(100 * kBytesPerMs)
        .activate(true)
        .afterFrame(3)
        .playSound(100 * kBytesPerMs)
        .afterFrame(4)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);

    const Strings renders = rendersAt({0, 100, 200, 300});
    EXPECT_EQ(fake::calls({"IDirectSoundBuffer::Play", "IDirectSoundBuffer::Stop", "FFX_Render"}),
              (Strings{"IDirectSoundBuffer::Play(0, 0, 0x1)", renders[0], renders[1],
                       "IDirectSoundBuffer::Stop()", "IDirectSoundBuffer::Play(0, 0, 0x1)",
                       renders[2], renders[3]}));
    EXPECT_TRUE(heardMusic(300 * kBytesPerMs));
}

// Frames 100 ms apart on the timer: what the picture shows when the timer
// carries the demo from the start, with one switch away, to the end.
TEST(MusicClock, WithoutASoundDeviceTheTimerRunsTheDemoToTheMusicsEnd) {
    fake::failNext("DirectSoundCreate8", 1, DSERR_NODRIVER);
    fake::setTime(1000);
    fake::Script().afterFrame(1).time(1100).afterFrame(2).time(1200);
    fake::Script().afterFrame(3).time(1300).activate(false).whenIdle().time(60000).activate(true);
    for (int frame = 4; frame <= 8; frame++)
        fake::Script().afterFrame(frame).time(60000 + 100 * (frame - 3));
    EXPECT_EQ(runProgram(), 0);

    EXPECT_EQ(fake::calls({"FFX_Render"}), rendersAt({0, 100, 200, 300, 400, 500, 600, 700}));
    EXPECT_EQ(fake::calls({"DirectSoundCreate8", "IDirectSound8::SetCooperativeLevel",
                           "IDirectSound8::CreateSoundBuffer", "MessageBoxA"},
                          true),
              (Strings{"DirectSoundCreate8"}));
}

// The device fails after 200 ms of music, the device and the timer in step
// until then: the buffer is stopped and left alone, and the timer goes on
// from there.
TEST(MusicClock, WhenTheDeviceFailsTheTimerGoesOnFromTheMusicsPosition) {
    fake::setTime(1000);
    for (int frame = 1; frame <= 8; frame++) {
        fake::Script step;
        step.afterFrame(frame).time(1000 + 100 * frame).playSound(100 * kBytesPerMs);
        if (frame == 3) step.failNext("IDirectSoundBuffer::GetCurrentPosition");
    }
    EXPECT_EQ(runProgram(), 0);

    EXPECT_EQ(fake::calls({"FFX_Render"}), rendersAt({0, 100, 200, 300, 400, 500, 600, 700}));
    EXPECT_EQ(fake::calls({"IDirectSoundBuffer::GetCurrentPosition", "IDirectSoundBuffer::Lock",
                           "IDirectSoundBuffer::Stop", "IDirectSoundBuffer::Play", "MessageBoxA"}),
              (Strings{
                  "IDirectSoundBuffer::Lock(0, 384000, 0x0)",
                  "IDirectSoundBuffer::Play(0, 0, 0x1)",
                  "IDirectSoundBuffer::GetCurrentPosition()",
                  "IDirectSoundBuffer::GetCurrentPosition()",
                  "IDirectSoundBuffer::Lock(0, 19200, 0x0)",
                  "IDirectSoundBuffer::GetCurrentPosition()",
                  "IDirectSoundBuffer::Lock(19200, 19200, 0x0)",
                  "IDirectSoundBuffer::GetCurrentPosition()",
                  "IDirectSoundBuffer::Stop()",
              }));
}

// A device that stands for two seconds at 200 ms while it says it plays (a
// sink resuming, Bluetooth waking), frames 100 ms apart on the timer: the
// picture waits with it, however long, and both go on together; nothing is
// stopped or let go.
TEST(MusicClock, ADeviceThatStandsWhileItPlaysIsFollowed) {
    fake::setTime(1000);
    for (int frame = 1; frame <= 30; frame++) {
        fake::Script step;
        step.afterFrame(frame).time(1000 + 100 * frame);
        if (frame <= 2 || frame > 22) step.playSound(100 * kBytesPerMs);
    }
    EXPECT_EQ(runProgram(), 0);

    Strings expected = rendersAt({0, 100});
    for (int frame = 3; frame <= 23; frame++)
        expected.push_back(rendersAt({200})[0]);
    for (const std::string& r : rendersAt({300, 400, 500, 600, 700}))
        expected.push_back(r);
    EXPECT_EQ(fake::calls({"FFX_Render"}), expected);
    EXPECT_TRUE(fake::calls({"IDirectSoundBuffer::Stop", "IDirectSoundBuffer::Release"}).empty());
}

// A device that says it plays and never moves: the picture waits for it
// at 0 for five seconds, then the timer starts the demo from there.
TEST(MusicClock, ADeviceThatNeverStartsIsWaitedForThenLeftToTheTimer) {
    fake::setTime(1000);
    for (int frame = 1; frame <= 10; frame++)
        fake::Script().afterFrame(frame).time(frame <= 5 ? 1000 + 1000 * frame
                                                         : 6100 + 200 * (frame - 6));
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"FFX_Render"}), rendersAt({0, 0, 0, 0, 0, 0, 0, 200, 400, 600}));
}

#else

// The looped music (750 ms) in a 2 s buffer, 300 ms played between frames:
// the picture's time starts again with the music, not with the buffer, and
// what is heard is the music over and over (4.5 s, so that refills that run
// round the buffer's end are heard too) until Escape.
TEST(LoopedMusicClock, TimeStartsAgainWithTheMusicAndTheDemoPlaysOn) {
    for (int frame = 1; frame <= 15; frame++)
        fake::Script().afterFrame(frame).playSound(300 * kBytesPerMs);
    fake::Script().afterFrame(16).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);

    EXPECT_EQ(fake::calls({"FFX_Render"}),
              rendersAt({0, 300, 600, 150, 450, 0, 300, 600, 150, 450, 0, 300, 600, 150, 450, 0}));
    EXPECT_TRUE(heardMusic(4500 * kBytesPerMs));
}

// A device that stops by itself at 200 ms, its calls still succeeding,
// frames 100 ms apart on the timer: the picture waits a second for it, then
// the timer takes the music on from the cursor's last move, round the loop.
TEST(LoopedMusicClock, DeviceThatStopsSilentlyIsLeftToTheTimer) {
    fake::setTime(1000);
    for (int frame = 1; frame <= 16; frame++) {
        fake::Script step;
        step.afterFrame(frame).time(1000 + 100 * frame);
        if (frame <= 2) step.playSound(100 * kBytesPerMs);
        if (frame == 2) step.stopSound();
    }
    fake::Script().afterFrame(16).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);

    EXPECT_EQ(fake::calls({"FFX_Render"}), rendersAt({0, 100, 200, 200, 200, 200, 200, 200, 200,
                                                      200, 200, 200, 200, 550, 650, 0}));
    EXPECT_EQ(fake::calls({"IDirectSoundBuffer::Stop"}).size(), 1u);
}

// The device fails at 200 ms (it says so): it is let go, the timer goes on
// from there, and a second later the device, opened again, plays the music
// on from where the timer has it; the picture follows the device again.
TEST(LoopedMusicClock, ADeviceThatComesBackAfterAFailurePlaysOnFromTheMusicsPosition) {
    fake::setTime(1000);
    for (int frame = 1; frame <= 16; frame++) {
        fake::Script step;
        step.afterFrame(frame).time(1000 + 100 * frame);
        if (frame <= 2 || frame >= 14) step.playSound(100 * kBytesPerMs);
        if (frame == 3) step.failNext("IDirectSoundBuffer::GetCurrentPosition");
    }
    fake::Script().afterFrame(17).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);

    // Opened again in frame 14's reading, at 1.3 s: 550 ms round the loop.
    EXPECT_EQ(fake::calls({"FFX_Render"}), rendersAt({0, 100, 200, 300, 400, 500, 600, 700, 50, 150,
                                                      250, 350, 450, 550, 650, 0, 100}));
    // Heard: the music's first 200 ms, then 300 ms of it from 550 ms on.
    const std::vector<uint8_t> music = musicAsPlayed(1500 * kBytesPerMs);
    std::vector<uint8_t> expected(music.begin(), music.begin() + 200 * kBytesPerMs);
    expected.insert(expected.end(), music.begin() + 550 * kBytesPerMs,
                    music.begin() + 850 * kBytesPerMs);
    EXPECT_TRUE(fake::heardSound() == expected);
    EXPECT_EQ(fake::calls({"IDirectSound8::CreateSoundBuffer"}).size(), 2u);
}

#endif
