#include "settings/options_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>

#include "platform/ansi.h"
#include "settings/setting_table.h"
#include "settings/settings_store.h"

namespace vardex {

namespace {

constexpr char crlf[] = "\r\n";

std::string indexed_key(std::string_view name, std::size_t i) {
    return std::string(name) + "(" + std::to_string(i) + ")";
}

// Reading a file goes through every entry it needs before anything is changed.
class Reader {
  public:
    explicit Reader(const OptionsFile& file) : file_(file) {}
    bool failed() const { return failed_; }
    void fail() { failed_ = true; }

    // The text of a key; nullopt when the file has no such entry.
    std::optional<std::string> text(std::string_view key) const { return file_.value(key); }
    // A value that is missing or empty counts as not given.
    std::optional<std::string> given(std::string_view key) const {
        std::optional<std::string> v = file_.value(key);
        return v && !v->empty() ? v : std::nullopt;
    }
    // A number in [low, high]; nullopt when not given; a failure when it is not such a number.
    std::optional<std::int64_t> number(std::string_view key, std::int64_t low, std::int64_t high) {
        const std::optional<std::string> v = given(key);
        if (!v) {
            return std::nullopt;
        }
        const std::optional<std::int64_t> n = whole_number(*v);
        if (!n || *n < low || *n > high) {
            failed_ = true;
            return std::nullopt;
        }
        return n;
    }
    // A number that must be there.
    std::int64_t required(std::string_view key, std::int64_t low, std::int64_t high) {
        const std::optional<std::int64_t> n = number(key, low, high);
        if (!n) {
            failed_ = true;
            return 0;
        }
        return *n;
    }

