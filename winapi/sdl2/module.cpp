// module.cpp -- modules and their exports: a Linux program loads no DLLs,
// so there is none to find.
#include <windows.h>

HMODULE WINAPI GetModuleHandleA(LPCSTR) {
    return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR) {
    return nullptr;
}
