#pragma once

#include "platform/win32/win32_startup.h"
#include "settings/start_mode.h"

namespace vardex {

using win32::guard_service_name;

// The guard's service as the installer and an administrator handle it.
// Registers the service (a quoted path, restarted after a failure) and its event source, and
// sets up the start mode: early, the service starts with Windows (and now) and the settings
// key is for SYSTEM and administrators only; standard, the Run value starts the program at
// logon in the user's account, which may use the key; off, neither.
bool install_guard(StartMode mode);
// Stops and removes the service, its event source and the program's autostart values. The
// settings stay unless asked for: they hold the operator's passwords, IDs and Code Pages.
enum class KeepSettings { yes, no };
bool uninstall_guard(KeepSettings keep);
// Stops the service if it runs and starts it: the program and its face come back.
bool restart_guard();

}  // namespace vardex
