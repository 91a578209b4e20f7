#pragma once

#include <cstdint>
#include <string>

#include "platform/geometry.h"

namespace vardex {

// A fixed text measure for forms without a backend and for the simulation: 90 twips a
// character and 195 twips a line at 8 points, wrapped at wrap_width when it is above 0.
Size estimate_text_size(const std::string& text, double points, std::int32_t wrap_width,
                        bool pixels);

}  // namespace vardex
