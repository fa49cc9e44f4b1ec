// module.cpp -- the fake's modules: a handle for the module asked for, which
// exports nothing (no Wine underneath, as on Windows).
#include "winapi/fake/internal.h"

using namespace fake::detail;

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (enter("GetModuleHandleA", quote(lpModuleName))) return nullptr;
    static char module;
    return reinterpret_cast<HMODULE>(&module);
}

FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR lpProcName) {
    enter("GetProcAddress", quote(lpProcName));
    return nullptr;
}
