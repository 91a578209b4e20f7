#pragma once

#include "platform/files.h"

namespace vardex::win32 {

class Win32Files final : public Files {
  public:
    bool exists(std::string_view path) override;
    bool copy(std::string_view from, std::string_view to) override;
    bool remove(std::string_view path) override;
    bool rename(std::string_view from, std::string_view to) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool create_folder(std::string_view path) override;
    bool append(std::string_view path, std::string_view text) override;
    bool write(std::string_view path, std::string_view content) override;
    bool read(std::string_view path, std::string& content) override;
    std::string temp_folder() override;
    std::string program_folder() override;
    std::string program_name() override;
};

}  // namespace vardex::win32
