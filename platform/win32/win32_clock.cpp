#include "platform/win32/win32_clock.h"

#include "platform/win32/win32_service.h"

#include <windows.h>

#include <cmath>

namespace vardex::win32 {

namespace {

SYSTEMTIME to_system_time(LocalTime t) {
    const CivilDate d = civil_from_serial(t.day);
    const auto ms = static_cast<long long>(std::llround(t.seconds * 1000.0));
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    st.wHour = static_cast<WORD>(ms / 3'600'000);
    st.wMinute = static_cast<WORD>(ms / 60'000 % 60);
    st.wSecond = static_cast<WORD>(ms / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(ms % 1000);
    return st;
}

}  // namespace

LocalTime Win32Clock::now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{
        serial_from_civil({st.wYear, st.wMonth, st.wDay}),
        st.wHour * 3600.0 + st.wMinute * 60.0 + st.wSecond + st.wMilliseconds / 1000.0};
}

bool Win32Clock::set_now(LocalTime time) {
    const SYSTEMTIME st = to_system_time(time);
    return SetLocalTime(&st) != FALSE;
}

// The tick count goes on through sleep and hibernation and ignores changes of the clock.
double Win32Clock::monotonic_seconds() {
    return static_cast<double>(GetTickCount64()) / 1000.0;
}

// Windows' time service; asked only when the clock jumped, so its cost does not matter.
bool Win32Clock::time_sync_running() {
    return service_running("W32Time");
}

std::int64_t Win32Clock::unix_seconds() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const std::int64_t hundred_ns = (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) |
                                    static_cast<std::int64_t>(ft.dwLowDateTime);
    constexpr std::int64_t from_1601_to_1970 = 116'444'736'000'000'000;
    return (hundred_ns - from_1601_to_1970) / 10'000'000;
}

std::string Win32Clock::short_date_text(std::int32_t day) {
    const SYSTEMTIME st = to_system_time(LocalTime{day, 0});
    char buffer[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer);
    return buffer;
}

std::string Win32Clock::time_text(double seconds_since_midnight) {
    const SYSTEMTIME st = to_system_time(LocalTime{0, std::floor(seconds_since_midnight)});
    char buffer[128] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, sizeof buffer);
    return buffer;
}

}  // namespace vardex::win32
