#pragma once

#include "platform/registry.h"

namespace vardex::win32 {

class Win32Registry final : public Registry {
  public:
    long open_key(RegKey parent, std::string_view path, RegAccess access, RegKey& out) override;
    long create_key(RegKey parent, std::string_view path, RegKey& out) override;
    long close_key(RegKey key) override;
    long query_number(RegKey key, std::string_view name, std::int32_t& out) override;
    long query_text(RegKey key, std::string_view name, std::string& out,
                    std::size_t buffer_size = std::numeric_limits<std::size_t>::max()) override;
    long set_number(RegKey key, std::string_view name, std::int32_t value) override;
    long set_text(RegKey key, std::string_view name, std::string_view text) override;
    long delete_value(RegKey key, std::string_view name) override;
    long count_entries(RegKey key, std::uint32_t& values, std::uint32_t& subkeys) override;
};

}  // namespace vardex::win32
