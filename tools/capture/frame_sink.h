// frame_sink.h -- where a capture's frames go, in order: a folder of PNG
// files or one video file.
#pragma once

#include <cstdint>
#include <string>

class FrameSink {
  public:
    virtual ~FrameSink() = default;

    // Takes the next frame (width x height pixels 0x??RRGGBB; the caller may
    // reuse the buffer at once). False with `error` set to one line when the
    // output has failed.
    virtual bool Add(const uint32_t* frame, std::string& error) = 0;

    // Writes what is still pending and completes the output. False with
    // `error` set when that fails.
    virtual bool Finish(std::string& error) = 0;

    // How many frames are fully written, for the progress bar.
    virtual uint64_t Done() const = 0;
};
