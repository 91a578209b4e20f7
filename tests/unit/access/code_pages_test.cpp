#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../core/program_fixture.h"
#include "access/code_page_file.h"
#include "access/code_page_print.h"

namespace vardex {
namespace {

using Op = sim::SimPrinter::Op;

// The operator's "&Direct. Acc" page.
struct CodePagesTest : testing::BlockedMachineTest {
    CodePagesTest() { start_blocked(); }
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(open_page()); }
    CodePagesPage& page() { return p->options_dialog.code_pages; }
    std::vector<CodePage>& pages() { return p->settings.record().code_pages; }
    sim::SimPrinter& printer() { return pc.machine.printer(); }
    void open_page() {
        ASSERT_TRUE(user->click(p->vardex_dialog.options_button));
        ASSERT_TRUE(user->replace_text(p->sec_dialog.password_box, "zel"));
        ASSERT_TRUE(user->click(p->sec_dialog.ok_button));
        ASSERT_TRUE(user->select_tab(p->options_dialog.tabs, 4));
    }
    void make(const std::string& hours, const std::string& minutes, const std::string& comment) {
        ASSERT_TRUE(user->replace_text(page().hours_box, hours));
        ASSERT_TRUE(user->replace_text(page().minutes_box, minutes));
        ASSERT_TRUE(user->replace_text(page().comment_box, comment));
        ASSERT_TRUE(user->click(page().create_button));
    }
    void pick(int line) { ASSERT_TRUE(user->select(page().pages, line)); }
    std::string last_message() {
        const TimeDialog& t = p->time_dialog;
        return t.message_count > 0 ? t.mess_txt[t.message_count - 1].caption() : "";
    }
    // The texts printed in a column, by row; empty where no code was printed.
    static std::vector<std::string> column(const sim::SimPrinter::Page& sheet, double x) {
        std::vector<std::string> rows(30);
        for (const Op& op : sheet.ops) {
            if (op.kind == Op::Kind::text && op.x1 == x) {
                rows.at(static_cast<std::size_t>((op.y1 - 1500) / 450)) = op.text;
            }
        }
        return rows;
    }
    static std::string printed(const std::string& code) {
        return "Direct Access Code: " + code.substr(0, 3) + " " + code.substr(3, 3) + " " +
               code.substr(6, 3) + " " + code.substr(9, 3) + " " + code.substr(12, 3) + " ";
    }
};

TEST_F(CodePagesTest, ANewPageIsPrintedWithItsSixtyCodesAndListed) {
    make("1", "30", "Room A");
    EXPECT_EQ(last_message(), "Printing successful!");
    ASSERT_EQ(pages().size(), 1u);
    const CodePage& made = pages()[0];
    EXPECT_EQ(made.canz, 60);
    EXPECT_EQ(made.cpnr, 1);
    EXPECT_EQ(made.cpstd, 1);
    EXPECT_EQ(made.cpmin, 30);
    EXPECT_EQ(made.cpcom, "Room A");
    EXPECT_EQ(page().pages.items(), (std::vector<std::string>{"1:30  / 60 / 1/ Room A"}));
    EXPECT_EQ(page().hours_box.text(), "");
    EXPECT_EQ(page().comment_box.text(), "");

    ASSERT_EQ(printer().printed().size(), 1u);
    const auto& sheet = printer().printed()[0];
    EXPECT_EQ(sheet.scale_width, 10000);
    EXPECT_EQ(sheet.scale_height, 15000);
    const auto left = column(sheet, 500);
    const auto right = column(sheet, 5200);
    for (int r = 0; r < 30; ++r) {
        EXPECT_EQ(left[static_cast<std::size_t>(r)],
                  printed(made.codes[static_cast<std::size_t>(r)]));
        EXPECT_EQ(right[static_cast<std::size_t>(r)],
                  printed(made.codes[static_cast<std::size_t>(30 + r)]));
    }
    // The bar, the divider and the 30 row lines; then the header texts in their order.
    int boxes = 0;
    int lines = 0;
    std::vector<std::string> headings;
    for (const Op& op : sheet.ops) {
        boxes += op.kind == Op::Kind::filled_box ? 1 : 0;
        lines += op.kind == Op::Kind::line ? 1 : 0;
        if (op.kind == Op::Kind::text && op.x1 != 500 && op.x1 != 5200) {
            headings.push_back(op.text);
        }
    }
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(lines, 30);
    EXPECT_EQ(headings, (std::vector<std::string>{"Printing Date: 07.12.2026", "Vardex",
                                                  "Direct Access Codes", "Room A", "Sheet Nr: 1",
                                                  "Sheet Default time: 1:30"}));
    // For people to look at.
    std::filesystem::create_directories(VARDEX_TEST_ARTIFACTS);
    std::ofstream(std::string(VARDEX_TEST_ARTIFACTS) + "/code-page.svg")
        << sim::SimPrinter::to_svg(sheet);
}

TEST_F(CodePagesTest, TheCodesComeFromTheCryptographicSourceNotTheClockSeededOne) {
    // The generator of the security check, seeded from the clock, would give all zeros here.
    for (int i = 0; i < 900; ++i) {
        pc.process(*p).sim_random().queue({0.0});
    }
    make("0", "0", "");
    const CodePage made = pages()[0];
    EXPECT_NE(made.codes[0].substr(0, 15), std::string(15, '0'));
    // Another seed of the system's source, other codes.
    pc.process(*p).sim_secure_random().seed(7);
    make("0", "0", "");
    EXPECT_NE(pages()[1].codes[0], made.codes[0]);
    // A source that fails makes no page.
    pc.process(*p).sim_secure_random().set_failing(true);
    make("0", "15", "");
    EXPECT_EQ(pages().size(), 2u);
    EXPECT_EQ(last_message(), "The system gave no random numbers! No Code Page was made.");
}

TEST_F(CodePagesTest, TheChecksOfANewPageComeInOrder) {
    const std::vector<std::tuple<const char*, const char*, std::string>> refused = {
        {"", "30",
         "You have to enter a number of hours, for which the Direct Access Code will give access "
         "to the computer!"},
        {"1a", "30", "Please enter an integer in the 'hours' Textbox!"},
        {"1", "3-", "Please enter just integers in the 'Minutes' Textbox!"},
        {"1", "",
         "You have to enter a number of minutes, for which the Direct Access Code will give "
         "access to the computer!"},
    };
    for (const auto& [hours, minutes, text] : refused) {
        make(hours, minutes, "x");
        EXPECT_EQ(last_message(), text);
        EXPECT_TRUE(pages().empty());
    }
    for (int i = 0; i < 7; ++i) {
        make("0", "0", "page " + std::to_string(i));
    }
    EXPECT_EQ(pages().size(), 7u);
    make("1", "0", "eighth");
    EXPECT_EQ(last_message(),
              "The maximum allowed number of Code Pages has been reached.\nPlease invalidate "
              "another Code Page before continuing!");
    EXPECT_EQ(pages().size(), 7u);
    // Invalidating page 0 moves the others down; then a new one can be made.
    pick(0);
    pc.machine.desktop().answer_yes_no(true);
    ASSERT_TRUE(user->click(page().invalidate_button));
    EXPECT_EQ(pc.machine.desktop().questions().back(),
              "Are you sure, you want to invalidate the Code Page Selected?");
    ASSERT_EQ(pages().size(), 6u);
    EXPECT_EQ(pages()[0].cpcom, "page 1");
    EXPECT_EQ(page().pages.item(0), "0:0   / 60 / 1/ page 1");
    make("1", "0", "eighth");
    EXPECT_EQ(pages().size(), 7u);
    // The pages reach the store when the options are left.
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    EXPECT_EQ(pc.number("cpanz"), 7);
}

TEST_F(CodePagesTest, RenewReprintAndInvalidateActOnTheSelectedPage) {
    make("2", "0", "  Room B  ");
    for (auto [button, text] : std::initializer_list<std::pair<CommandButton*, const char*>>{
             {&page().renew_button,
              "No new values where given to a code page, because no one was selected in the "
              "list!"},
             {&page().reprint_button,
              "No Code Page was printed, because no one was selected in the list!"},
             {&page().invalidate_button,
              "No Code Page was made invalid, because no one was selected in the list!"},
             {&page().save_file_button,
              "No code page was saved to a file, because no one was selected in the list!"}}) {
        ASSERT_TRUE(user->click(*button));
        EXPECT_EQ(last_message(), text);
    }
    const std::array<std::string, 60> first = pages()[0].codes;
    pick(0);
    // A page with valid codes asks first; No changes nothing.
    pc.machine.desktop().answer_yes_no(false);
    ASSERT_TRUE(user->click(page().renew_button));
    EXPECT_EQ(pc.machine.desktop().questions().back(),
              "There are still 60 codes on the old code page with the number 1!\nIf you continue "
              "they will be invalidated! Do you want to continue?");
    EXPECT_EQ(last_message(), "No Code Page was changed!");
    EXPECT_EQ(pages()[0].codes, first);
    // A used-up page is renewed without a question: 60 new codes, the next number.
    for (std::string& code : pages()[0].codes) {
        code[15] = '0';
    }
    pages()[0].canz = 0;
    const auto questions = pc.machine.desktop().questions().size();
    ASSERT_TRUE(user->click(page().renew_button));
    EXPECT_EQ(pc.machine.desktop().questions().size(), questions);
    EXPECT_EQ(pages()[0].cpnr, 2);
    EXPECT_EQ(pages()[0].canz, 60);
    EXPECT_NE(pages()[0].codes, first);
    EXPECT_EQ(page().pages.item(0), "2:0   / 60 / 2/   Room B  ");
    // The sheet carries the trimmed comment and the new number.
    const auto& renewed = printer().printed().back();
    EXPECT_NE(std::find_if(renewed.ops.begin(), renewed.ops.end(),
                           [](const Op& op) { return op.text == "Room B"; }),
              renewed.ops.end());
    // A reprint leaves used codes' rows empty; index 29 ends the left column, 30 starts the
    // right one.
    pages()[0].codes[29][15] = '0';
    pages()[0].codes[30][15] = '0';
    const auto sheets = printer().printed().size();
    pick(0);  // the renewal filled the list anew
    ASSERT_TRUE(user->click(page().reprint_button));
    ASSERT_EQ(printer().printed().size(), sheets + 1);
    const auto& again = printer().printed().back();
    EXPECT_EQ(column(again, 500)[29], "");
    EXPECT_EQ(column(again, 5200)[0], "");
    EXPECT_EQ(column(again, 500)[28], printed(pages()[0].codes[28]));
    EXPECT_EQ(column(again, 5200)[1], printed(pages()[0].codes[31]));
}

TEST_F(CodePagesTest, WithoutAPrinterThePageIsKeptAndTheErrorTold) {
    printer().set_installed(false);
    make("1", "0", "offline");
    EXPECT_EQ(last_message(),
              "An Error occured when trying to print!\nThe system returned the following values:"
              "\n\nError Code: 484\nError Discription:Problem getting printer information from "
              "the system. Make sure the printer is set up correctly.\n\nTry to solve the problem "
              "and then reprint the code page!\n\n");
    ASSERT_EQ(pages().size(), 1u);
    EXPECT_EQ(page().pages.list_count(), 1);
    // A printer failing in the middle of the sheet: the same, the document is dropped.
    printer().set_installed(true);
    printer().fail_after(40);
    pick(0);
    ASSERT_TRUE(user->click(page().reprint_button));
    EXPECT_NE(last_message().find("Error Code: 482"), std::string::npos);
    EXPECT_FALSE(printer().in_document());
    EXPECT_TRUE(printer().printed().empty());
}

TEST_F(CodePagesTest, APageGoesToAFileAndPrintsFromIt) {
    make("12", "5", "Room, upstairs");  // a comma in the comment
    pages()[0].codes[3][15] = '0';
    pick(0);
    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\page.txt");
    ASSERT_TRUE(user->click(page().save_file_button));
    EXPECT_EQ(last_message(), "Code Page was succesfully written to file!");
    const FileDialogRequest& asked = pc.machine.desktop().file_dialogs().back();
    EXPECT_TRUE(asked.overwrite_prompt && asked.hide_read_only && asked.path_must_exist);
    const std::string file = pc.machine.files().content("c:\\users\\public\\page.txt").value_or("");
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 68);
    EXPECT_EQ(file.substr(0, 45), "This file was saved on: 07.12.2026 at 09:00:0");
    EXPECT_NE(file.find("\r\nSheet default time houres: 12\r\nSheet default time minutes: 5\r\n"
                        "Sheet comment: Room, upstairs\r\nSheet number: 1\r\n \r\nTHE CODES:\r\n"
                        " \r\n01.) " +
                        pages()[0].codes[0].substr(0, 15) + " / valid\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("04.) " + pages()[0].codes[3].substr(0, 15) + " / invalid\r\n"),
              std::string::npos);

    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\page.txt");
    const auto before = pages();
    ASSERT_TRUE(user->click(page().print_file_button));
    EXPECT_EQ(last_message(), "Printing successful!");
    const auto& sheet = printer().printed().back();
    EXPECT_EQ(column(sheet, 500)[0], printed(pages()[0].codes[0]));
    EXPECT_EQ(column(sheet, 500)[3], "");  // the used code
    EXPECT_NE(std::find_if(sheet.ops.begin(), sheet.ops.end(),
                           [](const Op& op) { return op.text == "Sheet Default time: 12:5"; }),
              sheet.ops.end());
    EXPECT_EQ(pages().size(), before.size());  // printing from a file adds no page
}

