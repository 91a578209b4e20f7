#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "settings/stored_lists.h"
#include "settings/stored_values.h"

namespace vardex {

// What the network keeps in the settings key besides its settings: the administrator's
// computer table and the network key's newest time taken per sender.

// A missing count or value loads as no client, "??????", an empty address, the default port.
std::vector<StoredComputer> load_computer_table(StoredValues& values, RegKey key);
// The records from index `first` on that changed, the count when it changed from
// `old_count`, and no values left of records past the end.
long save_computer_records(StoredValues& values, RegKey key, std::size_t first,
                           const std::vector<StoredComputer>& changed, std::size_t count,
                           std::size_t old_count);

using SenderStamps = std::vector<std::pair<std::string, std::int64_t>>;
// Kept across a restart as "NAME;time;...".
SenderStamps load_newest_stamps(StoredValues& values, RegKey key);
long store_newest_stamps(StoredValues& values, RegKey key, const SenderStamps& stamps);

}  // namespace vardex
