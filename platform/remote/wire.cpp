#include "platform/remote/wire.h"

#include <bit>
#include <cmath>

namespace vardex::remote {

bool is_call(Wire kind) {
    const auto k = static_cast<std::uint8_t>(kind);
    return (k >= 32 && k < 64) || (k >= 96 && k < 127);
}

WireWriter& WireWriter::number(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) {
        out_.push_back(static_cast<char>((u >> shift) & 0xFF));
    }
    return *this;
}

WireWriter& WireWriter::text(std::string_view s) {
    number(static_cast<std::int32_t>(s.size()));
    out_.append(s);
    return *this;
}

WireWriter& WireWriter::texts(const std::vector<std::string>& list) {
    number(static_cast<std::int32_t>(list.size()));
    for (const std::string& s : list) {
        text(s);
    }
    return *this;
}

WireWriter& WireWriter::window(WindowId id) {
    number(static_cast<std::int32_t>(id & 0xFFFFFFFFu));
    return number(static_cast<std::int32_t>(id >> 32));
}

WireWriter& WireWriter::real(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    number(static_cast<std::int32_t>(bits & 0xFFFFFFFFu));
    return number(static_cast<std::int32_t>(bits >> 32));
}

WireReader::WireReader(std::string_view frame) : frame_(frame) {
    if (frame.empty() || frame.size() > max_frame) {
        ok_ = false;
        pos_ = frame.size();
        return;
    }
    kind_ = static_cast<Wire>(static_cast<std::uint8_t>(frame[0]));
}

std::int32_t WireReader::number() {
    if (!ok_ || frame_.size() - pos_ < 4) {
        ok_ = false;
        return 0;
    }
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) {
        u |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(frame_[pos_ + i])) << (8 * i);
    }
    pos_ += 4;
    return static_cast<std::int32_t>(u);
}

std::int32_t WireReader::number_in(std::int32_t low, std::int32_t high) {
    const std::int32_t v = number();
    if (v < low || v > high) {
        ok_ = false;
        return low;
    }
    return v;
}

std::string WireReader::text() {
    const std::int32_t n = number();
    if (!ok_ || n < 0 || static_cast<std::size_t>(n) > frame_.size() - pos_) {
        ok_ = false;
        return {};
    }
    std::string s(frame_.substr(pos_, static_cast<std::size_t>(n)));
    pos_ += static_cast<std::size_t>(n);
    return s;
}

std::vector<std::string> WireReader::texts() {
    // Each entry takes at least its length, which bounds the count before anything is kept.
    const std::int32_t n = number_in(0, max_list);
    std::vector<std::string> out;
    if (!ok_ || static_cast<std::size_t>(n) > (frame_.size() - pos_) / 4) {
        ok_ = false;
        return out;
    }
    out.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n && ok_; ++i) {
        out.push_back(text());
    }
    return out;
}

Point WireReader::point() {
    const std::int32_t x = number();
    return Point{x, number()};
}

Size WireReader::size() {
    const std::int32_t w = number();
    return Size{w, number()};
}

Rect WireReader::rect() {
    const std::int32_t l = number();
    const std::int32_t t = number();
    const std::int32_t r = number();
    return Rect{l, t, r, number()};
}

WindowId WireReader::window() {
    const auto low = static_cast<std::uint32_t>(number());
    const auto high = static_cast<std::uint32_t>(number());
    return static_cast<WindowId>(low) | (static_cast<WindowId>(high) << 32);
}

double WireReader::real() {
    const auto low = static_cast<std::uint32_t>(number());
    const auto high = static_cast<std::uint32_t>(number());
    const double v = std::bit_cast<double>((static_cast<std::uint64_t>(high) << 32) | low);
    if (!std::isfinite(v)) {
        ok_ = false;
        return 0;
    }
    return v;
}

}  // namespace vardex::remote
