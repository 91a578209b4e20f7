#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vardex {

struct Datagram {
    std::string data;
    std::string from_address;
    int from_port = 0;
};

// The program's one UDP socket. Datagrams arrive as events on the window thread.
class UdpSocket {
  public:
    virtual ~UdpSocket() = default;

    virtual void close() = 0;
    // 0 when bound; address_in_use when another socket holds the port.
    virtual long bind(int port) = 0;
    virtual bool is_bound() const = 0;
    // Only from a bound socket: a closed one sends nothing (not_socket).
    virtual long send_to(std::string_view address, int port, std::string_view data) = 0;
    virtual void set_receiver(std::function<void(const Datagram&)> receiver) = 0;

    virtual std::string host_name() = 0;
    // The first IPv4 address the host name resolves to, dotted; empty when none.
    virtual std::string first_ipv4_address(std::string_view host_name) = 0;
};

}  // namespace vardex
