// support.h -- what the framework's tests share: the effect's double, the
// program run on the fake, and the log read frame by frame.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "winapi/fake/fake.h"

using Strings = std::vector<std::string>;

// The byte the effect's double writes at offset i of the frame buffer in its
// render-th frame (counting from 1).
uint8_t patternByte(size_t i, int render);
// Frames the double has rendered.
int renders();

// WinMain as the platform start-up calls it.
int runProgram();

// The log entries of the frame-th rendered frame (from 1): from its
// FFX_Render up to the next one; with names, only those calls, bare.
Strings frameLog(int frame, std::initializer_list<std::string> names = {});

// The log from the first entry that starts with `from`, up to the first
// later one that starts with `to` (excluded).
Strings logBetween(const std::string& from, const std::string& to);

// Every pixel of the width x height screen is expected(x, y), and the bytes
// beyond each row, up to the pitch, are as the fake made them (0xCD).
::testing::AssertionResult screenShows(const std::function<uint32_t(int x, int y)>& expected);

// The double's last frame read as 32-bit pixels.
uint32_t lastFramePixel(int x, int y);
