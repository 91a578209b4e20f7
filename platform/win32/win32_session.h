#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/handles.h"

namespace vardex::win32 {

// Thin wrappers over what a service needs of Windows' sessions: the console's session and
// its user, a program started as that user on its desktop, a pipe only SYSTEM and that user
// may open, the logon screen, and the event log.

// The session at the console with a user logged on; none while nobody is (0xFFFFFFFF from
// WTSGetActiveConsoleSessionId, or no user token yet).
std::optional<DWORD> console_session_with_user();

// The token of the session's logged-on user; empty when there is none.
UniqueHandle session_user_token(DWORD session);

struct UserProcess {
    UniqueHandle process;
    DWORD pid = 0;
};

// Starts `command_line` in the session as its logged-on user (WTSQueryUserToken,
// CreateEnvironmentBlock, CreateProcessAsUser on winsta0\default); nullopt when it could not.
std::optional<UserProcess> start_as_session_user(DWORD session, const std::string& application,
                                                 const std::string& command_line);

// A new named pipe for one client, overlapped, refusing remote clients, that must be its
// first instance (so nobody holds the name before us), with a DACL for SYSTEM and the
// session's user only.
UniqueFile create_session_pipe(const std::string& name, DWORD session);

// Waits (running the message loop through `pump`) until a client connects, at most timeout_ms;
// the client's process id, or 0.
DWORD wait_for_pipe_client(HANDLE pipe, DWORD timeout_ms, void (*pump)(void*), void* context);

bool disconnect_session(DWORD session);

// Whether the guard's service runs (or is starting); a standard user may ask.
bool guard_service_running();

// Writes an event of the registered source "Vardex Guard" (a warning) to the Application log.
void report_guard_event(const std::string& text);

// The guard's own folder, ProgramData\Vardex, made on first use so that only SYSTEM and
// administrators may write it (users may read); empty when it cannot be made.
std::string guard_data_folder();
inline constexpr char guard_event_source[] = "Vardex Guard";

}  // namespace vardex::win32
