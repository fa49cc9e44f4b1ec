// compose.cpp -- ffxcompose: writes the examples' music as four-channel
// tracker modules (the 31-sample "M.K." format), so that the project plays
// music of its own.
//
//   ffxcompose sync FILE   a 0.1 s tone at the start of every half second,
//                          about 8 s: the flash-and-tone demo's
//   ffxcompose sync-long FILE  the same tone every half second for about
//                          4 minutes, to measure sync at the end
//   ffxcompose tune FILE   about 15 s of bass, arpeggio and drums, to loop
//   ffxcompose suite FILE  the tune's chords for about 4 minutes, in eight
//                          variations: a whole demo's soundtrack
//   ffxcompose groove FILE the tune's chords in a swing (speed 3 and 9 in
//                          turn), a tempo change, a pattern break, a
//                          pattern loop and a pattern delay: a score whose
//                          rows are far from any one BPM's
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 64, kChannels = 4;

struct Sample {
    std::vector<int8_t> data;
    int volume = 64;
    bool loop = true; // the whole sample, as a single cycle of a waveform
};

struct Cell {
    int period = 0, sample = 0, effect = 0, param = 0;
};
using Pattern = std::vector<Cell>; // kRows x kChannels

// Amiga periods, octaves 1 to 3, from C.
const int kPeriods[36] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                          428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                          214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

// A note by semitone: 0 is C of octave 1.
int Period(int semitone) {
    return kPeriods[semitone];
}

Sample Cycle(double (*wave)(double), int volume) {
    Sample s;
    for (int i = 0; i < 32; ++i)
        s.data.push_back(static_cast<int8_t>(std::lround(wave(i / 32.0) * 100)));
    s.volume = volume;
    return s;
}

double Sine(double t) {
    return std::sin(2 * M_PI * t);
}
double Square(double t) {
    return t < 0.5 ? 1 : -1;
}
double Saw(double t) {
    return 2 * t - 1;
}

Sample Noise(int length, int volume) {
    Sample s;
    uint32_t state = 1;
    for (int i = 0; i < length; ++i) {
        state = state * 214013 + 2531011;
        const double fade = 1.0 - static_cast<double>(i) / length;
        s.data.push_back(static_cast<int8_t>(((int)((state >> 16) & 0xFF) - 128) * fade * fade));
    }
    s.volume = volume;
    s.loop = false;
    return s;
}

Sample Kick(int length) {
    Sample s;
    double phase = 0;
    for (int i = 0; i < length; ++i) {
        phase += (0.12 - 0.10 * i / length);
        const double fade = 1.0 - static_cast<double>(i) / length;
        s.data.push_back(static_cast<int8_t>(std::lround(std::sin(2 * M_PI * phase) * 120 * fade)));
    }
    s.volume = 64;
    s.loop = false;
    return s;
}

