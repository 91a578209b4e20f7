#pragma once

#include <string>

#include "platform/files.h"

namespace vardex::win32 {

class Win32Files final : public Files {
  public:
    // The guard keeps its working files in its own folder, never in the system's temp folder,
    // where any user may plant a file.
    void set_work_folder(std::string folder) { work_folder_ = std::move(folder); }
    // The guard runs the program of another file (the face's): that is the program's file.
    void set_program_name(std::string name) { program_name_ = std::move(name); }

    bool exists(std::string_view path) override;
    bool copy(std::string_view from, std::string_view to) override;
    bool remove(std::string_view path) override;
    bool rename(std::string_view from, std::string_view to) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool create_folder(std::string_view path) override;
    bool append(std::string_view path, std::string_view text) override;
    bool write(std::string_view path, std::string_view content) override;
    bool read(std::string_view path, std::string& content) override;
    std::string work_folder() override;
    std::string program_folder() override;
    std::string program_name() override;

  private:
    std::string work_folder_;
    std::string program_name_;
};

}  // namespace vardex::win32
