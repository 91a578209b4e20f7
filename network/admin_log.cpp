#include "network/admin_log.h"

#include <cstdint>

#include "platform/files.h"

namespace vardex {

namespace {

std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string two_digits(std::int64_t v) {
    std::string text = std::to_string(v);
    if (v < 10) {
        text.insert(text.begin(), '0');
    }
    return text;
}

}  // namespace

std::string admin_log_record(std::string_view date, std::string_view time,
                             std::string_view computer, std::string_view event,
                             std::string_view value) {
    std::string record(date);
    record += ",";
    record += time;
    record += ",";
    record += csv_field(computer);
    record += ",";
    record += event;
    record += ",";
    record += value;
    return record;
}

bool append_admin_log(Files& files, std::string_view path, std::string_view record) {
    if (path.empty()) {
        return false;
    }
    return files.append(path, std::string(record) + "\r\n");
}

std::string admin_log_duration(std::int64_t hours, std::int64_t minutes) {
    return two_digits(hours) + ":" + two_digits(minutes) + ":00";
}

}  // namespace vardex
