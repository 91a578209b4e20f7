#include "platform/text_metrics.h"

#include <algorithm>

namespace vardex {

Size estimate_text_size(const std::string& text, double points, std::int32_t wrap_width,
                        bool pixels) {
    const double scale = (points > 0 ? points : 8.0) / 8.0 / (pixels ? 15.0 : 1.0);
    const auto char_w = static_cast<std::int32_t>(90 * scale);
    const auto line_h = static_cast<std::int32_t>(195 * scale);
    std::int32_t lines = 1;
    std::int32_t widest = 0;
    std::int32_t current = 0;
    for (char c : text) {
        if (c == '\n') {
            ++lines;
            current = 0;
            continue;
        }
        if (c == '\r') {
            continue;
        }
        current += char_w;
        if (wrap_width > 0 && current > wrap_width) {
            ++lines;
            current = char_w;
        }
        widest = std::max(widest, current);
    }
    return Size{wrap_width > 0 ? wrap_width : widest, lines * line_h};
}

}  // namespace vardex
