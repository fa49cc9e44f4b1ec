// rocket_file.cpp -- the sync editors' XML project file read with expat,
// each key checked as it comes.
#include "rocket_file.h"

#include <expat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

struct Parse {
    XML_Parser parser = nullptr;
    RocketFile* file;
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
            (std::strcmp(setting, "beatsPerMin") == 0 ? p.file->beatsPerMin : p.file->rowsPerBeat) =
                value;
    if (std::strcmp(element, "track") == 0) {
        const char* name = Attribute(attributes, "name");
        if (!name || !*name) return Fail(p, "a track without a name");
        for (const RocketTrack& track : p.file->tracks)
            if (track.name == name) return Fail(p, std::string("track \"") + name + "\" twice");
        p.file->tracks.push_back(RocketTrack{name, {}});
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
        std::vector<RocketKey>& keys = p.file->tracks.back().keys;
        for (const RocketKey& key : keys)
            if (key.row == r) return Fail(p, "two keys on row " + std::to_string(r));
        keys.push_back(RocketKey{static_cast<uint32_t>(r), v, static_cast<int>(i)});
    }
}

void XMLCALL End(void* data, const char* element) {
    if (std::strcmp(element, "track") == 0) static_cast<Parse*>(data)->inTrack = false;
}

} // namespace

bool ReadRocketFile(const std::string& path, RocketFile& file, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        error = path + ": cannot read it";
        return false;
    }
    file = RocketFile{};
    Parse p;
    p.file = &file;
    p.parser = XML_ParserCreate(nullptr);
    XML_SetUserData(p.parser, &p);
    XML_SetElementHandler(p.parser, Start, End);
    const std::string xml = text.str();
    if (XML_Parse(p.parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) != XML_STATUS_OK &&
        p.error.empty())
        p.error = std::to_string(XML_GetCurrentLineNumber(p.parser)) + ": " +
                  XML_ErrorString(XML_GetErrorCode(p.parser));
    XML_ParserFree(p.parser);
    if (!p.error.empty()) error = path + ":" + p.error; // the error starts with its line
    for (RocketTrack& track : file.tracks)
        std::sort(track.keys.begin(), track.keys.end(),
                  [](const RocketKey& a, const RocketKey& b) { return a.row < b.row; });
    return p.error.empty();
}
