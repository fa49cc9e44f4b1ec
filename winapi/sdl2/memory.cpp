// memory.cpp -- VirtualAlloc and VirtualProtect over mmap and mprotect, for
// the protections the framework asks for: read-write and no access.
#include <sys/mman.h>

#include <windows.h>

namespace {

int Protection(DWORD protect) {
    return protect == PAGE_READWRITE ? PROT_READ | PROT_WRITE : PROT_NONE;
}

} // namespace

LPVOID WINAPI VirtualAlloc(LPVOID lpAddress, SIZE_T dwSize, DWORD flAllocationType,
                           DWORD flProtect) {
    // Only fresh committed memory: reserving and committing in steps is not needed.
    if (lpAddress != nullptr || flAllocationType != (MEM_RESERVE | MEM_COMMIT)) return nullptr;
    void* memory = mmap(nullptr, dwSize, Protection(flProtect), MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return memory == MAP_FAILED ? nullptr : memory;
}

BOOL WINAPI VirtualProtect(LPVOID lpAddress, SIZE_T dwSize, DWORD flNewProtect,
                           PDWORD lpflOldProtect) {
    if (lpflOldProtect == nullptr || mprotect(lpAddress, dwSize, Protection(flNewProtect)) != 0)
        return 0;
    // Every page the framework protects was allocated read-write.
    *lpflOldProtect = PAGE_READWRITE;
    return 1;
}
