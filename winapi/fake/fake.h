// fake.h -- the scripted stand-in for the Windows API, as tests drive it.
// It records every call the framework makes, delivers a script of messages
// through a Windows-like queue, lets a test set both clocks and make any call
// fail, keeps the pixels of a flip chain whose pitch a test chooses, and
// plays a sound buffer only as far as the test says.
//
//   fake::setup().pitch = 700 * 4;
//   fake::Script().key(VK_SPACE).afterFrame(60).key(VK_ESCAPE);
//   fake::failNext("SetDisplayMode");
//   WinMain(fake::instance(), NULL, (LPSTR)"", SW_SHOWDEFAULT);
//   EXPECT_EQ(fake::calls({"MessageBoxA"}), ...);
//
// The program's state lives for the process, so each test that runs WinMain
// runs in a process of its own; the fake's state is never reset.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace fake {

// What a failing DirectDraw or DirectSound call returns unless a test names a
// result (E_FAIL).
constexpr HRESULT kGenericError = (HRESULT)0x80004005u;

// Read by the fake as the program starts up; change it before WinMain.
struct Setup {
    int screenWidth = 640; // GetSystemMetrics before the mode change
    int screenHeight = 480;
    bool activateOnShow = true; // ShowWindow sends WM_ACTIVATEAPP 1
    int32_t pitch = 0;          // back-buffer row bytes; 0: the mode's row
    int maxFrames = 100000;     // a run rendering more frames is aborted
};
Setup& setup();

// The module instance tests pass to WinMain; it has no icon resource.
HINSTANCE instance();

// The call log: one entry per call, "Name(arg, ...)", with the fake's objects
// by name (hwnd, hinstance, device, primary, back, hdc), messages by name,
// strings quoted with C escapes and flags in hex. GetMessageA adds an entry
// "  got hwnd, message, wParam, lParam" for what it retrieved; messages the
// fake sends during a call (ShowWindow, DestroyWindow) appear as
// "sent MESSAGE(wParam, lParam)". DirectSound's calls are logged (and fail)
// under Interface::Method, as "IDirectSoundBuffer::Lock": several share a
// name with DirectDraw's.
const std::vector<std::string>& log();
// The entries of the named calls only, in order; "Name" without arguments
// when bare is set.
std::vector<std::string> calls(std::initializer_list<std::string> names, bool bare = false);
// Adds an entry; for doubles beside the fake (the tests' effect).
void record(const std::string& entry);

// Failure injection. Each named call keeps a queue of outcomes used by its
// next calls: failNext adds `times` failures with `result` (calls that do not
// return an HRESULT fail their own way: 0, null, -1 for GetMessageA);
// passNext adds `times` ordinary outcomes ahead of later failures.
void failNext(const std::string& call, int times = 1, HRESULT result = kGenericError);
void passNext(const std::string& call, int times = 1);
// Takes the next queued outcome of call: true with *result set when it is a
// failure. For doubles beside the fake.
bool failing(const std::string& call, HRESULT* result = nullptr);

// The two millisecond clocks, wrapping at 2^32; they move only when set.
void setTime(uint32_t ms);  // timeGetTime
void setTicks(uint32_t ms); // GetTickCount

// Loses both surfaces, as when the user switches away from the exclusive
// screen: locks, GetDC and flips report DDERR_SURFACELOST until the primary
// surface is restored.
void loseSurfaces();
// The window minimised (IsIconic answers TRUE) or shown again.
void minimise(bool minimised);

// Frames presented so far: Flip calls that did not report
// DDERR_WASSTILLDRAWING.
int frames();

// A surface's memory: height rows of pitch bytes.
struct Pixels {
    int32_t pitch = 0;
    int32_t height = 0;
    std::vector<uint8_t> bytes;
    bool locked = false;
    uint32_t pixel(int x, int y) const; // a 32-bit pixel
};
// What the display shows (the front of the flip chain) and the back buffer.
// Both start filled with the byte 0xCD.
const Pixels& screen();
const Pixels& backBuffer();

// The sound device's one streaming buffer (filled with 0xCD when created).
// Its play cursor moves only when the test plays the device on: while the
// buffer plays, playSound moves the cursor `bytes` further round it, and the
// bytes it passes are heard as they are at that moment; a stopped buffer's
// cursor stands still. The device takes each byte as it plays it, so the
// write cursor is the play cursor.
void playSound(uint32_t bytes);
// The buffer stops by itself, as a device that gives up does: its status no
// longer says it plays.
void stopSound();
// Every byte heard so far, in order.
const std::vector<uint8_t>& heardSound();

// The message script. Steps are grouped: the steps before the first
// afterFrame/whenIdle are in the queue at the first look at it; a group after
// afterFrame(n) arrives once n frames have been presented; a group after
// whenIdle() arrives only while the program waits. When the program waits,
// the next group arrives whatever its frame; waiting with no group left
// aborts the run.
class Script {
  public:
    Script();
    Script& afterFrame(int n);
    Script& whenIdle();
    Script& post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    Script& key(WPARAM virtualKey) { return post(WM_KEYDOWN, virtualKey); }
    Script& activate(bool active) { return post(WM_ACTIVATEAPP, active ? 1 : 0); }
    Script& ticks(uint32_t ms);
    Script& time(uint32_t ms);
    Script& playSound(uint32_t bytes);
    Script& stopSound();
    Script& failNext(const std::string& call, int times = 1, HRESULT result = kGenericError);
    Script& loseSurfaces();
    Script& then(std::function<void()> action);

  private:
    int group_ = 0;
    int afterFrame_ = 0;
};

} // namespace fake
