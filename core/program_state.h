#pragma once

#include <cstdint>
#include <string>

namespace vardex {

// The operating mode of the whole program.
enum ProgramMode : std::int16_t {
    mode_blocked = 1,
    mode_timing = 2,
    mode_exiting = 3,
    mode_options = 4,
    mode_paused = 5,
    mode_open_ended = 6,
    mode_open_ended_paused = 7,
};

inline constexpr char line_break[] = "\r\n";

// Run-time state that several subsystems read and write.
struct ProgramState {
    std::int16_t program_mode = mode_blocked;
    std::int32_t remaining_seconds = 0;
};

}  // namespace vardex
