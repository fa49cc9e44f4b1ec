// ffxscore.cpp -- a demo's music as a score, compiled at build time
// (common/score.h):
//
//   ffxscore FILE SOURCE|- [ROWS] [LENGTH_MS FADE_MS]
//
// Loudness for any music FFmpeg decodes (the samples ffxmusic encodes for
// the programs); where libopenmpt reads FILE as a module, its rows as
// played, the notes on them and its channels' loudness. SOURCE "-" only
// checks. A file that cannot be decoded, or with ROWS (the sync tracks on
// the music's rows) one that is not a module, stops it with one line naming
// the file, and exit status 1; nothing is left half written.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "decode.h"
#include "embed.h"
#include "length.h"
#include "levels.h"
#include "score.h"
#include "write_file.h"

namespace {

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i));
}

// Each value as its difference from the one `width` before.
void PutDeltas(std::string& out, const std::vector<uint8_t>& values, size_t width) {
    for (size_t i = 0; i < values.size(); ++i)
        out += static_cast<char>(i < width ? values[i] : values[i] - values[i - width]);
}

} // namespace

int main(int argc, char** argv) {
    const bool rows = argc > 3 && std::string(argv[3]) == "ROWS";
    DemoLength length;
    std::string error;
    if (argc - rows != 3 && argc - rows != 5) {
        std::fprintf(stderr, "usage: ffxscore FILE SOURCE|- [ROWS] [LENGTH_MS FADE_MS]\n");
        return 2;
    }
    if (argc - rows == 5 && !ParseDemoLength(argv[3 + rows], argv[4 + rows], length, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    const std::string path = argv[1], sourcePath = argv[2];
    std::vector<int16_t> samples;
    if (!DecodeMusic(path, samples, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    ApplyDemoLength(length, samples); // the loudness of what is played
    Score score;
    const bool module = ReadScore(path, score, error);
    if (rows && !module) {
        std::fprintf(stderr, "%s: %s, and MUSIC_ROWS needs a tracker module's rows\n", path.c_str(),
                     error.c_str());
        return 1;
    }
    const std::vector<uint8_t> levels = MusicLevels(samples);
    if (sourcePath == "-") return 0;
    const size_t steps = levels.size() / (kLevelBands + 1);
    if (module) score.channelLevels.resize(steps * score.channels);
    std::string packed;
    uint32_t last = 0;
    for (const ScoreRow& row : score.rows) {
        Put(packed, row.frame - last, 4);
        Put(packed, row.order, 2);
        Put(packed, row.pattern, 2);
        Put(packed, row.row, 2);
        last = row.frame;
    }
    for (const ScoreNote& note : score.notes) {
        Put(packed, note.row, 4);
        packed += {static_cast<char>(note.channel), static_cast<char>(note.note),
                   static_cast<char>(note.instrument), static_cast<char>(note.volume)};
    }
    PutDeltas(packed, levels, kLevelBands + 1);
    PutDeltas(packed, score.channelLevels, score.channels);
    const std::string deflated = Deflated(packed);
    std::ostringstream out;
    out << "// The music's score, written by ffxscore from " << path << ".\n"
        << "#include \"common/score.h\"\n\nconst char scorePacked[] =\n    "
        << BytesLiteral(deflated) << ";\n"
        << "const uint32_t scorePackedBytes = " << deflated.size() << ";\n"
        << "const uint32_t scoreRowCount = " << score.rows.size() << ";\n"
        << "const uint32_t scoreNoteCount = " << score.notes.size() << ";\n"
        << "const uint32_t scoreChannels = " << score.channels << ";\n"
        << "const uint32_t scoreStepCount = " << steps << ";\n"
        << "const uint32_t scoreEndFrame = " << samples.size() / 2 << ";\n";
    if (!WriteWholeFile(sourcePath, out.str())) {
        std::fprintf(stderr, "%s: cannot write %s\n", path.c_str(), sourcePath.c_str());
        return 1;
    }
    return 0;
}
