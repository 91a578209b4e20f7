#pragma once

#include <cstdint>

namespace vardex {

class Program;
struct ModeChange;

// The machine's side of the Vardex network: its socket, its role, its reports.
class Network {
  public:
    explicit Network(Program& program);

    // Binds the socket to a free port from `port` on; the bound port, or -1.
    std::int32_t find_free_port(std::int32_t port);
    void network_startup();
    // Leaves the network: the queue of unacknowledged messages goes, the role becomes none.
    void leave_network();
    // A client's report of its mode to the administrator.
    void send_status_report(bool queued);
    void send_countdown_update();

  private:
    // Every change of the operating mode: a client tells the administrator.
    void report_mode_change(const ModeChange& change);
    Program& program_;
};

}  // namespace vardex
