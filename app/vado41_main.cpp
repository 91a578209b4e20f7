// Entry point of the Vardex program: the real platform, one program instance, the message loop.
#include <windows.h>

#include "core/start_dialog.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vardex::win32::Win32Platform platform;
    vardex::StartDialog start;
    platform.windows().attach(start);
    const vardex::Size screen = platform.desktop().screen_size_twips();
    start.move((screen.width - start.width()) / 2, (screen.height - start.height()) / 2,
               start.width(), start.height());
    start.label4.set_caption("Built 2");
    start.show();
    return platform.win32_windows().run();
}
