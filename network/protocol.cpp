#include "network/protocol.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "network/message_auth.h"
#include "platform/ansi.h"

namespace vardex {

namespace {

// A queued message is resent when it is older than this at a network tick.
constexpr double resend_age = 2;
// How long a client remembers the queued commands it carried out: longer than the four
// resends of a lost acknowledgement (a tick every 5 s). Ids keep counting, so within this
// time an id comes back only as a resend.
constexpr double carried_memory = 30;
constexpr std::size_t carried_limit = 256;
constexpr double report_interval = 60;
// A datagram under a network key is taken when its time is this close to the receiver's
// clock (machines' clocks differ by a few minutes), and remembered for twice as long.
constexpr std::int64_t stamp_tolerance = 5 * 60;
constexpr double stamp_memory = 10 * 60;
// Far more than a network of a thousand clients sends in ten minutes.
constexpr std::size_t stamp_limit = 200'000;
// The pending queue: a room of clients answered at once fits, a flood of made-up senders
// does not grow it further.
constexpr std::size_t max_pending = 4096;
constexpr std::size_t max_pending_per_destination = 64;
constexpr std::size_t newest_stamp_limit = 2 * max_computers;
constexpr std::size_t told_clock_limit = 256;
constexpr std::int16_t last_id = 32767;

// The console's commands: kept in a full queue as long as anything else can go.
bool is_command(MessageCode code) {
    switch (code) {
        case MessageCode::start_countdown:
        case MessageCode::end_timer:
        case MessageCode::start_open_ended:
        case MessageCode::text:
            return true;
        default:
            return false;
    }
}

// What a second run would show twice, restart or end again. Answers and reports only set
// again what they set before, and are taken whenever they come: a check-in answer under an id
// just used for the same answer is a new one.
bool repeats_matter(MessageCode code) {
    return is_command(code) || code == MessageCode::misdelivered;
}

std::string destination_of(const std::string& address, std::int32_t port) {
    return address + ":" + std::to_string(port);
}

// A number in a parameter, or 0 for what is none: a status report's seconds.
double seconds_in(const std::string& param) {
    const std::optional<std::int64_t> v = whole_number(param);
    if (!v) {
        return 0;
    }
    return static_cast<double>(std::clamp<std::int64_t>(
        *v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::string clock_difference_message(const std::string& name, std::int64_t minutes) {
    return "The clock of " + name + " differs by " + std::to_string(minutes) +
           " minutes from the clock of this computer! With a network key the clocks must not "
           "differ by more than 5 minutes. Set the clocks right!";
}

void NetworkProtocol::send_message(MessageCode code, const std::string& param, std::string to_name,
                                   std::string to_address, std::int32_t to_port, std::int16_t& id) {
    const SettingsRecord& r = host_.record();
    if (to_address.empty()) {
        to_address = r.Admin_IP_Address;
        to_port = r.Admin_Port;
        to_name = "admin";
    }
    if (id == new_queued_id) {
        id = queue_pending(code, param, to_address, to_port, to_name);
    }
    Message m;
    m.id = id;
    m.to = to_name;
    m.from = r.Computer_Name;
    m.from_address = r.Own_IP_Address;
    m.from_port = r.Own_Port;
    m.code = code;
    m.param = param;
    std::string data;
    if (r.Network_Key.empty()) {
        data = encode_message(m);
    } else {
        const std::string fields = message_fields(m);
        const std::optional<std::string> auth =
            auth_field(fields, stamp_time(fields), r.Network_Key, host_.hmac());
        if (!auth) {
            return;  // nothing unsigned leaves a machine with a key; a queued one is resent
        }
        data = encode_message(m, *auth);
    }
    // A failed send is tried again at once, ten times at most; a queued message is resent
    // later anyway.
    for (int attempt = 0; attempt <= 10; ++attempt) {
        if (host_.send_datagram(to_address, to_port, data)) {
            return;
        }
    }
}

void NetworkProtocol::send_ack(std::int16_t id, const std::string& to_name,
                               const std::string& to_address, std::int32_t to_port) {
    std::int16_t plain = plain_id;
    send_message(MessageCode::ack, std::to_string(id), to_name, to_address, to_port, plain);
}

void NetworkProtocol::handle_message(std::string_view datagram) {
    const bool keyed = !host_.record().Network_Key.empty();
    const std::optional<std::string> text = datagram_text(datagram);
    std::optional<Message> decoded;
    std::int64_t signed_at = 0;
    if (text) {
        decoded = keyed ? authenticated(*text, signed_at) : decode_fields(*text);
    }
    // Dropped without a word: no acknowledgement, and nothing learned about the sender.
    if (!decoded) {
        ++dropped_datagrams;
        return;
    }
    const Message& m = *decoded;
    const auto code = m.code;
    const bool for_me = same_name(m.to, host_.record().Computer_Name);
    if (keyed && !for_me) {
        // Made with the key for another machine and sent here: a captured datagram. A ping
        // still gets its report, which tells nobody anything new.
        if (code == MessageCode::ping) {
            send_status_report(true);
        } else {
            ++dropped_datagrams;
        }
        return;
    }
    if (keyed) {
        // Kept before it is carried out: after a restart it is not carried out again.
        remember_stamp(host_.upper_text(m.from), signed_at);
    }
    if (!for_me) {
        if (code != MessageCode::ping) {
            std::int16_t id = new_queued_id;
            send_message(MessageCode::misdelivered, std::to_string(m.id), m.from, m.from_address,
                         m.from_port, id);
        }
    }
    if (code != MessageCode::check_in) {
        learn_peer(m.from, m.from_address, m.from_port, true);
    }
    if (m.id != plain_id) {
        send_ack(m.id, m.from, m.from_address, m.from_port);
    }
    if (role() == NetworkRole::client) {
        network_error_count = 0;
    }
    // Acknowledged again, carried out once.
    if (m.id > 0 && seen_before(m)) {
        return;
    }
    act(m);
}

std::int64_t NetworkProtocol::stamp_time(const std::string& fields) {
    const std::int64_t now = host_.unix_seconds();
    // Only the texts of the last seconds can meet a text of this second again; one far ahead
    // was sent before the clock was put back.
    const auto stale = [now](std::int64_t t) { return t < now - 1 || t > now + 60; };
    if (last_stamp_.size() > 256) {
        std::erase_if(last_stamp_, [&](const auto& entry) { return stale(entry.second); });
    }
    std::int64_t& last = last_stamp_[fields];
    last = last < now || stale(last) ? now : last + 1;
    return last;
}

std::optional<Message> NetworkProtocol::authenticated(std::string_view text,
                                                      std::int64_t& signed_at) {
    const std::optional<SignedText> signed_text = split_signed(text);
    if (!signed_text) {
        return std::nullopt;
    }
    const std::optional<AuthField> auth = read_auth_field(signed_text->auth);
    if (!auth) {
        return std::nullopt;
    }
    std::optional<Message> m = decode_fields(signed_text->fields);
    const std::string& key = host_.record().Network_Key;
    if (!m || !tag_is_right(signed_text->fields, *auth, key, host_.hmac())) {
        return std::nullopt;
    }
    // Made with the key: a time out of the window is a clock that is wrong, or a datagram
    // kept for a long time.
    const std::int64_t now = host_.unix_seconds();
    if (auth->time < now - stamp_tolerance || auth->time > now + stamp_tolerance) {
        clock_differs(*m, auth->time - now);
        return std::nullopt;
    }
    const std::string sender = host_.upper_text(m->from);
    if (const auto floor = restart_floor_.find(sender);
        floor != restart_floor_.end() && auth->time <= floor->second) {
        return std::nullopt;  // taken, or could have been, before this start
    }
    const double at = host_.monotonic_seconds();
    while (!stamps_.empty() &&
           (at - stamps_.front().at > stamp_memory || stamps_.size() >= stamp_limit)) {
        stamp_keys_.erase(stamps_.front().key);
        stamps_.pop_front();
    }
    // The tag belongs to the stamp: two different messages a sender makes in one second (an
    // acknowledgement and a report, both without an id) are both taken. Values as read, so
    // that a copy written differently (upper-case digits, leading zeros) is the same stamp.
    std::string stamp =
        sender + ";" + std::to_string(m->id) + ";" + std::to_string(auth->time) + ";";
    stamp.append(auth->tag.begin(), auth->tag.end());
    if (!stamp_keys_.insert(stamp).second) {
        return std::nullopt;
    }
    stamps_.push_back({std::move(stamp), at});
    signed_at = auth->time;
    return m;
}

void NetworkProtocol::clock_differs(const Message& m, std::int64_t seconds) {
    const std::int64_t minutes = (std::abs(seconds) + 59) / 60;
    if (role() == NetworkRole::checking_in && same_name(m.from, "admin")) {
        // The check-in says so instead of "no answer".
        clock_difference_minutes = minutes;
        check_in_answer = CheckIn::clock_differs;
        return;
    }
    if (m.code == MessageCode::check_in && role() == NetworkRole::administrator &&
        same_name(m.to, host_.record().Computer_Name)) {
        // An answer that carries nothing: made at this clock, it shows the client its clock is
        // as far from this one, so that it says so instead of waiting for nothing.
        std::int16_t id = plain_id;
        send_message(MessageCode::check_in_answer, "0", m.from, m.from_address, m.from_port, id);
    }
    if (told_clock_.size() >= told_clock_limit ||
        !told_clock_.insert(host_.upper_text(m.from)).second) {
        return;
    }
    host_.show_message(clock_difference_message(m.from, minutes));
}

void NetworkProtocol::remember_stamp(const std::string& sender, std::int64_t time) {
    const auto [it, added] = newest_stamp_.try_emplace(sender, time);
    if (!added) {
        if (it->second >= time) {
            return;
        }
        it->second = time;
    }
    // A floor older than the window refuses nothing that the window does not refuse.
    const std::int64_t oldest = host_.unix_seconds() - stamp_tolerance;
    std::erase_if(newest_stamp_, [oldest](const auto& entry) { return entry.second < oldest; });
    while (newest_stamp_.size() > newest_stamp_limit) {
        newest_stamp_.erase(
            std::min_element(newest_stamp_.begin(), newest_stamp_.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; }));
    }
    std::vector<SenderStamp> stamps;
    stamps.reserve(newest_stamp_.size());
    for (const auto& [name, newest] : newest_stamp_) {
        stamps.push_back({name, newest});
    }
    std::sort(stamps.begin(), stamps.end(),
              [](const SenderStamp& a, const SenderStamp& b) { return a.sender < b.sender; });
    host_.store_newest_stamps(stamps);
}

void NetworkProtocol::restore_newest_stamps(const std::vector<SenderStamp>& stamps) {
    restart_floor_.clear();
    for (const SenderStamp& s : stamps) {
        restart_floor_[s.sender] = std::max(restart_floor_[s.sender], s.time);
        newest_stamp_[s.sender] = std::max(newest_stamp_[s.sender], s.time);
    }
}

bool NetworkProtocol::seen_before(const Message& m) {
    const double now = host_.monotonic_seconds();
    while (!carried_out_.empty() &&
           (now - carried_out_.front().at > carried_memory || now < carried_out_.front().at)) {
        carried_out_.pop_front();
    }
    if (carried_out_.empty() && !repeats_matter(m.code)) {
        return false;  // the common case of an administrator's many reports
    }
    const std::string sender =
        host_.upper_text(m.from) + "|" + m.from_address + "|" + std::to_string(m.from_port);
    const auto same_id =
        std::find_if(carried_out_.begin(), carried_out_.end(),
                     [&](const Carried& c) { return c.id == m.id && c.sender == sender; });
    if (same_id != carried_out_.end()) {
        if (same_id->code == m.code && same_id->param == m.param) {
            return true;
        }
        // Another message under that id: the sender started again.
        carried_out_.erase(same_id);
    }
    // Only what a second run would show twice, restart or end again is remembered.
    if (repeats_matter(m.code)) {
        if (carried_out_.size() >= carried_limit) {
            carried_out_.pop_front();
        }
        carried_out_.push_back({sender, m.id, m.code, m.param, now});
    }
    return false;
}

void NetworkProtocol::set_status(const Message& m, ClientStatus status) {
    const int index = find_computer(m.from);
    if (index < 0) {
        return;
    }
    NetworkComputer& c = computer_table[static_cast<std::size_t>(index)];
    c.status = status;
    if (status == ClientStatus::timing) {
        c.remaining_seconds_seen = seconds_in(m.param);
    } else if (status == ClientStatus::open_ended) {
        c.running_seconds = seconds_in(m.param);
    }
}

void NetworkProtocol::act(const Message& m) {
    const bool admin = role() == NetworkRole::administrator;
    switch (m.code) {
        case MessageCode::start_countdown: {
            // Seconds to grant: a negative or absurd parameter is no countdown.
            const std::optional<std::int32_t> seconds = whole_number_as<std::int32_t>(m.param);
            if (seconds && *seconds >= 0) {
                host_.start_timer(*seconds, ": Timer started over network");
            }
            break;
        }
        case MessageCode::end_timer:
            host_.end_timer(": Timer was exited over network.");
            break;
        case MessageCode::start_open_ended:
            host_.start_timer(-1, ": Timer started over network");
            break;
        case MessageCode::misdelivered:
            host_.show_message("The computer " + m.from +
                               " returned a message, which was wrong delivered! There seems to me "
                               "a mixup in IP & ports, try to ping all computers!");
            [[fallthrough]];
        case MessageCode::ack: {
            if (const auto id = whole_number_as<std::int16_t>(m.param)) {
                drop_pending(*id, m.from, m.from_address, m.from_port);
            }
            if (admin) {
                if (const int index = find_computer(m.from); index >= 0) {
                    computer_table[static_cast<std::size_t>(index)].busy = false;
                }
                host_.repaint_network_dialog();
            }
            break;
        }
        case MessageCode::check_in: {
            // The same machine again (a copy of its check-in, or its retry) is welcome again;
            // the name from another machine is not.
            std::string answer;
            if (const int index = find_computer(m.from); index >= 0) {
                const NetworkComputer& c = computer_table[static_cast<std::size_t>(index)];
                answer = c.address == m.from_address && c.port == m.from_port ? "1" : "-2";
            } else if (learn_peer(m.from, m.from_address, m.from_port, false) == Learned::added) {
                answer = "1";
            }
            if (!answer.empty()) {
                std::int16_t id = new_queued_id;
                send_message(MessageCode::check_in_answer, answer, m.from, m.from_address,
                             m.from_port, id);
            }
            host_.repaint_network_dialog();
            break;
        }
        case MessageCode::check_in_answer:
            if (const auto answer = whole_number_as<std::int16_t>(m.param)) {
                check_in_answer = static_cast<CheckIn>(*answer);
            }
            break;
        case MessageCode::removed:
            host_.record().Network_Role = NetworkRole::none;
            host_.store_network_role();
            host_.refill_options();
            break;
        case MessageCode::ping:
        case MessageCode::hello_answer:
            send_status_report(true);
            break;
        case MessageCode::leaving:
            if (admin) {
                if (const int index = find_computer(m.from); index >= 0) {
                    remove_computer(static_cast<std::size_t>(index));
                }
                host_.repaint_network_dialog();
            }
            break;
        case MessageCode::countdown_started:
            if (admin) {
                if (const int index = find_computer(m.from); index >= 0) {
                    NetworkComputer& c = computer_table[static_cast<std::size_t>(index)];
                    c.status = ClientStatus::timing;
                    // A report a few seconds off a whole minute counts as that minute.
                    double v = seconds_in(m.param);
                    const double minute = 60 * std::nearbyint(v / 60);
                    if (std::abs(v - minute) < 3) {
                        v = minute;
                    }
                    c.remaining_seconds_seen = v;
                    c.countdown_total = v;
                }
                host_.repaint_network_dialog();
            }
            break;
        case MessageCode::hello: {
            std::int16_t id = new_queued_id;
            send_message(MessageCode::hello_answer, "0", m.from, m.from_address, m.from_port, id);
            break;
        }
        case MessageCode::text:
            host_.show_message("The Admin has sent you the following message: " + m.param);
            break;
        default:
            if (admin && is_status_report(m.code)) {
                // A paused open-ended run shows as paused.
                const auto mode = static_cast<ClientStatus>(reported_mode(m.code));
                // ProgramMode 7, a paused open-ended run, has no status of its own.
                set_status(m, mode == ClientStatus::no_feedback ? ClientStatus::paused : mode);
                host_.repaint_network_dialog();
            }
            break;
    }
}

Learned NetworkProtocol::learn_peer(const std::string& name, const std::string& address,
                                    std::int32_t port, bool may_update) {
    SettingsRecord& r = host_.record();
    if (role() == NetworkRole::client) {
        if (!same_name(name, "admin")) {
            return Learned::nothing;
        }
        bool changed = false;
        if (address != r.Admin_IP_Address) {
            r.Admin_IP_Address = address;
            changed = true;
        }
        if (port != r.Admin_Port) {
            r.Admin_Port = port;
            changed = true;
        }
        if (changed) {
            host_.save_settings();
            return Learned::updated;
        }
        return Learned::nothing;
    }
    if (role() != NetworkRole::administrator) {
        return Learned::nothing;
    }
    const int index = find_computer(name);
    if (index < 0) {
        if (computer_table.size() >= max_computers) {
            ++refused_names;
            return Learned::table_full;
        }
        NetworkComputer c;
        c.name = name;
        c.address = address;
        c.port = port;
        c.status = ClientStatus::options;
        const std::size_t added = computer_table.size();
        computer_table.push_back(c);
        if (name_index_.size() == added) {
            name_index_[host_.upper_text(name)] = added;
        }
        host_.save_computer_records(added, added + 1, added);
        return Learned::added;
    }
    NetworkComputer& c = computer_table[static_cast<std::size_t>(index)];
    if (may_update && (c.address != address || c.port != port)) {
        c.address = address;
        c.port = port;
        const auto i = static_cast<std::size_t>(index);
        host_.save_computer_records(i, i + 1, computer_table.size());
        return Learned::updated;
    }
    return Learned::nothing;
}

void NetworkProtocol::erase_pending(std::size_t index) {
    const PendingMessage& p = pending_[index];
    pending_ids_.reset(static_cast<std::size_t>(p.id));
    const auto count = per_destination_.find(destination_of(p.to_address, p.to_port));
    if (count != per_destination_.end() && --count->second == 0) {
        per_destination_.erase(count);
    }
    pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(index));
}

void NetworkProtocol::evict(std::size_t index) {
    const PendingMessage& p = pending_[index];
    if (is_command(p.code) && role() == NetworkRole::administrator) {
        // Nothing waits for that command any more.
        if (const int c = find_computer(p.to_name); c >= 0) {
            computer_table[static_cast<std::size_t>(c)].busy = false;
        }
    }
    erase_pending(index);
}

void NetworkProtocol::make_room(const std::string& to_address, std::int32_t to_port) {
    // The oldest entry that is no command (of one destination, or of any), else the oldest.
    const auto oldest = [this](const std::string* destination) {
        std::optional<std::size_t> first;
        for (std::size_t i = 0; i < pending_.size(); ++i) {
            const PendingMessage& p = pending_[i];
            if (destination != nullptr && destination_of(p.to_address, p.to_port) != *destination) {
                continue;
            }
            if (!is_command(p.code)) {
                return i;
            }
            if (!first) {
                first = i;
            }
        }
        return first.value_or(0);
    };
    const std::string destination = destination_of(to_address, to_port);
    if (const auto count = per_destination_.find(destination);
        count != per_destination_.end() && count->second >= max_pending_per_destination) {
        evict(oldest(&destination));
    }
    if (pending_.size() >= max_pending) {
        evict(oldest(nullptr));
    }
}

std::int16_t NetworkProtocol::queue_pending(MessageCode code, const std::string& param,
                                            const std::string& to_address, std::int32_t to_port,
                                            const std::string& to_name) {
    make_room(to_address, to_port);
    // The queue holds far fewer entries than there are ids: a free one comes within a few
    // steps.
    std::int16_t id = 0;
    do {
        id = next_id_;
        next_id_ = next_id_ == last_id ? std::int16_t{1} : static_cast<std::int16_t>(next_id_ + 1);
    } while (pending_ids_.test(static_cast<std::size_t>(id)));
    PendingMessage p;
    p.id = id;
    p.stamp = host_.monotonic_seconds();
    p.to_name = to_name;
    p.to_address = to_address;
    p.to_port = to_port;
    p.code = code;
    p.param = param;
    pending_ids_.set(static_cast<std::size_t>(id));
    ++per_destination_[destination_of(to_address, to_port)];
    pending_.push_back(std::move(p));
    return id;
}

void NetworkProtocol::drop_pending(std::int16_t id, const std::string& from_name,
                                   const std::string& from_address, std::int32_t from_port) {
    if (id < 1 || !pending_ids_.test(static_cast<std::size_t>(id))) {
        return;
    }
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        const PendingMessage& p = pending_[i];
        if (p.id != id) {
            continue;
        }
        if (same_name(p.to_name, from_name) ||
            (p.to_address == from_address && p.to_port == from_port)) {
            erase_pending(i);
        }
        return;
    }
}

void NetworkProtocol::give_up(const PendingMessage& entry) {
    if (role() == NetworkRole::client) {
        if (network_error_count == 2) {
            host_.show_message(
                "To many Network Errors! Network errors won't be displayed any more!");
        }
        ++network_error_count;
    } else if (role() == NetworkRole::administrator) {
        if (const int index = find_computer(entry.to_name); index >= 0) {
            // Nothing waits for that client any more: it has no feedback, and no command.
            NetworkComputer& c = computer_table[static_cast<std::size_t>(index)];
            c.status = ClientStatus::no_feedback;
            c.busy = false;
        }
    }
}

void NetworkProtocol::process_retries() {
    const double now = host_.monotonic_seconds();
    // Given-up entries leave after the walk; nothing below adds to the queue or takes from it.
    std::vector<std::size_t> given_up;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        PendingMessage& entry = pending_[i];
        if (std::abs(now - entry.stamp) <= resend_age) {
            continue;
        }
        if (entry.retries > 3) {
            if (network_error_count < 3) {
                host_.show_message("Error! Had to cancel a message for computer " + entry.to_name +
                                   "! If error contiunues, check that computer!");
            }
            given_up.push_back(i);
            give_up(entry);
        } else if (network_error_count <= 3) {
            ++entry.retries;
            entry.stamp = now;
            std::int16_t resend_id = entry.id;
            send_message(entry.code, entry.param, entry.to_name, entry.to_address, entry.to_port,
                         resend_id);
        } else {
            given_up.push_back(i);
            give_up(entry);
        }
    }
    for (auto it = given_up.rbegin(); it != given_up.rend(); ++it) {
        erase_pending(*it);
    }
}

void NetworkProtocol::tick() {
    process_retries();
    const double now = host_.monotonic_seconds();
    if (std::abs(now - last_report_) > report_interval) {
        last_report_ = now;
        if (time_runs(host_.program_mode())) {
            send_status_report(true);
        }
    }
}

void NetworkProtocol::send_status_report(bool queued) {
    if (role() != NetworkRole::client) {
        return;
    }
    const ProgramMode mode = host_.program_mode();
    const std::string param = time_runs(mode) ? std::to_string(host_.remaining_seconds()) : "0";
    std::int16_t id = queued ? new_queued_id : plain_id;
    send_message(status_report_code(static_cast<std::int16_t>(mode)), param, "", "", 0, id);
}

void NetworkProtocol::send_countdown_update() {
    std::int16_t id = new_queued_id;
    send_message(MessageCode::countdown_started, std::to_string(host_.remaining_seconds()), "", "",
                 0, id);
}

void NetworkProtocol::send_hello() {
    std::int16_t id = new_queued_id;
    send_message(MessageCode::hello, "0", "", "", 0, id);
}

void NetworkProtocol::send_check_in() {
    check_in_answer = CheckIn::pending;
    clock_difference_minutes = 0;
    std::int16_t id = plain_id;
    send_message(MessageCode::check_in, "0", "", "", 0, id);
}

void NetworkProtocol::ping_computer(std::size_t index) {
    NetworkComputer& c = computer_table.at(index);
    c.busy = false;
    if (c.status != ClientStatus::not_running) {
        c.status = ClientStatus::no_feedback;
        std::int16_t id = plain_id;
        send_message(MessageCode::ping, "0", c.name, c.address, c.port, id);
    }
}

void NetworkProtocol::delete_computer(std::size_t index) {
    const NetworkComputer c = computer_table.at(index);
    std::int16_t id = plain_id;
    send_message(MessageCode::removed, "0", c.name, c.address, c.port, id);
    remove_computer(index);
}

void NetworkProtocol::remove_computer(std::size_t index) {
    const std::string name = computer_table.at(index).name;
    for (std::size_t i = pending_.size(); i-- > 0;) {
        if (same_name(pending_[i].to_name, name)) {
            erase_pending(i);
        }
    }
    const std::size_t old_count = computer_table.size();
    computer_table.erase(computer_table.begin() + static_cast<std::ptrdiff_t>(index));
    name_index_.clear();  // positions moved: found anew at the next search
    host_.save_computer_records(index, computer_table.size(), old_count);
}

void NetworkProtocol::set_computer_table(std::vector<NetworkComputer> table) {
    computer_table = std::move(table);
    name_index_.clear();
}

int NetworkProtocol::find_computer(const std::string& name) const {
    const std::string key = host_.upper_text(name);
    // The index holds while it names every record once and the record found still has the
    // name; else the table was changed around it, or holds a name twice, and is searched.
    if (name_index_.size() == computer_table.size()) {
        const auto it = name_index_.find(key);
        if (it == name_index_.end()) {
            return -1;
        }
        if (it->second < computer_table.size() &&
            host_.upper_text(computer_table[it->second].name) == key) {
            return static_cast<int>(it->second);
        }
    }
    name_index_.clear();
    int found = -1;
    for (std::size_t i = 0; i < computer_table.size(); ++i) {
        std::string upper = host_.upper_text(computer_table[i].name);
        if (upper == key) {
            found = static_cast<int>(i);
        }
        name_index_[std::move(upper)] = i;
    }
    return found;
}

void NetworkProtocol::leave_network() {
    pending_.clear();
    pending_ids_.reset();
    per_destination_.clear();
    if (role() == NetworkRole::client) {
        std::int16_t id = plain_id;
        send_message(MessageCode::leaving, "0", "", "", 0, id);
    }
    host_.record().Network_Role = NetworkRole::none;
}

}  // namespace vardex
