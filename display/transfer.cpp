// transfer.cpp -- copies the finished frame into the back buffer row by row,
// honouring the surface's pitch; at depth 8 through the palette.
#include <cstring>

#include "app/app.h"
#include "display/display.h"

void DDRAW_Blit(void) {
    int32_t pitch = DDRAW_GetPitch();
    uint8_t* dest = (uint8_t*)DDRAW_Lock();
    if (dest == NULL) return;
    // A failed pitch query would stack every row onto the first one: skip the
    // copy and try again next frame.
    if (pitch == 0) {
        DDRAW_Unlock();
        return;
    }

    const uint8_t* source = frameBuffer;
    int32_t rowBytes = (width * depth) >> 3;
    if (depth == 8) {
        DDRAW_ConvertIndexed((uint32_t*)shadowBuffer, frameBuffer);
        source = shadowBuffer;
        rowBytes = width * 4;
    }
    for (int32_t y = 0; y < height; y++) {
        memcpy(dest, source, rowBytes);
        source += rowBytes;
        dest += pitch;
    }
    DDRAW_Unlock();
}
