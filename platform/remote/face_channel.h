#pragma once

#include <optional>
#include <string>

#include "platform/remote/link.h"
#include "platform/remote/wire.h"

namespace vardex::remote {

// The guard's way to its current face, if it has one. Without a face, frames go nowhere and
// calls have no answer: the program runs on, and a new face is given its windows as they are.
class FaceChannel {
  public:
    void connect(Link* link) { link_ = link; }
    bool connected() const { return link_ != nullptr && link_->connected(); }
    void send(WireWriter& frame) {
        if (connected()) {
            link_->send(frame.take());
        }
    }
    // The face's answer, or nullopt when there is no face or it answered nonsense.
    std::optional<std::string> call(WireWriter& frame) {
        if (!connected()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = link_->call(frame.take());
        if (!answer || answer->empty() || WireReader(*answer).kind() != Wire::answer) {
            return std::nullopt;
        }
        return answer;
    }

  private:
    Link* link_ = nullptr;
};

}  // namespace vardex::remote
