#include "settings/network_store.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/ansi.h"

namespace vardex {

namespace {
constexpr char stamps_value[] = "NetStamps";
}

std::vector<StoredComputer> load_computer_table(StoredValues& values, RegKey key) {
    std::vector<StoredComputer> computers;
    load_list(values, key, computers_layout(), computers, {});
    return computers;
}

long save_computer_records(StoredValues& values, RegKey key, std::size_t first,
                           const std::vector<StoredComputer>& changed, std::size_t count,
                           std::size_t old_count) {
    const ListLayout<StoredComputer>& layout = computers_layout();
    long sum = 0;
    if (old_count != count) {
        sum += values.write_number(key, layout.count_name, static_cast<std::int32_t>(count));
    }
    for (std::size_t k = 0; k < changed.size(); ++k) {
        sum += layout.write_entry(values, key, first + k, changed[k]);
    }
    for (std::size_t i = count; i < old_count; ++i) {
        layout.erase_entry(values, key, i);
    }
    return sum;
}

SenderStamps load_newest_stamps(StoredValues& values, RegKey key) {
    SenderStamps stamps;
    const std::string text = values.read_text(key, stamps_value);
    if (text == missing_text) {
        return stamps;
    }
    // Names never hold ";": it ends a datagram's fields.
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t name_end = text.find(';', pos);
        if (name_end == std::string::npos) {
            break;
        }
        const std::size_t time_end = std::min(text.find(';', name_end + 1), text.size());
        const std::optional<std::int64_t> time =
            whole_number(std::string_view(text).substr(name_end + 1, time_end - name_end - 1));
        if (time && name_end > pos) {
            stamps.emplace_back(text.substr(pos, name_end - pos), *time);
        }
        pos = time_end + 1;
    }
    return stamps;
}

long store_newest_stamps(StoredValues& values, RegKey key, const SenderStamps& stamps) {
    std::string text;
    for (const auto& [name, time] : stamps) {
        text += name + ";" + std::to_string(time) + ";";
    }
    return values.write_text(key, stamps_value, text);
}

}  // namespace vardex
