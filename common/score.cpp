// score.cpp -- the music's position, notes and loudness for an effect, from
// the compiled score (score.h): unpacked the first time it is asked for,
// then each lookup searched from the last one, as the tracks' are.
#include "common/score.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/inflate.h"
#include "ffxdemo.h"

namespace {

struct Row {
    uint32_t frame;
    uint16_t order, pattern, row;
};

struct Note {
    uint32_t row;
    uint8_t note, instrument, volume;
};

struct Unpacked {
    std::vector<Row> rows;
    std::vector<std::vector<Note>> notes; // by channel, by row
    std::vector<uint8_t> levels;          // kScoreBands + 1 a step
    std::vector<uint8_t> channelLevels;   // scoreChannels a step
};

uint32_t Little(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// Each value was its difference from the same one a step before.
void Undelta(const uint8_t* in, uint32_t width, uint32_t steps, std::vector<uint8_t>& out) {
    out.assign(in, in + static_cast<size_t>(width) * steps);
    for (size_t i = width; i < out.size(); ++i)
        out[i] = static_cast<uint8_t>(out[i] + out[i - width]);
}

const Unpacked& Score() {
    static Unpacked score;
    static bool unpacked = false;
    if (unpacked) return score;
    unpacked = true;
    std::vector<uint8_t> bytes;
    const size_t need = static_cast<size_t>(scoreRowCount) * 10 + static_cast<size_t>(scoreNoteCount) * 8 +
                        static_cast<size_t>(scoreStepCount) * (kScoreBands + 1 + scoreChannels);
    if (scorePackedBytes == 0 || !COM_Inflate(scorePacked, scorePackedBytes, bytes) || bytes.size() != need)
        return score;
    const uint8_t* p = bytes.data();
    uint32_t frame = 0;
    for (uint32_t i = 0; i < scoreRowCount; ++i, p += 10) {
        frame += Little(p, 4);
        score.rows.push_back(Row{frame, static_cast<uint16_t>(Little(p + 4, 2)),
                                 static_cast<uint16_t>(Little(p + 6, 2)), static_cast<uint16_t>(Little(p + 8, 2))});
    }
    score.notes.resize(scoreChannels);
    for (uint32_t i = 0; i < scoreNoteCount; ++i, p += 8)
        if (p[4] < scoreChannels) score.notes[p[4]].push_back(Note{Little(p, 4), p[5], p[6], p[7]});
    Undelta(p, kScoreBands + 1, scoreStepCount, score.levels);
    p += static_cast<size_t>(scoreStepCount) * (kScoreBands + 1);
    Undelta(p, scoreChannels, scoreStepCount, score.channelLevels);
    return score;
}

int64_t FrameAt(double seconds) {
    return std::llround(seconds * kScoreRate);
}

// The last row started at `frame` (0 before the first), from the last found.
uint32_t RowIndex(int64_t frame) {
    static uint32_t last = 0;
    const std::vector<Row>& rows = Score().rows;
    if (rows.empty()) return 0;
    uint32_t at = std::min<uint32_t>(last, static_cast<uint32_t>(rows.size() - 1));
    const auto startsBy = [&](uint32_t i) { return static_cast<int64_t>(rows[i].frame) <= frame; };
    if (!startsBy(at) || (at + 1 < rows.size() && startsBy(at + 1))) {
        if (at + 1 < rows.size() && startsBy(at + 1) && (at + 2 >= rows.size() || !startsBy(at + 2))) {
            ++at;
        } else {
            const auto next = std::upper_bound(rows.begin(), rows.end(), frame,
                                               [](int64_t f, const Row& r) { return f < static_cast<int64_t>(r.frame); });
            at = next == rows.begin() ? 0 : static_cast<uint32_t>(next - rows.begin() - 1);
        }
    }
    last = at;
    return at;
}

// A level between two steps, by the fraction of the step.
float Between(const std::vector<uint8_t>& table, uint32_t width, uint32_t column, double seconds) {
    if (scoreStepCount == 0 || table.empty()) return 0.0f;
    const double step = std::clamp(seconds * kScoreSteps, 0.0, static_cast<double>(scoreStepCount - 1));
    const uint32_t k = static_cast<uint32_t>(step);
    const uint32_t next = std::min(k + 1, scoreStepCount - 1);
    const double t = step - k;
    const double a = table[static_cast<size_t>(k) * width + column];
    const double b = table[static_cast<size_t>(next) * width + column];
    return static_cast<float>((a + (b - a) * t) / 255.0);
}

} // namespace

double SCO_RowAt(double seconds) {
    const std::vector<Row>& rows = Score().rows;
    if (rows.empty()) return 0.0;
    const int64_t frame = FrameAt(seconds);
    const uint32_t i = RowIndex(frame);
    const int64_t start = rows[i].frame;
    const int64_t end = i + 1 < rows.size() ? rows[i + 1].frame : std::max<int64_t>(scoreEndFrame, start + 1);
    const double into = std::clamp(static_cast<double>(frame - start) / static_cast<double>(end - start), 0.0, 1.0);
    return i + into;
}

double SCO_SecondsAtRow(uint32_t row) {
    const std::vector<Row>& rows = Score().rows;
    if (rows.empty()) return 0.0;
    return static_cast<double>(rows[std::min<size_t>(row, rows.size() - 1)].frame) / kScoreRate;
}

FFX_Position FFX_MusicPosition(float seconds) {
    const std::vector<Row>& rows = Score().rows;
    if (rows.empty()) return FFX_Position{-1, -1, -1, -1, 0.0f};
    const int64_t frame = FrameAt(seconds);
    const uint32_t i = RowIndex(frame);
    const Row& row = rows[i];
    return FFX_Position{row.order, row.pattern, row.row, static_cast<int32_t>(i),
                        static_cast<float>(std::max<int64_t>(0, frame - row.frame)) / kScoreRate};
}

float FFX_RowSeconds(int32_t playedRow) {
    return static_cast<float>(SCO_SecondsAtRow(static_cast<uint32_t>(std::max(playedRow, 0))));
}

int32_t FFX_MusicChannels(void) {
    return static_cast<int32_t>(scoreChannels);
}

FFX_Note FFX_ChannelNote(int32_t channel, float seconds) {
    const Unpacked& score = Score();
    if (channel < 0 || static_cast<uint32_t>(channel) >= score.notes.size() || score.rows.empty())
        return FFX_Note{0, 0, 0, 0.0f};
    const int64_t frame = FrameAt(seconds);
    const uint32_t row = RowIndex(frame);
    const std::vector<Note>& notes = score.notes[channel];
    const auto after = std::upper_bound(notes.begin(), notes.end(), row,
                                        [](uint32_t r, const Note& n) { return r < n.row; });
    if (after == notes.begin() || frame < static_cast<int64_t>(score.rows[0].frame)) return FFX_Note{0, 0, 0, 0.0f};
    const Note& note = *(after - 1);
    return FFX_Note{note.note, note.instrument, note.volume,
                    static_cast<float>(frame - score.rows[note.row].frame) / kScoreRate};
}

float FFX_ChannelLevel(int32_t channel, float seconds) {
    if (channel < 0 || static_cast<uint32_t>(channel) >= scoreChannels) return 0.0f;
    return Between(Score().channelLevels, scoreChannels, static_cast<uint32_t>(channel), seconds);
}

float FFX_MusicLevel(float seconds, int32_t band) {
    if (band < 0 || band > static_cast<int32_t>(kScoreBands)) return 0.0f;
    return Between(Score().levels, kScoreBands + 1, static_cast<uint32_t>(band), seconds);
}
