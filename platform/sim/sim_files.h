#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace vardex::sim {

// An in-memory file system with Windows paths (case-insensitive, "\" or "/"), folders that
// must exist before a file is written in them, and faults for tests.
class SimFiles final : public Files {
  public:
    SimFiles();

    bool exists(std::string_view path) override;
    bool copy(std::string_view from, std::string_view to) override;
    bool remove(std::string_view path) override;
    bool rename(std::string_view from, std::string_view to) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool create_folder(std::string_view path) override;
    bool append(std::string_view path, std::string_view text) override;
    bool write(std::string_view path, std::string_view content) override;
    bool read(std::string_view path, std::string& content) override;
    std::string work_folder() override { return work_folder_; }
    std::string program_folder() override;
    std::string program_name() override;

    // Test set-up and inspection.
    void put(const std::string& path, const std::string& content);  // creates its folders
    void put_folder(const std::string& path);
    // Removes a folder with everything in it, as a person deleting it would.
    void remove_folder(const std::string& path);
    std::optional<std::string> content(const std::string& path) const;
    bool folder_exists(const std::string& path) const;
    std::vector<std::string> list() const;  // every file's path as written
    // Folders a person's account may not write (the system's, the programs', the guard's own);
    // nor may it create files in a drive's root. The machine's own account may.
    void protect_folder(const std::string& path) { protected_.insert(key(path)); }
    bool person_may_write(std::string_view path, bool folder = false) const;
    // The same files as the session's user opens them.
    Files& as_person() { return *person_; }
    void set_program_path(const std::string& path) { program_path_ = path; }
    void set_work_folder(const std::string& path) { work_folder_ = path; }
    // Every operation on this path fails (a locked or unreadable file).
    void fail(const std::string& path) { failing_.insert(key(path)); }
    // The next `times` renames onto this path fail (a file another program just opened).
    void refuse_renames_to(const std::string& path, int times) {
        refused_renames_[key(path)] = times;
    }
    // A full disk: a write of more bytes than this keeps what fits and fails, as the system's
    // does once it has truncated the file.
    void fill_disk_after(std::size_t bytes) { space_ = bytes; }
    void clear_faults() {
        failing_.clear();
        refused_renames_.clear();
        space_.reset();
    }

  private:
    struct File {
        std::string path;
        std::string content;
    };
    static std::string key(std::string_view path);
    static std::string parent(const std::string& key);
    bool fails(const std::string& k) const { return failing_.count(k) != 0; }
    bool can_write(const std::string& k) const;
    // A rename, or a replace when the target may exist.
    bool move(std::string_view from, std::string_view to, bool over_existing);

    std::map<std::string, File> files_;
    std::set<std::string> folders_;
    std::set<std::string> failing_;
    std::map<std::string, int> refused_renames_;
    std::optional<std::size_t> space_;
    std::set<std::string> protected_;
    std::unique_ptr<Files> person_;
    std::string work_folder_ = "C:\\WINDOWS\\TEMP\\";
    std::string program_path_ = "C:\\Program Files\\Vardex\\vado41.exe";
};

}  // namespace vardex::sim
