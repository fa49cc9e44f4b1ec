// capture_tool_test.cpp -- runs ffxcapture: exit codes, the one-line errors,
// no partial files, and PNGs that hold exactly what FFX_Render draws.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/elapsed.h"
#include "effect/ffx.h"

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class CaptureTool : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(::testing::TempDir()) / (std::string("ffxcapture_") + info->name() + "_" +
                                                 std::to_string(static_cast<long>(getpid())));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "work");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool in the work folder with stdout and stderr kept aside.
    ToolRun Capture(const std::vector<std::string>& args) {
        std::string command = "cd '" + (dir_ / "work").string() + "' && '" FFXCAPTURE_PATH "'";
        for (const std::string& a : args)
            command += " '" + a + "'";
        command += " >'" + (dir_ / "out").string() + "' 2>'" + (dir_ / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(dir_ / "out"),
                ReadFile(dir_ / "err")};
    }

    std::vector<std::string> WorkFiles() {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir_ / "work"))
            names.push_back(fs::relative(entry.path(), dir_ / "work").string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

// The frame the tool should have written: FFX_Render from a fresh start at
// each of the given elapsed times in turn.
std::vector<uint32_t> Expected(const std::vector<uint32_t>& times) {
    randState = 1;
    scrollRow = 0;
    lastStepTime = 0.0f;
    EXPECT_EQ(FFX_Init(nullptr), 1);
    std::vector<uint32_t> frame(640 * 480);
    for (uint32_t ms : times)
        FFX_Render(frame.data(), COM_MsToSeconds(ms));
    return frame;
}

// Reads a PNG and checks it is 640 x 480 8-bit RGB holding `frame`.
void ExpectPng(const fs::path& path, const std::vector<uint32_t>& frame) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()))
        << path << ": " << image.message;
    EXPECT_EQ(image.width, 640u);
    EXPECT_EQ(image.height, 480u);
    EXPECT_EQ(image.format, static_cast<png_uint_32>(PNG_FORMAT_RGB)); // 8-bit RGB, no alpha
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << image.message;
    int mismatches = 0;
    for (size_t i = 0; i < frame.size(); ++i) {
        const uint32_t p = frame[i];
        mismatches += rgb[3 * i] != ((p >> 16) & 0xFF) || rgb[3 * i + 1] != ((p >> 8) & 0xFF) ||
                      rgb[3 * i + 2] != (p & 0xFF);
    }
    EXPECT_EQ(mismatches, 0) << path;
}

} // namespace

TEST_F(CaptureTool, BadInputExitsTwoWithOneLineAndNoFiles) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--bogus"},
        {"--ms"},
        {"--ms", "x", "-o", "a.png"},
        {"--ms", "4294967296", "-o", "a.png"},
        {"--fps", "0", "--duration", "1", "-o", "seq"},
        {"--fps", "30", "--duration", "-1", "-o", "seq"},
        {"--ms", "5", "-o", "missing/folder/a.png"},
        {"--ms", "5", "-o", "."},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const std::string& a : args)
            line += a + " ";
        const ToolRun run = Capture(args);
        EXPECT_EQ(run.status, 2) << line;
        ASSERT_FALSE(run.err.empty()) << line;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << line << ": " << run.err;
        EXPECT_EQ(run.err.rfind("ffxcapture: ", 0), 0u) << run.err;
        EXPECT_TRUE(run.out.empty()) << line;
        EXPECT_TRUE(WorkFiles().empty()) << line;
    }
}

TEST_F(CaptureTool, OutputThatCannotBeWritten) {
    // A PNG name that is a folder: the temporary file is written, the rename
    // fails, and the temporary file is removed again.
    fs::create_directories(dir_ / "work" / "taken.png");
    ToolRun run = Capture({"--ms", "5", "-o", "taken.png"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot write 'taken.png'"), std::string::npos) << run.err;
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"taken.png"});

    // A sequence folder that is a file.
    std::ofstream(dir_ / "work" / "plain").put('x');
    run = Capture({"--fps", "10", "--duration", "1", "-o", "plain"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("'plain'"), std::string::npos) << run.err;
    EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"plain", "taken.png"}));
}

TEST_F(CaptureTool, HelpPrintsTheUsage) {
    const ToolRun run = Capture({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--ms T -o FILE.png"), std::string::npos);
    EXPECT_NE(run.out.find("--fps F --duration S -o DIR"), std::string::npos);
    EXPECT_TRUE(run.err.empty());
}

TEST_F(CaptureTool, OneFrameIsTheRenderAtThatTime) {
    const ToolRun run = Capture({"--ms", "1125", "-o", "tie.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"tie.png"});
    ExpectPng(dir_ / "work" / "tie.png", Expected({1125}));
}

TEST_F(CaptureTool, SequenceRendersEveryFrameOnOneState) {
    // 10 fps for 0.35 s: 0, 100, 200 and 300 ms; the grid first steps at
    // 300 ms (200 ms is 0.2f, not more than 0.2).
    const ToolRun run = Capture({"--fps", "10", "--duration", "0.35", "-o", "seq"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << "no progress bar without a terminal: " << run.err;
    EXPECT_EQ(WorkFiles(),
              (std::vector<std::string>{"seq", "seq/frame_00000.png", "seq/frame_00001.png",
                                        "seq/frame_00002.png", "seq/frame_00003.png"}));
    ExpectPng(dir_ / "work" / "seq" / "frame_00000.png", Expected({0}));
    ExpectPng(dir_ / "work" / "seq" / "frame_00003.png", Expected({0, 100, 200, 300}));
    EXPECT_EQ(scrollRow, 1);
}
