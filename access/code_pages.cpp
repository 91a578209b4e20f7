#include "access/code_pages.h"

#include "access/code_page_file.h"
#include "access/code_pages_page.h"
#include "platform/ansi.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "settings/time_boxes.h"
#include "settings/user_messages.h"

namespace vardex {

std::optional<std::array<std::string, codes_per_page>> generate_code_set(SecureRandom& random) {
    // Bytes are asked for in batches; bytes of 250 and more are passed over, so that each
    // digit is equally likely.
    std::array<std::uint8_t, 1024> bytes{};
    std::size_t next = bytes.size();
    auto digit = [&]() -> int {
        for (;;) {
            if (next == bytes.size()) {
                if (!random.fill(bytes)) {
                    return -1;
                }
                next = 0;
            }
            const std::uint8_t byte = bytes[next++];
            if (byte < 250) {
                return byte % 10;
            }
        }
    };
    std::array<std::string, codes_per_page> codes;
    for (std::string& code : codes) {
        for (int i = 0; i < 15; ++i) {
            const int d = digit();
            if (d < 0) {
                return std::nullopt;
            }
            code += static_cast<char>('0' + d);
        }
        code += '1';
    }
    return codes;
}

CodePages::CodePages(CodePagesPage& page, SettingsStore& settings, Platform& platform,
                     UserMessages& messages)
    : page_(page), settings_(settings), platform_(platform), messages_(messages) {
    page.create_button.on_click = [this] { create_code_page(); };
    page.renew_button.on_click = [this] { renew_code_page(); };
    page.invalidate_button.on_click = [this] { invalidate_code_page(); };
    page.reprint_button.on_click = [this] { reprint_code_page(); };
    page.save_file_button.on_click = [this] { save_code_page_file(); };
    page.print_file_button.on_click = [this] { print_code_page_file(); };
}

void CodePages::message(const std::string& text) {
    messages_.message(text);
}

int CodePages::selected_page(const std::string& nothing_selected) {
    const ListBox& list = page_.pages;
    int found = -1;
    for (int i = 0; i < list.list_count(); ++i) {
        if (list.selected(i)) {
            found = i;  // when several are selected the last one counts
        }
    }
    if (found < 0 || found >= static_cast<int>(settings_.record().code_pages.size())) {
        message(nothing_selected);
        return -1;
    }
    return found;
}

void CodePages::refill_list() {
    ListBox& list = page_.pages;
    list.clear();
    for (const CodePage& page : settings_.record().code_pages) {
        list.add_item(code_page_list_line(page));
    }
}

CodeSheet CodePages::sheet_of(const CodePage& page) const {
    CodeSheet sheet;
    sheet.codes = page.codes;
    sheet.hours = page.cpstd;
    sheet.minutes = page.cpmin;
    sheet.number = page.cpnr;
    sheet.comment = trim_spaces(page.cpcom);
    return sheet;
}

bool CodePages::print_sheet(const CodeSheet& sheet) {
    Clock& clock = platform_.clock();
    const std::optional<PrinterError> error =
        print_code_page(platform_.printer(), sheet, clock.short_date_text(clock.today()));
    if (error) {
        message(printing_error_text(*error));
        return false;
    }
    message("Printing successful!");
    return true;
}

void CodePages::create_code_page() {
    CodePagesPage& page = page_;
    const std::string hours = page.hours_box.text();
    const std::string minutes = page.minutes_box.text();
    auto& pages = settings_.record().code_pages;
    if (hours.empty()) {
        message(
            "You have to enter a number of hours, for which the Direct Access Code will give "
            "access to the computer!");
        return;
    }
    if (const auto refusal = time_digits_refusal(hours, minutes)) {
        message(*refusal);
        return;
    }
    if (minutes.empty()) {
        message(
            "You have to enter a number of minutes, for which the Direct Access Code will give "
            "access to the computer!");
        return;
    }
    if (pages.size() >= max_code_pages) {
        message(
            "The maximum allowed number of Code Pages has been reached.\nPlease invalidate another "
            "Code Page before continuing!");
        return;
    }
    const auto codes = generate_code_set(platform_.secure_random());
    if (!codes) {
        message("The system gave no random numbers! No Code Page was made.");
        return;
    }
    CodePage made;
    made.codes = *codes;
    made.canz = codes_per_page;
    made.cpnr = 1;
    // The boxes take two digits each.
    made.cpstd = static_cast<std::int16_t>(whole_number(hours).value_or(0));
    made.cpmin = static_cast<std::int32_t>(whole_number(minutes).value_or(0));
    made.cpcom = page.comment_box.text();
    // The page is kept whether its sheet prints or not: it can be reprinted.
    print_sheet(sheet_of(made));
    pages.push_back(made);
    settings_.store_code_pages();
    page.pages.add_item(code_page_list_line(made));
    page.hours_box.set_text("");
    page.minutes_box.set_text("");
    page.comment_box.set_text("");
}

void CodePages::renew_code_page() {
    const int index = selected_page(
        "No new values where given to a code page, because no one was selected in the list!");
    if (index < 0) {
        return;
    }
    CodePage& page = settings_.record().code_pages[static_cast<std::size_t>(index)];
    if (page.canz > 0 &&
        !platform_.desktop().yes_no_box("There are still " + std::to_string(page.canz) +
                                            " codes on the old code page with the number " +
                                            std::to_string(page.cpnr) +
                                            "!\nIf you continue they will be invalidated! Do "
                                            "you want to continue?",
                                        "Vardex - Question")) {
        message("No Code Page was changed!");
        return;
    }
    const auto codes = generate_code_set(platform_.secure_random());
    if (!codes) {
        message("The system gave no random numbers! No Code Page was changed.");
        return;
    }
    CodePage renewed = page;
    renewed.codes = *codes;
    renewed.canz = codes_per_page;
    renewed.cpnr = page.cpnr + 1;
    print_sheet(sheet_of(renewed));
    page = renewed;
    settings_.store_code_pages();
    refill_list();
}

void CodePages::invalidate_code_page() {
    const int index =
        selected_page("No Code Page was made invalid, because no one was selected in the list!");
    if (index < 0) {
        return;
    }
    if (!platform_.desktop().yes_no_box(
            "Are you sure, you want to invalidate the Code Page Selected?", "Vardex - Question")) {
        return;
    }
    auto& pages = settings_.record().code_pages;
    page_.pages.remove_item(index);
    pages.erase(pages.begin() + index);
    settings_.store_code_pages();
}

void CodePages::reprint_code_page() {
    const int index =
        selected_page("No Code Page was printed, because no one was selected in the list!");
    if (index < 0) {
        return;
    }
    print_sheet(sheet_of(settings_.record().code_pages[static_cast<std::size_t>(index)]));
}

void CodePages::save_code_page_file() {
    const int index =
        selected_page("No code page was saved to a file, because no one was selected in the list!");
    if (index < 0) {
        return;
    }
    const std::optional<std::string> path =
        platform_.desktop().file_dialog(FileDialogRequest::save_as());
    if (!path) {
        return;
    }
    Clock& clock = platform_.clock();
    const LocalTime now = clock.now();
    const std::string text =
        write_code_page_file(settings_.record().code_pages[static_cast<std::size_t>(index)],
                             clock.short_date_text(now.day), clock.time_text(now.seconds));
    if (!write_whole_file(platform_.person_files(), *path, text)) {
        message("Error while writing to file! Nothing was saved!");
        return;
    }
    message("Code Page was succesfully written to file!");
}

void CodePages::print_code_page_file() {
    const std::optional<std::string> path =
        platform_.desktop().file_dialog(FileDialogRequest::open_existing());
    if (!path) {
        return;
    }
    std::string text;
    if (!platform_.person_files().read(*path, text)) {
        message("Error while reading the file! Maybe a wrong file format or name!");
        return;
    }
    const CodePageFileRead read = read_code_page_file(text);
    switch (read.error) {
        case CodePageFileError::reading:
            message("Error while reading the file! Maybe a wrong file format or name!");
            return;
        case CodePageFileError::format:
            message(
                "Fileformat was wrong! Be sure that the file is an original\nCode Page file, which "
                "was saved by Vardex.");
            return;
        case CodePageFileError::none:
            break;
    }
    print_sheet(read.sheet);
}

}  // namespace vardex
