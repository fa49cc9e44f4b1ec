// output_test.cpp -- what ffxcapture does to the path it is pointed at: a
// FIFO and device nodes written in place and left as they were, symbolic
// links kept, write failures and interruptions leaving nothing behind.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include "tests/capture/tool.h"

namespace {

// Reads a FIFO to its end on a thread of its own.
class FifoReader {
  public:
    explicit FifoReader(const fs::path& fifo)
        : thread_([this, fifo] { bytes_ = ReadFile(fifo); }) {}
    std::string Bytes() {
        thread_.join();
        return bytes_;
    }

  private:
    std::string bytes_;
    std::thread thread_;
};

bool IsFifo(const fs::path& p) {
    return fs::is_fifo(fs::symlink_status(p));
}

// Waits up to 20 s for `done`.
template <typename Done> bool WaitFor(Done done) {
    for (int i = 0; i < 2000 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

bool HasPartFile(const std::vector<std::string>& names) {
    for (const std::string& n : names)
        if (n.find(".part") != std::string::npos) return true;
    return false;
}

} // namespace

TEST_F(CaptureTool, FifoIsWrittenInPlace) {
    const fs::path fifo = work() / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    {
        FifoReader reader(fifo);
        const ToolRun run = Capture({"--ms", "1125", "-o", "pipe"});
        EXPECT_EQ(run.status, 0) << run.err;
        ExpectPngBytes(reader.Bytes(), Expected({1125}), "the frame through the FIFO");
    }
    {
        FifoReader reader(fifo);
        const ToolRun run =
            Capture({"--fps", "10", "--duration", "0.3", "--format", "mkv", "-o", "pipe"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_GT(reader.Bytes().size(), 1000u);
    }
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"pipe"});
}

TEST_F(CaptureTool, ReaderThatWentAwayIsAWriteError) {
    const fs::path fifo = work() / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const pid_t pid = Start({"--fps", "30", "--duration", "10", "--format", "mkv", "-o", "pipe"});
    const int reader = open(fifo.c_str(), O_RDONLY); // waits for the tool to open it
    char some[4096];
    ASSERT_GT(read(reader, some, sizeof some), 0);
    close(reader);
    const ToolRun run = Wait(pid);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("Broken pipe"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"pipe"});
}

TEST_F(CaptureTool, DeviceNodesAreWrittenInPlace) {
    // Private nodes for the null and full devices (1:3 and 1:7), made here.
    const fs::path null = work() / "null", full = work() / "full";
    if (mknod(null.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0 ||
        mknod(full.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make device nodes here (needs CAP_MKNOD)";
    const int probe = open(null.c_str(), O_WRONLY);
    if (probe < 0) GTEST_SKIP() << "device nodes cannot be opened on this file system";
    close(probe);

    EXPECT_EQ(Capture({"--ms", "5", "-o", "null"}).status, 0);
    EXPECT_EQ(Capture({"--fps", "30", "--duration", "0.2", "--format", "mp4", "-o", "null"}).status,
              0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--ms", "5", "-o", "full"},
          std::vector<std::string>{"--fps", "30", "--duration", "0.2", "--format", "mkv", "-o",
                                   "full"}}) {
        const ToolRun run = Capture(args);
        EXPECT_EQ(run.status, 1) << args.back() << ": " << run.err;
        EXPECT_NE(run.err.find("cannot write 'full': No space left on device"), std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    for (const fs::path& node : {null, full}) {
        struct stat st;
        ASSERT_EQ(lstat(node.c_str(), &st), 0) << node;
        EXPECT_TRUE(S_ISCHR(st.st_mode)) << node;
    }
    EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"full", "null"}));
}

TEST_F(CaptureTool, LinksStayLinksAndFilesKeepTheirMode) {
    fs::create_directories(work() / "real");
    std::ofstream(work() / "real" / "frame.png") << "old";
    fs::permissions(work() / "real" / "frame.png", fs::perms(0640));
    fs::create_symlink("real/frame.png", work() / "link.png");
    fs::create_symlink("real/new.png", work() / "dangling.png");

    for (const char* name : {"link.png", "dangling.png"}) {
        const ToolRun run = Capture({"--ms", "1125", "-o", name});
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        EXPECT_TRUE(fs::is_symlink(work() / name)) << name;
    }
    ExpectPng(work() / "real" / "frame.png", Expected({1125}));
    ExpectPng(work() / "real" / "new.png", Expected({1125}));
    EXPECT_EQ(fs::status(work() / "real" / "frame.png").permissions(), fs::perms(0640));
    EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"dangling.png", "link.png", "real",
                                                     "real/frame.png", "real/new.png"}));

    // Standard output, by name through /proc: written in place, not replaced.
    const ToolRun run = Capture({"--ms", "1125", "-o", "/proc/self/fd/1"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectPngBytes(run.out, Expected({1125}), "the frame through /proc/self/fd/1");
    EXPECT_EQ(Capture({"--ms", "1125", "-o", "-"}).out, run.out);
}

TEST_F(CaptureTool, FailurePartWayLeavesNoPartialFile) {
    // Writes beyond 200 kB fail, as on a full disk.
    for (const char* name : {"clip.mkv", "frame.png"}) {
        const bool video = std::string(name) == "clip.mkv";
        const ToolRun run = Wait(
            Start(video ? std::vector<std::string>{"--fps", "30", "--duration", "2", "-o", name}
                        : std::vector<std::string>{"--ms", "5", "-o", name},
                  200000));
        EXPECT_EQ(run.status, 1) << name << ": " << run.err;
        EXPECT_NE(run.err.find(std::string("cannot write '") + name + "': File too large"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(CaptureTool, InterruptionLeavesNothingUnfinished) {
    // A long video, stopped once its temporary file is growing.
    pid_t pid = Start({"--fps", "30", "--duration", "600", "-o", "long.mp4"});
    ASSERT_TRUE(WaitFor([&] {
        for (const std::string& n : WorkFiles())
            if (n.find(".part") != std::string::npos && fs::file_size(work() / n) > 100000)
                return true;
        return false;
    }));
    kill(pid, SIGTERM);
    ToolRun run = Wait(pid);
    EXPECT_EQ(run.status, 128 + SIGTERM);
    EXPECT_NE(run.err.find("interrupted by SIGTERM"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_TRUE(WorkFiles().empty());

    // A PNG folder, stopped with Ctrl+C: whole frames stay, no temporary file.
    pid = Start({"--fps", "30", "--duration", "600", "-o", "seq"});
    ASSERT_TRUE(WaitFor([&] { return fs::exists(work() / "seq" / "frame_00010.png"); }));
    kill(pid, SIGINT);
    run = Wait(pid);
    EXPECT_EQ(run.status, 128 + SIGINT);
    EXPECT_NE(run.err.find("interrupted by SIGINT"), std::string::npos) << run.err;
    EXPECT_FALSE(HasPartFile(WorkFiles()));

    // Blocked on a FIFO whose reader stopped reading: the write returns.
    const fs::path fifo = work() / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    pid = Start({"--fps", "30", "--duration", "600", "--format", "mkv", "-o", "pipe"});
    const int reader = open(fifo.c_str(), O_RDONLY);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(pid, SIGTERM);
    run = Wait(pid);
    close(reader);
    EXPECT_EQ(run.status, 128 + SIGTERM) << run.err;
    EXPECT_TRUE(IsFifo(fifo));
}
