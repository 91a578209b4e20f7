#pragma once

#include "platform/text_case.h"

namespace vardex::win32 {

// The system's own upper-casing of its ANSI code page (CharUpperBuffA).
class Win32TextCase final : public TextCase {
  public:
    std::string upper(std::string_view text) override;
};

}  // namespace vardex::win32
