#pragma once

#include <string>
#include <string_view>

namespace vardex {

// Files and folders, with Windows paths in the ANSI code page.
class Files {
  public:
    virtual ~Files() = default;

    virtual bool exists(std::string_view path) = 0;
    virtual bool copy(std::string_view from, std::string_view to) = 0;
    virtual bool remove(std::string_view path) = 0;
    virtual bool rename(std::string_view from, std::string_view to) = 0;
    virtual bool create_folder(std::string_view path) = 0;

    // Opens for appending (creating the file when missing), writes text as is, closes.
    // An empty text only checks that the file can be opened so.
    virtual bool append(std::string_view path, std::string_view text) = 0;
    // Creates or replaces the file with the given content.
    virtual bool write(std::string_view path, std::string_view content) = 0;
    // Reads the whole file; false when it cannot be opened or read.
    virtual bool read(std::string_view path, std::string& content) = 0;

    // The temp folder as the system reports it (ends with a backslash).
    virtual std::string temp_folder() = 0;
    // The folder the program runs from, without a trailing backslash.
    virtual std::string program_folder() = 0;
    // The program's own file name without its extension.
    virtual std::string program_name() = 0;
};

}  // namespace vardex
