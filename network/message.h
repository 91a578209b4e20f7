#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi.h"

namespace vardex {

// The message codes of a Vardex network.
enum class MessageCode : std::int16_t {
    start_countdown = 1,   // administrator → client: seconds to grant
    end_timer = 2,         // administrator → client: lock
    start_open_ended = 4,  // administrator → client
    ack = 10,              // any → sender: the id acknowledged
    check_in = 11,         // client → administrator
    check_in_answer = 12,  // administrator → client: "1" accepted, "-2" name known
    removed = 15,          // administrator → client: out of the network
    ping = 16,             // administrator → client
    leaving = 17,          // client → administrator
    status_first = 21,     // client → administrator: 20 + the client's mode
    status_last = 27,
    countdown_started = 28,  // client → administrator: the seconds left
    hello = 30,              // client → administrator at start-up
    hello_answer = 31,       // administrator → client
    misdelivered = 40,       // receiver → sender: the id that reached the wrong name
    text = 50,               // administrator → client: a text to show
};

// A client's status report is coded as 20 plus the client's mode.
inline constexpr std::int16_t status_offset = 20;
inline MessageCode status_report_code(std::int16_t mode) {
    return static_cast<MessageCode>(status_offset + mode);
}
inline bool is_status_report(MessageCode code) {
    return code >= MessageCode::status_first && code <= MessageCode::status_last;
}
inline std::int16_t reported_mode(MessageCode code) {
    return static_cast<std::int16_t>(static_cast<std::int16_t>(code) - status_offset);
}

// Ids: a plain message wants no acknowledgement; a queued one is new when its id is asked for.
inline constexpr std::int16_t plain_id = -2;
inline constexpr std::int16_t new_queued_id = -4;

// One message of the network: seven fields joined by ";", scrambled on the wire.
struct Message {
    std::int16_t id = plain_id;
    std::string to;
    std::string from;
    std::string from_address;
    std::int32_t from_port = 0;
    MessageCode code{};  // any number may come; only the known ones are acted on
    std::string param = "0";
};

// The seven fields of a message joined by ";", as they are sent before scrambling.
std::string message_fields(const Message& message);
// The datagram of a message; with a network key the eighth field goes after the seven.
std::string encode_message(const Message& message, std::string_view auth_field = {});
// The text of a datagram, unscrambled; nullopt when it is longer than any message is.
std::optional<std::string> datagram_text(std::string_view datagram);
// The message in a datagram's text; nullopt when it cannot be one of ours (no number where a
// number belongs, a name or address no peer has): such a datagram is dropped. An eighth field
// is ignored.
std::optional<Message> decode_fields(std::string_view text);
// Both steps.
std::optional<Message> decode_message(std::string_view datagram);

// True when the text is not a dotted IPv4 address: four parts of 0 to 255 (a single trailing
// "." is allowed).
bool is_bad_ip(std::string_view text);
// The address as the system reads it back: four numbers without leading zeros, no trailing
// "."; nullopt when the text is a bad address.
std::optional<std::string> canonical_ip(std::string_view text);
// True for addresses that no answer may go to: multicast, the broadcast address and 0.0.0.0.
// A datagram naming one as its sender would make every machine that answers it a reflector.
bool is_unanswerable_ip(std::string_view canonical);

}  // namespace vardex
