#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_record.h"

namespace vardex {

// The options file: most settings as key=value lines, to copy them from one machine to
// another. Plain text in the ANSI code page, CR LF line ends.

// The file's text for these settings, every line in its place.
std::string write_options_file(const SettingsRecord& record);

// One line of a file: the key with its blanks left out, and everything after the first "=".
struct OptionEntry {
    std::string key;
    std::string value;
};

class OptionsFile {
  public:
    // The entries of a file's text, in file order. Every line is one entry, so a value may hold
    // commas, quotes and "=".
    explicit OptionsFile(std::string_view text);

    const std::vector<OptionEntry>& entries() const { return entries_; }
    // The value of the first entry with this key (letter case counts); nullopt when there is
    // none.
    std::optional<std::string> value(std::string_view key) const;

  private:
    std::vector<OptionEntry> entries_;
    std::map<std::string, std::size_t, std::less<>> first_;
};

// Whether a file can be used on this machine: opened for reading, or for appending.
using FileUsable = std::function<bool(const std::string& path, bool for_reading)>;

// Takes the file's settings over into the record: the lists, the log file and its switches
// (when that file can be used here), the other settings, the logo (when it can be loaded).
// All or nothing: when an entry cannot be read (a number that is missing where a list needs
// it, not a number, out of its range) the record is left as it was and false is returned,
// before any file was looked at.
bool take_over_options(const OptionsFile& file, SettingsRecord& record,
                       const FileUsable& file_usable);

}  // namespace vardex
