#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_record.h"
#include "settings/store_problem.h"
#include "settings/stored_values.h"

namespace vardex {

// The list limits: more than this many entries means a damaged list.
inline constexpr std::int32_t max_forbidden_windows = 32767;
inline constexpr std::int32_t max_time_dist_ids = 21;
inline constexpr std::int32_t max_code_pages = 7;

// A client of the administrator's computer table as the store keeps it.
struct StoredComputer {
    std::string name;
    std::string address;
    std::int32_t port = 0;
};

using ReportProblem = std::function<void(const std::string& text, StoreProblem kind)>;

// How a list is stored: a count value, then a group of values per entry. Each list of the
// settings key is described once by such a layout, which its load, first run and save use.
template <class Entry>
struct ListLayout {
    // What a load does when the count itself is missing.
    enum class MissingCount {
        empty,                // an empty list, nothing written or said
        store_zero_and_tell,  // store 0, then tell (after the fatal message if that failed)
        store_zero_or_fail,   // store 0 and tell, or only the fatal message
    };
    std::string_view count_name;
    std::int32_t max_count = 0;
    MissingCount missing_count = MissingCount::empty;
    std::string_view missing_count_message;
    // An entry with a missing value cancels the whole list; its count is stored as 0. Empty:
    // the list just loads empty.
    std::string_view damaged_message;
    // nullopt when a value of the entry is missing.
    std::optional<Entry> (*read_entry)(StoredValues& values, RegKey key, std::size_t index);
    long (*write_entry)(StoredValues& values, RegKey key, std::size_t index, const Entry& entry);
    // Takes the entry's values away.
    void (*erase_entry)(StoredValues& values, RegKey key, std::size_t index);
    // Entries that load whole but are not taken (none when null).
    bool (*keep)(const Entry& entry) = nullptr;
};

const ListLayout<ForbiddenWindow>& forbidden_windows_layout();
const ListLayout<TimeDistributerId>& time_dist_ids_layout();
const ListLayout<CodePage>& code_pages_layout();
const ListLayout<StoredComputer>& computers_layout();

// Loads a list into `list`, repairing and telling as its layout says.
template <class Entry>
void load_list(StoredValues& values, RegKey key, const ListLayout<Entry>& layout,
               std::vector<Entry>& list, const ReportProblem& report);

// The count, then every entry; the values of the entries' places are taken away first where
// the layout can, so a shorter list leaves none behind in its places.
template <class Entry>
long save_list(StoredValues& values, RegKey key, const ListLayout<Entry>& layout,
               const std::vector<Entry>& list) {
    long sum = 0;
    if (layout.erase_entry != nullptr) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            layout.erase_entry(values, key, i);
        }
    }
    sum += values.write_number(key, layout.count_name, static_cast<std::int32_t>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        sum += layout.write_entry(values, key, i, list[i]);
    }
    return sum;
}

// Every Code Page in its own key. A page key that cannot be made empties the list in memory,
// yet the later pages are still written.
void store_code_pages(StoredValues& values, RegKey key, std::vector<CodePage>& pages,
                      const ReportProblem& report);
// The page's count of valid codes and the one code, after a redeem.
long store_redeemed_code(StoredValues& values, RegKey key, const std::vector<CodePage>& pages,
                         std::size_t page, std::size_t code);

}  // namespace vardex
