#include "access/code_page_print.h"

#include <cmath>

namespace vardex {

namespace {

constexpr int max_steps = 15;
constexpr int fallback_points = 10;

// The code as printed: groups of three digits, each followed by a blank.
std::string grouped(const std::string& code) {
    std::string out = "Direct Access Code: ";
    for (std::size_t i = 0; i < 15; i += 3) {
        out += code.substr(i, 3) + " ";
    }
    return out;
}

bool valid(const std::string& code) {
    return code.size() >= 16 && code[15] == '1';
}

}  // namespace

void fit_font_size(Printer& printer, std::string_view text, double max_width, double max_height) {
    int steps = 0;
    while (printer.text_height(text) < max_height && printer.text_width(text) < max_width &&
           steps < max_steps) {
        printer.set_font_size(printer.font_size() + 1);
        ++steps;
    }
    if (steps == max_steps) {
        printer.set_font_size(fallback_points);
        return;
    }
    // Bounded in both conditions: a text that fits at no size ends at the fallback.
    steps = 0;
    while ((printer.text_height(text) > max_height || printer.text_width(text) > max_width) &&
           steps < max_steps) {
        printer.set_font_size(printer.font_size() - 1);
        ++steps;
    }
    if (steps >= max_steps) {
        printer.set_font_size(fallback_points);
    }
}

std::optional<PrinterError> print_code_page(Printer& printer, const CodeSheet& sheet,
                                            const std::string& date_text) {
    if (!printer.begin_document()) {
        return printer.last_error();
    }
    auto failed = [&printer] {
        const PrinterError error = printer.last_error();
        printer.abort_document();
        return error;
    };
    printer.set_scale(0, 0, 10000, 15000);
    fit_font_size(printer, "Direct Access Code: 999-999-999-999-999", 4300, 380);
    // The offset that centres a line of text in a row 450 units high.
    const double h = printer.text_height("Direct Access Code: 999-999-999-999-999");
    const double f = std::nearbyint(std::nearbyint((450 - h) / 2 + h) - h);
    for (int column = 0; column < 2; ++column) {
        for (int r = 0; r < 30; ++r) {
            const std::string& code = sheet.codes[static_cast<std::size_t>(column * 30 + r)];
            if (valid(code) &&
                !printer.print_text(column == 0 ? 500 : 5200, 1500 + 450.0 * r, grouped(code))) {
                return failed();
            }
        }
    }
    if (!printer.draw_box(10, 1500 - f - 20, 9990, 1500 - f, true) ||
        !printer.draw_box(4992, 1500 - f, 5008, 15000, true)) {
        return failed();
    }
    for (int j = 1; j <= 30; ++j) {
        const double y = 1500 + 450.0 * j - f;
        if (!printer.draw_line(10, y, 9990, y)) {
            return failed();
        }
    }
    struct Heading {
        std::string text;
        double width, height;
        enum class Place { right, centre, left, right_above_rows } place;
        double y;
    };
    const Heading headings[] = {
        {"Printing Date: " + date_text, 5000, 300, Heading::Place::right, 0},
        {"Vardex", 10000, 400, Heading::Place::centre, 100},
        {"Direct Access Codes", 10000, 300, Heading::Place::centre, 500},
        {sheet.comment, 10000, 250, Heading::Place::centre, 800},
        {"Sheet Nr: " + std::to_string(sheet.number), 5000, 300, Heading::Place::right_above_rows,
         0},
        {"Sheet Default time: " + std::to_string(sheet.hours) + ":" + std::to_string(sheet.minutes),
         5000, 300, Heading::Place::left, 0},
    };
    for (const Heading& heading : headings) {
        fit_font_size(printer, heading.text, heading.width, heading.height);
        const double w = printer.text_width(heading.text);
        double x = 0;
        double y = heading.y;
        switch (heading.place) {
            case Heading::Place::right:
                x = 10000 - w;
                break;
            case Heading::Place::centre:
                x = 5000 - w / 2;
                break;
            case Heading::Place::right_above_rows:
                x = 10000 - w;
                y = 1470 - f - printer.text_height(heading.text);
                break;
            case Heading::Place::left:
                break;
        }
        if (!printer.print_text(x, y, heading.text)) {
            return failed();
        }
    }
    if (!printer.end_document()) {
        return failed();
    }
    return std::nullopt;
}

std::string printing_error_text(const PrinterError& error) {
    return "An Error occured when trying to print!\nThe system returned the following values:\n"
           "\nError Code: " +
           std::to_string(error.number) + "\nError Discription:" + error.description +
           "\n\nTry to solve the problem and then reprint the code page!\n\n";
}

}  // namespace vardex
