// memory.cpp -- the fake's page calls: memory that is only recorded as
// protected, so a test sees where the guard lies, and the exception filter
// recorded as set.
#include <cstdlib>

#include "winapi/fake/internal.h"

using namespace fake::detail;

static char* lastAllocation;

LPVOID WINAPI VirtualAlloc(LPVOID lpAddress, SIZE_T dwSize, DWORD flAllocationType,
                           DWORD flProtect) {
    if (enter("VirtualAlloc", name(lpAddress) + ", " + std::to_string(dwSize) + ", " +
                                  hex(flAllocationType) + ", " + hex(flProtect)))
        return nullptr;
    // Zero-filled, as Windows commits pages.
    lastAllocation = static_cast<char*>(std::calloc(dwSize, 1));
    return lastAllocation;
}

// Logged with the address as an offset into the last allocation.
BOOL WINAPI VirtualProtect(LPVOID lpAddress, SIZE_T dwSize, DWORD flNewProtect,
                           PDWORD lpflOldProtect) {
    const std::string where = "+" + std::to_string(static_cast<char*>(lpAddress) - lastAllocation);
    if (enter("VirtualProtect", where + ", " + std::to_string(dwSize) + ", " + hex(flNewProtect)))
        return 0;
    *lpflOldProtect = PAGE_READWRITE;
    return 1;
}

LPTOP_LEVEL_EXCEPTION_FILTER WINAPI
SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER lpTopLevelExceptionFilter) {
    enter("SetUnhandledExceptionFilter", lpTopLevelExceptionFilter ? "set" : "NULL");
    return nullptr;
}
