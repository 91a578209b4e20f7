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
    if (lines.size() < file_lines) {
        result.error = CodePageFileError::reading;
        return result;
    }
    auto starts = [](std::string_view line, std::string_view prefix) {
        return line.substr(0, prefix.size()) == prefix;
    };
    if (!starts(lines[1], hours_prefix) || !starts(lines[2], minutes_prefix) ||
        !starts(lines[3], comment_prefix) || !starts(lines[4], number_prefix)) {
        result.error = CodePageFileError::format;
        return result;
    }
    const auto hours = number_after(lines[1], hours_prefix);
    const auto minutes = number_after(lines[2], minutes_prefix);
    const auto number = number_after(lines[4], number_prefix);
    if (!hours || !minutes || !number) {
        result.error = CodePageFileError::reading;
        return result;
    }
    if (*hours < 0 || *hours > 99 || *minutes < 0 || *minutes > 99 || *number < 0 ||
        *number >= 10000) {
        result.error = CodePageFileError::format;
        return result;
    }
    CodeSheet& sheet = result.sheet;
    sheet.hours = static_cast<int>(*hours);
    sheet.minutes = static_cast<int>(*minutes);
    sheet.number = static_cast<int>(*number);
    sheet.comment = std::string(lines[3].substr(comment_prefix.size()));
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
