// main.cpp -- the program's start-up in the page: runs WinMain as Windows
// does, then shows on the page that it has ended and with what code.
#include "winapi/web/standin.h"

int main(int argc, char** argv) {
    const int result = RunWinMain(argc, argv);
    ffx_web_ended(result);
    return result;
}
