#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vardex::sim {

class World;
class SimUdp;

// A datagram as it crossed the LAN, for tests to inspect.
struct SentDatagram {
    std::int64_t at_ms = 0;
    std::string from_address;
    int from_port = 0;
    std::string to_address;
    int to_port = 0;
    std::string data;
    bool dropped = false;
};

// Faults of a bad network, drawn at random per datagram from a seed, so that a run repeats.
struct LanFaults {
    double loss = 0;         // share of datagrams lost
    double duplication = 0;  // share delivered twice
    // Each copy is late by up to this much more than the latency: datagrams overtake each other.
    std::int64_t max_extra_delay_ms = 0;
    std::uint32_t seed = 1;
};

// The simulated LAN: sockets bound to (address, port), delivery after a latency, and the
// faults tests ask for.
class Lan {
  public:
    explicit Lan(World& world) : world_(world) {}

    long bind(SimUdp& socket, const std::string& address, int port);
    void unbind(SimUdp& socket);
    // Keeps a port busy as another program would.
    void occupy(const std::string& address, int port) { occupied_.insert({address, port}); }
    void release(const std::string& address, int port) { occupied_.erase({address, port}); }
    bool port_free(const std::string& address, int port) const;

    void send(const std::string& from_address, int from_port, const std::string& to_address,
              int to_port, const std::string& data);

    // Faults.
    void drop_next(int count) { drop_next_ += count; }
    // Drops every datagram for which the filter holds, until cleared.
    void set_drop_filter(std::function<bool(const SentDatagram&)> filter) {
        drop_filter_ = std::move(filter);
    }
    void duplicate_next(int count) { duplicate_next_ += count; }
    void set_faults(const LanFaults& faults) {
        faults_ = faults;
        random_.seed(faults.seed);
    }

    const std::vector<SentDatagram>& log() const { return log_; }
    void clear_log() { log_.clear(); }
    // A long run keeps no log.
    void keep_log(bool on) { keep_log_ = on; }

  private:
    void deliver(const SentDatagram& d);

    World& world_;
    std::map<std::pair<std::string, int>, SimUdp*> bound_;
    std::set<std::pair<std::string, int>> occupied_;
    std::vector<SentDatagram> log_;
    static constexpr std::int64_t latency_ms_ = 1;
    int drop_next_ = 0;
    int duplicate_next_ = 0;
    std::function<bool(const SentDatagram&)> drop_filter_;
    bool keep_log_ = true;
    LanFaults faults_;
    std::mt19937 random_;
};

}  // namespace vardex::sim
