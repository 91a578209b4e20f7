#pragma once

#include <optional>

#include "platform/registry.h"
#include "settings/settings_record.h"

namespace vardex {

// How Vardex comes up with Windows, as the Misc page offers it: early, the guard's service
// starts with Windows; standard, the Run value starts the program in the user's account at
// logon; off, neither.
enum class StartMode { early, standard, off };

StartMode start_mode_of(const SettingsRecord& record);

// The start mode that settings kept on this machine ask for; nullopt when the settings key
// holds nothing yet (a first installation).
std::optional<StartMode> kept_start_mode(Registry& registry);

}  // namespace vardex
