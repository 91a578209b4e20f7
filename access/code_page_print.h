#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/printer.h"
#include "settings/settings_record.h"

namespace vardex {

// What a printed Code Page shows: its codes (15 digits and the state, "1" valid), its time,
// number and comment.
struct CodeSheet {
    std::array<std::string, codes_per_page> codes;
    int hours = 0;
    int minutes = 0;
    int number = 1;
    std::string comment;
};

// Lays one sheet out on the default printer in a 10000 x 15000 scale: the header, the valid
// codes in two columns of 30 rows, the bar, the divider and the row lines. Used codes leave
// their row empty. Returns the printer's error when it failed.
std::optional<PrinterError> print_code_page(Printer& printer, const CodeSheet& sheet,
                                            const std::string& date_text);

// Sizes the printer's font (whole points) so that the text fits the box: up by steps while it
// is smaller, down while it is larger, at most 15 steps each way; past that, 10 points.
void fit_font_size(Printer& printer, std::string_view text, double max_width, double max_height);

// The message for a failed print.
std::string printing_error_text(const PrinterError& error);

}  // namespace vardex
