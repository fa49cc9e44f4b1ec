// tool.cpp -- the capture tests' fixture and reference frames.
#include "tests/capture/tool.h"

#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>

#include "common/elapsed.h"
#include "effect/ffx.h"

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void CaptureTool::SetUp() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::path(::testing::TempDir()) / (std::string("ffxcapture_") + info->name() + "_" +
                                             std::to_string(static_cast<long>(getpid())));
    fs::remove_all(dir_);
    fs::create_directories(work());
}

void CaptureTool::TearDown() {
    fs::remove_all(dir_);
}

pid_t CaptureTool::Start(const std::vector<std::string>& args, long fileLimit) {
    const std::string out = (dir_ / "out").string(), err = (dir_ / "err").string();
    const std::string where = work().string();
    std::vector<std::string> argv = {FFXCAPTURE_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& a : argv)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0 || chdir(where.c_str()) != 0)
            _exit(127);
        if (fileLimit > 0) {
            const rlimit limit{static_cast<rlim_t>(fileLimit), static_cast<rlim_t>(fileLimit)};
            signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    return pid;
}

ToolRun CaptureTool::Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return {code, ReadFile(dir_ / "out"), ReadFile(dir_ / "err")};
}

ToolRun CaptureTool::Capture(const std::vector<std::string>& args) {
    return Wait(Start(args));
}

std::vector<std::string> CaptureTool::WorkFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(work()))
        names.push_back(entry.path().lexically_relative(work()).string());
    std::sort(names.begin(), names.end());
    return names;
}

EffectRun::EffectRun() : frame_(640 * 480) {
    randState = 1;
    scrollRow = 0;
    lastStepTime = 0.0f;
    EXPECT_EQ(FFX_Init(nullptr), 1);
}

const std::vector<uint32_t>& EffectRun::At(uint32_t ms) {
    FFX_Render(frame_.data(), COM_MsToSeconds(ms));
    return frame_;
}

std::vector<uint32_t> Expected(const std::vector<uint32_t>& times) {
    EffectRun run;
    std::vector<uint32_t> frame;
    for (uint32_t ms : times)
        frame = run.At(ms);
    return frame;
}

void ExpectPngBytes(const std::string& bytes, const std::vector<uint32_t>& frame,
                    const std::string& what) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        << what << ": " << image.message;
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
    EXPECT_EQ(mismatches, 0) << what;
}

void ExpectPng(const fs::path& path, const std::vector<uint32_t>& frame) {
    ExpectPngBytes(ReadFile(path), frame, path.string());
}