TEST_F(CodePagesTest, APrintedCodeStartsItsTimeOnceEvenAfterARestart) {
    make("1", "30", "Room A");
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    const std::string code = pages()[0].codes[7].substr(0, 15);
    const std::string typed = code.substr(0, 3) + "-" + code.substr(3, 3) + "-" +
                              code.substr(6, 3) + "-" + code.substr(9, 3) + "-" + code.substr(12);
    ASSERT_TRUE(user->replace_text(p->vardex_dialog.code_box, typed));
    ASSERT_TRUE(user->click(p->vardex_dialog.code_button));
    ASSERT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(p->countdown.end_seconds, 5400);
    EXPECT_EQ(unscramble_text(
                  pc.machine.registry().text(testing::settings_path + "\\cp0", "0_7").value_or("")),
              code + "0");
    EXPECT_EQ(pc.number("cpanz"), 1);
    // The program ends; a new start refuses the same code.
    p->countdown.end_timer(": Timer was exited.");
    p->lifecycle.exit_program();
    Program& again = pc.start();
    world.advance(3000);
    sim::User u(pc.process(again));
    ASSERT_TRUE(u.replace_text(again.vardex_dialog.code_box, code));
    ASSERT_TRUE(u.click(again.vardex_dialog.code_button));
    EXPECT_EQ(again.mode.get(), ProgramMode::blocked);
    EXPECT_EQ(again.time_dialog2.text_label.caption(), "Direct Access Code was not recognized!");
    EXPECT_EQ(again.settings.record().code_pages[0].canz, 59);
}

