#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vardex {

class Files;

// One record of the administrator log: date, time, computer, event, value joined by ",". A
// name that would split the record (a comma, a double quote, a line break) is quoted as a
// spreadsheet reads it; any other name is written as it is.
std::string admin_log_record(std::string_view date, std::string_view time,
                             std::string_view computer, std::string_view event,
                             std::string_view value);

// Appends the record and a line end; false when the file cannot be written.
bool append_admin_log(Files& files, std::string_view path, std::string_view record);

// The granted time of a countdown record from the console's hours and minutes: "01:30:00".
std::string admin_log_duration(std::int64_t hours, std::int64_t minutes);

}  // namespace vardex
