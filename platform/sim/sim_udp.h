#pragma once

#include <functional>
#include <string>

#include "platform/udp.h"

namespace vardex::sim {

class Machine;

// A process's UDP socket on the simulated LAN; datagrams arrive from World::advance.
class SimUdp final : public UdpSocket {
  public:
    explicit SimUdp(Machine& machine) : machine_(machine) {}
    ~SimUdp() override { close(); }

    void close() override;
    long bind(int port) override;
    bool is_bound() const override { return port_ != 0; }
    long send_to(std::string_view address, int port, std::string_view data) override;
    void set_receiver(std::function<void(const Datagram&)> receiver) override {
        receiver_ = std::move(receiver);
    }
    std::string host_name() override;
    std::string first_ipv4_address(std::string_view host_name) override;

    int port() const { return port_; }
    void deliver(const std::string& data, const std::string& from_address, int from_port);

  private:
    Machine& machine_;
    int port_ = 0;
    std::function<void(const Datagram&)> receiver_;
};

}  // namespace vardex::sim
