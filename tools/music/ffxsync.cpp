// ffxsync.cpp -- a demo's sync tracks checked and compiled at build time
// from the sync editors' XML project file (.rocket, rocket_file.h);
// beatsPerMin and rowsPerBeat, where the file has them, must agree with BPM and ROWS_PER_BEAT where those are given.
//
//   ffxsync FILE BPM ROWS_PER_BEAT           checks it (BPM or ROWS_PER_BEAT
//                                            "-" where not given; BPM "music"
//                                            for the music's own rows)
//   ffxsync FILE BPM ROWS_PER_BEAT SOURCE    also writes the C++ source of
//                                            its keys (common/track.h)
//
// A file that cannot be read, or a bad key, stops it with one line naming
// the file and, where it can, the line, and exit status 1; nothing is left
// half written.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "rocket_file.h"
#include "write_file.h"

namespace {

// The setting from the keyword and from the file: they agree, or the file's
// alone, or the keyword's alone, or `fallback`; empty with `error` set when
// they disagree or neither gives one (and there is no fallback).
double Setting(const std::string& keyword, const std::string& file, const char* what,
               const char* fileName, double fallback, std::string& error) {
    const double fromKeyword = keyword == "-" ? 0 : std::atof(keyword.c_str());
    const double fromFile = file.empty() ? 0 : std::atof(file.c_str());
    if (keyword != "-" && !(fromKeyword > 0))
        error = std::string(what) + " " + keyword + " is not a positive number";
    else if (!file.empty() && !(fromFile > 0))
        error = std::string("its ") + fileName + " \"" + file + "\" is not a positive number";
    else if (fromKeyword > 0 && fromFile > 0 && fromKeyword != fromFile)
        error = std::string(what) + " " + keyword + " but its " + fileName + " is " + file;
    else if (fromKeyword > 0 || fromFile > 0 || fallback > 0)
        return fromKeyword > 0 ? fromKeyword : fromFile > 0 ? fromFile : fallback;
    else
        error =
            std::string("no ") + what + ": give it after SYNC, or set " + fileName + " in the file";
    return 0;
}

std::string Source(const std::string& file, const std::vector<RocketTrack>& tracks,
                   double rowsPerSecond) {
    std::ostringstream out;
    out << "// The sync tracks, written by ffxsync from " << file << ".\n"
        << "#include \"common/track.h\"\n\n";
    char number[64];
    for (size_t t = 0; t < tracks.size(); ++t) {
        if (tracks[t].keys.empty()) continue;
        out << "static const TRK_Key keys" << t << "[] = {\n";
        for (const RocketKey& key : tracks[t].keys) {
            std::snprintf(number, sizeof number, "%a", static_cast<double>(key.value));
            out << "    {" << key.row << "u, " << number << "f, static_cast<TRK_Interpolation>("
                << key.interpolation << ")},\n";
        }
        out << "};\n";
    }
    out << "\nconst TRK_Data trackData[] = {\n";
    for (size_t t = 0; t < tracks.size(); ++t) {
        std::string name;
        for (char c : tracks[t].name) {
            if (c == '\\' || c == '"') name += '\\';
            name += c;
        }
        out << "    {\"" << name << "\", "
            << (tracks[t].keys.empty() ? "nullptr" : "keys" + std::to_string(t)) << ", "
            << tracks[t].keys.size() << "u},\n";
    }
    if (tracks.empty()) out << "    {\"\", nullptr, 0u},\n";
    std::snprintf(number, sizeof number, "%a", rowsPerSecond);
    out << "};\nconst uint32_t trackCount = " << tracks.size() << "u;\n"
        << "const double trackRowsPerSecond = " << number << ";\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: ffxsync FILE BPM|-|music ROWS_PER_BEAT|- [SOURCE]\n");
        return 2;
    }
    const std::string file = argv[1];
    RocketFile p;
    std::string why;
    if (!ReadRocketFile(file, p, why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    std::string error;
    // The music's own rows: no BPM at all, whatever the file says.
    const bool musicRows = std::string(argv[2]) == "music";
    const double bpm = musicRows ? 0 : Setting(argv[2], p.beatsPerMin, "BPM", "beatsPerMin", 0, error);
    const double rowsPerBeat =
        error.empty() && !musicRows
            ? Setting(argv[3], p.rowsPerBeat, "ROWS_PER_BEAT", "rowsPerBeat", 8, error)
            : 0;
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return 1;
    }
    if (argc == 4) {
        if (musicRows)
            std::printf("%s: %zu tracks on the music's rows\n", file.c_str(), p.tracks.size());
        else
            std::printf("%s: %zu tracks, %g BPM, %g rows a beat\n", file.c_str(), p.tracks.size(),
                        bpm, rowsPerBeat);
        return 0;
    }
    if (!WriteWholeFile(argv[4], Source(file, p.tracks, bpm / 60.0 * rowsPerBeat))) {
        std::fprintf(stderr, "%s: cannot write %s\n", file.c_str(), argv[4]);
        return 1;
    }
    return 0;
}
