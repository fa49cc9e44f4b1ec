// music_track.cpp -- the music's samples, looped or followed by silence,
// converted to what the encoder takes on the encoding thread, and written
// with the container's interleaving on the caller's.
#include "tools/capture/music_track.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include "tools/capture/output_io.h"

namespace {

constexpr int kRate = 48000;
constexpr int kVariableChunk = 4096;
constexpr size_t kAhead = 256; // packets encoded ahead of the muxing, at most

// The encoder's first format of those the music is converted to.
AVSampleFormat SampleFormat(const AVCodec* codec) {
    for (const AVSampleFormat* f = codec->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f)
        if (*f == AV_SAMPLE_FMT_S16 || *f == AV_SAMPLE_FMT_FLTP) return *f;
    return AV_SAMPLE_FMT_NONE;
}

} // namespace

MusicTrack::~MusicTrack() {
    if (worker_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }
    for (AVPacket* packet : packets_)
        av_packet_free(&packet);
    av_frame_free(&frame_);
    avcodec_free_context(&encoder_);
}

bool MusicTrack::Open(AVFormatContext* container, const char* name, uint64_t frames,
                      std::string& error) {
    container_ = container;
    total_ = frames;
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    const AVSampleFormat format = codec ? SampleFormat(codec) : AV_SAMPLE_FMT_NONE;
    if (format == AV_SAMPLE_FMT_NONE) {
        error = std::string("this FFmpeg has no ") + name + " encoder for 16-bit stereo";
        return false;
    }
    stream_ = avformat_new_stream(container, nullptr);
    encoder_ = avcodec_alloc_context3(codec);
    frame_ = av_frame_alloc();
    if (!stream_ || !encoder_ || !frame_) {
        error = "out of memory";
        return false;
    }
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    encoder_->ch_layout = stereo;
    encoder_->sample_rate = kRate;
    encoder_->sample_fmt = format;
    encoder_->time_base = AVRational{1, kRate};
    if (codec->id == AV_CODEC_ID_AAC) encoder_->bit_rate = 192000;
    if (codec->id == AV_CODEC_ID_OPUS) encoder_->bit_rate = 128000;
    if (container->oformat->flags & AVFMT_GLOBALHEADER)
        encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    // The fast coder: the default spends as long on the sound as x264 on
    // the picture, for no difference heard at this rate.
    if (codec->id == AV_CODEC_ID_AAC) av_dict_set(&options, "aac_coder", "fast", 0);
    int code = avcodec_open2(encoder_, codec, &options);
    av_dict_free(&options);
    if (code < 0 || (code = avcodec_parameters_from_context(stream_->codecpar, encoder_)) < 0) {
        error = io_.Failure("opening the music's encoder", code);
        return false;
    }
    stream_->time_base = encoder_->time_base;
    const bool variable = codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
    chunk_ = encoder_->frame_size > 0 && !variable ? encoder_->frame_size : kVariableChunk;
    frame_->format = format;
    frame_->ch_layout = stereo;
    frame_->sample_rate = kRate;
    frame_->nb_samples = chunk_;
    if ((code = av_frame_get_buffer(frame_, 0)) < 0) {
        error = io_.Failure("allocating the music's frame", code);
        return false;
    }
    worker_ = std::thread(&MusicTrack::Encode, this);
    return true;
}

void MusicTrack::Encode() {
    bool ok = true;
    while (ok && next_ < total_) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || packets_.size() < kAhead; });
            if (stopping_) return;
        }
        ok = Send(static_cast<int>(std::min<uint64_t>(chunk_, total_ - next_)));
    }
    if (ok) {
        const int code = avcodec_send_frame(encoder_, nullptr);
        if (code < 0) Failed("encoding the music", code);
        ok = code >= 0 && Receive();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    encoded_ = true;
    changed_.notify_all();
}

// Encodes the next `samples` sample frames (at most a chunk).
bool MusicTrack::Send(int samples) {
    int code = av_frame_make_writable(frame_);
    if (code < 0) {
        Failed("allocating the music's frame", code);
        return false;
    }
    frame_->nb_samples = samples;
    const uint64_t total = music_.frames;
    for (int i = 0; i < samples; ++i) {
        uint64_t at = next_ + static_cast<uint64_t>(i);
        if (music_.loop) at %= total;
        for (int c = 0; c < 2; ++c) {
            const int16_t value = at < total ? music_.samples[at * 2 + c] : 0;
            if (frame_->format == AV_SAMPLE_FMT_S16)
                reinterpret_cast<int16_t*>(frame_->data[0])[i * 2 + c] = value;
            else
                reinterpret_cast<float*>(frame_->data[c])[i] = value / 32768.0f;
        }
    }
    frame_->pts = static_cast<int64_t>(next_);
    next_ += static_cast<uint64_t>(samples);
    if ((code = avcodec_send_frame(encoder_, frame_)) < 0) {
        Failed("encoding the music", code);
        return false;
    }
    return Receive();
}

// Queues every packet the encoder has ready.
bool MusicTrack::Receive() {
    for (;;) {
        AVPacket* packet = av_packet_alloc();
        const int code = packet ? avcodec_receive_packet(encoder_, packet) : AVERROR(ENOMEM);
        if (code < 0) {
            av_packet_free(&packet);
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
            Failed("encoding the music", code);
            return false;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        packets_.push_back(packet);
        changed_.notify_all();
    }
}

void MusicTrack::Failed(const char* step, int code) {
    std::lock_guard<std::mutex> lock(mutex_);
    failure_ = io_.Failure(step, code);
}

bool MusicTrack::WriteUntil(uint64_t end, std::string& error) {
    for (;;) {
        AVPacket* packet;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            // Waits for the encoder only while what `end` needs is still to come.
            changed_.wait(lock, [this] { return !packets_.empty() || encoded_; });
            if (!failure_.empty()) {
                error = failure_;
                return false;
            }
            if (packets_.empty() || static_cast<uint64_t>(std::max<int64_t>(packets_.front()->pts, 0)) >= end)
                return true;
            packet = packets_.front();
            packets_.pop_front();
        }
        changed_.notify_all();
        // In the stream's time base, which the muxer settles with the header.
        av_packet_rescale_ts(packet, encoder_->time_base, stream_->time_base);
        packet->stream_index = stream_->index;
        int code = av_interleaved_write_frame(container_, packet);
        av_packet_free(&packet);
        if (code >= 0 && container_->pb->error < 0) code = container_->pb->error;
        if (code < 0) {
            error = io_.Failure("writing the music", code);
            return false;
        }
    }
}

bool MusicTrack::Finish(std::string& error) {
    if (!WriteUntil(UINT64_MAX, error)) return false;
    worker_.join();
    return true;
}
