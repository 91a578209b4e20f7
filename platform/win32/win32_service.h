#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace vardex::win32 {

// A service of this machine opened with the given rights; empty when it is not installed or
// the rights are refused.
UniqueService open_service(const char* name, DWORD access);

// Whether the service runs or is starting.
bool service_running(const char* name);

}  // namespace vardex::win32
