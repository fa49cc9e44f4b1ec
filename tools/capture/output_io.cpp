// output_io.cpp -- an AVIOContext over an OutputFile.
#include "tools/capture/output_io.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "tools/capture/output_file.h"

namespace {
constexpr int kBufferSize = 1 << 16;
}

OutputIo::~OutputIo() {
    if (io_) av_freep(&io_->buffer);
    avio_context_free(&io_);
}

AVIOContext* OutputIo::Open() {
    uint8_t* buffer = static_cast<uint8_t*>(av_malloc(kBufferSize));
    io_ = buffer ? avio_alloc_context(buffer, kBufferSize, 1, this, nullptr, WritePacket,
                                      file_.inPlace() ? nullptr : Seek)
                 : nullptr;
    if (!io_) av_free(buffer);
    return io_;
}

int OutputIo::WritePacket(void* opaque, uint8_t* data, int size) {
    OutputIo* self = static_cast<OutputIo*>(opaque);
    std::string ignored;
    if (self->file_.Write(data, static_cast<size_t>(size), ignored)) return size;
    self->writeErrno_ = errno;
    return AVERROR(errno);
}

int64_t OutputIo::Seek(void* opaque, int64_t offset, int whence) {
    OutputIo* self = static_cast<OutputIo*>(opaque);
    if (whence == AVSEEK_SIZE) {
        struct stat st;
        return fstat(self->file_.fd(), &st) == 0 ? st.st_size : AVERROR(errno);
    }
    const off_t at = lseek(self->file_.fd(), offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : at;
}

std::string OutputIo::Failure(const char* step, int code) const {
    if (writeErrno_ != 0) return file_.ErrorText(writeErrno_);
    char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(code, text, sizeof text);
    return std::string(step) + " failed: " + text;
}