void Put16(std::string& out, int value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

std::string Module(const char* title, const std::vector<Sample>& samples,
                   const std::vector<Pattern>& patterns, const std::vector<int>& order) {
    std::string out(20, '\0');
    std::memcpy(&out[0], title, std::strlen(title));
    for (int i = 0; i < 31; ++i) {
        out += std::string(22, '\0');
        if (i < static_cast<int>(samples.size())) {
            const Sample& s = samples[i];
            const int words = static_cast<int>(s.data.size() / 2);
            Put16(out, words);
            out += '\0'; // no finetune
            out += static_cast<char>(s.volume);
            Put16(out, 0);
            Put16(out, s.loop ? words : 1);
        } else {
            out += std::string(8, '\0');
            out[out.size() - 1] = 1; // repeat length 1: no loop
        }
    }
    out += static_cast<char>(order.size());
    out += static_cast<char>(127);
    std::string orders(128, '\0');
    for (size_t i = 0; i < order.size(); ++i)
        orders[i] = static_cast<char>(order[i]);
    out += orders + "M.K.";
    for (const Pattern& p : patterns)
        for (const Cell& c : p) {
            out += static_cast<char>((c.sample & 0xF0) | (c.period >> 8));
            out += static_cast<char>(c.period & 0xFF);
            out += static_cast<char>(((c.sample & 0x0F) << 4) | c.effect);
            out += static_cast<char>(c.param);
        }
    for (const Sample& s : samples)
        out.append(reinterpret_cast<const char*>(s.data.data()), s.data.size());
    return out;
}

Cell& At(Pattern& p, int row, int channel) {
    return p[row * kChannels + channel];
}

// Speed 5 at 125 BPM: a row is 0.1 s. The tone (channels 0 and 1, so both
// sides) starts on every fifth row of the song and is silenced on the next,
// the song's row counting on through `count` patterns played in turn (five
// make a whole number of tones).
std::vector<Pattern> TonePatterns(int count) {
    std::vector<Pattern> patterns(count, Pattern(kRows * kChannels));
    for (int p = 0; p < count; ++p)
        for (int row = 0; row < kRows; ++row)
            for (int channel = 0; channel < 2; ++channel) {
                Cell& c = At(patterns[p], row, channel);
                const int at = p * kRows + row;
                if (at % 5 == 0) c = {Period(24), 1, 0xC, 64};
                if (at % 5 == 1) c = {0, 0, 0xC, 0};
            }
    At(patterns[0], 0, 3) = {0, 0, 0xF, 5};
    return patterns;
}

// The second pattern breaks after row 15: 80 rows, the last tone at 7.5 s.
std::string Sync() {
    std::vector<Pattern> patterns = TonePatterns(2);
    At(patterns[1], 15, 3) = {0, 0, 0xD, 0};
    return Module("ffxdemo sync", {Cycle(Sine, 64)}, patterns, {0, 1});
}

// 37 patterns of 6.4 s: 236.8 s.
std::string SyncLong() {
    std::vector<int> order;
    for (int i = 0; i < 37; ++i)
        order.push_back(i % 5);
    return Module("ffxdemo sync", {Cycle(Sine, 64)}, TonePatterns(5), order);
}

// Speed 6 at 125 BPM: a row is 0.12 s, a chord 16 rows, a pattern 7.68 s.
// Am F C G; in pattern p the arpeggio is an octave higher when p & 1, runs
// down when p & 2, and the hi-hat and bass go quiet when p & 4.
Pattern Chords(int p) {
    const int chords[4][3] = {{9, 12, 16}, {5, 9, 12}, {0, 4, 7}, {7, 11, 14}};
    Pattern pattern(kRows * kChannels);
    for (int row = 0; row < kRows; ++row) {
        const int* chord = chords[row / 16];
        const int step = (row / 2) % 3, note = p & 2 ? chord[2 - step] : chord[step];
        const bool sparse = p & 4;
        if (row % (sparse ? 8 : 4) == 0) At(pattern, row, 0) = {Period(chord[0]), 1, 0, 0};
        if (row % 2 == 0) At(pattern, row, 1) = {Period(note + 12 * (p & 1)), 2, 0, 0};
        if (row % 2 == 1 && !(sparse && row % 4 == 1)) At(pattern, row, 2) = {Period(24), 3, 0, 0};
        if (row % 8 == 0) At(pattern, row, 3) = {Period(12), 4, 0, 0};
    }
    return pattern;
}

const std::vector<Sample> kTuneSamples = {Cycle(Square, 40), Cycle(Saw, 36), Noise(1200, 24),
                                          Kick(3000)};

std::string Tune() {
    return Module("ffxdemo tune", kTuneSamples, {Chords(0), Chords(1)}, {0, 1});
}

// 32 patterns, 245.76 s: the eight variations in an order that comes back
// to the first now and then.
std::string Suite() {
    std::vector<Pattern> patterns;
    for (int p = 0; p < 8; ++p)
        patterns.push_back(Chords(p));
    std::vector<int> order;
    for (int round = 0; round < 4; ++round)
        for (int p = 0; p < 8; ++p)
            order.push_back((p + round * 3) % 8);
    return Module("ffxdemo suite", kTuneSamples, patterns, order);
}

// Chords(0) swung: odd rows at speed 3, even at 9. Then Chords(1) at 150
// BPM, looping its rows 8 to 11 twice more (E60, E62), held 4 rows longer
// on row 20 (EE4), and broken after row 39 into Chords(2)'s row 16.
std::string Groove() {
    std::vector<Pattern> patterns = {Chords(0), Chords(1), Chords(2)};
    for (int row = 0; row < kRows; ++row)
        At(patterns[0], row, 3) = {At(patterns[0], row, 3).period, At(patterns[0], row, 3).sample, 0xF,
                                   row % 2 ? 3 : 9};
    At(patterns[1], 0, 3) = {At(patterns[1], 0, 3).period, At(patterns[1], 0, 3).sample, 0xF, 150};
    At(patterns[1], 1, 3).effect = 0xF, At(patterns[1], 1, 3).param = 6;
    At(patterns[1], 8, 2) = {At(patterns[1], 8, 2).period, At(patterns[1], 8, 2).sample, 0xE, 0x60};
    At(patterns[1], 11, 2) = {At(patterns[1], 11, 2).period, At(patterns[1], 11, 2).sample, 0xE, 0x62};
    At(patterns[1], 20, 2) = {At(patterns[1], 20, 2).period, At(patterns[1], 20, 2).sample, 0xE, 0xE4};
    At(patterns[1], 39, 2) = {At(patterns[1], 39, 2).period, At(patterns[1], 39, 2).sample, 0xD, 0x16};
    return Module("ffxdemo groove", kTuneSamples, patterns, {0, 1, 2});
}

} // namespace

int main(int argc, char** argv) {
    const std::string piece = argc == 3 ? argv[1] : "";
    if (piece != "sync" && piece != "sync-long" && piece != "tune" && piece != "suite" &&
        piece != "groove") {
        std::fprintf(stderr, "usage: ffxcompose sync|sync-long|tune|suite|groove FILE\n");
        return 2;
    }
    const std::string module = piece == "sync"        ? Sync()
                               : piece == "sync-long" ? SyncLong()
                               : piece == "tune"      ? Tune()
                               : piece == "groove"    ? Groove()
                                                      : Suite();
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(module.data(), static_cast<std::streamsize>(module.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "ffxcompose: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
