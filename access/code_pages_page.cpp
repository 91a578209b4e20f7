#include "access/code_pages_page.h"

namespace vardex {

std::string code_page_list_line(const CodePage& page) {
    std::string line = std::to_string(page.cpstd) + ":" + std::to_string(page.cpmin);
    line.resize(std::max<std::size_t>(line.size(), 6), ' ');
    std::string left = std::to_string(page.canz);
    left.resize(std::max<std::size_t>(left.size(), 3), ' ');
    line += "/ " + left + "/ " + std::to_string(page.cpnr) + "/ ";
    if (!page.cpcom.empty()) {
        line += page.cpcom.substr(0, 20);
    }
    return line;
}

CodePagesPage::CodePagesPage(Form& f, Frame& p) : form(f), page(p) {
    frame.set_caption("Direct Access Codes");
    frame.move(60, 0, 8160, 2640);
    list_label.set_caption("Code Pages: Time / Codes Left / Nr / Comment");
    list_label.move(120, 270, 5040, 255);
    pages.move(120, 540, 5040, 1950);
    invalidate_button.set_caption("&Make Code Page invalid");
    invalidate_button.move(5340, 270, 2700, 375);
    reprint_button.set_caption("&Reprint Code Page");
    reprint_button.move(5340, 705, 2700, 375);
    renew_button.set_caption("Give ne&w Codes to Code Page");
    renew_button.move(5340, 1140, 2700, 375);
    save_file_button.set_caption("Sa&ve Code Page to file...");
    save_file_button.move(5340, 1575, 2700, 375);
    print_file_button.set_caption("Print Code Page &from file...");
    print_file_button.move(5340, 2010, 2700, 375);

    new_frame.set_caption("Generate a new Code Page");
    new_frame.move(60, 2760, 8160, 1560);
    hours_label.set_caption("Hours:");
    hours_label.move(120, 420, 720, 255);
    hours_box.move(840, 390, 600, 315);
    hours_box.set_max_length(2);
    minutes_label.set_caption("Minutes:");
    minutes_label.move(1680, 420, 900, 255);
    minutes_box.move(2580, 390, 600, 315);
    minutes_box.set_max_length(2);
    comment_label.set_caption("Comment:");
    comment_label.move(120, 930, 900, 255);
    comment_box.move(1080, 900, 4080, 315);
    comment_box.set_max_length(200);
    create_button.set_caption("Make new &Code Page");
    create_button.move(5340, 870, 2700, 375);
}

void CodePagesPage::fill(const SettingsRecord& r) {
    pages.clear();
    for (const CodePage& page : r.code_pages) {
        pages.add_item(code_page_list_line(page));
    }
}

Explanations CodePagesPage::explanations() {
    return {
        {&frame, ""},
        {&new_frame, " "},
        {&pages,
         "In this list the valid Code Pages are shown. For each page: the time a code gives, how "
         "many codes are left, the number of the sheet and its comment."},
        {&invalidate_button,
         "If you want to get rid of a Code Page, mark it in the list and press this button: none "
         "of its codes will be accepted any more."},
        {&reprint_button,
         "If you lost a Code Page, mark it in the list and press this button: the sheet is "
         "printed again with the codes that are still unused."},
        {&create_button,
         "After you filled out the textboxes above, press this button: a new Code Page with 60 "
         "Direct Access Codes is made and printed."},
        {&renew_button,
         "If the an existing Code Page contains no more valid codes, press this button: the page "
         "gets 60 new codes and a new number, and is printed."},
        {&print_file_button,
         "If you press this button you can print out a saved Code Page file, for example on a "
         "computer with a printer."},
        {&save_file_button,
         "You need this function if this computer has no access to a Printer: the marked Code "
         "Page is saved to a text file, which you can print on another computer."},
        {&hours_box,
         "In this textbox enter the number of hours, for which each code of the new page gives "
         "access to the computer."},
        {&minutes_box,
         "In this textbox enter the number of minutes, for which each code of the new page gives "
         "access to the computer."},
        {&comment_box,
         "In this textbox you can enter a comment, which is printed on the Code Page and shown in "
         "the list."},
    };
}

}  // namespace vardex
