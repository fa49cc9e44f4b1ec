// startup.cpp -- the process start-up every backend shares: WinMain called as
// Windows calls it, with the module instance, no previous instance, the
// command line after the program name and SW_SHOWDEFAULT.
#include "winapi/core/standin.h"

#include <string>

// The module the instance handle names; the program has no resources in it.
struct HINSTANCE__ {};

namespace {

HINSTANCE__ module;

// The arguments joined by spaces, those with a space in them quoted.
std::string CommandLine(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i > 1) line += ' ';
        line += arg.find(' ') == std::string::npos ? arg : '"' + arg + '"';
    }
    return line;
}

} // namespace

int RunWinMain(int argc, char** argv) {
    std::string commandLine = CommandLine(argc, argv);
    return WinMain(&module, nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
