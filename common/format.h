// format.h -- fixed-point number formatting, identical on every build.
#pragma once

#include <string>

// Formats value as printf's "%<width>.<decimals>f" would, except for the
// rounding: the value is first taken to 17 significant digits (correctly
// rounded), then rounded half up at the last printed digit, so exact ties
// go away from zero (1.125 -> "1.13", 31.25 -> "31.3"). Right-aligned with
// leading spaces in at least `width` characters.
std::string COM_FormatFixed(double value, int width, int decimals);
