// output_file.cpp -- the output rules: a temporary file renamed into place, or
// the named file itself when it is not a regular file.
#include "tools/capture/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/capture/interrupt.h"

namespace {

constexpr int kMaxLinks = 40; // as the kernel's limit on links in one lookup

// Follows the symbolic links that `path` names, one at a time, to the name
// they end at. Sets `magic` when the chain passes through /proc, whose links
// (such as /dev/stdout's /proc/self/fd/1) name open files, not paths to
// replace.
std::string FollowLinks(const std::string& path, bool& magic) {
    std::filesystem::path current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        char link[PATH_MAX];
        const ssize_t n = readlink(current.c_str(), link, sizeof link);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof link)) break;
        const std::filesystem::path next(std::string(link, static_cast<size_t>(n)));
        current = next.is_absolute() ? next : current.parent_path() / next;
        if (current.string().rfind("/proc/", 0) == 0) magic = true;
    }
    return current.string();
}

} // namespace

OutputFile::~OutputFile() {
    Discard();
}

std::string OutputFile::ErrorText(int errnum) const {
    const std::string name = path_ == "-" ? "standard output" : "'" + path_ + "'";
    return "cannot write " + name + ": " + std::strerror(errnum);
}

bool OutputFile::Open(const std::string& path, std::string& error) {
    Discard();
    path_ = path;
    target_.clear();
    if (path == "-") {
        if (isatty(STDOUT_FILENO)) {
            error = "standard output is a terminal: pipe it into a program or a file";
            return false;
        }
        fd_ = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
        if (fd_ < 0) error = ErrorText(errno);
        return fd_ >= 0;
    }

    struct stat st;
    const bool exists = stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        error = ErrorText(errno); // a loop of links, a folder we may not search, ...
        return false;
    }
    if (exists && S_ISDIR(st.st_mode)) {
        error = ErrorText(EISDIR);
        return false;
    }
    bool magic = false;
    const std::string target = FollowLinks(path, magic);
    if ((exists && !S_ISREG(st.st_mode)) || magic) {
        // Written in place: opening a FIFO waits here for its reader.
        fd_ = open(path.c_str(),
                   O_WRONLY | O_CLOEXEC | (exists && S_ISREG(st.st_mode) ? O_TRUNC : 0));
        if (fd_ < 0) error = ErrorText(errno);
        return fd_ >= 0;
    }

    // Beside the target, so that the rename stays within one file system.
    target_ = target;
    temporary_ = target + ".part" + std::to_string(static_cast<long>(getpid()));
    fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error = ErrorText(errno);
        temporary_.clear();
        return false;
    }
    if (exists) fchmod(fd_, st.st_mode & 07777); // the replacement keeps the file's permissions
    return true;
}

bool OutputFile::Write(const void* data, size_t size, std::string& error) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd_, bytes, size);
        // A signal that stops the capture ends the write, even one that
        // had written some of the bytes before it came (only SIGINT and
        // SIGTERM have handlers).
        if (n < 0 || (static_cast<size_t>(n) < size && InterruptSignal())) {
            error = ErrorText(n < 0 ? errno : EINTR);
            return false;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool OutputFile::Commit(std::string& error) {
    const int fd = fd_;
    fd_ = -1;
    int failure = close(fd) == 0 ? 0 : errno;
    if (!temporary_.empty()) {
        if (failure == 0 && std::rename(temporary_.c_str(), target_.c_str()) != 0) failure = errno;
        if (failure != 0) unlink(temporary_.c_str());
        temporary_.clear();
    }
    if (failure != 0) error = ErrorText(failure);
    return failure == 0;
}

void OutputFile::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
}
