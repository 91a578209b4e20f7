#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <string>
#include <vector>

namespace vardex::win32 {

namespace {

HKEY native(RegKey key) {
    return key == local_machine ? HKEY_LOCAL_MACHINE : reinterpret_cast<HKEY>(key);
}

RegKey portable(HKEY key) {
    return reinterpret_cast<RegKey>(key);
}

}  // namespace

long Win32Registry::open_key(RegKey parent, std::string_view path, RegAccess access, RegKey& out) {
    HKEY key = nullptr;
    // Never KEY_ALL_ACCESS: a standard user holds no DELETE or WRITE_DAC on HKLM keys.
    const REGSAM sam = access == RegAccess::full ? KEY_READ | KEY_WRITE : KEY_QUERY_VALUE;
    const LONG r = RegOpenKeyExA(native(parent), std::string(path).c_str(), 0, sam, &key);
    out = r == ERROR_SUCCESS ? portable(key) : 0;
    return r;
}

long Win32Registry::create_key(RegKey parent, std::string_view path, RegKey& out) {
    HKEY key = nullptr;
    const LONG r =
        RegCreateKeyExA(native(parent), std::string(path).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    out = r == ERROR_SUCCESS ? portable(key) : 0;
    return r;
}

long Win32Registry::close_key(RegKey key) {
    if (key == 0 || key == local_machine) {
        return ERROR_INVALID_HANDLE;
    }
    return RegCloseKey(native(key));
}

long Win32Registry::query_number(RegKey key, std::string_view name, std::int32_t& out) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG r = RegQueryValueExA(native(key), std::string(name).c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(&value), &size);
    if (r != ERROR_SUCCESS) {
        return r;
    }
    if (type != REG_DWORD || size != sizeof value) {
        return ERROR_INVALID_DATA;
    }
    out = static_cast<std::int32_t>(value);
    return ERROR_SUCCESS;
}

long Win32Registry::query_text(RegKey key, std::string_view name, std::string& out,
                               std::size_t buffer_size) {
    const std::string value_name(name);
    DWORD type = 0;
    DWORD size = 0;
    // Ask for the size first, so a text of any length reads whole.
    LONG r = RegQueryValueExA(native(key), value_name.c_str(), nullptr, &type, nullptr, &size);
    if (r != ERROR_SUCCESS) {
        return r;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return ERROR_INVALID_DATA;
    }
    if (size > buffer_size) {
        return ERROR_MORE_DATA;
    }
    std::vector<char> buffer(size + 1, '\0');
    r = RegQueryValueExA(native(key), value_name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (r != ERROR_SUCCESS) {
        return r;
    }
    out.assign(buffer.data());  // up to the first NUL
    return ERROR_SUCCESS;
}

long Win32Registry::set_number(RegKey key, std::string_view name, std::int32_t value) {
    const DWORD v = static_cast<DWORD>(value);
    return RegSetValueExA(native(key), std::string(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&v), sizeof v);
}

long Win32Registry::set_text(RegKey key, std::string_view name, std::string_view text) {
    const std::string t(text);
    return RegSetValueExA(native(key), std::string(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(t.c_str()),
                          static_cast<DWORD>(t.size() + 1));
}

long Win32Registry::delete_value(RegKey key, std::string_view name) {
    return RegDeleteValueA(native(key), std::string(name).c_str());
}

long Win32Registry::count_entries(RegKey key, std::uint32_t& values, std::uint32_t& subkeys) {
    DWORD value_count = 0;
    DWORD subkey_count = 0;
    const LONG r = RegQueryInfoKeyA(native(key), nullptr, nullptr, nullptr, &subkey_count, nullptr,
                                    nullptr, &value_count, nullptr, nullptr, nullptr, nullptr);
    values = r == ERROR_SUCCESS ? value_count : 0;
    subkeys = r == ERROR_SUCCESS ? subkey_count : 0;
    return r;
}

}  // namespace vardex::win32
