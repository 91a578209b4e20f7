#pragma once

#include <deque>
#include <random>

#include "platform/person_files.h"
#include "platform/platform.h"
#include "platform/remote/face.h"
#include "platform/remote/mirror.h"
#include "platform/sim/openssl_hmac.h"
#include "platform/sim/sim_udp.h"
#include "platform/sim/sim_windows.h"

namespace vardex::sim {

class Machine;

// A random generator that hands out queued values first, for tests that need known digits.
class SimRandom final : public Random {
  public:
    void seed(double seed_value) override { standard_.seed(seed_value); }
    double next() override;
    void queue(std::initializer_list<double> values) { queued_.insert(queued_.end(), values); }

  private:
    StandardRandom standard_;
    std::deque<double> queued_;
};

// A stand-in for the system's cryptographic source: the same bytes for the same seed, so that
// tests know the codes; a failing one for the error path.
class SimSecureRandom final : public SecureRandom {
  public:
    bool fill(std::span<std::uint8_t> out) override {
        if (failing_) {
            return false;
        }
        for (std::uint8_t& b : out) {
            b = static_cast<std::uint8_t>(engine_() & 0xFF);
        }
        return true;
    }
    void seed(std::uint64_t seed) { engine_.seed(seed); }
    void set_failing(bool failing) { failing_ = failing; }

  private:
    std::mt19937_64 engine_{20261207u};
    bool failing_ = false;
};

// The desktop as one process sees it: the machine's screen, with its own named locks.
class ProcessDesktop;

// One program instance's view of its machine.
class SimProcess final : public Platform {
  public:
    // A guarded process runs the program as the guard does: its windows and its desktop are
    // shown by a face, a process of its own on the same machine.
    SimProcess(Machine& machine, int id, bool guarded = false);
    ~SimProcess() override;

    Registry& registry() override;
    Clock& clock() override;
    Random& random() override { return random_; }
    SecureRandom& secure_random() override { return secure_random_; }
    HmacSha256& hmac() override { return hmac_; }
    TextCase& text_case() override { return text_case_; }
    Files& files() override;
    Files& person_files() override;
    UdpSocket& udp() override { return udp_; }
    Printer& printer() override;
    Startup& startup() override;
    Desktop& desktop() override;
    WindowSystem& windows() override;

    Machine& machine() { return machine_; }
    int id() const { return id_; }
    SimWindows& sim_windows() { return windows_; }
    // The windows a person sees: the face's of a guarded process.
    SimWindows& shown_windows() {
        return face_process() != nullptr ? face_process()->windows_ : windows_;
    }
    SimUdp& sim_udp() { return udp_; }
    SimRandom& sim_random() { return random_; }
    SimSecureRandom& sim_secure_random() { return secure_random_; }
    bool ended() const { return ended_; }
    int exit_code() const { return windows_.exit_code(); }
    // The process ends: its windows go, its locks are released, its socket closes.
    void end();

    // Of a guarded process: the face now showing its windows (nullptr when none) and the
    // process it runs in.
    remote::Face* face() const;
    SimProcess* face_process() const;
    remote::Mirror* mirror() const;
    // Starts a new face, which is given every window as it is.
    void start_face();
    // The face's process is ended from outside (killed): the link to it is cut.
    void kill_face();

  private:
    Machine& machine_;
    int id_;
    SimRandom random_;
    SimSecureRandom secure_random_;
    OpenSslHmac hmac_;
    Cp1252Case text_case_;
    SimUdp udp_;
    std::unique_ptr<ProcessDesktop> desktop_;
    SimWindows windows_;
    struct Guard;
    std::unique_ptr<Guard> guard_;
    bool ended_ = false;
};

}  // namespace vardex::sim
