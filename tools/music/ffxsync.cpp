// ffxsync.cpp -- a demo's sync tracks checked and compiled at build time
// from the sync editors' XML project file (.rocket):
//
//   <sync rows="N"><tracks><track name="group:name">
//     <key row="R" value="V" interpolation="0-3"/>...
//
// Other elements and attributes (RocketEditor's bookmarks, its track
// colours) are let be; beatsPerMin and rowsPerBeat, where the file has
// them, must agree with BPM and ROWS_PER_BEAT where those are given.
//
//   ffxsync FILE BPM ROWS_PER_BEAT           checks it (BPM or ROWS_PER_BEAT
//                                            "-" where not given)
//   ffxsync FILE BPM ROWS_PER_BEAT SOURCE    also writes the C++ source of
//                                            its keys (common/track.h)
//
// A file that cannot be read, or a bad key, stops it with one line naming
// the file and, where it can, the line, and exit status 1; nothing is left
// half written.
#include <expat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "write_file.h"

namespace {

struct Key {
    uint32_t row;
    float value;
    int interpolation;
};

struct Track {
    std::string name;
    std::vector<Key> keys;
};

struct Parse {
    XML_Parser parser = nullptr;
    std::vector<Track> tracks;
    std::string beatsPerMin, rowsPerBeat;
    std::string error; // the first, with its line
    bool inTrack = false;
};

void Fail(Parse& p, const std::string& why) {
    if (p.error.empty()) p.error = std::to_string(XML_GetCurrentLineNumber(p.parser)) + ": " + why;
    XML_StopParser(p.parser, XML_FALSE);
}

const char* Attribute(const char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2)
        if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
    return nullptr;
}

// A whole number from 0 to `most`; false otherwise.
bool Whole(const char* text, unsigned long most, unsigned long& out) {
    if (!text || !*text || std::strspn(text, "0123456789") != std::strlen(text)) return false;
    errno = 0;
    out = std::strtoul(text, nullptr, 10);
    return errno == 0 && out <= most;
}

void XMLCALL Start(void* data, const char* element, const char** attributes) {
    Parse& p = *static_cast<Parse*>(data);
    for (const char* setting : {"beatsPerMin", "rowsPerBeat"})
        if (const char* value = Attribute(attributes, setting))
            (std::strcmp(setting, "beatsPerMin") == 0 ? p.beatsPerMin : p.rowsPerBeat) = value;
    if (std::strcmp(element, "track") == 0) {
        const char* name = Attribute(attributes, "name");
        if (!name || !*name) return Fail(p, "a track without a name");
        for (const Track& track : p.tracks)
            if (track.name == name) return Fail(p, std::string("track \"") + name + "\" twice");
        p.tracks.push_back(Track{name, {}});
        p.inTrack = true;
    } else if (std::strcmp(element, "key") == 0) {
        if (!p.inTrack) return Fail(p, "a key outside a track");
        const char *row = Attribute(attributes, "row"), *value = Attribute(attributes, "value"),
                   *interpolation = Attribute(attributes, "interpolation");
        unsigned long r = 0, i = 0;
        if (!Whole(row, 0xFFFFFFFFul, r))
            return Fail(p, std::string("a key's row \"") + (row ? row : "") + "\" is not a row");
        char* end = nullptr;
        const float v = value ? std::strtof(value, &end) : 0.0f;
        if (!value || end == value || *end || !std::isfinite(v))
            return Fail(p, std::string("a key's value \"") + (value ? value : "") +
                               "\" is not a number");
        if (!Whole(interpolation ? interpolation : "0", 3, i))
            return Fail(p, std::string("a key's interpolation \"") + interpolation +
                               "\" is not 0 to 3 (step, linear, smooth, ramp)");
        std::vector<Key>& keys = p.tracks.back().keys;
        for (const Key& key : keys)
            if (key.row == r) return Fail(p, "two keys on row " + std::to_string(r));
        keys.push_back(Key{static_cast<uint32_t>(r), v, static_cast<int>(i)});
    }
}

void XMLCALL End(void* data, const char* element) {
    if (std::strcmp(element, "track") == 0) static_cast<Parse*>(data)->inTrack = false;
}

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

std::string Source(const std::string& file, const std::vector<Track>& tracks,
                   double rowsPerSecond) {
    std::ostringstream out;
    out << "// The sync tracks, written by ffxsync from " << file << ".\n"
        << "#include \"common/track.h\"\n\n";
    char number[64];
    for (size_t t = 0; t < tracks.size(); ++t) {
        if (tracks[t].keys.empty()) continue;
        out << "static const TRK_Key keys" << t << "[] = {\n";
        for (const Key& key : tracks[t].keys) {
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
        std::fprintf(stderr, "usage: ffxsync FILE BPM|- ROWS_PER_BEAT|- [SOURCE]\n");
        return 2;
    }
    const std::string file = argv[1];
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "%s: cannot read it\n", file.c_str());
        return 1;
    }
    Parse p;
    p.parser = XML_ParserCreate(nullptr);
    XML_SetUserData(p.parser, &p);
    XML_SetElementHandler(p.parser, Start, End);
    const std::string xml = text.str();
    if (XML_Parse(p.parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) != XML_STATUS_OK &&
        p.error.empty())
        p.error = std::to_string(XML_GetCurrentLineNumber(p.parser)) + ": " +
                  XML_ErrorString(XML_GetErrorCode(p.parser));
    XML_ParserFree(p.parser);
    if (!p.error.empty()) {
        std::fprintf(stderr, "%s:%s\n", file.c_str(), p.error.c_str());
        return 1;
    }
    std::string error;
    const double bpm = Setting(argv[2], p.beatsPerMin, "BPM", "beatsPerMin", 0, error);
    const double rowsPerBeat =
        error.empty() ? Setting(argv[3], p.rowsPerBeat, "ROWS_PER_BEAT", "rowsPerBeat", 8, error)
                      : 0;
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return 1;
    }
    for (Track& track : p.tracks)
        std::sort(track.keys.begin(), track.keys.end(),
                  [](const Key& a, const Key& b) { return a.row < b.row; });
    if (argc == 4) {
        std::printf("%s: %zu tracks, %g BPM, %g rows a beat\n", file.c_str(), p.tracks.size(), bpm,
                    rowsPerBeat);
        return 0;
    }
    if (!WriteWholeFile(argv[4], Source(file, p.tracks, bpm / 60.0 * rowsPerBeat))) {
        std::fprintf(stderr, "%s: cannot write %s\n", file.c_str(), argv[4]);
        return 1;
    }
    return 0;
}
