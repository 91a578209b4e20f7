#include "guard/guard.h"

namespace vardex::guard {

void Guard::start(std::int64_t now) {
    host_.start_program();
    serve_console(now);
}

void Guard::serve_console(std::int64_t now) {
    const std::optional<SessionId> console = host_.console_session();
    if (!console || logging_off_.contains(*console)) {
        state_ = FaceState::no_session;
        session_.reset();
        return;
    }
    start_face(*console, now);
}

void Guard::start_face(SessionId session, std::int64_t now) {
    session_ = session;
    starting_ = true;
    const bool started = host_.start_face(session);
    starting_ = false;
    if (started) {
        state_ = FaceState::running;
        last_answer_ = now;
        answered_ = false;
        ++faces_started_;
        if (came_while_starting_) {
            const auto [event, other] = *came_while_starting_;
            came_while_starting_.reset();
            session_changed(event, other, now);
        }
        return;
    }
    if (host_.machine_blocked()) {
        // A blocked machine without its blocking screen is an open machine: off to the logon
        // screen until the user connects again.
        host_.disconnect(session);
        host_.log_event("Vardex could not show its windows in session " + std::to_string(session) +
                        " while the computer is blocked; the session was disconnected.");
        state_ = FaceState::disconnected;
        return;
    }
    state_ = FaceState::retrying;
    retry_at_ = now + retry_ms;
}

void Guard::face_lost(std::string_view why, std::int64_t now) {
    ends_.push_back(now);
    while (!ends_.empty() && ends_.front() <= now - ends_window_ms) {
        ends_.pop_front();
    }
    if (static_cast<int>(ends_.size()) < ends_allowed) {
        start_face(*session_, now);
        return;
    }
    ends_.clear();
    host_.disconnect(*session_);
    std::string text = "The windows of Vardex ";
    text.append(why);
    text.append(" five times within a minute; session ");
    text.append(std::to_string(*session_));
    text.append(" was disconnected.");
    host_.log_event(text);
    state_ = FaceState::disconnected;
}

void Guard::face_ended(std::int64_t now) {
    if (state_ == FaceState::running && !starting_) {
        face_lost("were ended", now);
    }
}

void Guard::tick(std::int64_t now) {
    if (starting_) {
        return;
    }
    if (state_ == FaceState::running) {
        if (now - last_answer_ > (answered_ ? hung_after_ms : first_answer_ms)) {
            host_.end_face();
            face_lost("stopped answering", now);
        } else {
            host_.ping_face();
        }
    } else if (state_ == FaceState::retrying && now >= retry_at_) {
        start_face(*session_, now);
    }
}

void Guard::session_changed(SessionEvent event, SessionId session, std::int64_t now) {
    if (starting_) {
        came_while_starting_ = std::make_pair(event, session);
        return;
    }
    switch (event) {
        case SessionEvent::logon:
            logging_off_.erase(session);
            if (state_ == FaceState::exited) {
                host_.start_program();
                state_ = FaceState::no_session;
            }
            [[fallthrough]];
        case SessionEvent::console_connect:
            if (state_ == FaceState::exited ||
                (state_ == FaceState::running && session_ == session)) {
                return;
            }
            if (state_ == FaceState::running) {
                host_.end_face();
            }
            serve_console(now);
            return;
        case SessionEvent::logoff:
            logging_off_.insert(session);
            [[fallthrough]];
        case SessionEvent::console_disconnect:
            if (session_ != session || state_ == FaceState::exited) {
                return;
            }
            if (state_ == FaceState::running) {
                host_.end_face();
            }
            state_ = FaceState::no_session;
            session_.reset();
            return;
    }
}

void Guard::program_exited() {
    host_.end_face();
    ends_.clear();
    state_ = FaceState::exited;
}

void Guard::start_command(std::int64_t now) {
    if (state_ == FaceState::running) {
        return;
    }
    if (state_ == FaceState::exited) {
        host_.start_program();
    }
    serve_console(now);
}

}  // namespace vardex::guard
