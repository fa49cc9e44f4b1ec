// tool_test.cpp -- runs ffxcapture: exit codes, the one-line errors, no
// partial files, and PNGs that hold exactly what FFX_Render draws.
#include <fstream>

#include "effect/ffx.h"
#include "tests/capture/tool.h"

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
        {"--ms", "5", "-o", "frame.jpg"},
        {"--fps", "30", "--duration", "1", "-o", "clip.avi"},
        {"--fps", "30", "--duration", "1", "-o", "-"},
        {"--fps", "30", "--duration", "1", "--crf", "20", "-o", "clip.mkv"},
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
    // A PNG name that is a folder.
    fs::create_directories(work() / "taken.png");
    ToolRun run = Capture({"--ms", "5", "-o", "taken.png"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot write 'taken.png'"), std::string::npos) << run.err;
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"taken.png"});

    // A sequence folder that is a file.
    std::ofstream(work() / "plain").put('x');
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

TEST_F(CaptureTool, VersionIsTheToolsNameAndTheProjectsVersion) {
    const ToolRun run = Capture({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ffxcapture " FFX_VERSION "\n");
    EXPECT_TRUE(run.err.empty());
}

TEST_F(CaptureTool, OneFrameIsTheRenderAtThatTime) {
    const ToolRun run = Capture({"--ms", "1125", "-o", "tie.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"tie.png"});
    ExpectPng(work() / "tie.png", Expected({1125}));
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
    ExpectPng(work() / "seq" / "frame_00000.png", Expected({0}));
    ExpectPng(work() / "seq" / "frame_00003.png", Expected({0, 100, 200, 300}));
    EXPECT_EQ(scrollRow, 1);
}
