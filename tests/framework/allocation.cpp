// allocation.cpp -- the allocator as the framework's tests see it: the
// nothrow array new the shell takes its buffers from logs each request,
// fails on fake::failNext("new[]"), and hands out memory filled with 0xAA
// so that a buffer the program must clear shows whether it did.
#include <cstring>
#include <new>

#include "winapi/fake/fake.h"

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    bool fail = fake::failing("new[]");
    fake::record("new[](" + std::to_string(size) + (fail ? ") failed" : ")"));
    if (fail) return nullptr;
    try {
        return memset(::operator new[](size), 0xAA, size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
