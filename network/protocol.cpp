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
// resends of a lost acknowledgement (a tick every 5 s), short enough that ids, which restart
// at 1, are not confused with a new command of the same kind.
constexpr double carried_memory = 30;
constexpr std::size_t carried_limit = 256;
constexpr double report_interval = 60;
// A datagram under a network key is taken when its time is this close to the receiver's
// clock (machines' clocks differ by a few minutes), and remembered for twice as long.
constexpr std::int64_t stamp_tolerance = 5 * 60;
constexpr double stamp_memory = 10 * 60;
// Far more than a network of a thousand clients sends in ten minutes.
constexpr std::size_t stamp_limit = 200'000;

// Commands that a second run would show twice, restart or end again. Answers and reports
// only set again what they set before, and are taken whenever they come: a check-in answer
// under an id just used for the same answer is a new one.
bool repeats_matter(std::int16_t code) {
    switch (static_cast<MessageCode>(code)) {
        case MessageCode::start_countdown:
        case MessageCode::end_timer:
        case MessageCode::start_open_ended:
        case MessageCode::misdelivered:
        case MessageCode::text:
            return true;
        default:
            return false;
    }
}

std::string key_of(const Message& m) {
    return upper_ansi(m.from) + "|" + m.from_address + "|" + std::to_string(m.from_port);
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

void NetworkProtocol::send_message(std::int16_t code, const std::string& param, std::string to_name,
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
    send_message(static_cast<std::int16_t>(MessageCode::ack), std::to_string(id), to_name,
                 to_address, to_port, plain);
}

void NetworkProtocol::handle_message(std::string_view datagram) {
    const std::optional<std::string> text = datagram_text(datagram);
    std::optional<Message> decoded;
    if (text) {
        decoded = host_.record().Network_Key.empty() ? decode_fields(*text) : authenticated(*text);
    }
    // Dropped without a word: no acknowledgement, and nothing learned about the sender.
    if (!decoded) {
        ++dropped_datagrams;
        return;
    }
    const Message& m = *decoded;
    const auto code = static_cast<MessageCode>(m.code);
    if (code != MessageCode::ping && upper_ansi(m.to) != upper_ansi(host_.record().Computer_Name)) {
        std::int16_t id = new_queued_id;
        send_message(static_cast<std::int16_t>(MessageCode::misdelivered), std::to_string(m.id),
                     m.from, m.from_address, m.from_port, id);
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

std::optional<Message> NetworkProtocol::authenticated(std::string_view text) {
    const std::optional<SignedText> signed_text = split_signed(text);
    if (!signed_text) {
        return std::nullopt;
    }
    const std::optional<AuthField> auth = read_auth_field(signed_text->auth);
    if (!auth) {
        return std::nullopt;
    }
    const std::int64_t now = host_.unix_seconds();
    if (auth->time < now - stamp_tolerance || auth->time > now + stamp_tolerance) {
        return std::nullopt;
    }
    const std::string& key = host_.record().Network_Key;
    if (!tag_is_right(signed_text->fields, *auth, key, host_.hmac())) {
        return std::nullopt;
    }
    std::optional<Message> m = decode_fields(signed_text->fields);
    if (!m) {
        return std::nullopt;
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
        upper_ansi(m->from) + ";" + std::to_string(m->id) + ";" + std::to_string(auth->time) + ";";
    stamp.append(auth->tag.begin(), auth->tag.end());
    if (!stamp_keys_.insert(stamp).second) {
        return std::nullopt;
    }
    stamps_.push_back({std::move(stamp), at});
    return m;
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
    const std::string sender = key_of(m);
    const auto same_id =
        std::find_if(carried_out_.begin(), carried_out_.end(),
                     [&](const Carried& c) { return c.id == m.id && c.sender == sender; });
    if (same_id != carried_out_.end()) {
        if (same_id->code == m.code && same_id->param == m.param) {
            return true;
        }
        // Another message under that id: the sender's ids started again.
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

void NetworkProtocol::set_status(const Message& m, std::int16_t status) {
    const int index = find_computer(m.from);
    if (index < 0) {
        return;
    }
    NetworkComputer& c = computer_table[static_cast<std::size_t>(index)];
    c.status = status;
    if (status == 2) {
        c.remaining_seconds_seen = seconds_in(m.param);
    } else if (status == 6) {
        c.running_seconds = seconds_in(m.param);
    }
}

void NetworkProtocol::act(const Message& m) {
    const bool admin = role() == NetworkRole::administrator;
    switch (static_cast<MessageCode>(m.code)) {
        case MessageCode::start_countdown: {
            // Seconds to grant: a negative or absurd parameter is no countdown.
            const std::optional<std::int64_t> seconds = whole_number(m.param);
            if (seconds && *seconds >= 0 && *seconds <= std::numeric_limits<std::int32_t>::max()) {
                host_.start_timer(static_cast<std::int32_t>(*seconds),
                                  ": Timer started over network");
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
            if (const auto id = whole_number(m.param);
                id && *id >= std::numeric_limits<std::int16_t>::min() &&
                *id <= std::numeric_limits<std::int16_t>::max()) {
                drop_pending(static_cast<std::int16_t>(*id));
            }
            if (admin) {
                if (const int index = find_computer(m.from); index >= 0) {
                    computer_table[static_cast<std::size_t>(index)].busy = false;
                }
            }
            break;
        }
        case MessageCode::check_in: {
            const int learned = learn_peer(m.from, m.from_address, m.from_port, false);
            std::int16_t id = new_queued_id;
            send_message(static_cast<std::int16_t>(MessageCode::check_in_answer),
                         learned == 2 ? "1" : "-2", m.from, m.from_address, m.from_port, id);
            break;
        }
        case MessageCode::check_in_answer:
            if (const auto answer = whole_number(m.param);
                answer && *answer >= std::numeric_limits<std::int16_t>::min() &&
                *answer <= std::numeric_limits<std::int16_t>::max()) {
                check_in_answer = static_cast<std::int16_t>(*answer);
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
                    c.status = 2;
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
            send_message(static_cast<std::int16_t>(MessageCode::hello_answer), "0", m.from,
                         m.from_address, m.from_port, id);
            break;
        }
        case MessageCode::text:
            host_.show_message("The Admin has sent you the following message: " + m.param);
            break;
        default:
            if (admin && m.code >= static_cast<std::int16_t>(MessageCode::status_first) &&
                m.code <= static_cast<std::int16_t>(MessageCode::status_last)) {
                // 20 + the client's mode; a paused open-ended run shows as paused.
                const std::int16_t mode = static_cast<std::int16_t>(m.code - 20);
                set_status(m, mode == 7 ? std::int16_t{5} : mode);
                host_.repaint_network_dialog();
            }
            break;
    }
}

int NetworkProtocol::learn_peer(const std::string& name, const std::string& address,
                                std::int32_t port, bool may_update) {
    SettingsRecord& r = host_.record();
    if (role() == NetworkRole::client) {
        if (upper_ansi(name) != "ADMIN") {
            return 0;
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
            return 1;
        }
        return 0;
    }
    if (role() != NetworkRole::administrator) {
        return 0;
    }
    const int index = find_computer(name);
    if (index < 0) {
        NetworkComputer c;
        c.name = name;
        c.address = address;
        c.port = port;
        c.status = 4;
        computer_table.push_back(c);
        host_.save_computer_table();
        return 2;
    }
    NetworkComputer& c = computer_table[static_cast<std::size_t>(index)];
    if (may_update && (c.address != address || c.port != port)) {
        c.address = address;
        c.port = port;
        host_.save_computer_table();
        return 1;
    }
    return 0;
}

std::int16_t NetworkProtocol::queue_pending(std::int16_t code, const std::string& param,
                                            const std::string& to_address, std::int32_t to_port,
                                            const std::string& to_name) {
    std::int16_t largest = 0;
    for (const PendingMessage& p : pending_messages) {
        largest = std::max(largest, p.id);
    }
    // Ids restart at 1 whenever the queue runs empty; one that would pass the 16 bits takes
    // the smallest free one instead.
    std::int16_t id = static_cast<std::int16_t>(largest + (largest < 32767 ? 1 : 0));
    if (largest == 32767) {
        for (id = 1; std::any_of(pending_messages.begin(), pending_messages.end(),
                                 [id](const PendingMessage& p) { return p.id == id; });
             ++id) {
        }
    }
    PendingMessage p;
    p.id = id;
    p.stamp = host_.monotonic_seconds();
    p.to_name = to_name;
    p.to_address = to_address;
    p.to_port = to_port;
    p.code = code;
    p.param = param;
    pending_messages.push_back(p);
    return id;
}

void NetworkProtocol::drop_pending(std::int16_t id) {
    const auto it = std::find_if(pending_messages.begin(), pending_messages.end(),
                                 [id](const PendingMessage& p) { return p.id == id; });
    if (it != pending_messages.end()) {
        pending_messages.erase(it);
    }
}

void NetworkProtocol::give_up(const PendingMessage& entry) {
    drop_pending(entry.id);
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
            c.status = 7;
            c.busy = false;
        }
    }
}

void NetworkProtocol::process_retries() {
    const double now = host_.monotonic_seconds();
    // A snapshot of the ids: giving up removes entries as the walk goes.
    std::vector<std::int16_t> ids;
    for (const PendingMessage& p : pending_messages) {
        ids.push_back(p.id);
    }
    for (std::int16_t id : ids) {
        const auto it = std::find_if(pending_messages.begin(), pending_messages.end(),
                                     [id](const PendingMessage& p) { return p.id == id; });
        if (it == pending_messages.end()) {
            continue;
        }
        PendingMessage& entry = *it;
        if (std::abs(now - entry.stamp) <= resend_age) {
            continue;
        }
        if (entry.retries > 3) {
            if (network_error_count < 3) {
                host_.show_message("Error! Had to cancel a message for computer " + entry.to_name +
                                   "! If error contiunues, check that computer!");
            }
            give_up(PendingMessage(entry));
        } else if (network_error_count <= 3) {
            ++entry.retries;
            entry.stamp = now;
            const PendingMessage resend = entry;
            std::int16_t resend_id = resend.id;
            send_message(resend.code, resend.param, resend.to_name, resend.to_address,
                         resend.to_port, resend_id);
        } else {
            give_up(PendingMessage(entry));
        }
    }
}

void NetworkProtocol::tick() {
    process_retries();
    const double now = host_.monotonic_seconds();
    if (std::abs(now - last_report_) > report_interval) {
        last_report_ = now;
        const std::int16_t mode = host_.program_mode();
        if (mode == 2 || mode == 6) {
            send_status_report(true);
        }
    }
}

void NetworkProtocol::send_status_report(bool queued) {
    if (role() != NetworkRole::client) {
        return;
    }
    const std::int16_t mode = host_.program_mode();
    const std::string param =
        mode == 2 || mode == 6 ? std::to_string(host_.remaining_seconds()) : "0";
    std::int16_t id = queued ? new_queued_id : plain_id;
    send_message(static_cast<std::int16_t>(20 + mode), param, "", "", 0, id);
}

void NetworkProtocol::send_countdown_update() {
    std::int16_t id = new_queued_id;
    send_message(static_cast<std::int16_t>(MessageCode::countdown_started),
                 std::to_string(host_.remaining_seconds()), "", "", 0, id);
}

void NetworkProtocol::send_hello() {
    std::int16_t id = new_queued_id;
    send_message(static_cast<std::int16_t>(MessageCode::hello), "0", "", "", 0, id);
}

void NetworkProtocol::send_check_in() {
    check_in_answer = 0;
    std::int16_t id = plain_id;
    send_message(static_cast<std::int16_t>(MessageCode::check_in), "0", "", "", 0, id);
}

void NetworkProtocol::ping_computer(std::size_t index) {
    NetworkComputer& c = computer_table.at(index);
    c.busy = false;
    if (c.status != 3) {
        c.status = 7;
        std::int16_t id = plain_id;
        send_message(static_cast<std::int16_t>(MessageCode::ping), "0", c.name, c.address, c.port,
                     id);
    }
}

void NetworkProtocol::delete_computer(std::size_t index) {
    const NetworkComputer c = computer_table.at(index);
    std::int16_t id = plain_id;
    send_message(static_cast<std::int16_t>(MessageCode::removed), "0", c.name, c.address, c.port,
                 id);
    remove_computer(index);
}

void NetworkProtocol::remove_computer(std::size_t index) {
    const std::string name = computer_table.at(index).name;
    std::erase_if(pending_messages, [&name](const PendingMessage& p) {
        return equal_ignoring_case(p.to_name, name);
    });
    computer_table.erase(computer_table.begin() + static_cast<std::ptrdiff_t>(index));
    host_.save_computer_table();
}

int NetworkProtocol::find_computer(const std::string& name) const {
    const std::string key = upper_ansi(name);
    // The index holds while it names every record once and the record found still has the
    // name; else the table was changed around it, or holds a name twice, and is searched.
    if (name_index_.size() == computer_table.size()) {
        const auto it = name_index_.find(key);
        if (it != name_index_.end() && it->second < computer_table.size() &&
            equal_ignoring_case(computer_table[it->second].name, name)) {
            return static_cast<int>(it->second);
        }
    }
    name_index_.clear();
    int found = -1;
    for (std::size_t i = 0; i < computer_table.size(); ++i) {
        name_index_[upper_ansi(computer_table[i].name)] = i;
        if (equal_ignoring_case(computer_table[i].name, name)) {
            found = static_cast<int>(i);
        }
    }
    return found;
}

void NetworkProtocol::leave_network() {
    pending_messages.clear();
    if (role() == NetworkRole::client) {
        std::int16_t id = plain_id;
        send_message(static_cast<std::int16_t>(MessageCode::leaving), "0", "", "", 0, id);
    }
    host_.record().Network_Role = NetworkRole::none;
}

}  // namespace vardex
