#include "platform/sim/lan.h"

#include "platform/result_codes.h"
#include "platform/sim/sim_udp.h"
#include "platform/sim/world.h"

namespace vardex::sim {

bool Lan::port_free(const std::string& address, int port) const {
    const auto key = std::make_pair(address, port);
    return bound_.count(key) == 0 && occupied_.count(key) == 0;
}

long Lan::bind(SimUdp& socket, const std::string& address, int port) {
    if (port < 0 || port > 65535) {
        return result::invalid_data;
    }
    if (!port_free(address, port)) {
        return result::address_in_use;
    }
    bound_[{address, port}] = &socket;
    return result::ok;
}

void Lan::unbind(SimUdp& socket) {
    for (auto it = bound_.begin(); it != bound_.end();) {
        it = it->second == &socket ? bound_.erase(it) : std::next(it);
    }
}

void Lan::send(const std::string& from_address, int from_port, const std::string& to_address,
               int to_port, const std::string& data) {
    std::uniform_real_distribution<double> chance(0, 1);
    SentDatagram d{world_.now_ms(), from_address, from_port, to_address, to_port, data, false};
    if (drop_next_ > 0) {
        --drop_next_;
        d.dropped = true;
    } else if (drop_filter_ && drop_filter_(d)) {
        d.dropped = true;
    } else if (faults_.loss > 0 && chance(random_) < faults_.loss) {
        d.dropped = true;
    }
    if (keep_log_) {
        log_.push_back(d);
    }
    if (d.dropped) {
        return;
    }
    int copies = 1;
    if (duplicate_next_ > 0) {
        --duplicate_next_;
        copies = 2;
    } else if (faults_.duplication > 0 && chance(random_) < faults_.duplication) {
        copies = 2;
    }
    for (int i = 0; i < copies; ++i) {
        std::int64_t delay = latency_ms_;
        if (faults_.max_extra_delay_ms > 0) {
            delay +=
                std::uniform_int_distribution<std::int64_t>(0, faults_.max_extra_delay_ms)(random_);
        }
        world_.schedule(world_.now_ms() + delay, [this, d] { deliver(d); });
    }
}

void Lan::deliver(const SentDatagram& d) {
    // Any 127.x address is the sender's own machine.
    std::string address = d.to_address;
    if (address.rfind("127.", 0) == 0) {
        address = d.from_address;
    }
    auto it = bound_.find({address, d.to_port});
    if (it != bound_.end()) {
        it->second->deliver(d.data, d.from_address, d.from_port);
    }
}

}  // namespace vardex::sim
