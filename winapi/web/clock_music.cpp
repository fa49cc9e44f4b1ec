// clock_music.cpp -- the clock of a demo with music in the browser, which
// plays no sound before a gesture: the first frame is shown under a start
// screen, the gesture starts music and picture together from 0, and the
// music's position as heard when the picture rendered now is seen
// (js/music.js) is the picture's time. Without Web Audio, or when the
// browser does not play it, the timer runs the demo silently from where the
// music was.
#include "app/clock.h"

#include <windows.h>

#include <mmsystem.h>

#include "common/music.h"

extern "C" {
// Shows the start screen over the page and suspends the program until a
// click, a tap or a key (not passed on to it) and the music, decoded since
// the page loaded, is ready; then starts it from 0.
// Returns 1 when it plays, 0 when the page has no sound.
int ffx_web_music_start(int loop);
// Sample frames heard since the music started, when a picture rendered now
// is seen; it stands while paused.
double ffx_web_music_heard(void);
// Pauses (1) or resumes (0) the music.
void ffx_web_music_pause(int paused);
}

// A position that stands this long while playing: the browser is not
// playing it (no output device, or sound refused), and the timer goes on.
static const DWORD kStallMs = 2000;

static int firstShown, started, playing, silent;
static uint64_t silentBase; // silent: sample frames on top of the timer's since silentStart
static DWORD silentStart;
static uint64_t lastHeard;
static DWORD lastMove; // when the position last moved, or playing (re)started

// Sample frames heard since the start, from the music or the timer.
static uint64_t Heard(void) {
    const DWORD now = timeGetTime();
    if (!silent) {
        const uint64_t heard = static_cast<uint64_t>(ffx_web_music_heard());
        if (heard != lastHeard) {
            lastHeard = heard;
            lastMove = now;
            return heard;
        }
        if (now - lastMove <= kStallMs) return heard;
        ffx_web_music_pause(1);
        silent = 1;
        silentBase = lastHeard;
        silentStart = lastMove;
    }
    return silentBase + static_cast<uint64_t>(now - silentStart) * MUS_RATE / 1000;
}

void CLK_Start(void) {}

int CLK_Elapsed(uint32_t* ms) {
    if (!firstShown) {
        firstShown = 1; // the frame under the start screen
        *ms = 0;
        return 1;
    }
    if (!started) {
        started = 1;
        silent = !ffx_web_music_start(musicLoop);
        playing = 1;
        silentStart = lastMove = timeGetTime();
    } else if (!playing) {
        playing = 1;
        silentStart = lastMove = timeGetTime();
        if (!silent) ffx_web_music_pause(0);
    }
    return MUS_Position(Heard(), ms);
}

void CLK_Pause(void) {
    if (!started || !playing) return;
    playing = 0;
    if (silent)
        silentBase = Heard();
    else
        ffx_web_music_pause(1);
}
