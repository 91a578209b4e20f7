#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vardex {

// An open registry key; 0 is none. The root key is HKEY_LOCAL_MACHINE.
using RegKey = std::uint64_t;
inline constexpr RegKey local_machine = 0x80000002u;

// query reads values; full also writes values and makes subkeys, which is all the program
// needs (and all the installer grants a standard user on the settings key).
enum class RegAccess { query, full };

// The registry functions the program uses, with the system's result codes (0 = success).
class Registry {
  public:
    virtual ~Registry() = default;

    virtual long open_key(RegKey parent, std::string_view path, RegAccess access, RegKey& out) = 0;
    virtual long create_key(RegKey parent, std::string_view path, RegKey& out) = 0;
    virtual long close_key(RegKey key) = 0;

    // REG_DWORD. Fails with invalid_data when the value has another type.
    virtual long query_number(RegKey key, std::string_view name, std::int32_t& out) = 0;
    // REG_SZ, read into a buffer of buffer_size bytes (the terminating NUL counts);
    // more_data when the stored text does not fit. The text ends at its first NUL.
    virtual long query_text(RegKey key, std::string_view name, std::string& out,
                            std::size_t buffer_size = std::numeric_limits<std::size_t>::max()) = 0;
    virtual long set_number(RegKey key, std::string_view name, std::int32_t value) = 0;
    virtual long set_text(RegKey key, std::string_view name, std::string_view text) = 0;
    virtual long delete_value(RegKey key, std::string_view name) = 0;
    // How many values and subkeys the key holds.
    virtual long count_entries(RegKey key, std::uint32_t& values, std::uint32_t& subkeys) = 0;
};

// Owns an open key and closes it when replaced or destroyed.
class RegKeyHandle {
  public:
    RegKeyHandle() = default;
    explicit RegKeyHandle(Registry& registry) : registry_(&registry) {}
    RegKeyHandle(const RegKeyHandle&) = delete;
    RegKeyHandle& operator=(const RegKeyHandle&) = delete;
    RegKeyHandle(RegKeyHandle&& other) noexcept { *this = std::move(other); }
    RegKeyHandle& operator=(RegKeyHandle&& other) noexcept {
        if (this != &other) {
            close();
            registry_ = other.registry_;
            key_ = other.key_;
            other.key_ = 0;
        }
        return *this;
    }
    ~RegKeyHandle() { close(); }

    long open(RegKey parent, std::string_view path, RegAccess access) {
        close();
        return registry_->open_key(parent, path, access, key_);
    }
    long create(RegKey parent, std::string_view path) {
        close();
        return registry_->create_key(parent, path, key_);
    }
    void close() {
        if (key_ != 0 && registry_ != nullptr) {
            registry_->close_key(key_);
        }
        key_ = 0;
    }
    RegKey get() const { return key_; }
    bool is_open() const { return key_ != 0; }

  private:
    Registry* registry_ = nullptr;
    RegKey key_ = 0;
};

}  // namespace vardex
