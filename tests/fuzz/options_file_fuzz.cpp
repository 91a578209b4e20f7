// Fuzz target: any bytes as an options file. Reading must never fail unsafely, and whatever a
// file sets must come back the same through an export and a new import.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/options_file.h"
#include "settings/setting_table.h"

namespace {
bool usable(const std::string&, bool) {
    return true;
}

// A machine's settings after its first run.
vardex::SettingsRecord first_run() {
    vardex::SettingsRecord r;
    for (const vardex::Setting& s : vardex::setting_table()) {
        vardex::set_first_run_value(s, r);
    }
    return r;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vardex::SettingsRecord record = first_run();
    if (!vardex::take_over_options(vardex::OptionsFile(text), record, usable)) {
        return 0;
    }
    const std::string exported = vardex::write_options_file(record);
    vardex::SettingsRecord again = first_run();
    if (!vardex::take_over_options(vardex::OptionsFile(exported), again, usable) ||
        vardex::write_options_file(again) != exported) {
        std::abort();
    }
    return 0;
}
