#pragma once

#include <string>
#include <string_view>

#include "platform/ansi.h"

namespace vardex {

// Upper case by the system's rules for its ANSI code page: on a Polish system "ł" is a
// small "Ł", on a Western one the same byte is "³". Names that people type compare by it.
class TextCase {
  public:
    virtual ~TextCase() = default;
    virtual std::string upper(std::string_view text) = 0;
};

// The rules of code page 1252, for a system that has no others to offer.
class Cp1252Case final : public TextCase {
  public:
    std::string upper(std::string_view text) override { return upper_ansi(text); }
};

}  // namespace vardex
