// Entry point of the updater.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_service.h"
#include "platform/win32/win32_session.h"
#include "updater/update_form.h"
#include "updater/updater.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vardex::win32::Win32Platform platform;
    vardex::UpdateForm form;
    platform.windows().attach(form);
    const vardex::Size screen = platform.desktop().screen_size_twips();
    form.move((screen.width - form.width()) / 2, (screen.height - form.height()) / 2, form.width(),
              form.height());
    vardex::Updater updater(platform, form,
                            {[] { return vardex::win32::guard_service_running(); },
                             [] { return vardex::win32::stop_guard_service(); },
                             [] { return vardex::win32::start_guard_service(); }});
    form.show();
    updater.start();
    return platform.win32_windows().run();
}
