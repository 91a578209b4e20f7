#pragma once

#include <array>
#include <optional>
#include <string>

#include "access/code_page_print.h"
#include "settings/settings_record.h"

namespace vardex {

class CodePagesPage;
class Platform;
class SecureRandom;
class SettingsStore;
class UserMessages;

// 60 fresh codes of 15 digits from the system's cryptographic source, each valid ("1" after
// the digits); nullopt when the source failed.
std::optional<std::array<std::string, codes_per_page>> generate_code_set(SecureRandom& random);

// Code Pages on the options dialog's "&Direct. Acc" page: making, renewing, reprinting and
// invalidating them, and their file.
class CodePages {
  public:
    CodePages(CodePagesPage& page, SettingsStore& settings, Platform& platform,
              UserMessages& messages);

    void create_code_page();
    void renew_code_page();
    void invalidate_code_page();
    void reprint_code_page();
    void save_code_page_file();
    void print_code_page_file();
    // Prints a sheet and says how it went; true when it printed.
    bool print_sheet(const CodeSheet& sheet);

  private:
    // The last selected line of the page list, or -1 (and the message) when there is none.
    int selected_page(const std::string& nothing_selected);
    void refill_list();
    CodeSheet sheet_of(const CodePage& page) const;
    void message(const std::string& text);
    CodePagesPage& page_;
    SettingsStore& settings_;
    Platform& platform_;
    UserMessages& messages_;
};

}  // namespace vardex
