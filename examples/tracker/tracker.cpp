// tracker.cpp -- a tracker view of the demo's own module (ffxcompose's
// groove): its pattern scrolling row by row as it plays, each channel's
// notes as they strike, bars for each channel's loudness and each band's,
// and its colours changing with its parts, keyed on the module's own rows
// (tracker.rocket, MUSIC_ROWS).
#include <cstdint>
#include <cstdio>

#include "ffxdemo.h"

namespace {

constexpr int32_t kRowHeight = 18, kRowsShown = 15, kColumn = 110, kLeft = 60, kTop = 60;
const uint32_t kPartColours[3] = {0x203060, 0x502030, 0x205030};

const FFX_Font* mono;
const FFX_Track* part;

void Fill(uint32_t* frame, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    for (int32_t row = y < 0 ? 0 : y; row < y + h && row < height; ++row)
        for (int32_t column = x < 0 ? 0 : x; column < x + w && column < width; ++column)
            frame[row * width + column] = colour;
}

// "C-4": the note's name and octave, as trackers write it.
void NoteName(int32_t note, char* out) {
    static const char* names[12] = {"C-", "C#", "D-", "D#", "E-", "F-", "F#", "G-", "G#", "A-", "A#", "B-"};
    const int32_t octave = (note - 1) / 12 % 10; // notes 1 to 120: octaves 0 to 9
    out[0] = names[(note - 1) % 12][0];
    out[1] = names[(note - 1) % 12][1];
    out[2] = static_cast<char>('0' + octave);
    out[3] = '\0';
}

void Pattern(uint32_t* frame, const FFX_Position& at) {
    const int32_t middle = kTop + kRowsShown / 2 * kRowHeight;
    Fill(frame, kLeft - 8, middle, kColumn * FFX_MusicChannels() + 16, kRowHeight, 0x606080);
    for (int32_t i = 0; i < kRowsShown; ++i) {
        const int32_t played = at.playedRow - kRowsShown / 2 + i;
        if (played < 0) continue;
        const float start = FFX_RowSeconds(played);
        const FFX_Position row = FFX_MusicPosition(start);
        if (row.playedRow != played) continue; // past the last row
        char text[16];
        std::snprintf(text, sizeof text, "%02d", row.row);
        const int32_t y = kTop + i * kRowHeight;
        FFX_DrawText(frame, mono, kLeft - 40, y, text, 0xFF8090A0u);
        for (int32_t channel = 0; channel < FFX_MusicChannels(); ++channel) {
            const FFX_Note note = FFX_ChannelNote(channel, start);
            if (note.note == 0 || note.since > 0.0f) continue; // nothing struck on this row
            NoteName(note.note, text);
            std::snprintf(text + 3, sizeof text - 3, " %02d", note.instrument % 100);
            FFX_DrawText(frame, mono, kLeft + channel * kColumn, y, text, 0xFFFFFFFFu);
        }
    }
}

void Bars(uint32_t* frame, float seconds) {
    for (int32_t channel = 0; channel < FFX_MusicChannels(); ++channel) {
        const FFX_Note note = FFX_ChannelNote(channel, seconds);
        const bool struck = note.note != 0 && note.since < 0.1f; // lit as it strikes
        const int32_t h = static_cast<int32_t>(FFX_ChannelLevel(channel, seconds) * 120);
        Fill(frame, kLeft + channel * kColumn, kTop + kRowsShown * kRowHeight + 130 - h, 80, h,
             struck ? 0xA0FFD0u : 0x40C080u);
    }
    for (int32_t band = 0; band <= FFX_ALL_BANDS; ++band) {
        const int32_t h = static_cast<int32_t>(FFX_MusicLevel(seconds, band) * 200);
        Fill(frame, 520 + band * 12, 400 - h, 10, h, band == FFX_ALL_BANDS ? 0xFFFFFFu : 0xE0A040u);
    }
}

} // namespace

int FFX_Init(void*) {
    mono = FFX_GetFont("mono");
    part = FFX_GetTrack("tracker:part");
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    uint32_t* frame = static_cast<uint32_t*>(frameBuffer);
    const int32_t which = static_cast<int32_t>(FFX_TrackValue(part, seconds)) % 3;
    Fill(frame, 0, 0, width, height, kPartColours[which]);
    const FFX_Position at = FFX_MusicPosition(seconds);
    char line[64];
    std::snprintf(line, sizeof line, "order %d  pattern %d  row %02d", at.order, at.pattern, at.row);
    FFX_DrawText(frame, mono, 20, 16, line, 0xFFFFE080u);
    Pattern(frame, at);
    Bars(frame, seconds);
}

void FFX_Shutdown(void) {}
