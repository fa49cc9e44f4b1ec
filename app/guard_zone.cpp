// guard_zone.cpp -- where no page can be protected (WebAssembly): a zone of
// known bytes after the frame buffer, compared after each call into the
// effect. A write past the end is seen when the call returns; one that
// reaches beyond the zone may have corrupted other memory by then.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "app/app.h"
#include "app/guard.h"

static const size_t kZoneBytes = 4096;
static const uint8_t kZoneByte = 0xA5;
static uint8_t* zone;

uint8_t* GRD_Allocate(size_t bytes) {
    uint8_t* buffer = new (std::nothrow) uint8_t[bytes + kZoneBytes];
    if (buffer == NULL) return NULL;
    memset(buffer, 0, bytes);
    zone = buffer + bytes;
    memset(zone, kZoneByte, kZoneBytes);
    return buffer;
}

int GRD_Leave(void) {
    for (size_t i = 0; i < kZoneBytes; i++)
        if (zone[i] != kZoneByte) {
            const char* line = GRD_Line();
            std::fprintf(stderr, "%s\n", line);
            MessageBoxA(mainWindow, line, "Error", MB_ICONERROR);
            return GRD_EXIT_CODE;
        }
    return 0;
}
