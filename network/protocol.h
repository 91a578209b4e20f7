#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "network/message.h"
#include "platform/hmac.h"
#include "settings/operating_mode.h"
#include "settings/settings_record.h"

namespace vardex {

// A client's state as the administrator knows it: the number of the mode its last report
// carried, or what the administrator concluded.
enum class ClientStatus : std::int16_t {
    unheard = 0,  // not heard since loaded
    locked = 1,
    timing = 2,
    not_running = 3,  // the program ended
    options = 4,
    paused = 5,
    open_ended = 6,
    no_feedback = 7,  // a ping or a command went unanswered
};

// Time runs on the client: its countdown or its open-ended run.
constexpr bool time_runs(ClientStatus status) {
    return status == ClientStatus::timing || status == ClientStatus::open_ended;
}

// One client as the administrator knows it.
struct NetworkComputer {
    std::string name;
    std::string address;
    std::int32_t port = 0;
    ClientStatus status = ClientStatus::unheard;
    double running_seconds = 0;         // elapsed seconds of an open-ended run
    double remaining_seconds_seen = 0;  // seconds left as last reported, -1 when locked
    double countdown_total = 0;         // seconds of the countdown as it started
    bool busy = false;                  // a command from the network dialog awaits its ack
};

// A queued message waiting for its acknowledgement.
struct PendingMessage {
    std::int16_t id = 0;
    double stamp = 0;  // monotonic seconds of the last send
    std::string to_name;
    std::string to_address;
    std::int32_t to_port = 0;
    MessageCode code{};
    std::string param;
    std::int16_t retries = 0;
};

// The newest time of a signed datagram taken from one sender: kept across a restart, so that
// nothing that sender sent before can be carried out again.
struct SenderStamp {
    std::string sender;  // the sender's name, upper-cased
    std::int64_t time = 0;
};

// The administrator keeps no more clients than this: far more than any room holds, and a
// bound for names that a stranger makes up.
inline constexpr std::size_t max_computers = 1000;

// What `learn_peer` did with a name.
enum class Learned { nothing, updated, added, table_full };

// How a client's sign-in at the administrator went; the numbers are what the administrator's
// answer carries (any other number counts as accepted).
enum class CheckIn : std::int16_t {
    pending = 0,
    accepted = 1,
    no_answer = -1,   // none within 10 seconds, or no port was free
    name_known = -2,  // a computer of that name is signed in there
    // The answer came with the network key but from a clock more than five minutes away: it
    // cannot be taken, and the clocks have to be set right.
    clock_differs = -3,
};
// What the operator is told when a machine's clock is that far from this one's.
std::string clock_difference_message(const std::string& name, std::int64_t minutes);

// What the protocol asks of the program around it: the socket, the messages, the countdown,
// the store and the windows.
class ProtocolHost {
  public:
    virtual ~ProtocolHost() = default;
    virtual double monotonic_seconds() = 0;
    // The wall clock in seconds since 1970 (UTC), which a network key's stamps compare with.
    virtual std::int64_t unix_seconds() = 0;
    virtual HmacSha256& hmac() = 0;
    virtual SettingsRecord& record() = 0;
    // Upper case by the system's rules for its code page: names are one machine whatever
    // their letter case.
    virtual std::string upper_text(std::string_view text) = 0;
    // One datagram; false when the socket would not send it.
    virtual bool send_datagram(const std::string& address, std::int32_t port,
                               const std::string& data) = 0;
    virtual void show_message(const std::string& text) = 0;
    virtual void start_timer(std::int32_t seconds, const std::string& log_text) = 0;
    virtual void end_timer(const std::string& log_text) = 0;
    // This client's mode and the seconds to report with it (left, or elapsed when open-ended).
    virtual ProgramMode program_mode() = 0;
    virtual std::int32_t remaining_seconds() = 0;
    virtual void save_settings() = 0;
    // Value11 alone, when the administrator takes the machine out of the network.
    virtual void store_network_role() = 0;
    // The records [first, last) of the table changed (or moved up), and the table held
    // `old_count` records before: only those are written, and what lies past the end goes.
    virtual void save_computer_records(std::size_t first, std::size_t last,
                                       std::size_t old_count) = 0;
    // The newest signed time taken from each recent sender, written before a datagram is
    // carried out.
    virtual void store_newest_stamps(const std::vector<SenderStamp>& stamps) = 0;
    // The administrator took this machine out: the options dialog shows it.
    virtual void refill_options() = 0;
    virtual void repaint_network_dialog() = 0;
};

// The message protocol of a Vardex network, without sockets or windows: the pending queue
// with its resends, the administrator's computer table, the client's error count, and what
// each code does. Time is the host's monotonic clock.
class NetworkProtocol {
  public:
    explicit NetworkProtocol(ProtocolHost& host) : host_(host) {}

