#include "network/message.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "settings/scrambler.h"

namespace vardex {

namespace {

// No message of the format is longer: 173 characters of fields, and an eighth field of up to
// 52 where a network key is set. What is longer is no message of ours.
constexpr std::size_t longest_datagram = 400;
// Computer names are at most 20 characters (the connect box takes no more).
constexpr std::size_t longest_name = 20;

// The next field from `pos`: up to the next ";" or the end; a missing field is empty.
std::string_view next_field(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) {
        pos = text.size() + 1;
        return {};
    }
    const std::size_t end = text.find(';', pos);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    std::string_view field = text.substr(pos, stop - pos);
    pos = stop + 1;
    return field;
}

}  // namespace

std::string message_fields(const Message& m) {
    return std::to_string(m.id) + ";" + m.to + ";" + m.from + ";" + m.from_address + ";" +
           std::to_string(m.from_port) + ";" + std::to_string(static_cast<std::int16_t>(m.code)) +
           ";" + m.param;
}

std::string encode_message(const Message& m, std::string_view auth_field) {
    std::string text = message_fields(m);
    if (!auth_field.empty()) {
        text += ';';
        text += auth_field;
    }
    return scramble_text(text);
}

std::optional<std::string> datagram_text(std::string_view datagram) {
    if (datagram.size() > longest_datagram) {
        return std::nullopt;
    }
    return unscramble_text(datagram);
}

std::optional<Message> decode_message(std::string_view datagram) {
    const std::optional<std::string> text = datagram_text(datagram);
    return text ? decode_fields(*text) : std::nullopt;
}

std::optional<Message> decode_fields(std::string_view text) {
    std::size_t pos = 0;
    const std::string_view id = next_field(text, pos);
    Message m;
    m.to = std::string(next_field(text, pos));
    m.from = std::string(next_field(text, pos));
    m.from_address = std::string(next_field(text, pos));
    const std::string_view port = next_field(text, pos);
    const std::string_view code = next_field(text, pos);
    m.param = std::string(next_field(text, pos));
    const auto id_value = whole_number_as<std::int16_t>(id);
    const auto port_value = whole_number_as<std::int32_t>(port);
    const auto code_value = whole_number_as<std::int16_t>(code);
    // Replies go to the sender's own address and port: a message without a usable one, or
    // without a name, cannot come from a peer.
    const std::optional<std::string> address = canonical_ip(m.from_address);
    if (!id_value || !port_value || !code_value || *port_value < 1 || *port_value > 65535 ||
        m.from.empty() || m.from.size() > longest_name || !address ||
        is_unanswerable_ip(*address)) {
        return std::nullopt;
    }
    // Answers go to the address as the socket takes it ("192.168.0.7." or "010.0.0.1" cannot
    // be sent to).
    m.from_address = *address;
    m.id = *id_value;
    m.from_port = *port_value;
    m.code = static_cast<MessageCode>(*code_value);
    return m;
}

std::optional<std::string> canonical_ip(std::string_view text) {
    if (is_bad_ip(text)) {
        return std::nullopt;
    }
    std::string out;
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t end = std::min(text.find('.', pos), text.size());
        int value = 0;
        for (const char c : text.substr(pos, end - pos)) {
            value = value * 10 + (c - '0');
        }
        if (part > 0) {
            out += '.';
        }
        out += std::to_string(value);
        pos = end + 1;
    }
    return out;
}

bool is_unanswerable_ip(std::string_view canonical) {
    const std::size_t dot = canonical.find('.');
    const std::optional<std::int64_t> first = whole_number(canonical.substr(0, dot));
    const bool multicast = first && *first >= 224 && *first <= 239;
    return multicast || canonical == "255.255.255.255" || canonical == "0.0.0.0";
}

bool is_bad_ip(std::string_view text) {
    int parts = 0;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t dot = text.find('.', pos);
        const std::size_t end = dot == std::string_view::npos ? text.size() : dot;
        const std::string_view part = text.substr(pos, end - pos);
        if (dot == std::string_view::npos && part.empty() && parts == 4 && !text.empty()) {
            break;  // one trailing "." after four parts
        }
        // Digits only, and the value is taken digit by digit so that no part can overflow.
        int value = 0;
        for (const char c : part) {
            if (c < '0' || c > '9') {
                return true;
            }
            value = value * 10 + (c - '0');
            if (value > 255) {
                return true;
            }
        }
        if (part.empty()) {
            return true;
        }
        ++parts;
        if (dot == std::string_view::npos) {
            break;
        }
        pos = dot + 1;
    }
    return parts != 4;
}

}  // namespace vardex
