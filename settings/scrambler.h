#pragma once

#include <string>
#include <string_view>

namespace vardex {

// The keyless text scrambler of every stored text and every network datagram. Up to 226
// characters the output is the historical one, byte for byte; beyond that the shift of
// position p is reduced so that texts of any length come back unchanged. Characters below 32
// are stored as blanks.
std::string scramble_text(std::string_view text);
std::string unscramble_text(std::string_view scrambled);

}  // namespace vardex
