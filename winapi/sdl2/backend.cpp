// backend.cpp -- the SDL2 backend's operations, as the shared half calls them.
#include "winapi/sdl2/standin.h"

const StandInBackend backend = {
    CreateSdlWindow,   DestroySdlWindow, ShowSdlWindow,         FocusSdlWindow, ShowSdlPointer,
    PumpSdlEvents,     WaitSdlEvent,     SdlDesktopMode,        ScreenOpen,     ScreenPresent,
    ShowSdlMessageBox, RasterizeSdlText, MonotonicMilliseconds, TitleSdlWindow,
};
