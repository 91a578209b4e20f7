#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/registry.h"

namespace vardex {

// The installed program: its full path, empty when the installation folder holds none, or
// nothing when the installation key or its folder value cannot be read.
std::optional<std::string> find_installed_program(Registry& registry, Files& files);

// The installed program's path with its last four characters replaced by ".bak".
std::string backup_path(std::string_view installed);

// The new program as shipped: "vado41.ex_" in the updater's folder.
std::string shipped_path(std::string_view updater_folder);

// Puts the shipped program in the place of the installed one, keeping the old one as its
// backup. The new program is copied next to the installed one before anything is moved, and
// any failure puts the installed program back under its own name: whatever happens, the
// machine keeps a program. False when the installed program was not replaced.
bool replace_installed_program(Files& files, std::string_view installed,
                               std::string_view updater_folder);

}  // namespace vardex
