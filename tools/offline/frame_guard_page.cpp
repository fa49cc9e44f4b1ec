// frame_guard_page.cpp -- the guard natively: a protected page after the
// buffer, and a SIGSEGV handler that jumps out of the effect when the fault
// lies in it. Costs a sigsetjmp per call, nothing per pixel.
#include "tools/offline/frame_guard.h"

#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>

#include <cstdint>

namespace {

// A multiple of every page size in use.
constexpr size_t kGuardBytes = 65536;

// The guard of the call in progress, and where its fault returns to.
volatile uintptr_t guardStart;
sigjmp_buf faultReturn;
struct sigaction previousAction;

void OnFault(int, siginfo_t* info, void*) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
    if (guardStart != 0 && address - guardStart < kGuardBytes) siglongjmp(faultReturn, 1);
    // Not the guard's: the access repeats under the handling it had before.
    sigaction(SIGSEGV, &previousAction, nullptr);
}

} // namespace

FrameGuard::~FrameGuard() {
    if (memory_) munmap(memory_, size_);
}

void* FrameGuard::Allocate(size_t bytes) {
    const size_t rounded = (bytes + kGuardBytes - 1) / kGuardBytes * kGuardBytes;
    void* memory = mmap(nullptr, rounded + kGuardBytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    memory_ = static_cast<unsigned char*>(memory);
    size_ = rounded + kGuardBytes;
    bytes_ = bytes;
    if (mprotect(memory_ + rounded, kGuardBytes, PROT_NONE) != 0) return nullptr;

    struct sigaction action {};
    action.sa_sigaction = OnFault;
    sigemptyset(&action.sa_mask);
    // Not blocked in the handler: it leaves by siglongjmp, without the mask.
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    struct sigaction current {};
    sigaction(SIGSEGV, nullptr, &current);
    if (current.sa_sigaction != OnFault) sigaction(SIGSEGV, &action, &previousAction);
    return memory_ + rounded - bytes;
}

bool FrameGuard::Call(const std::function<void()>& call) {
    if (sigsetjmp(faultReturn, 0)) {
        guardStart = 0;
        return false;
    }
    guardStart = reinterpret_cast<uintptr_t>(memory_ + size_ - kGuardBytes);
    call();
    guardStart = 0;
    return true;
}
