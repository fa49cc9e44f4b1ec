// score.h -- a tracker module's score as it plays, read with libopenmpt:
// each row's start to the sample frame (speed and tempo changes, breaks,
// jumps, loops and delays as played), the notes struck on each row, and
// each channel's loudness a hundred times a second.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScoreRow {
    uint32_t frame; // the sample frame (48 kHz) the row starts at
    uint16_t order, pattern, row;
};

struct ScoreNote {
    uint32_t row; // the played row it strikes on (an index into the rows)
    uint8_t channel, note, instrument, volume; // note 1 to 120 (C-0 up), volume 0 to 64
};

struct Score {
    uint32_t channels = 0;
    std::vector<ScoreRow> rows;
    std::vector<ScoreNote> notes;       // by row, then channel
    std::vector<uint8_t> channelLevels; // channels a step, 100 steps a second, 0 to 255
};

// The score of the module at `path`; false when libopenmpt does not read it
// as a module (`error` says why, without the file's name).
bool ReadScore(const std::string& path, Score& score, std::string& error);
