#include "access/code_page_file.h"

#include <charconv>
#include <vector>

namespace vardex {

namespace {

constexpr char crlf[] = "\r\n";
constexpr std::string_view hours_prefix = "Sheet default time houres: ";
constexpr std::string_view minutes_prefix = "Sheet default time minutes: ";
constexpr std::string_view comment_prefix = "Sheet comment: ";
constexpr std::string_view number_prefix = "Sheet number: ";
constexpr std::size_t file_lines = 68;

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < file_lines) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// The whole number after a line's prefix; nullopt when it is no number.
std::optional<long> number_after(std::string_view line, std::string_view prefix) {
    std::string_view rest = line.substr(prefix.size());
    while (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && rest.back() == ' ') {
        rest.remove_suffix(1);
    }
    long v = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), v);
    if (rest.empty() || error != std::errc{} || end != rest.data() + rest.size()) {
        return std::nullopt;
    }
    return v;
}

}  // namespace

std::string write_code_page_file(const CodePage& page, const std::string& date_text,
                                 const std::string& time_text) {
    std::string out = "This file was saved on: " + date_text + " at " + time_text + crlf;
    out += std::string(hours_prefix) + std::to_string(page.cpstd) + crlf;
    out += std::string(minutes_prefix) + std::to_string(page.cpmin) + crlf;
    out += std::string(comment_prefix) + page.cpcom + crlf;
    out += std::string(number_prefix) + std::to_string(page.cpnr) + crlf;
    out += std::string(" ") + crlf + "THE CODES:" + crlf + " " + crlf;
    for (std::size_t k = 0; k < codes_per_page; ++k) {
        const std::string& code = page.codes[k];
        std::string index = std::to_string(k + 1);
        if (index.size() < 2) {
            index.insert(index.begin(), '0');
        }
        out += index + ".) " + code.substr(0, 15) +
               (code.size() >= 16 && code[15] == '0' ? " / invalid" : " / valid") + crlf;
    }
    return out;
}

CodePageFileRead read_code_page_file(std::string_view text) {
    CodePageFileRead result;
    const std::vector<std::string_view> lines = split_lines(text);
    // Line by line, as the file is read: the first line that is not what it should be says
    // what is wrong, so a short file of another kind is a wrong format, not a reading error.
    std::optional<CodePageFileError> error;
    auto fail = [&error](CodePageFileError e) {
        if (!error) {
            error = e;
        }
    };
    auto line = [&](std::size_t index) -> std::optional<std::string_view> {
        if (index >= lines.size()) {
            fail(CodePageFileError::reading);  // the file ended
            return std::nullopt;
        }
        return lines[index];
    };
    auto prefixed = [&](std::size_t index, std::string_view prefix) {
        const std::optional<std::string_view> l = line(index);
        if (l && l->substr(0, prefix.size()) != prefix) {
            fail(CodePageFileError::format);
        }
        return error ? std::nullopt : l;
    };
    auto number = [&](std::size_t index, std::string_view prefix, long below) -> long {
        const std::optional<std::string_view> l = prefixed(index, prefix);
        if (!l) {
            return 0;
        }
        const std::optional<long> n = number_after(*l, prefix);
        if (!n) {
            fail(CodePageFileError::reading);
        } else if (*n < 0 || *n >= below) {
            fail(CodePageFileError::format);
        }
        return n.value_or(0);
    };
    line(0);
    const long hours = number(1, hours_prefix, 100);
    const long minutes = number(2, minutes_prefix, 100);
    const std::optional<std::string_view> comment = prefixed(3, comment_prefix);
    const long sheet_number = number(4, number_prefix, 10000);
    line(file_lines - 1);
    if (error) {
        result.error = *error;
        return result;
    }
    CodeSheet& sheet = result.sheet;
    sheet.hours = static_cast<int>(hours);
    sheet.minutes = static_cast<int>(minutes);
    sheet.number = static_cast<int>(sheet_number);
    sheet.comment = std::string(comment->substr(comment_prefix.size()));
    for (std::size_t k = 0; k < codes_per_page; ++k) {
        const std::string_view line = lines[8 + k];
        // Characters 6 to 20 are the code, character 24 tells valid ("v") from used.
        std::string code(line.size() > 5 ? line.substr(5, 15) : std::string_view{});
        code.resize(15, ' ');
        code += line.size() > 23 && line[23] == 'v' ? '1' : '0';
        sheet.codes[k] = code;
    }
    return result;
}

}  // namespace vardex
