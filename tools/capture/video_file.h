// video_file.h -- frames as one video file through FFmpeg's libraries:
// H.264 in MP4, lossless RGB H.264 in Matroska, or VP9 in WebM, with the
// demo's music as AAC, FLAC or Opus.
#pragma once

#include <memory>
#include <string>

#include "tools/capture/frame_sink.h"
#include "tools/capture/options.h"

class OutputFile;

// A video of options.format (Mp4, Mkv or Webm) of the width x height frames
// on a screen of options.screenWidth x .screenHeight (their own size when 0),
// at options.fps frames per
// second, frame k shown at k / fps seconds, with options.crf and .jobs,
// written to the opened `file`; with options.music, `music` beside the
// frames for options.duration. `music` and `file` must outlive it. Null with
// `error` set when an encoder or the container cannot be set up. Finish
// commits `file`; without it the caller's OutputFile discards the partial
// video.
std::unique_ptr<FrameSink> OpenVideoFile(const CaptureOptions& options, int width, int height,
                                         const CaptureMusic& music, OutputFile& file,
                                         std::string& error);
