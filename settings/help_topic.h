#pragma once

#include <cstdint>

namespace vardex {

// The help pages beside the program, by the context number in their file name (topicN.html).
enum class HelpTopic : std::int16_t {
    main_dialog = 1,
    options = 2,
    network = 3,
    timing_window = 4,
};

}  // namespace vardex
