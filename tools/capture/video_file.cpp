// video_file.cpp -- the video sink: colour conversion (libswscale), encoding
// (libavcodec) and the container (libavformat), written through OutputFile.
#include "tools/capture/video_file.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>

#include "tools/capture/music_track.h"
#include "tools/capture/output_file.h"
#include "tools/capture/output_io.h"
#include "tools/capture/screen_scale.h"

namespace {

// How each format is made.
struct Recipe {
    const char* muxer;
    const char* encoder;
    AVPixelFormat pixels;
    int defaultCrf; // -1: none (lossless, or a rate)
    const char* musicEncoder;
};

Recipe RecipeFor(CaptureOptions::Format format) {
    switch (format) {
    case CaptureOptions::Format::Mkv:
        // The frame's own bytes (B, G, R, unused), in lossless RGB H.264: as
        // small as FFV1 here, and three times as fast.
        return {"matroska", "libx264rgb", AV_PIX_FMT_BGR0, -1, "flac"};
    case CaptureOptions::Format::Webm:
        return {"webm", "libvpx-vp9", AV_PIX_FMT_YUV420P, 32, "libopus"};
    default:
        return {"mp4", "libx264", AV_PIX_FMT_YUV420P, -1, "aac"};
    }
}

class VideoFile : public FrameSink {
  public:
    VideoFile(OutputFile& file, const CaptureMusic& music)
        : file_(file), io_(file), music_(music) {}
    ~VideoFile() override;
    bool Open(const CaptureOptions& options, int width, int height, std::string& error);
    bool Add(const uint32_t* frame, std::string& error) override;
    bool Finish(std::string& error) override;
    uint64_t Done() const override { return written_; }

  private:
    bool Encode(const AVFrame* frame, std::string& error);
    std::string Failure(const char* step, int code) const { return io_.Failure(step, code); }

    OutputFile& file_;
    OutputIo io_;
    const CaptureMusic& music_;
    std::unique_ptr<MusicTrack> track_; // null without music
    double fps_ = 0;
    uint64_t musicFrames_ = 0; // the music's sample frames the video holds
    AVFormatContext* container_ = nullptr;
    AVCodecContext* encoder_ = nullptr;
    AVStream* stream_ = nullptr;
    ScreenScaler screen_;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
    int64_t next_ = 0;
    uint64_t written_ = 0;
};

VideoFile::~VideoFile() {
    track_.reset();
    av_frame_free(&picture_);
    av_packet_free(&packet_);
    avcodec_free_context(&encoder_);
    avformat_free_context(container_);
}

bool VideoFile::Open(const CaptureOptions& capture, int frameWidth, int frameHeight,
                     std::string& error) {
    const int width = capture.screenWidth ? capture.screenWidth : frameWidth;
    const int height = capture.screenWidth ? capture.screenHeight : frameHeight;
    const CaptureOptions::Format format = capture.format;
    const Recipe recipe = RecipeFor(format);
    const AVCodec* codec = avcodec_find_encoder_by_name(recipe.encoder);
    if (!codec) {
        error = std::string("this FFmpeg has no ") + recipe.encoder + " encoder";
        return false;
    }
    int code = avformat_alloc_output_context2(&container_, nullptr, recipe.muxer, nullptr);
    if (code < 0) {
        error = Failure("setting up the container", code);
        return false;
    }
    stream_ = avformat_new_stream(container_, nullptr);
    encoder_ = avcodec_alloc_context3(codec);
    picture_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!stream_ || !encoder_ || !picture_ || !packet_) {
        error = "out of memory";
        return false;
    }

    const AVRational rate = av_d2q(capture.fps, 1000000);
    encoder_->width = width;
    encoder_->height = height;
    encoder_->pix_fmt = recipe.pixels;
    encoder_->time_base = av_inv_q(rate);
    encoder_->framerate = rate;
    encoder_->thread_count = static_cast<int>(capture.jobs); // 0: the encoder's choice
    if (recipe.pixels == AV_PIX_FMT_YUV420P) {
        // Studio-range BT.601, as the screen (screen_scale.h) is made.
        encoder_->color_range = AVCOL_RANGE_MPEG;
        encoder_->colorspace = AVCOL_SPC_SMPTE170M;
        encoder_->color_primaries = AVCOL_PRI_SMPTE170M;
        encoder_->color_trc = AVCOL_TRC_SMPTE170M;
        // Each chroma sample is the mean of its 2 x 2 pixels.
        encoder_->chroma_sample_location = AVCHROMA_LOC_CENTER;
    } else {
        encoder_->colorspace = AVCOL_SPC_RGB;
        encoder_->color_range = AVCOL_RANGE_JPEG;
    }
    if (container_->oformat->flags & AVFMT_GLOBALHEADER)
        encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

