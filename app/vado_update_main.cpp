// Entry point of the updater.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "updater/update_form.h"
#include "updater/updater.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vardex::win32::Win32Platform platform;
    vardex::UpdateForm form;
    platform.windows().attach(form);
    const vardex::Size screen = platform.desktop().screen_size_twips();
    form.move((screen.width - form.width()) / 2, (screen.height - form.height()) / 2, form.width(),
              form.height());
    vardex::Updater updater(platform, form);
    form.show();
    updater.start();
    return platform.win32_windows().run();
}
