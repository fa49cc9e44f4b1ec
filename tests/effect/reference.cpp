// reference.cpp -- the straightforward reference render.
#include "tests/effect/reference.h"

#include <cmath>
#include <cstring>

namespace ref {

namespace {

// The glyph table again, one hex number per glyph row: bit 5 is
// column 0 (the left), bit 0 is column 5 (always background).
const uint8_t kGlyphRows[21][8] = {
    {0x3E, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x3E}, // 0
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // 1
    {0x3E, 0x22, 0x02, 0x02, 0x1C, 0x20, 0x20, 0x3E}, // 2
    {0x3C, 0x02, 0x02, 0x0E, 0x02, 0x02, 0x02, 0x3C}, // 3
    {0x02, 0x22, 0x22, 0x1E, 0x02, 0x02, 0x02, 0x02}, // 4
    {0x3E, 0x20, 0x20, 0x3C, 0x02, 0x02, 0x02, 0x3C}, // 5
    {0x1E, 0x20, 0x20, 0x3C, 0x22, 0x22, 0x22, 0x1C}, // 6
    {0x3E, 0x02, 0x02, 0x02, 0x0E, 0x02, 0x02, 0x02}, // 7
    {0x1C, 0x22, 0x22, 0x1C, 0x22, 0x22, 0x22, 0x1C}, // 8
    {0x1E, 0x22, 0x22, 0x1E, 0x02, 0x02, 0x02, 0x02}, // 9
    {0x1C, 0x22, 0x22, 0x3E, 0x22, 0x22, 0x22, 0x22}, // A
    {0x3C, 0x22, 0x22, 0x3C, 0x22, 0x22, 0x22, 0x3C}, // B
    {0x1E, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x1E}, // C
    {0x3C, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x3C}, // D
    {0x1E, 0x20, 0x20, 0x38, 0x20, 0x20, 0x20, 0x1E}, // E
    {0x1E, 0x20, 0x20, 0x38, 0x20, 0x20, 0x20, 0x20}, // F
    {0x3E, 0x20, 0x20, 0x2E, 0x22, 0x22, 0x22, 0x3E}, // G
    {0x00, 0x0C, 0x0C, 0x00, 0x00, 0x0C, 0x0C, 0x00}, // :
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}, // .
    {0x14, 0x3E, 0x14, 0x14, 0x14, 0x14, 0x3E, 0x14}, // #
    {0x0C, 0x0C, 0x0C, 0x0C, 0x0C, 0x0C, 0x0C, 0x0C}, // |
};

const char kCharset[] = "0123456789ABCDEFG:.#|";

} // namespace

double GreenValue(int x, int y) {
    const double a = 0.03 * x;
    const double b = 0.01 * y;
    return std::sin(a + b) * 127 + 128;
}

double BlueValue(int x, int y) {
    const int product = y * x;
    return std::sin(0.0001 * product) * 127 + 128;
}

uint32_t PlasmaEntry(int x, int y) {
    const int g = static_cast<int>(GreenValue(x, y));
    const int b = static_cast<int>(BlueValue(x, y));
    return (static_cast<uint32_t>(g) << 8) + static_cast<uint32_t>(b);
}

const std::vector<uint32_t>& PlasmaTable() {
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(kPixels);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                t[y * kWidth + x] = PlasmaEntry(x, y);
        return t;
    }();
    return table;
}

bool GlyphInk(char c, int row, int column) {
    if (c == '\0') return false;
    const char* at = std::strchr(kCharset, c);
    if (!at) return false;
    return (kGlyphRows[at - kCharset][row] >> (5 - column)) & 1;
}

void DrawChar(uint32_t* frame, int scale, int x, int y, char c) {
    for (int v = 0; v < 8 * scale; ++v)
        for (int u = 0; u < 6 * scale; ++u)
            if (GlyphInk(c, v / scale, u / scale)) frame[(y + v) * kWidth + (x + u)] = kWhite;
}

void DrawString(uint32_t* frame, int scale, int x, int y, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        DrawChar(frame, scale, x + static_cast<int>(i) * 6 * scale, y, text[i]);
}

std::vector<uint32_t> Frame(float seconds, const std::string& readout, int scrollRow,
                            const std::vector<std::string>& cells) {
    const std::vector<uint32_t>& table = PlasmaTable();
    std::vector<uint32_t> frame(kPixels);
    const long long offset = static_cast<long long>(static_cast<double>(seconds) * 100.0);
    for (long long i = 0; i < kPixels; ++i)
        frame[i] = table[(i + offset) % kPixels];
    DrawString(frame.data(), 3, 100, 10, readout);
    for (int r = 0; r < 20; ++r) {
        const int screenRow = (19 - scrollRow + r) % 20;
        for (int c = 0; c < 4; ++c)
            DrawString(frame.data(), 2, 40 + 144 * c, 100 + 18 * screenRow, cells[r * 4 + c]);
    }
    return frame;
}

} // namespace ref
