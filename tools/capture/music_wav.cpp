// music_wav.cpp -- a WAV file of the music through libavformat's muxer.
#include "tools/capture/music_wav.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include "tools/capture/music_track.h"
#include "tools/capture/output_file.h"
#include "tools/capture/output_io.h"

bool WriteMusicWav(const std::string& path, const CaptureMusic& music, uint64_t frames,
                   std::string& error) {
    OutputFile file;
    if (!file.Open(path, error)) return false;
    OutputIo io(file);
    AVFormatContext* container = nullptr;
    int code = avformat_alloc_output_context2(&container, nullptr, "wav", nullptr);
    if (code < 0) {
        error = io.Failure("setting up the WAV file", code);
        return false;
    }
    bool ok = false;
    {
        MusicTrack track(music, io);
        container->pb = io.Open();
        container->flags |= AVFMT_FLAG_CUSTOM_IO;
        if (!container->pb) {
            error = "out of memory";
        } else if (track.Open(container, "pcm_s16le", frames, error)) {
            code = avformat_write_header(container, nullptr);
            if (code < 0) {
                error = io.Failure("writing the WAV header", code);
            } else if (track.Finish(error)) {
                code = av_write_trailer(container);
                avio_flush(container->pb);
                if (code < 0 || container->pb->error < 0)
                    error = io.Failure("finishing the WAV file", code < 0 ? code : container->pb->error);
                else
                    ok = file.Commit(error);
            }
        }
    }
    avformat_free_context(container);
    return ok;
}
