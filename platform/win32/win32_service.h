#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace vardex::win32 {

// A service of this machine opened with the given rights; empty when it is not installed or
// the rights are refused.
UniqueService open_service(const char* name, DWORD access);

// Whether the service runs or is starting.
bool service_running(const char* name);

// Starts the service (true when it runs already), and stops it, waiting until it has.
bool start_service(SC_HANDLE service);
bool stop_service(SC_HANDLE service);

// Of the guard's service: stop it and wait; start it again.
bool stop_guard_service();
bool start_guard_service();

}  // namespace vardex::win32
