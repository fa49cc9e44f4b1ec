// rebuild.h -- live reload's watcher: a thread that notices a saved source
// of the effect and rebuilds the effect's shared library.
#pragma once

#include <string>
#include <vector>

// Starts watching `sources` (polled a few times a second); on a change runs
// `command` (the build of the shared library). Its output goes to stderr
// when it fails: the compiler's message.
void LIVE_Watch(const std::vector<std::string>& sources, const std::string& command);

// True once after each build that succeeded: a new library is ready.
bool LIVE_Rebuilt(void);
