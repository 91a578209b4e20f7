#include "platform/win32/win32_startup.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <string>

#include <vector>
#include "platform/win32/handles.h"
#include "platform/win32/win32_service.h"

namespace vardex::win32 {

namespace {

// SYSTEM and administrators everything; with `open` users read and write as well (what the
// program asks for when it runs in their account), never the right to delete the key or to
// change who may use it.
constexpr char closed_sddl[] = "O:BAD:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)";
constexpr char open_sddl[] = "O:BAD:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)(A;OICI;KRKW;;;BU)";

std::string object_name(std::string_view key_path) {
    std::string name = "MACHINE\\";
    name.append(key_path);
    return name;
}

}  // namespace

bool Win32Startup::guard_automatic() {
    const UniqueService service = open_service(guard_service_name, SERVICE_QUERY_CONFIG);
    if (service.get() == nullptr) {
        return false;
    }
    DWORD size = 0;
    QueryServiceConfigA(service.get(), nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    return size != 0 && QueryServiceConfigA(service.get(), config, size, &size) &&
           config->dwStartType == SERVICE_AUTO_START;
}

bool Win32Startup::set_guard_automatic(bool automatic) {
    const UniqueService service = open_service(guard_service_name, SERVICE_CHANGE_CONFIG);
    return service.get() != nullptr &&
           ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE,
                                automatic ? SERVICE_AUTO_START : SERVICE_DEMAND_START,
                                SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr);
}

bool Win32Startup::settings_key_open(std::string_view key_path) {
    std::string name = object_name(key_path);
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetNamedSecurityInfoA(name.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &sd) != ERROR_SUCCESS) {
        return false;
    }
    // Open means users may write values to the key itself (an entry only for its subkeys, or
    // only for reading, is not).
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD users_size = sizeof users;
    CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &users_size);
    bool open = false;
    for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount && !open; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) {
            continue;
        }
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        open = allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
               (allowed->Header.AceFlags & INHERIT_ONLY_ACE) == 0 &&
               (allowed->Mask & KEY_SET_VALUE) != 0 &&
               EqualSid(const_cast<DWORD*>(&allowed->SidStart), users);
    }
    LocalFree(sd);
    return open;
}

namespace {

// Sets the descriptor on the key and on every key below it. (TreeSetNamedSecurityInfo does the
// same, but not everywhere the program runs.)
bool set_tree_security(HKEY parent, const std::string& path, PSECURITY_DESCRIPTOR sd) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0,
                      WRITE_DAC | WRITE_OWNER | KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_64KEY,
                      &key) != ERROR_SUCCESS) {
        return false;
    }
    bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, sd) ==
              ERROR_SUCCESS;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        ok = set_tree_security(key, name, sd) && ok;
    }
    RegCloseKey(key);
    return ok;
}

}  // namespace

bool Win32Startup::set_settings_key_open(std::string_view key_path, bool open) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(open ? open_sddl : closed_sddl,
                                                              SDDL_REVISION_1, &sd, nullptr)) {
        return false;
    }
    // Protected: nothing inherited from SOFTWARE, where users may read.
    SetSecurityDescriptorControl(sd, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    const bool ok = set_tree_security(HKEY_LOCAL_MACHINE, std::string(key_path), sd);
    LocalFree(sd);
    return ok;
}

}  // namespace vardex::win32
