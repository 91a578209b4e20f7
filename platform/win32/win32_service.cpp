#include "platform/win32/win32_service.h"

#include "platform/win32/win32_startup.h"

namespace vardex::win32 {

UniqueService open_service(const char* name, DWORD access) {
    UniqueService manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    return UniqueService(manager ? OpenServiceA(manager.get(), name, access) : nullptr);
}

bool service_running(const char* name) {
    const UniqueService service = open_service(name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    return service && QueryServiceStatus(service.get(), &status) &&
           (status.dwCurrentState == SERVICE_RUNNING ||
            status.dwCurrentState == SERVICE_START_PENDING);
}

namespace {

bool wait_for(SC_HANDLE service, DWORD state, DWORD timeout_ms) {
    const ULONGLONG start = GetTickCount64();
    SERVICE_STATUS status{};
    while (QueryServiceStatus(service, &status) && status.dwCurrentState != state) {
        if (GetTickCount64() - start > timeout_ms) {
            return false;
        }
        Sleep(100);
    }
    return status.dwCurrentState == state;
}

}  // namespace

// The service manager may be busy for a moment after the machine starts (1055): try again.
bool start_service(SC_HANDLE service) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (StartServiceA(service, 0, nullptr) || GetLastError() == ERROR_SERVICE_ALREADY_RUNNING) {
            return true;
        }
        if (GetLastError() != ERROR_SERVICE_DATABASE_LOCKED) {
            return false;
        }
        Sleep(500);
    }
    return false;
}

bool stop_service(SC_HANDLE service) {
    SERVICE_STATUS status{};
    if (!ControlService(service, SERVICE_CONTROL_STOP, &status) &&
        GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
        return false;
    }
    return wait_for(service, SERVICE_STOPPED, 20000);
}

bool stop_guard_service() {
    const UniqueService service =
        open_service(guard_service_name, SERVICE_STOP | SERVICE_QUERY_STATUS);
    return service && stop_service(service.get());
}

bool start_guard_service() {
    const UniqueService service = open_service(guard_service_name, SERVICE_START);
    return service && start_service(service.get());
}

}  // namespace vardex::win32
