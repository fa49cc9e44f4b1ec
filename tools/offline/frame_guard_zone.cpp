// frame_guard_zone.cpp -- the guard where the tools cannot take a fault
// (WebAssembly, and the Windows digest tool): a zone of known bytes after
// the buffer, compared after each call.
#include "tools/offline/frame_guard.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kZoneBytes = 4096;
constexpr unsigned char kZoneByte = 0xA5;

} // namespace

FrameGuard::~FrameGuard() {
    std::free(memory_);
}

void* FrameGuard::Allocate(size_t bytes) {
    memory_ = static_cast<unsigned char*>(std::calloc(bytes + kZoneBytes, 1));
    if (!memory_) return nullptr;
    size_ = bytes + kZoneBytes;
    bytes_ = bytes;
    std::memset(memory_ + bytes, kZoneByte, kZoneBytes);
    return memory_;
}

bool FrameGuard::Call(const std::function<void()>& call) {
    call();
    return std::all_of(memory_ + bytes_, memory_ + size_,
                       [](unsigned char byte) { return byte == kZoneByte; });
}
