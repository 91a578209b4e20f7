#include "platform/win32/win32_service.h"

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

}  // namespace vardex::win32
