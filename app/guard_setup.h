#pragma once

namespace vardex {

inline constexpr char guard_service_name[] = "VardexGuard";

// The guard's service as the installer and an administrator handle it.
// Registers the service (automatic start, a quoted path, restarted after a failure, session
// changes) and its event source, and starts it.
bool install_guard();
// Stops and removes the service and its event source.
bool uninstall_guard();
// Stops the service if it runs and starts it: the program and its face come back.
bool restart_guard();
// Stops the service and waits until it has stopped.
bool stop_guard();

}  // namespace vardex
