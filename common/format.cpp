// format.cpp -- "%W.Df" formatting with the program's own rounding, so that the
// readouts are the same on glibc, msvcrt, the UCRT and in WebAssembly.
#include "common/format.h"

#include <fmt/compile.h>

#include <cmath>

namespace {

constexpr int kSignificant = 17; // digits taken before the final rounding

std::string PadLeft(std::string text, int width) {
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width - static_cast<int>(text.size())), ' ');
    return text;
}

} // namespace

std::string COM_FormatFixed(double value, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) return PadLeft(negative ? "-nan" : "nan", width);
    if (std::isinf(value)) return PadLeft(negative ? "-inf" : "inf", width);

    // 17 significant digits, correctly rounded: "d.dddddddddddddddde+XX".
    // {fmt} converts exactly on every toolchain; not every C++ library has
    // std::to_chars for doubles. The format is compiled, so that only the
    // conversion of a double is linked, not all of {fmt}'s formatting.
    static_assert(kSignificant == 17, "the format's precision is kSignificant - 1");
    char sci[40];
    const char* end =
        fmt::format_to_n(sci, sizeof sci, FMT_COMPILE("{:.16e}"), std::fabs(value)).out;
    char digits[kSignificant];
    int count = 0;
    const char* p = sci;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.') digits[count++] = *p;
    // The exponent after the 'e' (no terminating zero is written). The
    // value is 0.d1d2...d17 x 10^point: `point` digits lie before the decimal
    // point (none, or leading zeros, when point <= 0).
    int exponent = 0;
    const bool negativeExponent = p + 1 < end && p[1] == '-';
    for (const char* e = p + 2; e < end; ++e)
        exponent = exponent * 10 + (*e - '0');
    const int point = (negativeExponent ? -exponent : exponent) + 1;

    // Digits kept: the integer part and `decimals` more. The next digit alone
    // decides: 5 or more rounds the magnitude up (ties away from zero).
    const int kept = point + decimals;
    const int next = (kept >= 0 && kept < count) ? digits[kept] - '0' : 0;

    // The kept digits as a decimal string of exactly max(kept, 0) digits,
    // zeros beyond the 17th; then the carry of the rounding.
    std::string mantissa;
    for (int i = 0; i < kept; ++i)
        mantissa.push_back(i < count ? digits[i] : '0');
    if (next >= 5) {
        int i = static_cast<int>(mantissa.size()) - 1;
        while (i >= 0 && mantissa[static_cast<size_t>(i)] == '9')
            mantissa[static_cast<size_t>(i--)] = '0';
        if (i >= 0)
            ++mantissa[static_cast<size_t>(i)];
        else
            mantissa.insert(0, 1, '1');
    }

    // At least one integer digit and all `decimals` fraction digits.
    if (static_cast<int>(mantissa.size()) < decimals + 1)
        mantissa.insert(0, static_cast<size_t>(decimals + 1 - static_cast<int>(mantissa.size())),
                        '0');
    std::string text;
    if (negative) text.push_back('-');
    const size_t intDigits = mantissa.size() - static_cast<size_t>(decimals);
    text.append(mantissa, 0, intDigits);
    if (decimals > 0) {
        text.push_back('.');
        text.append(mantissa, intDigits, std::string::npos);
    }
    return PadLeft(std::move(text), width);
}
