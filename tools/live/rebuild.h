// rebuild.h -- live reload's watcher: a thread that notices a saved source
// of the effect, or a header one includes, and rebuilds the effect's shared
// library; and notices the sync file saved.
#pragma once

#include <string>
#include <vector>

struct LiveFiles {
    std::vector<std::string> sources; // the effect's
    std::string build;                // the command that builds its library
    // The command that prints what the sources include, as the last build
    // found it (the compiler's dependency information); empty for none.
    std::string dependencies;
    std::string syncFile; // empty for none
};

// Starts watching (polled a few times a second). The build's output goes to
// stderr when it fails: the compiler's message.
void LIVE_Watch(const LiveFiles& files);

// True once after each build that succeeded: a new library is ready.
bool LIVE_Rebuilt(void);

// True once after each save of the sync file.
bool LIVE_SyncSaved(void);
