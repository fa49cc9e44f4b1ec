// tool.h -- running ffxcapture from a test, and the frames it should write.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

struct ToolRun {
    int status; // the exit code, or 128 + the signal that ended it
    std::string out, err;
};

std::string ReadFile(const fs::path& path);

// A fresh folder per test: dir() holds the tool's stdout and stderr, and
// work() is where the tool runs.
class CaptureTool : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the tool to its end.
    ToolRun Capture(const std::vector<std::string>& args);
    // Starts the tool and returns at once; Wait collects it. A `fileLimit`
    // of more than 0 bytes makes larger writes fail, as on a full disk.
    pid_t Start(const std::vector<std::string>& args, long fileLimit = 0);
    ToolRun Wait(pid_t pid);

    // Everything under work(), relative, sorted.
    std::vector<std::string> WorkFiles();

    const fs::path& dir() const { return dir_; }
    fs::path work() const { return dir_ / "work"; }

  private:
    fs::path dir_;
};

// Renders frames in order on one effect state from a fresh start, as the
// tool does.
class EffectRun {
  public:
    EffectRun();
    // The frame at `ms` elapsed milliseconds, after those rendered before.
    const std::vector<uint32_t>& At(uint32_t ms);

  private:
    std::vector<uint32_t> frame_;
};

// The frame after rendering each of the given times in turn from a fresh start.
std::vector<uint32_t> Expected(const std::vector<uint32_t>& times);

// Checks that the PNG bytes decode to 640 x 480 8-bit RGB holding `frame`.
void ExpectPngBytes(const std::string& bytes, const std::vector<uint32_t>& frame,
                    const std::string& what);
void ExpectPng(const fs::path& path, const std::vector<uint32_t>& frame);
