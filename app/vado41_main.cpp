// Entry point of the Vardex program: the real platform, one program instance, the message loop.
// Started by the guard as "vado41 /face PIPE", it is only the program's face: it shows the
// windows of the program that runs in the guard.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/program.h"
#include "platform/remote/face.h"
#include "platform/win32/win32_pipe_link.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_session.h"

namespace {

int run_face(const std::string& pipe_name) {
    // The guard waits for exactly this process; a busy or missing pipe ends the face.
    HANDLE pipe = CreateFileA(
        pipe_name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
        FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        return 1;
    }
    vardex::win32::Win32Platform platform;
    std::unique_ptr<vardex::remote::Face> face;
    vardex::win32::Win32PipeLink link(
        pipe, platform.win32_windows(),
        [&face](std::string_view frame) { return face ? face->receive(frame) : std::string{}; },
        false);
    face = std::make_unique<vardex::remote::Face>(platform, link);
    link.on_broken = [&platform] { platform.win32_windows().quit(0); };
    return platform.win32_windows().run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    constexpr char face_switch[] = "/face ";
    if (std::strncmp(command_line, face_switch, sizeof face_switch - 1) == 0) {
        return run_face(command_line + sizeof face_switch - 1);
    }
    vardex::win32::Win32Platform platform;
    // While the guard runs the program, one started by hand only says so and ends.
    if (vardex::win32::guard_service_running()) {
        platform.win32_desktop().set_instances(
            vardex::win32::Win32Desktop::Instances::guard_runs_elsewhere);
    }
    vardex::Program program(platform);
    program.start();
    return platform.win32_windows().run();
}