TEST(CodePageFile, WhatItRefusesAndWhatItReads) {
    CodePage page;
    for (std::size_t k = 0; k < codes_per_page; ++k) {
        page.codes[k] = std::string(15, static_cast<char>('0' + k % 10)) + "1";
    }
    page.cpstd = 99;
    page.cpmin = 99;
    page.cpnr = 9999;
    page.cpcom = "A, \"quoted\" comment";
    const std::string file = write_code_page_file(page, "07.12.2026", "09:00:00");
    const CodePageFileRead read = read_code_page_file(file);
    ASSERT_EQ(read.error, CodePageFileError::none);
    EXPECT_EQ(read.sheet.codes, page.codes);
    EXPECT_EQ(read.sheet.hours, 99);
    EXPECT_EQ(read.sheet.number, 9999);
    EXPECT_EQ(read.sheet.comment, "A, \"quoted\" comment");
    auto with = [&file](const std::string& from, const std::string& to) {
        std::string changed = file;
        changed.replace(changed.find(from), from.size(), to);
        return read_code_page_file(changed).error;
    };
    EXPECT_EQ(with("houres: 99", "houres: 100"), CodePageFileError::format);
    EXPECT_EQ(with("minutes: 99", "minutes: 100"), CodePageFileError::format);
    EXPECT_EQ(with("number: 9999", "number: 10000"), CodePageFileError::format);
    EXPECT_EQ(with("Sheet comment", "Sheet Comment"), CodePageFileError::format);
    EXPECT_EQ(with("houres: 99", "houres: many"), CodePageFileError::reading);
    EXPECT_EQ(read_code_page_file(file.substr(0, file.size() / 2)).error,
              CodePageFileError::reading);
    EXPECT_EQ(read_code_page_file("").error, CodePageFileError::reading);
    // Line by line: a short file of another kind is a wrong format, and a number that is no
    // number is a reading error even when the file is cut short after it.
    EXPECT_EQ(read_code_page_file("Dear customer,\r\nthanks for your visit.\r\n").error,
              CodePageFileError::format);
    EXPECT_EQ(read_code_page_file("x\r\nSheet default time houres: 1\r\nminutes\r\n").error,
              CodePageFileError::format);
    EXPECT_EQ(read_code_page_file("x\r\nSheet default time houres: a\r\n").error,
              CodePageFileError::reading);
    EXPECT_EQ(read_code_page_file("only one line\r\n").error, CodePageFileError::reading);
}

