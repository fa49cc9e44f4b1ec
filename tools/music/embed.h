// embed.h -- how the build's tools put bytes into a program's source: as a
// string literal, deflated where they pack.
#pragma once

#include <string>

// `bytes` as a C++ string literal, every byte escaped (no escape runs into
// the next character), 32 to a line.
std::string BytesLiteral(const std::string& bytes);

// `bytes` deflated in zlib's format, at its best compression.
std::string Deflated(const std::string& bytes);
