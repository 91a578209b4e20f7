#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "core/program.h"
#include "guard/guard.h"
#include "platform/remote/mirror.h"
#include "platform/win32/win32_pipe_link.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_session.h"

namespace vardex {

// The guard as a Windows service: the program runs here, with the machine's parts of the real
// platform and its windows and desktop mirrored to a face, `vado41 /face`, that runs in the
// console session as its user. The service's control handler thread only posts to `window()`.
class GuardService final : public guard::GuardHost {
  public:
    static constexpr UINT stop_message = WM_APP + 20;
    static constexpr UINT session_message = WM_APP + 21;  // wParam: WTS_ reason, lParam: session

    GuardService();
    ~GuardService() override;
    HWND window() const { return window_.get(); }
    // Runs until the service is stopped.
    int run();

    std::optional<guard::SessionId> console_session() override;
    void start_program() override;
    bool start_face(guard::SessionId session) override;
    void end_face() override;
    void ping_face() override;
    void disconnect(guard::SessionId session) override;
    void log_event(std::string_view text) override;
    bool machine_blocked() override;

  private:
    struct Running;
    struct Face;
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static void CALLBACK face_process_ended(void* context, BOOLEAN);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    static std::int64_t now();

    win32::Win32Platform base_;
    guard::Guard guard_{*this};
    std::unique_ptr<Running> running_;
    std::unique_ptr<Face> face_;
    // Links of ended faces, kept until no wait of theirs is on the stack: a face can end
    // while the program waits for its answer.
    std::vector<std::unique_ptr<win32::Win32PipeLink>> retired_links_;
    unsigned face_generation_ = 0;
    // The guard's own folder, and the session whose user opens the files a person names.
    std::string own_folder_;
    DWORD served_session_ = 0xFFFFFFFF;
    win32::UniqueWindow window_;
};

}  // namespace vardex
