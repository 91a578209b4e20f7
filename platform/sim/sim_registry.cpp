#include "platform/sim/sim_registry.h"

#include "platform/ansi.h"
#include "platform/result_codes.h"

namespace vardex::sim {

SimRegistry::SimRegistry() : root_(std::make_unique<Node>()) {}

std::string SimRegistry::normal(std::string_view path) {
    std::string out = upper_ansi(path);
    while (!out.empty() && out.back() == '\\') {
        out.pop_back();
    }
    while (!out.empty() && out.front() == '\\') {
        out.erase(out.begin());
    }
    return out;
}

SimRegistry::Node* SimRegistry::find(const std::string& normal_path) const {
    Node* node = root_.get();
    std::size_t pos = 0;
    while (pos < normal_path.size()) {
        std::size_t end = normal_path.find('\\', pos);
        if (end == std::string::npos) {
            end = normal_path.size();
        }
        auto it = node->children.find(normal_path.substr(pos, end - pos));
        if (it == node->children.end()) {
            return nullptr;
        }
        node = it->second.get();
        pos = end + 1;
    }
    return node;
}

SimRegistry::Node* SimRegistry::make(const std::string& normal_path) {
    Node* node = root_.get();
    std::size_t pos = 0;
    while (pos < normal_path.size()) {
        std::size_t end = normal_path.find('\\', pos);
        if (end == std::string::npos) {
            end = normal_path.size();
        }
        auto& child = node->children[normal_path.substr(pos, end - pos)];
        if (!child) {
            child = std::make_unique<Node>();
            child->path = normal_path.substr(0, end);
        }
        node = child.get();
        pos = end + 1;
    }
    return node;
}

long SimRegistry::resolve(RegKey parent, std::string_view path, std::string& full) const {
    if (parent == local_machine) {
        full = normal(path);
        return result::ok;
    }
    auto it = handles_.find(parent);
    if (it == handles_.end()) {
        return result::invalid_handle;
    }
    const std::string sub = normal(path);
    full = it->second.node->path;
    if (!sub.empty()) {
        full = full.empty() ? sub : full + "\\" + sub;
    }
    return result::ok;
}

long SimRegistry::open_key(RegKey parent, std::string_view path, RegAccess access, RegKey& out) {
    out = 0;
    std::string full;
    if (long r = resolve(parent, path, full); r != result::ok) {
        return r;
    }
    if (fail_open_.count(full) != 0 || (access == RegAccess::full && read_only_.count(full) != 0)) {
        return result::access_denied;
    }
    Node* node = find(full);
    if (node == nullptr) {
        return result::file_not_found;
    }
    out = next_handle_++;
    handles_[out] = Handle{node, access == RegAccess::full};
    return result::ok;
}

long SimRegistry::create_key(RegKey parent, std::string_view path, RegKey& out) {
    out = 0;
    std::string full;
    if (long r = resolve(parent, path, full); r != result::ok) {
        return r;
    }
    if (fail_create_.count(full) != 0 || read_only_.count(full) != 0) {
        return result::access_denied;
    }
    Node* node = find(full);
    if (node == nullptr) {
        const std::size_t cut = full.rfind('\\');
        if (read_only_.count(cut == std::string::npos ? std::string() : full.substr(0, cut)) != 0 ||
            (parent != local_machine && !handles_.at(parent).writable)) {
            return result::access_denied;
        }
        node = make(full);
        ++writes_;
    }
    out = next_handle_++;
    handles_[out] = Handle{node, true};
    return result::ok;
}

long SimRegistry::close_key(RegKey key) {
    return handles_.erase(key) != 0 ? result::ok : result::invalid_handle;
}

long SimRegistry::query_number(RegKey key, std::string_view name, std::int32_t& out) {
    auto it = handles_.find(key);
    if (it == handles_.end()) {
        return result::invalid_handle;
    }
    auto v = it->second.node->values.find(upper_ansi(name));
    if (v == it->second.node->values.end()) {
        return result::file_not_found;
    }
    if (v->second.type != Value::Type::dword) {
        return result::invalid_data;
    }
    out = v->second.number;
    return result::ok;
}

long SimRegistry::query_text(RegKey key, std::string_view name, std::string& out,
                             std::size_t buffer_size) {
    auto it = handles_.find(key);
    if (it == handles_.end()) {
        return result::invalid_handle;
    }
    auto v = it->second.node->values.find(upper_ansi(name));
    if (v == it->second.node->values.end()) {
        return result::file_not_found;
    }
    if (v->second.type != Value::Type::sz) {
        return result::invalid_data;
    }
    if (v->second.text.size() + 1 > buffer_size) {
        return result::more_data;
    }
    const std::string& t = v->second.text;
    out = t.substr(0, t.find('\0'));
    return result::ok;
}

long SimRegistry::writable_node(RegKey key, std::string_view name, Node*& node) {
    auto it = handles_.find(key);
    if (it == handles_.end()) {
        return result::invalid_handle;
    }
    node = it->second.node;
    if (!it->second.writable) {
        return result::access_denied;
    }
    for (const auto& prefix : fail_writes_) {
        if (node->path == prefix || node->path.rfind(prefix + "\\", 0) == 0) {
            return result::access_denied;
        }
    }
    if (fail_value_.count(node->path + "|" + upper_ansi(name)) != 0) {
        return result::access_denied;
    }
    return result::ok;
}

long SimRegistry::set_number(RegKey key, std::string_view name, std::int32_t value) {
    Node* node = nullptr;
    if (long r = writable_node(key, name, node); r != result::ok) {
        return r;
    }
    Value& v = node->values[upper_ansi(name)];
    v = Value{Value::Type::dword, value, {}};
    ++writes_;
    return result::ok;
}

long SimRegistry::set_text(RegKey key, std::string_view name, std::string_view text) {
    Node* node = nullptr;
    if (long r = writable_node(key, name, node); r != result::ok) {
        return r;
    }
    Value& v = node->values[upper_ansi(name)];
    v = Value{Value::Type::sz, 0, std::string(text)};
    ++writes_;
    return result::ok;
}

long SimRegistry::delete_value(RegKey key, std::string_view name) {
    Node* node = nullptr;
    if (long r = writable_node(key, name, node); r != result::ok) {
        return r;
    }
    if (node->values.erase(upper_ansi(name)) == 0) {
        return result::file_not_found;
    }
    ++writes_;
    return result::ok;
}

long SimRegistry::count_entries(RegKey key, std::uint32_t& values, std::uint32_t& subkeys) {
    values = 0;
    subkeys = 0;
    auto it = handles_.find(key);
    if (it == handles_.end()) {
        return result::invalid_handle;
    }
    values = static_cast<std::uint32_t>(it->second.node->values.size());
    subkeys = static_cast<std::uint32_t>(it->second.node->children.size());
    return result::ok;
}

void SimRegistry::put_number(const std::string& path, const std::string& name, std::int32_t value) {
    make(normal(path))->values[upper_ansi(name)] = Value{Value::Type::dword, value, {}};
}

void SimRegistry::put_text(const std::string& path, const std::string& name,
                           const std::string& text) {
    make(normal(path))->values[upper_ansi(name)] = Value{Value::Type::sz, 0, text};
}

void SimRegistry::put_key(const std::string& path) {
    make(normal(path));
}

void SimRegistry::remove_value(const std::string& path, const std::string& name) {
    if (Node* node = find(normal(path))) {
        node->values.erase(upper_ansi(name));
    }
}

bool SimRegistry::has_key(const std::string& path) const {
    return find(normal(path)) != nullptr;
}

std::optional<SimRegistry::Value> SimRegistry::value(const std::string& path,
                                                     const std::string& name) const {
    Node* node = find(normal(path));
    if (node == nullptr) {
        return std::nullopt;
    }
    auto it = node->values.find(upper_ansi(name));
    if (it == node->values.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<std::int32_t> SimRegistry::number(const std::string& path,
                                                const std::string& name) const {
    auto v = value(path, name);
    if (!v || v->type != Value::Type::dword) {
        return std::nullopt;
    }
    return v->number;
}

std::optional<std::string> SimRegistry::text(const std::string& path,
                                             const std::string& name) const {
    auto v = value(path, name);
    if (!v || v->type != Value::Type::sz) {
        return std::nullopt;
    }
    return v->text;
}

std::vector<std::string> SimRegistry::value_names(const std::string& path) const {
    std::vector<std::string> names;
    if (Node* node = find(normal(path))) {
        for (const auto& [name, v] : node->values) {
            names.push_back(name);
        }
    }
    return names;
}

void SimRegistry::clear_faults() {
    fail_open_.clear();
    fail_create_.clear();
    fail_writes_.clear();
    fail_value_.clear();
    read_only_.clear();
}

}  // namespace vardex::sim
