#include "platform/sim/sim_files.h"

#include "platform/ansi.h"

namespace vardex::sim {

namespace {

// The files as a person's account opens them: reads as the machine's, writes refused where
// the person may not write.
class PersonView final : public Files {
  public:
    explicit PersonView(SimFiles& files) : files_(files) {}
    bool exists(std::string_view path) override { return files_.exists(path); }
    bool copy(std::string_view from, std::string_view to) override {
        return may(to) && files_.copy(from, to);
    }
    bool remove(std::string_view path) override { return may(path) && files_.remove(path); }
    bool rename(std::string_view from, std::string_view to) override {
        return may(from) && may(to) && files_.rename(from, to);
    }
    bool replace(std::string_view from, std::string_view to) override {
        return may(from) && may(to) && files_.replace(from, to);
    }
    bool create_folder(std::string_view path) override {
        return files_.person_may_write(path, true) && files_.create_folder(path);
    }
    bool append(std::string_view path, std::string_view text) override {
        return may(path) && files_.append(path, text);
    }
    bool write(std::string_view path, std::string_view content) override {
        return may(path) && files_.write(path, content);
    }
    bool read(std::string_view path, std::string& content) override {
        return files_.read(path, content);
    }
    std::string work_folder() override { return files_.work_folder(); }
    std::string program_folder() override { return files_.program_folder(); }
    std::string program_name() override { return files_.program_name(); }

  private:
    bool may(std::string_view path) const { return files_.person_may_write(path); }
    SimFiles& files_;
};

}  // namespace

bool SimFiles::person_may_write(std::string_view path, bool folder) const {
    const std::string k = key(path);
    if (!folder && parent(k).size() == 3 && folders_.count(k) == 0) {
        return false;  // a file in a drive's root
    }
    for (const std::string& folder : protected_) {
        if (k == folder || (k.starts_with(folder) && k[folder.size()] == '\\')) {
            return false;
        }
    }
    return true;
}

SimFiles::SimFiles() : person_(std::make_unique<PersonView>(*this)) {
    put_folder("C:\\");
    put_folder(work_folder_);
}

std::string SimFiles::key(std::string_view path) {
    std::string k = upper_ansi(path);
    for (char& c : k) {
        if (c == '/') {
            c = '\\';
        }
    }
    while (k.size() > 3 && k.back() == '\\') {
        k.pop_back();
    }
    if (k.size() == 2 && k[1] == ':') {
        k += '\\';
    }
    return k;
}

std::string SimFiles::parent(const std::string& k) {
    const auto pos = k.rfind('\\');
    if (pos == std::string::npos) {
        return {};
    }
    return pos == 2 ? k.substr(0, 3) : k.substr(0, pos);
}

bool SimFiles::can_write(const std::string& k) const {
    return !fails(k) && folders_.count(parent(k)) != 0 && folders_.count(k) == 0;
}

bool SimFiles::exists(std::string_view path) {
    const std::string k = key(path);
    return !fails(k) && files_.count(k) != 0;
}

bool SimFiles::copy(std::string_view from, std::string_view to) {
    const std::string f = key(from);
    const std::string t = key(to);
    auto it = files_.find(f);
    if (fails(f) || it == files_.end() || !can_write(t)) {
        return false;
    }
    files_[t] = File{std::string(to), it->second.content};
    return true;
}

bool SimFiles::remove(std::string_view path) {
    const std::string k = key(path);
    return !fails(k) && files_.erase(k) != 0;
}

bool SimFiles::rename(std::string_view from, std::string_view to) {
    return move(from, to, false);
}

bool SimFiles::move(std::string_view from, std::string_view to, bool over_existing) {
    const std::string f = key(from);
    const std::string t = key(to);
    auto it = files_.find(f);
    if (fails(f) || it == files_.end() || !can_write(t) ||
        (!over_existing && files_.count(t) != 0)) {
        return false;
    }
    if (auto refused = refused_renames_.find(t); refused != refused_renames_.end()) {
        if (--refused->second == 0) {
            refused_renames_.erase(refused);
        }
        return false;
    }
    File moved{std::string(to), std::move(it->second.content)};
    files_.erase(it);
    files_[t] = std::move(moved);
    return true;
}

bool SimFiles::create_folder(std::string_view path) {
    const std::string k = key(path);
    if (fails(k) || folders_.count(k) != 0 || files_.count(k) != 0 ||
        folders_.count(parent(k)) == 0) {
        return false;
    }
    folders_.insert(k);
    return true;
}

bool SimFiles::append(std::string_view path, std::string_view text) {
    const std::string k = key(path);
    auto it = files_.find(k);
    if (it == files_.end()) {
        if (!can_write(k)) {
            return false;
        }
        it = files_.emplace(k, File{std::string(path), {}}).first;
    } else if (fails(k)) {
        return false;
    }
    it->second.content.append(text);
    return true;
}

bool SimFiles::write(std::string_view path, std::string_view content) {
    const std::string k = key(path);
    if (!can_write(k)) {
        return false;
    }
    const bool fits = !space_ || content.size() <= *space_;
    files_[k] = File{std::string(path), std::string(fits ? content : content.substr(0, *space_))};
    return fits;
}

bool SimFiles::replace(std::string_view from, std::string_view to) {
    return move(from, to, true);
}

bool SimFiles::read(std::string_view path, std::string& content) {
    const std::string k = key(path);
    auto it = files_.find(k);
    if (fails(k) || it == files_.end()) {
        return false;
    }
    content = it->second.content;
    return true;
}

std::string SimFiles::program_folder() {
    const auto pos = program_path_.rfind('\\');
    return pos == std::string::npos ? std::string{} : program_path_.substr(0, pos);
}

std::string SimFiles::program_name() {
    const auto pos = program_path_.rfind('\\');
    std::string name = pos == std::string::npos ? program_path_ : program_path_.substr(pos + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void SimFiles::put(const std::string& path, const std::string& content) {
    const std::string k = key(path);
    put_folder(parent(k));
    files_[k] = File{path, content};
}

void SimFiles::put_folder(const std::string& path) {
    std::string k = key(path);
    while (!k.empty() && folders_.count(k) == 0) {
        folders_.insert(k);
        const std::string p = parent(k);
        if (p == k) {
            break;
        }
        k = p;
    }
}

void SimFiles::remove_folder(const std::string& path) {
    const std::string k = key(path);
    const std::string below = k + "\\";
    auto inside = [&](const std::string& other) {
        return other == k || other.rfind(below, 0) == 0;
    };
    for (auto it = files_.begin(); it != files_.end();) {
        it = inside(it->first) ? files_.erase(it) : std::next(it);
    }
    for (auto it = folders_.begin(); it != folders_.end();) {
        it = inside(*it) ? folders_.erase(it) : std::next(it);
    }
}

std::optional<std::string> SimFiles::content(const std::string& path) const {
    auto it = files_.find(key(path));
    if (it == files_.end()) {
        return std::nullopt;
    }
    return it->second.content;
}

bool SimFiles::folder_exists(const std::string& path) const {
    return folders_.count(key(path)) != 0;
}

std::vector<std::string> SimFiles::list() const {
    std::vector<std::string> out;
    for (const auto& [k, f] : files_) {
        out.push_back(f.path);
    }
    return out;
}

}  // namespace vardex::sim
