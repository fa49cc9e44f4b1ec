// output_file.h -- where a capture's bytes go: the rules every output follows,
// so that nothing the tool is pointed at is harmed.
#pragma once

#include <cstddef>
#include <string>

// One output file. A regular file (or one that symbolic links lead to), or a
// name that does not exist yet, is written under a temporary name beside its
// final target and renamed over it by Commit, so it is either whole or
// untouched. "-" (standard output) and an existing file that is not a
// regular file (a device, a FIFO, /dev/stdout) are written in place and never
// replaced, renamed or removed. Discarded when destroyed uncommitted.
class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Opens `path` for writing. False with `error` set to one line when it
    // cannot be opened (also when a signal interrupted a wait for a FIFO's
    // reader, and for "-" when standard output is a terminal).
    bool Open(const std::string& path, std::string& error);

    // Writes all of `size` bytes. False with `error` set on a write error.
    bool Write(const void* data, size_t size, std::string& error);

    // Finishes: closes the file and, for a temporary, renames it over the
    // target. False with `error` set when that fails (the temporary is gone).
    bool Commit(std::string& error);

    // Closes the file and removes the temporary, if any.
    void Discard();

    int fd() const { return fd_; }
    // True when written in place: no seeking, no reopening.
    bool inPlace() const { return temporary_.empty(); }
    // The temporary's path (a regular file that can be reopened), or "".
    const std::string& temporaryPath() const { return temporary_; }
    // The message for a failed call to the OS on this file: "cannot write
    // 'path': reason".
    std::string ErrorText(int errnum) const;

  private:
    int fd_ = -1;
    std::string path_;      // as the user gave it, for messages
    std::string target_;    // what Commit renames the temporary to
    std::string temporary_; // "" when written in place
};
