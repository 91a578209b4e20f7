#include "updater/replace.h"

#include "platform/ansi.h"
#include "settings/installation.h"

namespace vardex {

namespace {

std::string with_backslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

}  // namespace

std::optional<std::string> find_installed_program(Registry& registry, Files& files) {
    RegKeyHandle key(registry);
    if (key.open(local_machine, installation_key_path, RegAccess::query) != 0) {
        return std::nullopt;
    }
    std::string folder;
    if (registry.query_text(key.get(), installation_folder_value, folder, 400) != 0) {
        return std::nullopt;
    }
    folder = trim_spaces(folder);
    if (!folder.empty() && folder.back() == '\0') {
        folder.pop_back();
    }
    folder = with_backslash(folder);
    for (const char* name : {"vado40.exe", "vado41.exe"}) {
        if (files.exists(folder + name)) {
            return folder + name;
        }
    }
    return std::string{};
}

std::string backup_path(std::string_view installed) {
    return std::string(installed.substr(0, installed.size() < 4 ? 0 : installed.size() - 4)) +
           ".bak";
}

std::string shipped_path(std::string_view updater_folder) {
    std::string working = with_backslash(std::string(updater_folder)) + "vado41.exe";
    working.back() = '_';
    return working;
}

bool replace_installed_program(Files& files, std::string_view installed_view,
                               std::string_view updater_folder) {
    const std::string installed(installed_view);
    const std::string shipped = shipped_path(updater_folder);
    if (installed.size() < 4 || !files.exists(shipped)) {
        return false;  // nothing touched
    }
    // The new program is copied beside the installed one first, and that copy is what is
    // checked and put in place: the shipped file, in a folder others may write, could be
    // swapped between a check and the copy. A copy that fails leaves all as it was.
    const std::string staged = installed.substr(0, installed.size() - 4) + ".new";
    files.remove(staged);
    std::string content;
    if (!files.copy(shipped, staged) || !files.read(staged, content) || content.empty()) {
        files.remove(staged);
        return false;
    }
    const std::string backup = backup_path(installed);
    files.remove(backup);
    if (!files.rename(installed, backup)) {
        files.remove(staged);
        return false;  // in use or locked: still in its place
    }
    if (files.rename(staged, installed)) {
        return true;
    }
    // The swap failed: the old program goes back under its own name.
    files.remove(staged);
    if (!files.rename(backup, installed)) {
        files.copy(backup, installed);
    }
    return false;
}

}  // namespace vardex
