#include "platform/sim/sim_udp.h"

#include "platform/ansi.h"
#include "platform/result_codes.h"
#include "platform/sim/machine.h"
#include "platform/sim/world.h"

namespace vardex::sim {

void SimUdp::close() {
    if (port_ != 0) {
        machine_.world().lan().unbind(*this);
        port_ = 0;
    }
}

long SimUdp::bind(int port) {
    if (port_ != 0) {
        return result::invalid_data;  // already bound: close first
    }
    const long r = machine_.world().lan().bind(*this, machine_.address(), port);
    if (r == result::ok) {
        port_ = port;
    }
    return r;
}

long SimUdp::send_to(std::string_view address, int port, std::string_view data) {
    Lan& lan = machine_.world().lan();
    if (port_ == 0) {
        // Closed or never bound: nothing goes out, and no socket on a port of the system's
        // choosing is opened to answers nobody reads.
        return result::not_socket;
    }
    lan.send(machine_.address(), port_, std::string(address), port, std::string(data));
    return result::ok;
}

void SimUdp::deliver(const std::string& data, const std::string& from_address, int from_port) {
    if (machine_.suspended() || !receiver_) {
        return;
    }
    receiver_(Datagram{data, from_address, from_port});
}

std::string SimUdp::host_name() {
    return machine_.name();
}

std::string SimUdp::first_ipv4_address(std::string_view host_name) {
    if (!machine_.host_resolves()) {
        return {};
    }
    Machine* m = machine_.world().machine_by_name(std::string(host_name));
    return m != nullptr ? m->address() : std::string{};
}

}  // namespace vardex::sim
