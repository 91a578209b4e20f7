#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "access/code_page_print.h"
#include "settings/settings_record.h"

namespace vardex {

// The Code Page file: 68 lines, CR LF, that keep a page for the records or for printing on
// another machine.
std::string write_code_page_file(const CodePage& page, const std::string& date_text,
                                 const std::string& time_text);

// Reading a file back, line by line (so a comment may hold commas).
enum class CodePageFileError {
    none,
    format,   // not a file of this kind, or a time or number out of range
    reading,  // too short, or a number that is no number
};
struct CodePageFileRead {
    CodePageFileError error = CodePageFileError::none;
    CodeSheet sheet;
};
CodePageFileRead read_code_page_file(std::string_view text);

}  // namespace vardex
