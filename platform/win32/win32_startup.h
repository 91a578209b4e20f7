#pragma once

#include "platform/startup.h"

namespace vardex::win32 {

// The guard service's start type (the service control manager) and the settings key's rights
// (a protected DACL, owner Administrators, set on every subkey as well).
class Win32Startup final : public Startup {
  public:
    bool guard_automatic() override;
    bool set_guard_automatic(bool automatic) override;
    bool settings_key_open(std::string_view key_path) override;
    bool set_settings_key_open(std::string_view key_path, bool open) override;
};

// The service's name, shared with the guard's own setup.
inline constexpr char guard_service_name[] = "VardexGuard";

}  // namespace vardex::win32
