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
    // Moves `from` over `to`, replacing it; on failure `to` is as it was.
    virtual bool replace(std::string_view from, std::string_view to) = 0;
    virtual bool create_folder(std::string_view path) = 0;

    // Opens for appending (creating the file when missing), writes text as is, closes.
    // An empty text only checks that the file can be opened so.
    virtual bool append(std::string_view path, std::string_view text) = 0;
    // Creates or replaces the file with the given content. A failure can leave part of it:
    // use write_whole_file to replace a file that matters.
    virtual bool write(std::string_view path, std::string_view content) = 0;
    // Reads the whole file; false when it cannot be opened or read.
    virtual bool read(std::string_view path, std::string& content) = 0;

    // The folder for the program's own working files (ends with a backslash): the temp folder
    // of a program that runs as a person; the guard's own data folder, which only the system
    // and administrators may write.
    virtual std::string work_folder() = 0;
    // The folder the program runs from, without a trailing backslash.
    virtual std::string program_folder() = 0;
    // The program's own file name without its extension.
    virtual std::string program_name() = 0;
};

// Writes the file whole or not at all: the content goes to a file beside it first, which then
// takes its place. A write that fails (a full disk, a locked file) leaves the old file whole.
inline bool write_whole_file(Files& files, std::string_view path, std::string_view content) {
    const std::string beside = std::string(path) + ".~new";
    if (!files.write(beside, content)) {
        files.remove(beside);
        return false;
    }
    if (!files.replace(beside, path)) {
        files.remove(beside);
        return false;
    }
    return true;
}

}  // namespace vardex
