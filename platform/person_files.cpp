#include "platform/person_files.h"

#include "platform/ansi.h"

namespace vardex {

namespace {

std::string plain(std::string_view path) {
    std::string p = upper_ansi(path);
    for (char& c : p) {
        if (c == '/') {
            c = '\\';
        }
    }
    return p;
}

}  // namespace

PersonFiles::PersonFiles(Files& own, Files& person, std::string own_folder,
                         std::vector<std::string> kept_in_own_folder)
    : own_(own), person_(person), own_folder_(std::move(own_folder)) {
    if (own_folder_.empty() || (own_folder_.back() != '\\' && own_folder_.back() != '/')) {
        own_folder_ += '\\';
    }
    own_folder_key_ = plain(own_folder_);
    for (const std::string& path : kept_in_own_folder) {
        kept_.push_back(plain(path));
    }
}

bool PersonFiles::is_own(std::string_view path) const {
    const std::string p = plain(path);
    // A ".." could climb out of the folder; such a path is the person's.
    return p.size() > own_folder_key_.size() && p.starts_with(own_folder_key_) &&
           p.find("..") == std::string::npos;
}

PersonFiles::Target PersonFiles::route(std::string_view path) {
    const std::string p = plain(path);
    for (const std::string& kept : kept_) {
        if (p == kept) {
            std::string name(path.substr(path.find_last_of("\\/") + 1));
            return {own_, own_folder_ + name};
        }
    }
    if (is_own(path)) {
        return {own_, std::string(path)};
    }
    return {person_, std::string(path)};
}

bool PersonFiles::exists(std::string_view path) {
    Target t = route(path);
    return t.files.exists(t.path);
}

bool PersonFiles::copy(std::string_view from, std::string_view to) {
    Target f = route(from);
    Target t = route(to);
    if (&f.files == &t.files) {
        return t.files.copy(f.path, t.path);
    }
    // Between the guard's folder and a person's: each side opened with its own rights.
    std::string content;
    return f.files.read(f.path, content) && t.files.write(t.path, content);
}

bool PersonFiles::remove(std::string_view path) {
    Target t = route(path);
    return t.files.remove(t.path);
}

bool PersonFiles::rename(std::string_view from, std::string_view to) {
    Target f = route(from);
    Target t = route(to);
    return &f.files == &t.files && t.files.rename(f.path, t.path);
}

bool PersonFiles::replace(std::string_view from, std::string_view to) {
    Target f = route(from);
    Target t = route(to);
    return &f.files == &t.files && t.files.replace(f.path, t.path);
}

bool PersonFiles::create_folder(std::string_view path) {
    Target t = route(path);
    return t.files.create_folder(t.path);
}

bool PersonFiles::append(std::string_view path, std::string_view text) {
    Target t = route(path);
    return t.files.append(t.path, text);
}

bool PersonFiles::write(std::string_view path, std::string_view content) {
    Target t = route(path);
    return t.files.write(t.path, content);
}

bool PersonFiles::read(std::string_view path, std::string& content) {
    Target t = route(path);
    return t.files.read(t.path, content);
}

}  // namespace vardex