    AVDictionary* options = nullptr;
    const std::string quality = std::to_string(capture.crf >= 0 ? capture.crf : recipe.defaultCrf);
    switch (format) {
    case CaptureOptions::Format::Mp4:
        // x264's fastest preset with CABAC and 8x8 transforms again, so
        // that the stream is High profile: at 12 Mbit/s for 1080p as good
        // as "superfast" (36.7 against 36.9 dB here) and real time at 60 fps.
        av_dict_set(&options, "preset", "ultrafast", 0);
        av_dict_set(&options, "x264-params", "cabac=1:8x8dct=1", 0);
        av_dict_set(&options, "profile", "high", 0);
        if (capture.crf >= 0) {
            av_dict_set(&options, "crf", quality.c_str(), 0);
        } else {
            // What a party asks of a video (6 Mbit/s or more at 1080 lines,
            // 3 at 720), with room: 12 Mbit/s at 1920 x 1080, in proportion
            // to the pixels elsewhere but 4 Mbit/s at least (sharp text on
            // a small frame), and bounded bursts.
            const int64_t rate =
                std::max<int64_t>(4000000, int64_t{12000000} * width * height / (1920 * 1080));
            encoder_->bit_rate = rate;
            encoder_->rc_max_rate = rate * 3 / 2;
            encoder_->rc_buffer_size = static_cast<int>(rate * 2);
        }
        // A fragmented MP4 has no edit list to hide the reordering delay of
        // B-frames: without them its first frame is shown at 0 s.
        if (file_.inPlace()) av_dict_set(&options, "bf", "0", 0);
        break;
    case CaptureOptions::Format::Webm:
        av_dict_set(&options, "crf", quality.c_str(), 0);
        av_dict_set(&options, "b", "0", 0);
        av_dict_set(&options, "deadline", "realtime", 0);
        av_dict_set(&options, "cpu-used", "8", 0);
        av_dict_set(&options, "row-mt", "1", 0);
        break;
    default:
        av_dict_set(&options, "preset", "ultrafast", 0);
        av_dict_set(&options, "qp", "0", 0); // lossless
        break;
    }
    code = avcodec_open2(encoder_, codec, &options);
    av_dict_free(&options);
    if (code < 0) {
        error = Failure("opening the encoder", code);
        return false;
    }
    code = avcodec_parameters_from_context(stream_->codecpar, encoder_);
    if (code < 0) {
        error = Failure("setting up the stream", code);
        return false;
    }
    stream_->time_base = encoder_->time_base;
    stream_->avg_frame_rate = rate;

    picture_->format = recipe.pixels;
    picture_->width = width;
    picture_->height = height;
    code = av_frame_get_buffer(picture_, 0);
    if (code < 0) {
        error = Failure("allocating a frame", code);
        return false;
    }
    if (!screen_.Open(frameWidth, frameHeight, width, height, recipe.pixels, error)) return false;

    if (capture.music) {
        fps_ = capture.fps;
        musicFrames_ = CaptureMusicFrames(capture.duration);
        track_ = std::make_unique<MusicTrack>(music_, io_);
        if (!track_->Open(container_, recipe.musicEncoder, musicFrames_, error)) return false;
    }

    // Written through OutputFile; seekable only when that is a temporary file.
    container_->pb = io_.Open();
    if (!container_->pb) {
        error = "out of memory";
        return false;
    }
    container_->flags |= AVFMT_FLAG_CUSTOM_IO;

    AVDictionary* muxing = nullptr;
    if (format == CaptureOptions::Format::Mp4) {
        if (file_.inPlace()) {
            // No seeking back: a fragmented MP4, its index before each fragment.
            av_dict_set(&muxing, "movflags", "frag_keyframe+empty_moov+default_base_moof", 0);
        } else {
            // The index at the front, so that a browser starts playing before the
            // end has loaded: the muxer reopens the file by name to move the data.
            container_->url = av_strdup(file_.temporaryPath().c_str());
            av_dict_set(&muxing, "movflags", "+faststart", 0);
        }
    }
    code = avformat_write_header(container_, &muxing);
    av_dict_free(&muxing);
    if (code < 0) {
        error = Failure("writing the video's header", code);
        return false;
    }
    return true;
}

bool VideoFile::Add(const uint32_t* frame, std::string& error) {
    int code = av_frame_make_writable(picture_);
    if (code < 0) {
        error = Failure("allocating a frame", code);
        return false;
    }
    screen_.Show(frame, picture_->data, picture_->linesize);
    picture_->pts = next_++;
    if (!Encode(picture_, error)) return false;
    // The music up to the next frame's time.
    return !track_ ||
           track_->WriteUntil(std::min(musicFrames_, CaptureMusicFrames(next_ / fps_)), error);
}

// Sends a frame (null: the end) and writes every packet the encoder has ready.
bool VideoFile::Encode(const AVFrame* frame, std::string& error) {
    int code = avcodec_send_frame(encoder_, frame);
    if (code < 0) {
        error = Failure("encoding", code);
        return false;
    }
    for (;;) {
        code = avcodec_receive_packet(encoder_, packet_);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) break;
        if (code < 0) {
            error = Failure("encoding", code);
            return false;
        }
        av_packet_rescale_ts(packet_, encoder_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        code = av_interleaved_write_frame(container_, packet_);
        if (code < 0 || container_->pb->error < 0) {
            error = Failure("writing the video", code < 0 ? code : container_->pb->error);
            return false;
        }
        ++written_;
    }
    return true;
}

bool VideoFile::Finish(std::string& error) {
    if (!Encode(nullptr, error)) return false;
    if (track_ && !track_->Finish(error)) return false;
    const int code = av_write_trailer(container_);
    avio_flush(container_->pb);
    if (code < 0 || container_->pb->error < 0) {
        error = Failure("finishing the video", code < 0 ? code : container_->pb->error);
        return false;
    }
    return file_.Commit(error);
}

} // namespace

std::unique_ptr<FrameSink> OpenVideoFile(const CaptureOptions& options, int width, int height,
                                         const CaptureMusic& music, OutputFile& file,
                                         std::string& error) {
    av_log_set_level(AV_LOG_QUIET); // failures are reported in one line of our own
    auto video = std::make_unique<VideoFile>(file, music);
    if (!video->Open(options, width, height, error)) return nullptr;
    return video;
}
