// ffxassets.cpp -- a demo's pictures and fonts checked and compiled at build
// time (common/asset.h):
//
//   ffxassets DEPTH SOURCE [--image FILE]... [--font NAME=FILE:SIZE]...
//
// A picture is named by its file's base name. SOURCE "-" only checks; else
// the C++ source is written whole, and each character a font lacks is named
// once. A file that cannot be read or decoded, a picture over 4096 pixels a
// side, a true-colour picture in a demo of depth 8, or a second asset of
// one name stops it with one line naming the file, and exit status 1.
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "asset_file.h"
#include "embed.h"
#include "write_file.h"

#define QOI_IMPLEMENTATION
#define QOI_NO_STDIO
#include <qoi.h>

namespace {

struct Picture {
    std::string file, name;
    IMG_Held held;
};

struct Font {
    std::string file, name;
    int size = 0;
    FFX_Font held;
    std::vector<uint32_t> lacking;
};

// `values` of `channels` bytes each, QOI-coded as one row, then deflated
// (zlib's format, at its best compression): QOI takes runs and small
// steps, deflate the rest (a gradient's steps repeated row after row).
std::string Packed(const std::vector<uint8_t>& values, int channels) {
    if (values.empty()) return "";
    const qoi_desc desc{static_cast<unsigned>(values.size() / channels), 1,
                        static_cast<unsigned char>(channels), QOI_SRGB};
    int size = 0;
    void* coded = qoi_encode(values.data(), &desc, &size);
    const std::string qoi(static_cast<const char*>(coded), static_cast<size_t>(size));
    std::free(coded);
    return Deflated(qoi);
}

std::string PackedPicture(const IMG_Held& held) {
    std::vector<uint8_t> values;
    if (!held.indices.empty()) {
        for (uint8_t index : held.indices)
            values.insert(values.end(), {index, index, index});
        return Packed(values, 3);
    }
    for (uint32_t p : held.pixels)
        values.insert(values.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    return Packed(values, 4);
}

std::string PackedCoverage(const FFX_Font& font) {
    std::vector<uint8_t> values;
    for (uint8_t c : font.coverage)
        values.insert(values.end(), {c, c, c});
    return Packed(values, 3);
}

std::string Source(const std::vector<Picture>& pictures, const std::vector<Font>& fonts) {
    std::ostringstream out;
    out << "// The pictures and fonts, written by ffxassets.\n#include \"common/asset.h\"\n\n";
    for (size_t i = 0; i < pictures.size(); ++i) {
        const IMG_Held& held = pictures[i].held;
        if (!held.palette.empty()) {
            out << "static const uint32_t palette" << i << "[256] = {";
            for (int e = 0; e < 256; ++e)
                out << (e % 8 == 0 ? "\n    " : " ") << held.palette[e] << "u,";
            out << "\n};\n";
        }
        out << "static const char picture" << i << "[] =\n    " << BytesLiteral(PackedPicture(held)) << ";\n";
    }
    for (size_t i = 0; i < fonts.size(); ++i) {
        const FFX_Font& font = fonts[i].held;
        out << "static const FNT_Glyph glyphs" << i << "[] = {\n";
        for (const FNT_Glyph& g : font.glyphs)
            out << "    {" << g.left << ", " << g.top << ", " << g.width << ", " << g.height << ", "
                << g.advance << ", " << g.offset << "},\n";
        out << "};\nstatic const FNT_Kern kerns" << i << "[] = {\n";
        for (const FNT_Kern& k : font.kerns)
            out << "    {" << k.first << ", " << k.second << ", " << k.adjust << "},\n";
        if (font.kerns.empty()) out << "    {0, 0, 0},\n";
        out << "};\nstatic const char coverage" << i << "[] =\n    " << BytesLiteral(PackedCoverage(font))
            << ";\n";
    }
    out << "\nconst IMG_Data imageData[] = {\n";
    for (size_t i = 0; i < pictures.size(); ++i) {
        const IMG_Held& held = pictures[i].held;
        out << "    {\"" << pictures[i].name << "\", " << held.image.width << ", "
            << held.image.height << ", " << (held.indices.empty() ? 0 : 1) << ", "
            << held.image.transparent << ", "
            << (held.palette.empty() ? "nullptr" : "palette" + std::to_string(i)) << ", picture"
            << i << ", sizeof picture" << i << " - 1},\n";
    }
    if (pictures.empty()) out << "    {\"\", 0, 0, 0, 0, nullptr, nullptr, 0},\n";
    out << "};\nconst uint32_t imageCount = " << pictures.size() << ";\n\nconst FNT_Data fontData[] = {\n";
    for (size_t i = 0; i < fonts.size(); ++i)
        out << "    {\"" << fonts[i].name << "\", " << fonts[i].held.ascent << ", "
            << fonts[i].held.lineHeight << ", glyphs" << i << ", kerns" << i << ", "
            << fonts[i].held.kerns.size() << ", coverage" << i << ", sizeof coverage" << i
            << " - 1},\n";
    if (fonts.empty()) out << "    {\"\", 0, 0, nullptr, nullptr, 0, nullptr, 0},\n";
    out << "};\nconst uint32_t fontCount = " << fonts.size() << ";\n";
    return out.str();
}

[[noreturn]] void Fail(const char* kind, const std::string& file, const std::string& why) {
    std::fprintf(stderr, "%s %s: %s\n", kind, file.c_str(), why.c_str());
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::string(argv[1]) != "8" && std::string(argv[1]) != "32")) {
        std::fprintf(stderr, "usage: ffxassets 8|32 SOURCE|- [--image FILE]... [--font NAME=FILE:SIZE]...\n");
        return 2;
    }
    const int depth = std::atoi(argv[1]);
    const std::string sourcePath = argv[2];
    std::vector<Picture> pictures;
    std::vector<Font> fonts;
    std::set<std::string> names;
    std::string error;
    for (int i = 3; i < argc; i += 2) {
        const std::string option = argv[i], value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--image" && !value.empty()) {
            Picture picture{value, PictureName(value), {}};
            if (!LoadPicture(value, depth, picture.held, error)) Fail("IMAGES", value, error);
            if (!names.insert(picture.name).second)
                Fail("IMAGES", value, "a second picture or font named \"" + picture.name + "\"");
            pictures.push_back(std::move(picture));
        } else if (option == "--font" && !value.empty()) {
            Font font;
            if (!ParseFontDeclaration(value, font.name, font.file, font.size))
                Fail("FONTS", value, "is not NAME=FILE:SIZE");
            if (!LoadFont(font.file, font.size, font.held, font.lacking, error))
                Fail("FONTS", font.file, error);
            if (!names.insert(font.name).second)
                Fail("FONTS", font.file, "a second picture or font named \"" + font.name + "\"");
            fonts.push_back(std::move(font));
        } else {
            std::fprintf(stderr, "ffxassets: unknown argument %s\n", option.c_str());
            return 2;
        }
    }
    if (sourcePath == "-") return 0;
    for (const Font& font : fonts)
        for (uint32_t code : font.lacking)
            std::fprintf(stderr, "FONTS %s: has no %s; drawn as its missing glyph\n",
                         font.file.c_str(), CharacterName(code).c_str());
    if (!WriteWholeFile(sourcePath, Source(pictures, fonts))) {
        std::fprintf(stderr, "ffxassets: cannot write %s\n", sourcePath.c_str());
        return 1;
    }
    return 0;
}
