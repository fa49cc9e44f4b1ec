// guard.cpp -- what both guards share: the call the effect is in, and the
// line that names an overrun.
#include "app/guard.h"

#include "common/overrun.h"
#include "ffxdemo.h"

static const char* guardEntry = "FFX_Init";
static uint32_t guardMs;
// Written in the fault handler, which must not allocate.
static char guardLine[160];

void GRD_Enter(const char* entry, uint32_t elapsedMs) {
    guardEntry = entry;
    guardMs = elapsedMs;
}

const char* GRD_Line(void) {
    COM_OverrunLine(guardLine, sizeof guardLine, width, height, depth, guardEntry, guardMs);
    return guardLine;
}