  private:
    const OptionsFile& file_;
    bool failed_ = false;
};

constexpr std::int64_t int16_min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t int16_max = std::numeric_limits<std::int16_t>::max();

void take_lists(Reader& in, SettingsRecord& r) {
    if (const auto count = in.number("Number_of_Forbidden_Windows", 0, int16_max)) {
        std::vector<ForbiddenWindow> list;
        for (std::size_t j = 0; j < static_cast<std::size_t>(*count); ++j) {
            ForbiddenWindow w;
            w.title = in.text(indexed_key("Name", j)).value_or("");
            w.matching = static_cast<MatchMode>(
                in.required(indexed_key("Matching", j), int16_min, int16_max));
            // A blank title would close every window in front: never taken.
            if (!trim_spaces(w.title).empty()) {
                list.push_back(std::move(w));
            }
        }
        r.forbidden_windows = std::move(list);
    }
    if (const auto count = in.number("Number_of_Time_Dist_IDs", 0, max_time_dist_ids)) {
        std::vector<TimeDistributerId> ids;
        for (std::size_t j = 0; j < static_cast<std::size_t>(*count); ++j) {
            // Only what the dialog itself can make: a period of 0 would recharge at every
            // start, a date at the end of the numbers would overflow the next recharge.
            TimeDistributerId id;
            id.Time_Dist_ID = in.text(indexed_key("Time_Dist_ID", j)).value_or("");
            id.Time_Dist_Time = static_cast<std::int32_t>(
                in.required(indexed_key("Time_Dist_Time", j), 0, longest_allowance));
            id.Time_Dist_Period = static_cast<std::int16_t>(
                in.required(indexed_key("Time_Dist_Period", j), daily_period, weekly_period));
            if (id.Time_Dist_Period != daily_period && id.Time_Dist_Period != weekly_period) {
                in.fail();
            }
            id.Time_Dist_Date = static_cast<std::int32_t>(
                in.required(indexed_key("Time_Dist_Date", j), 0, last_serial_day));
            id.Time_Dist_Remain = static_cast<std::int32_t>(
                in.required(indexed_key("Time_Dist_Remain", j), 0, id.Time_Dist_Time));
            // An ID without a name would match an empty box: never taken, as a blank title.
            if (!trim_spaces(id.Time_Dist_ID).empty()) {
                ids.push_back(std::move(id));
            }
        }
        r.time_dist_ids = std::move(ids);
    }
}

// One scalar setting of the file, by its row's rule; the two paths are left to the caller.
void take_setting(const Setting& s, Reader& in, SettingsRecord& r) {
    switch (s.options_import) {
        case OptionImport::number:
        case OptionImport::log_switch:
            if (const auto n = in.number(s.options_key, int16_min, int16_max)) {
                s.number.set(r, static_cast<std::int32_t>(*n));
            }
            break;
        case OptionImport::port:
            if (const auto n = in.number(s.options_key, 1, 65535)) {
                s.number.set(r, static_cast<std::int32_t>(*n));
            }
            break;
        case OptionImport::text:
            // An empty text is a value of its own: a file round trip keeps it.
            if (auto v = in.text(s.options_key)) {
                s.text.set(r, std::move(*v));
            }
            break;
        case OptionImport::text_not_empty:
            if (auto v = in.given(s.options_key)) {
                s.text.set(r, std::move(*v));
            }
            break;
        case OptionImport::log_path:
        case OptionImport::logo_path:
            break;
    }
}

const Setting& row_of(OptionImport kind) {
    for (const Setting& s : setting_table()) {
        if (s.options_import == kind) {
            return s;
        }
    }
    std::abort();  // the table has one row of each path
}

// Which of the file's paths can be used on this machine.
struct UsablePaths {
    bool log = false;
    bool logo = false;
};

// The take-over in the file's order of concerns: lists, log file, the rest, logo. The log
// file and its switches go together, and only when the file can be used here: a switch of a
// file that is not taken is not read.
bool take_over(const OptionsFile& file, SettingsRecord& r, UsablePaths usable) {
    Reader in(file);
    take_lists(in, r);
    if (usable.log) {
        const Setting& log_path = row_of(OptionImport::log_path);
        log_path.text.set(r, *in.given(log_path.options_key));
        for (const Setting& s : setting_table()) {
            if (s.options_import == OptionImport::log_switch) {
                take_setting(s, in, r);
            }
        }
    }
    for (const Setting& s : setting_table()) {
        if (!s.options_key.empty() && s.options_import != OptionImport::log_switch) {
            take_setting(s, in, r);
        }
    }
    if (usable.logo) {
        const Setting& logo_path = row_of(OptionImport::logo_path);
        logo_path.text.set(r, *in.given(logo_path.options_key));
    }
    return !in.failed();
}

}  // namespace

std::string write_options_file(const SettingsRecord& r) {
    std::string out;
    auto line = [&out](std::string_view key, std::string_view value) {
        out.append(key).append("=").append(value).append(crlf);
    };
    line("Number_of_Forbidden_Windows", std::to_string(r.forbidden_windows.size()));
    for (std::size_t i = 0; i < r.forbidden_windows.size(); ++i) {
        line(indexed_key("Name", i), r.forbidden_windows[i].title);
        line(indexed_key("Matching", i),
             std::to_string(static_cast<std::int16_t>(r.forbidden_windows[i].matching)));
    }
    line("Number_of_Time_Dist_IDs", std::to_string(r.time_dist_ids.size()));
    for (std::size_t i = 0; i < r.time_dist_ids.size(); ++i) {
        const TimeDistributerId& id = r.time_dist_ids[i];
        line(indexed_key("Time_Dist_ID", i), id.Time_Dist_ID);
        line(indexed_key("Time_Dist_Time", i), std::to_string(id.Time_Dist_Time));
        line(indexed_key("Time_Dist_Period", i), std::to_string(id.Time_Dist_Period));
        line(indexed_key("Time_Dist_Date", i), std::to_string(id.Time_Dist_Date));
        line(indexed_key("Time_Dist_Remain", i), std::to_string(id.Time_Dist_Remain));
    }
    std::vector<const Setting*> carried;
    for (const Setting& s : setting_table()) {
        if (!s.options_key.empty()) {
            carried.push_back(&s);
        }
    }
    std::sort(carried.begin(), carried.end(),
              [](const Setting* a, const Setting* b) { return a->options_line < b->options_line; });
    for (const Setting* s : carried) {
        line(s->options_key,
             s->kind == SettingKind::number ? std::to_string(s->number.get(r)) : s->text.get(r));
    }
    return out;
}

OptionsFile::OptionsFile(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
        if (!text.empty() && text.front() == '\r') {
            text.remove_prefix(1);
        }
        if (!text.empty() && text.front() == '\n') {
            text.remove_prefix(1);
        }
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        if (line.empty()) {
            continue;
        }
        // The key without its blanks (a key written with blanks between its parts still
        // matches); the value is everything after the first "=".
        const std::size_t eq = line.find('=');
        OptionEntry entry;
        for (char c : line.substr(0, eq)) {
            if (c != ' ') {
                entry.key += c;
            }
        }
        if (eq != std::string_view::npos) {
            entry.value = std::string(line.substr(eq + 1));
        }
        first_.emplace(entry.key, entries_.size());  // the first entry of a key counts
        entries_.push_back(std::move(entry));
    }
}

std::optional<std::string> OptionsFile::value(std::string_view key) const {
    const auto it = first_.find(key);
    if (it == first_.end()) {
        return std::nullopt;
    }
    return entries_[it->second].value;
}

bool take_over_options(const OptionsFile& file, SettingsRecord& record,
                       const FileUsable& file_usable) {
    // Everything is read on a copy first: a file that fails changes nothing, and no file it
    // names is looked at before the rest of it has been read.
    SettingsRecord trial = record;
    if (!take_over(file, trial, {})) {
        return false;
    }
    UsablePaths usable;
    const Reader in(file);
    if (const auto path = in.given(row_of(OptionImport::log_path).options_key)) {
        usable.log = file_usable(*path, false);
        if (usable.log && !take_over(file, trial, {.log = true})) {
            return false;  // the switches of a log file that is taken
        }
    }
    if (const auto path = in.given(row_of(OptionImport::logo_path).options_key)) {
        usable.logo = file_usable(*path, true);
    }
    take_over(file, record, usable);
    return true;
}

}  // namespace vardex
