#pragma once

// Names the program and its updater share: the installation key with its folder value, and the
// lock the running program holds.
namespace vardex {

inline constexpr char installation_key_path[] = "SOFTWARE\\Quorvane\\Vardex\\4.0";
inline constexpr char installation_folder_value[] = "Help_Dir";
inline constexpr char program_instance_lock[] = "Vardex.vado41.SingleInstance";

}  // namespace vardex
