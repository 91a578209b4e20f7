#include "app/guard_setup.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <string>

#include "platform/win32/handles.h"

#include "platform/win32/win32_service.h"
#include "platform/win32/win32_session.h"
#include "platform/win32/win32_startup.h"
#include "settings/autostart_store.h"
#include "settings/settings_store.h"

namespace vardex {

using win32::UniqueService;

namespace {

constexpr char event_source_key[] =
    "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Vardex Guard";

std::string own_path() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace

// The Run value of a standard start, as the program writes it: the installation folder's
// program, quoted.
bool set_run_value(bool on) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, run_key_path, 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LSTATUS result = ERROR_SUCCESS;
    if (on) {
        std::string command = own_path();
        command.erase(command.find_last_of('\\') + 1);
        command.insert(command.begin(), '"');
        command.append("Vado41.exe\"");
        result = RegSetValueExA(key, autostart_value_name, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>(command.size() + 1));
    } else {
        RegDeleteValueA(key, autostart_value_name);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// The guard runs the programs of its folder as SYSTEM: only SYSTEM and administrators may
// write there (users read and run), also when the folder is not under Program Files.
bool protect_own_folder() {
    std::string folder = own_path();
    folder.erase(folder.find_last_of('\\'));
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", SDDL_REVISION_1, &sd,
            nullptr)) {
        return false;
    }
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted);
    const DWORD result =
        SetNamedSecurityInfoA(folder.data(), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, dacl, nullptr);
    LocalFree(sd);
    return result == ERROR_SUCCESS;
}

bool install_guard(StartMode mode) {
    const bool early = mode == StartMode::early;
    UniqueService manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        return false;
    }
    // Quoted, so that a path with spaces cannot be read as a shorter program's.
    std::string command = own_path();
    command.insert(command.begin(), '"');
    command.push_back('"');
    SC_HANDLE created =
        CreateServiceA(manager.get(), guard_service_name, "Vardex Guard", SERVICE_ALL_ACCESS,
                       SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                       command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (created == nullptr && GetLastError() == ERROR_SERVICE_EXISTS) {
        // Installed over an installation: the same service, pointed at this program.
        created = OpenServiceA(manager.get(), guard_service_name, SERVICE_ALL_ACCESS);
        if (created != nullptr) {
            ChangeServiceConfigA(created, SERVICE_NO_CHANGE,
                                 early ? SERVICE_AUTO_START : SERVICE_DEMAND_START,
                                 SERVICE_NO_CHANGE, command.c_str(), nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr);
        }
    }
    UniqueService service(created);
    if (!service) {
        return false;
    }
    char description[] =
        "Runs Vardex and keeps its windows on the screen of the user at the console.";
    SERVICE_DESCRIPTIONA about{description};
    ChangeServiceConfig2A(service.get(), SERVICE_CONFIG_DESCRIPTION, &about);
    SC_ACTION actions[] = {
        {SC_ACTION_RESTART, 1000}, {SC_ACTION_RESTART, 1000}, {SC_ACTION_RESTART, 5000}};
    SERVICE_FAILURE_ACTIONSA failure{};
    failure.dwResetPeriod = 24 * 3600;
    failure.cActions = 3;
    failure.lpsaActions = actions;
    ChangeServiceConfig2A(service.get(), SERVICE_CONFIG_FAILURE_ACTIONS, &failure);

    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, event_source_key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
        RegSetValueExA(key, "TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types),
                       sizeof types);
        RegCloseKey(key);
    }
    const bool folder_set = protect_own_folder();
    // A package that only copies files leaves the key to us: made empty, the program fills it.
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, settings_key_path, 0, nullptr, 0,
                        KEY_READ | KEY_WOW64_64KEY, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    win32::Win32Startup startup;
    const bool key_set = startup.set_settings_key_open(settings_key_path, !early);
    const bool run_set = set_run_value(mode == StartMode::standard);
    return folder_set && key_set && run_set && (!early || win32::start_service(service.get()));
}

// The autostart values a standard or an older start wrote.
void remove_autostart_values() {
    for (const char* path : {run_key_path, run_services_key_path}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueA(key, autostart_value_name);
            RegCloseKey(key);
        }
    }
}

bool uninstall_guard(KeepSettings keep) {
    UniqueService manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    UniqueService service(
        manager ? OpenServiceA(manager.get(), guard_service_name, SERVICE_ALL_ACCESS) : nullptr);
    const DWORD open_error = GetLastError();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, event_source_key);
    bool removed = false;
    if (service) {
        // Stopped before anything else goes: a running guard would write the settings back.
        win32::stop_service(service.get());
        removed = DeleteService(service.get()) != 0;
    } else {
        removed = open_error == ERROR_SERVICE_DOES_NOT_EXIST;
    }
    remove_autostart_values();
    if (keep == KeepSettings::no) {
        const LSTATUS gone = RegDeleteTreeA(HKEY_LOCAL_MACHINE, settings_key_path);
        removed = removed && (gone == ERROR_SUCCESS || gone == ERROR_FILE_NOT_FOUND);
    }
    return removed;
}

bool restart_guard() {
    return win32::stop_guard_service() && win32::start_guard_service();
}

}  // namespace vardex
