#pragma once

#include <cstdint>

namespace vardex {

// Serial day numbers count days since 30 December 1899, the usual serial date of the platform.
struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

std::int32_t serial_from_civil(CivilDate date);
CivilDate civil_from_serial(std::int32_t serial);

// Local date and time of day as the system clock shows them.
struct LocalTime {
    std::int32_t day = 0;  // serial day number
    double seconds = 0.0;  // seconds since midnight, with fractions
    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

}  // namespace vardex
