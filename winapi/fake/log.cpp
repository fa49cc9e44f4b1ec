// log.cpp -- the fake's call log and the formatting of its entries.
#include <cstdio>
#include <map>

#include "winapi/fake/internal.h"

namespace fake {

static std::vector<std::string> entries;
static std::map<const void*, std::string> handleNames;

const std::vector<std::string>& log() {
    return entries;
}

void record(const std::string& entry) {
    entries.push_back(entry);
}

std::vector<std::string> calls(std::initializer_list<std::string> names, bool bare) {
    std::vector<std::string> found;
    for (const std::string& entry : entries) {
        std::string call = entry.substr(0, entry.find('('));
        for (const std::string& name : names)
            if (call == name) found.push_back(bare ? call : entry);
    }
    return found;
}

namespace detail {

void nameHandle(const void* handle, const std::string& name) {
    handleNames[handle] = name;
}

std::string name(const void* handle) {
    if (handle == nullptr) return "NULL";
    auto named = handleNames.find(handle);
    if (named != handleNames.end()) return named->second;
    if ((uintptr_t)handle < 0x10000) // MAKEINTRESOURCE
        return "#" + std::to_string((uintptr_t)handle);
    return "unknown";
}

std::string quote(const char* text) {
    if (text == nullptr) return "NULL";
    std::string quoted = "\"";
    for (const char* c = text; *c; c++) {
        switch (*c) {
        case '\n':
            quoted += "\\n";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        default:
            quoted += *c;
        }
    }
    return quoted + "\"";
}

std::string hex(uint32_t value) {
    char text[16];
    snprintf(text, sizeof(text), "0x%X", (unsigned)value);
    return text;
}

std::string message(UINT message) {
    switch (message) {
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_CLOSE:
        return "WM_CLOSE";
    case WM_QUIT:
        return "WM_QUIT";
    case WM_ACTIVATEAPP:
        return "WM_ACTIVATEAPP";
    case WM_SETCURSOR:
        return "WM_SETCURSOR";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_SYSCOMMAND:
        return "WM_SYSCOMMAND";
    }
    return hex(message);
}

} // namespace detail
} // namespace fake
