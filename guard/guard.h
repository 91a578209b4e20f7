#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace vardex::guard {

// A Windows session (WTS session id).
using SessionId = std::uint32_t;

// What Windows reports of sessions (the SERVICE_CONTROL_SESSIONCHANGE reasons the guard uses).
enum class SessionEvent { console_connect, console_disconnect, logon, logoff };

// What the guard asks of the machine: the program it runs, the face that shows it in a
// session, and the records an administrator reads.
class GuardHost {
  public:
    virtual ~GuardHost() = default;
    // The session at the console with a user logged on, if any.
    virtual std::optional<SessionId> console_session() = 0;
    // Starts the program (its logic, in the guard) when it does not run.
    virtual void start_program() = 0;
    // Starts a face in the session as its user; false when it could not be started.
    virtual bool start_face(SessionId session) = 0;
    // Ends the face the guard started, if it still runs. Not reported back as an end.
    virtual void end_face() = 0;
    // Asks the face to answer; its answer comes as `heartbeat_answered`.
    virtual void ping_face() = 0;
    // Sends the session to the logon screen; its user's programs keep running.
    virtual void disconnect(SessionId session) = 0;
    // A line for the system's event log.
    virtual void log_event(std::string_view text) = 0;
    // Whether the program holds the machine blocked now.
    virtual bool machine_blocked() = 0;
};

// What the guard is doing about its face.
enum class FaceState {
    no_session,    // nobody at the console: nothing to show
    running,       // a face shows the program in `session()`
    retrying,      // the face could not be started; tried again shortly
    disconnected,  // the session was sent to the logon screen; a face at the next connection
    exited,        // the program was left in order: nothing until the next logon or /start
};

// The guard's decisions about the face, driven by the service's events and a monotonic clock
// in milliseconds: a face in the console session from logon to logoff, a new one within two
// seconds of one that ended or stopped answering, and the session disconnected when faces keep
// being ended.
class Guard {
  public:
    static constexpr std::int64_t tick_ms = 500;
    static constexpr std::int64_t hung_after_ms = 2000;
    // A new face first makes every window of the program: it has longer for its first answer.
    static constexpr std::int64_t first_answer_ms = 15000;
    static constexpr std::int64_t retry_ms = 1000;
    static constexpr int ends_allowed = 5;
    static constexpr std::int64_t ends_window_ms = 60000;

    explicit Guard(GuardHost& host) : host_(host) {}

    // The service started (at boot, or again after a failure that missed the logon).
    void start(std::int64_t now);
    void session_changed(SessionEvent event, SessionId session, std::int64_t now);
    // The face's process ended without the guard asking.
    void face_ended(std::int64_t now);
    void heartbeat_answered(std::int64_t now) {
        last_answer_ = now;
        answered_ = true;
    }
    // Every `tick_ms`: the heartbeat and the retries.
    void tick(std::int64_t now);
    // The program was left in order (the password's "Exit Vardex", the security check).
    void program_exited();
    // An administrator's `vado_guard /start`.
    void start_command(std::int64_t now);

    FaceState state() const { return state_; }
    // A face is being started: what comes meanwhile waits for the start.
    bool starting() const { return starting_; }
    std::optional<SessionId> session() const { return session_; }
    int faces_started() const { return faces_started_; }

  private:
    void serve_console(std::int64_t now);
    void start_face(SessionId session, std::int64_t now);
    void face_lost(std::string_view why, std::int64_t now);

    GuardHost& host_;
    FaceState state_ = FaceState::no_session;
    std::optional<SessionId> session_;
    std::set<SessionId> logging_off_;
    std::deque<std::int64_t> ends_;
    std::int64_t last_answer_ = 0;
    bool answered_ = false;
    std::int64_t retry_at_ = 0;
    // A face is being started: the host runs the message loop meanwhile, and what comes then
    // waits for the start to end.
    bool starting_ = false;
    std::optional<std::pair<SessionEvent, SessionId>> came_while_starting_;
    int faces_started_ = 0;
};

}  // namespace vardex::guard
