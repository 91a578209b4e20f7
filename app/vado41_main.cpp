// Entry point of the Vardex program: the real platform, one program instance, the message loop.
#include <windows.h>

#include "core/program.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vardex::win32::Win32Platform platform;
    vardex::Program program(platform);
    program.start();
    return platform.win32_windows().run();
}
