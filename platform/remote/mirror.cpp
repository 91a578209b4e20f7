#include "platform/remote/mirror.h"

namespace vardex::remote {

void Mirror::connect(Link* link) {
    face_.connect(link);
    heartbeats_ = 0;
    if (link != nullptr) {
        windows_.show_all();
        desktop_.show_all(windows_.refit_labels());
    }
}

std::string Mirror::receive(std::string_view frame) {
    WireReader in(frame);
    WireWriter answer(Wire::answer);
    if (in.ok() && in.kind() == Wire::heartbeat_answer && in.complete()) {
        ++heartbeats_;
        if (on_heartbeat) {
            on_heartbeat();
        }
        return {};
    }
    const bool taken =
        in.ok() &&
        (in.kind() == Wire::window_changed ? desktop_.receive(in) : windows_.receive(in, answer));
    if (!taken) {
        ++refused_;
    }
    return is_call(in.kind()) ? answer.take() : std::string{};
}

void Mirror::send_heartbeat() {
    WireWriter out(Wire::heartbeat);
    face_.send(out);
}

}  // namespace vardex::remote
