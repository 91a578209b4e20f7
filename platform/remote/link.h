#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vardex::remote {

// One end of the link between the guard and its face: a named pipe on Windows, a pair of
// function calls in the simulation.
class Link {
  public:
    virtual ~Link() = default;
    virtual bool connected() const = 0;
    // A frame that needs no answer; dropped when the other end is gone.
    virtual void send(std::string frame) = 0;
    // A frame whose answer this end waits for; nullopt when the other end is gone.
    virtual std::optional<std::string> call(std::string frame) = 0;
};

// What an end does with a frame that came in: the answer of a call, anything for the others.
using Receiver = std::function<std::string(std::string_view frame)>;

// Both ends in one process, each delivering straight to the other's receiver.
class MemoryLinkPair {
  public:
    MemoryLinkPair();
    Link& guard_end() { return guard_; }
    Link& face_end() { return face_; }
    void set_guard_receiver(Receiver r) { guard_.receiver = std::move(r); }
    void set_face_receiver(Receiver r) { face_.receiver = std::move(r); }
    // The face is gone: nothing passes either way any more.
    void cut() { cut_ = true; }

  private:
    struct End final : Link {
        End(MemoryLinkPair& pair) : pair(pair) {}
        bool connected() const override { return !pair.cut_ && other != nullptr; }
        void send(std::string frame) override;
        std::optional<std::string> call(std::string frame) override;
        MemoryLinkPair& pair;
        End* other = nullptr;
        Receiver receiver;
    };
    End guard_;
    End face_;
    bool cut_ = false;
};

}  // namespace vardex::remote
