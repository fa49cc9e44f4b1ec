// score.cpp -- the module rendered frame by frame at 48 kHz (as the music is
// rendered for the programs), libopenmpt's position read after each: a row
// starts at the frame where its order or row is first seen.
#include "score.h"

#include <libopenmpt/libopenmpt.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace {

constexpr int32_t kRate = 48000, kStep = kRate / 100;

void NotesOf(openmpt_module* module, const ScoreRow& at, uint32_t index, Score& score) {
    for (uint32_t channel = 0; channel < score.channels; ++channel) {
        const auto command = [&](int which) {
            return openmpt_module_get_pattern_row_channel_command(module, at.pattern, at.row,
                                                                  static_cast<int32_t>(channel), which);
        };
        const int note = command(OPENMPT_MODULE_COMMAND_NOTE);
        if (note < 1 || note > 120) continue; // none, or a note off or cut
        // The volume column where it is a volume (its command 1), else full.
        const bool volume = command(OPENMPT_MODULE_COMMAND_VOLUMEEFFECT) == 1;
        score.notes.push_back(ScoreNote{index, static_cast<uint8_t>(channel), static_cast<uint8_t>(note),
                                        static_cast<uint8_t>(command(OPENMPT_MODULE_COMMAND_INSTRUMENT)),
                                        static_cast<uint8_t>(volume ? command(OPENMPT_MODULE_COMMAND_VOLUME) : 64)});
    }
}

} // namespace

bool ReadScore(const std::string& path, Score& score, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> data((std::istreambuf_iterator<char>(file)), {});
    int code = 0;
    openmpt_module* module = openmpt_module_create_from_memory2(
        data.data(), data.size(), openmpt_log_func_silent, nullptr, nullptr, nullptr, &code, nullptr,
        nullptr);
    if (!module) {
        error = "libopenmpt does not read it as a module";
        return false;
    }
    score = Score{};
    score.channels = static_cast<uint32_t>(openmpt_module_get_num_channels(module));
    // Past the song's end libopenmpt renders what still rings, and reports
    // the first order's first row: no row starts there.
    const double end = openmpt_module_get_duration_seconds(module) * kRate;
    int16_t frame[2];
    int32_t lastOrder = -1, lastRow = -1;
    for (uint32_t at = 0; openmpt_module_read_interleaved_stereo(module, kRate, 1, frame) == 1; ++at) {
        const int32_t order = openmpt_module_get_current_order(module);
        const int32_t row = openmpt_module_get_current_row(module);
        if ((order != lastOrder || row != lastRow) && at < end) {
            const ScoreRow played{at, static_cast<uint16_t>(order),
                                  static_cast<uint16_t>(openmpt_module_get_current_pattern(module)),
                                  static_cast<uint16_t>(row)};
            NotesOf(module, played, static_cast<uint32_t>(score.rows.size()), score);
            score.rows.push_back(played);
            lastOrder = order;
            lastRow = row;
        }
        if (at % kStep == 0)
            for (uint32_t channel = 0; channel < score.channels; ++channel) {
                const float vu = openmpt_module_get_current_channel_vu_mono(module, static_cast<int32_t>(channel));
                score.channelLevels.push_back(static_cast<uint8_t>(std::lround(std::fmin(vu, 1.0f) * 255.0f)));
            }
    }
    openmpt_module_destroy(module);
    return true;
}