TEST_F(CodePagesTest, APageIsStoredTheMomentItIsPrintedAndAFailedFileLeavesTheOldOne) {
    make("1", "30", "Room A");
    EXPECT_EQ(pc.number("cpanz"), 1) << "before the dialog is left";
    EXPECT_EQ(unscramble_text(
                  pc.machine.registry().text(testing::settings_path + "\\cp0", "0_0").value_or("")),
              pages()[0].codes[0]);
    pc.machine.files().put("c:\\users\\public\\page.txt", "the page saved last week");
    pc.machine.files().fill_disk_after(100);
    pick(0);
    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\page.txt");
    ASSERT_TRUE(user->click(page().save_file_button));
    EXPECT_EQ(last_message(), "Error while writing to file! Nothing was saved!");
    EXPECT_EQ(pc.machine.files().content("c:\\users\\public\\page.txt"),
              "the page saved last week");
    for (const std::string& f : pc.machine.files().list()) {
        EXPECT_EQ(f.find(".~new"), std::string::npos) << "left beside it: " << f;
    }
}

TEST(FitFontSize, EndsAtTheFallbackWhenNothingFits) {
    sim::SimPrinter printer;
    printer.begin_document();
    printer.set_scale(0, 0, 10000, 15000);
    printer.set_font_size(12);
    // No size is small enough for a box of nothing: the shrinking ends after 15 steps.
    fit_font_size(printer, "Direct Access Code: 999-999-999-999-999", 10, 1);
    EXPECT_EQ(printer.font_size(), 10);
    // A text that still fits after 15 steps up takes the fallback as well.
    printer.set_font_size(12);
    fit_font_size(printer, "x", 100000, 100000);
    EXPECT_EQ(printer.font_size(), 10);
    // A text that fits takes the largest size that does.
    printer.set_font_size(12);
    fit_font_size(printer, "Vardex", 10000, 400);
    EXPECT_LE(printer.text_height("Vardex"), 400);
    printer.set_font_size(printer.font_size() + 1);
    EXPECT_GT(printer.text_height("Vardex"), 400);
}

}  // namespace
}  // namespace vardex
