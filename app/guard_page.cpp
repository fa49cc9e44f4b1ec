// guard_page.cpp -- the frame buffer followed by memory that cannot be
// touched: a write past its end faults at once, the unhandled-exception
// filter names it and the process ends. Nothing runs per frame.
#include <windows.h>

#include <cstdio>

#include "app/guard.h"

// A multiple of every page size in use and of Windows' allocation
// granularity, so the buffer's end falls on a page boundary everywhere.
static const size_t kGuardBytes = 65536;
static uint8_t* guardStart;

static LONG WINAPI GuardFilter(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const uintptr_t address = record->ExceptionInformation[1];
    const uintptr_t start = (uintptr_t)guardStart;
    if (address < start || address - start >= kGuardBytes) return EXCEPTION_CONTINUE_SEARCH;
    std::fprintf(stderr, "%s\n", GRD_Line());
    std::fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

uint8_t* GRD_Allocate(size_t bytes) {
    const size_t rounded = (bytes + kGuardBytes - 1) / kGuardBytes * kGuardBytes;
    uint8_t* base = (uint8_t*)VirtualAlloc(NULL, rounded + kGuardBytes, MEM_RESERVE | MEM_COMMIT,
                                           PAGE_READWRITE);
    if (base == NULL) return NULL;
    DWORD previous;
    if (!VirtualProtect(base + rounded, kGuardBytes, PAGE_NOACCESS, &previous)) return NULL;
    guardStart = base + rounded;
    SetUnhandledExceptionFilter(GuardFilter);
    return guardStart - bytes;
}

int GRD_Leave(void) {
    return 0;
}
