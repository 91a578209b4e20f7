#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace vardex {

// The files of a program that the guard runs as the system. A path in the guard's own folder
// is the guard's; any other path was named by a person and goes through `person`, which opens
// it with that person's rights: a path typed behind the password must not let anyone write
// where the person may not. A default path in a drive's root (the event log's), where a
// person may not create files, is kept in the guard's folder under its own name.
class PersonFiles final : public Files {
  public:
    PersonFiles(Files& own, Files& person, std::string own_folder,
                std::vector<std::string> kept_in_own_folder);

    bool exists(std::string_view path) override;
    bool copy(std::string_view from, std::string_view to) override;
    bool remove(std::string_view path) override;
    bool rename(std::string_view from, std::string_view to) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool create_folder(std::string_view path) override;
    bool append(std::string_view path, std::string_view text) override;
    bool write(std::string_view path, std::string_view content) override;
    bool read(std::string_view path, std::string& content) override;
    std::string work_folder() override { return own_.work_folder(); }
    std::string program_folder() override { return own_.program_folder(); }
    std::string program_name() override { return own_.program_name(); }

  private:
    struct Target {
        Files& files;
        std::string path;
    };
    Target route(std::string_view path);
    bool is_own(std::string_view path) const;

    Files& own_;
    Files& person_;
    std::string own_folder_;      // as given, with a trailing backslash
    std::string own_folder_key_;  // upper case
    std::vector<std::string> kept_;
};

}  // namespace vardex
