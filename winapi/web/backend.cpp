// backend.cpp -- the web backend's operations, as the shared half calls them.
#include "winapi/web/standin.h"

const StandInBackend backend = {
    CreateWebWindow,   DestroyWebWindow, ShowWebWindow,    FocusWebWindow, ShowWebPointer,
    PumpWebEvents,     WaitWebEvent,     WebDisplayMode,   WebOpenScreen,  WebPresent,
    ShowWebMessageBox, RasterizeWebText, PageMilliseconds, TitleWebWindow,
};
