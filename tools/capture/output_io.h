// output_io.h -- FFmpeg's muxers writing through an OutputFile, so that a
// video or a WAV file keeps the output rules.
#pragma once

#include <string>

struct AVIOContext;
class OutputFile;

class OutputIo {
  public:
    explicit OutputIo(OutputFile& file) : file_(file) {}
    OutputIo(const OutputIo&) = delete;
    OutputIo& operator=(const OutputIo&) = delete;
    ~OutputIo();

    // The context for a muxer's pb (seekable only when the file is a
    // temporary); null when out of memory.
    AVIOContext* Open();

    // One line for a failed step: the OS's reason when a write to the file
    // failed, else FFmpeg's for `code`.
    std::string Failure(const char* step, int code) const;

  private:
    static int WritePacket(void* opaque, uint8_t* data, int size);
    static int64_t Seek(void* opaque, int64_t offset, int whence);

    OutputFile& file_;
    int writeErrno_ = 0;
    AVIOContext* io_ = nullptr;
};