    // Sends one message; an empty address means the administrator. id: new_queued_id for a
    // queued message (it becomes the new id), plain_id, or a queued id to resend.
    void send_message(MessageCode code, const std::string& param, std::string to_name,
                      std::string to_address, std::int32_t to_port, std::int16_t& id);
    void handle_message(std::string_view datagram);
    void send_ack(std::int16_t id, const std::string& to_name, const std::string& to_address,
                  std::int32_t to_port);
    Learned learn_peer(const std::string& name, const std::string& address, std::int32_t port,
                       bool may_update);
    std::int16_t queue_pending(MessageCode code, const std::string& param,
                               const std::string& to_address, std::int32_t to_port,
                               const std::string& to_name);
    // Drops the message under this id that went to the machine named, or to its address and
    // port; an acknowledgement from anyone else (a client removed since) changes nothing.
    void drop_pending(std::int16_t id, const std::string& from_name,
                      const std::string& from_address, std::int32_t from_port);
    void process_retries();
    // The network tick: resends, and a client's report every minute while its time runs.
    void tick();

    void send_status_report(bool queued);
    void send_countdown_update();
    void send_hello();
    void send_check_in();

    void ping_computer(std::size_t index);
    void delete_computer(std::size_t index);
    void remove_computer(std::size_t index);
    // The last record with this name (letter case aside), or -1.
    int find_computer(const std::string& name) const;
    // The table as loaded from the store.
    void set_computer_table(std::vector<NetworkComputer> table);
    void leave_network();
    // The newest signed times taken before this start: anything up to them is refused.
    void restore_newest_stamps(const std::vector<SenderStamp>& stamps);

    const std::deque<PendingMessage>& pending() const { return pending_; }

    std::vector<NetworkComputer> computer_table;
    std::int16_t network_error_count = 0;
    CheckIn check_in_answer = CheckIn::pending;
    // Whole minutes between the clocks, when a check-in found them too far apart.
    std::int64_t clock_difference_minutes = 0;
    // Datagrams received and dropped: no message of ours, or, with a network key, not made
    // with it, too old or too new, seen before, or addressed to another machine.
    std::uint64_t dropped_datagrams = 0;
    // New names refused because the table held max_computers already.
    std::uint64_t refused_names = 0;

  private:
    // The message of a datagram's text under the network key: nullopt unless its tag is the
    // key's, its time within five minutes of this machine's clock, and it was not taken before.
    std::optional<Message> authenticated(std::string_view text, std::int64_t& signed_at);
    // A sender whose tag is right but whose clock is too far from ours: its operator is told
    // once, and a check-in waiting for it ends.
    void clock_differs(const Message& m, std::int64_t seconds);
    void remember_stamp(const std::string& sender, std::int64_t time);
    void act(const Message& m);
    void give_up(const PendingMessage& entry);
    // Makes room for one more message to this destination: the queue is bounded as a whole
    // and per destination, and the oldest messages that are no command go first.
    void make_room(const std::string& to_address, std::int32_t to_port);
    void evict(std::size_t index);
    void erase_pending(std::size_t index);
    // A queued command already carried out, resent because its acknowledgement was lost. The
    // last message under each id is remembered per sender for a short time: a resend comes
    // within the four resends' time, and a new message under a reused id replaces the memory.
    bool seen_before(const Message& m);
    void set_status(const Message& m, ClientStatus status);
    bool same_name(std::string_view a, std::string_view b) const {
        return host_.upper_text(a) == host_.upper_text(b);
    }
    NetworkRole role() { return host_.record().Network_Role; }

    ProtocolHost& host_;
    std::deque<PendingMessage> pending_;
    // Queued messages per destination ("address:port").
    std::unordered_map<std::string, std::size_t> per_destination_;
    // Which ids wait in the queue, so that a new id is found at once.
    std::bitset<32768> pending_ids_;
    // Ids keep counting, wrapping within the positive 16 bits, so that a machine never takes
    // a new message for a resend of an old one under the same id.
    std::int16_t next_id_ = 1;
    // Upper-cased name → position in the table, so that a large network is not searched
    // name by name for every message.
    mutable std::unordered_map<std::string, std::size_t> name_index_;
    double last_report_ = 0;
    struct Carried {
        std::string sender;
        std::int16_t id;
        MessageCode code;
        std::string param;
        double at;
    };
    std::deque<Carried> carried_out_;
    // The stamps (sender, id, time and tag) of the authenticated datagrams of the last ten
    // minutes, oldest first: a captured datagram sent again is not carried out again.
    struct Stamp {
        std::string key;
        double at;
    };
    std::deque<Stamp> stamps_;
    std::unordered_set<std::string> stamp_keys_;
    // Per sender, the newest time taken (stored with every advance), and the newest time taken
    // before this start (a floor: nothing at or below it is taken again).
    std::unordered_map<std::string, std::int64_t> newest_stamp_;
    std::unordered_map<std::string, std::int64_t> restart_floor_;
    // Senders whose operator was told that the clocks differ.
    std::unordered_set<std::string> told_clock_;
    // The time a signed message goes out with: the clock's, or one second after the last time
    // the very same fields went out, so that no receiver takes a second message for a copy of
    // the first (two acknowledgements of one id in one second are the same text).
    std::int64_t stamp_time(const std::string& fields);
    std::unordered_map<std::string, std::int64_t> last_stamp_;
};

}  // namespace vardex
