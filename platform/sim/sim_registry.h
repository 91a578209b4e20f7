#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vardex::sim {

// An in-memory registry tree under HKEY_LOCAL_MACHINE, with faults for tests.
class SimRegistry final : public Registry {
  public:
    struct Value {
        enum class Type { dword, sz } type = Type::dword;
        std::int32_t number = 0;
        std::string text;
    };

    SimRegistry();

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

    // Test set-up and inspection, by full path below HKEY_LOCAL_MACHINE.
    void put_number(const std::string& path, const std::string& name, std::int32_t value);
    void put_text(const std::string& path, const std::string& name, const std::string& text);
    void put_key(const std::string& path);
    void remove_value(const std::string& path, const std::string& name);
    bool has_key(const std::string& path) const;
    std::optional<Value> value(const std::string& path, const std::string& name) const;
    std::optional<std::int32_t> number(const std::string& path, const std::string& name) const;
    std::optional<std::string> text(const std::string& path, const std::string& name) const;
    std::vector<std::string> value_names(const std::string& path) const;
    std::size_t open_handles() const { return handles_.size(); }
    // Counts every successful write since the start, for "nothing was changed" checks.
    std::uint64_t write_count() const { return writes_; }

    // Faults: opening or creating the key fails; every write below the key fails;
    // one value cannot be written.
    void fail_open(const std::string& path) { fail_open_.insert(normal(path)); }
    void fail_create(const std::string& path) { fail_create_.insert(normal(path)); }
    void fail_writes(const std::string& path) { fail_writes_.insert(normal(path)); }
    void fail_write(const std::string& path, const std::string& name) {
        fail_value_.insert(normal(path) + "|" + normal(name));
    }
    // A standard user's view of a key: it opens for reading only, nothing is made below it.
    void read_only(const std::string& path) { read_only_.insert(normal(path)); }
    void clear_faults();

  private:
    struct Node {
        std::string path;                     // upper case
        std::map<std::string, Value> values;  // by upper-case name
        std::map<std::string, std::unique_ptr<Node>> children;
    };
    struct Handle {
        Node* node;
        bool writable;
    };

    static std::string normal(std::string_view path);
    Node* find(const std::string& normal_path) const;
    Node* make(const std::string& normal_path);
    long resolve(RegKey parent, std::string_view path, std::string& full) const;
    long writable_node(RegKey key, std::string_view name, Node*& node);

    std::unique_ptr<Node> root_;
    std::map<RegKey, Handle> handles_;
    RegKey next_handle_ = 0x100;
    std::uint64_t writes_ = 0;
    std::set<std::string> fail_open_, fail_create_, fail_writes_, fail_value_, read_only_;
};

}  // namespace vardex::sim
