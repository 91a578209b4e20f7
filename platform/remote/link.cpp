#include "platform/remote/link.h"

namespace vardex::remote {

MemoryLinkPair::MemoryLinkPair() : guard_(*this), face_(*this) {
    guard_.other = &face_;
    face_.other = &guard_;
}

void MemoryLinkPair::End::send(std::string frame) {
    if (connected() && other->receiver) {
        other->receiver(frame);
    }
}

std::optional<std::string> MemoryLinkPair::End::call(std::string frame) {
    if (!connected() || !other->receiver) {
        return std::nullopt;
    }
    std::string answer = other->receiver(frame);
    // The other end may have gone while it answered.
    if (!connected()) {
        return std::nullopt;
    }
    return answer;
}

}  // namespace vardex::remote
