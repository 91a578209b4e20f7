#include <gtest/gtest.h>

#include "../core/program_fixture.h"

namespace vardex {
namespace {

// A blocked machine whose operator opens the options through the security check.
struct OptionsTest : testing::BlockedMachineTest {
    OptionsTest() { start_blocked(); }
    OptionsDialog& d() { return p->options_dialog; }
    MiscPage1& misc1() { return d().misc1; }
    void open() {
        ASSERT_TRUE(user->click(p->vardex_dialog.options_button));
        ASSERT_TRUE(user->replace_text(p->sec_dialog.password_box, "zel"));
        ASSERT_TRUE(user->click(p->sec_dialog.ok_button));
        ASSERT_TRUE(d().visible());
        ASSERT_EQ(p->mode.get(), ProgramMode::options);
    }
    void page(int index) { ASSERT_TRUE(user->select_tab(d().tabs, index)); }
    std::string last_message() {
        const TimeDialog& t = p->time_dialog;
        return t.message_count > 0 ? t.mess_txt[t.message_count - 1].caption() : "";
    }
};

TEST_F(OptionsTest, OpeningShowsWhatTheStoreHoldsNotWhatMemoryHeld) {
    pc.put_number("Value3", 2);
    open();
    EXPECT_EQ(misc1().hours_box.text(), "2");
    EXPECT_EQ(misc1().pause_check.value(), 0);
    ASSERT_TRUE(user->click(d().exit_button));
    p->settings.record().Pause_Option = 1;  // changed in memory, not stored
    open();
    EXPECT_EQ(misc1().pause_check.value(), 0);
    // Only the selected tab's page shows.
    page(6);
    EXPECT_TRUE(d().pages[6].visible());
    EXPECT_FALSE(d().pages[0].visible());
}

TEST_F(OptionsTest, TheTimerBoxesTakeWholeNumbersThatFitOnly) {
    open();
    for (const char* refused : {"1 5", "-5", "40000"}) {
        ASSERT_TRUE(user->replace_text(misc1().hours_box, refused));
        ASSERT_TRUE(user->click(d().exit_button));
        EXPECT_TRUE(d().visible()) << refused;
        EXPECT_EQ(last_message(),
                  "Please enter an integer in the 'hours' Textbox at the 'Misc' Tab!");
        EXPECT_FALSE(pc.number("Value3").has_value()) << "nothing is applied";
    }
    ASSERT_TRUE(user->replace_text(misc1().hours_box, "0007"));
    ASSERT_TRUE(user->replace_text(misc1().minutes_box, "x"));
    ASSERT_TRUE(user->click(d().exit_button));
    EXPECT_EQ(last_message(),
              "Please enter an integer in the 'Minutes' Textbox at the 'Misc' Tab!");
    ASSERT_TRUE(user->replace_text(misc1().minutes_box, ""));
    // The close box leaves exactly as the button does.
    EXPECT_FALSE(user->close(d()));
    EXPECT_FALSE(d().visible());
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_TRUE(p->vardex_dialog.visible());
    EXPECT_TRUE(p->blocker_win.visible());
    EXPECT_EQ(pc.number("Value3"), 7);
    EXPECT_EQ(pc.number("Value4"), 0);
    EXPECT_EQ(p->vardex_dialog.hours_box.text(), "7");
    EXPECT_EQ(p->vardex_dialog.minutes_box.text(), "0");
}

TEST_F(OptionsTest, ALogBoxCannotStayOnWithoutALogFile) {
    open();
    ASSERT_TRUE(user->replace_text(misc1().log_box, ""));
    ASSERT_TRUE(user->click(misc1().log_timer));
    EXPECT_EQ(last_message(), "Could not open Log-File!\rInvalid Filname of Log-File");
    // Leaving the empty box checked it, then the click did: switching the boxes off checks
    // nothing again.
    EXPECT_EQ(p->time_dialog.message_count, 2);
    for (CheckBox* box : {&misc1().log_start_exit, &misc1().log_timer, &misc1().log_pausing,
                          &misc1().log_prevented}) {
        EXPECT_EQ(box->value(), 0);
    }
    // A file that cannot be opened is refused when its box is left.
    pc.machine.files().fail("q:\\nowhere\\log.txt");
    ASSERT_TRUE(user->replace_text(misc1().log_box, "q:\\nowhere\\log.txt"));
    ASSERT_TRUE(user->click(misc1().log_pausing));  // moves the focus away
    EXPECT_EQ(misc1().log_box.text(), "");
    EXPECT_EQ(misc1().log_pausing.value(), 0);
    // A usable one stays, with its boxes.
    ASSERT_TRUE(user->replace_text(misc1().log_box, "c:\\users\\public\\logs.txt"));
    ASSERT_TRUE(user->click(misc1().log_timer));
    EXPECT_EQ(misc1().log_timer.value(), 1);
    ASSERT_TRUE(user->click(d().exit_button));
    EXPECT_EQ(pc.number("Value8"), 1);
    EXPECT_EQ(
        unscramble_text(pc.machine.registry().text(testing::settings_path, "String3").value_or("")),
        "c:\\users\\public\\logs.txt");
}

TEST_F(OptionsTest, TheLogoAndTheAdminLogAreCheckedAndTheirButtonsPickAFile) {
    open();
    ASSERT_TRUE(user->replace_text(misc1().logo_box, "c:\\missing.bmp"));
    ASSERT_TRUE(user->click(misc1().pause_check));
    EXPECT_EQ(last_message(), "Error! Could not open logo file!\rCheck file name!");
    EXPECT_EQ(misc1().logo_box.text(), "c:\\missing.bmp");  // the box keeps its text
    EXPECT_EQ(p->settings.record().Path_of_Logo, "");
    pc.machine.files().put("c:\\logo.bmp", "BM picture");
    pc.machine.desktop().answer_file_dialog("c:\\logo.bmp");
    ASSERT_TRUE(user->click(misc1().logo_button));
    EXPECT_EQ(misc1().logo_box.text(), "c:\\logo.bmp");
    EXPECT_EQ(p->settings.record().Path_of_Logo, "c:\\logo.bmp");
    EXPECT_TRUE(p->blocker_win.left_logo.visible());
    const FileDialogRequest& asked = pc.machine.desktop().file_dialogs().back();
    EXPECT_EQ(asked.kind, FileDialogRequest::Kind::open);
    EXPECT_TRUE(asked.hide_read_only);
    EXPECT_TRUE(asked.path_must_exist);
    // A cancelled dialog changes nothing.
    pc.machine.desktop().answer_file_dialog(std::nullopt);
    ASSERT_TRUE(user->click(misc1().logo_button));
    EXPECT_EQ(misc1().logo_box.text(), "c:\\logo.bmp");

    // The admin log is checked as soon as its box is switched on.
    NetworkPage& n = d().network;
    n.set_up_for(NetworkRole::administrator);
    page(6);
    ASSERT_TRUE(user->click(n.admin_log_check));
    EXPECT_EQ(last_message(), "Could not open Admin-Log-File!\rInvalid Filname of Admin-Log-File");
    EXPECT_EQ(n.admin_log_check.value(), 0);
}

TEST_F(OptionsTest, TheExplanationWindowFollowsTheMouseAndOpensWithOneClickAgain) {
    open();
    ExplanDialog& e = p->explan_dialog;
    ASSERT_TRUE(user->click(d().explanation_button));
    EXPECT_TRUE(e.visible());
    EXPECT_EQ(d().explanation_button.caption(), "Close Expl. Window");
    ASSERT_TRUE(user->move_mouse(d().exit_button));
    EXPECT_EQ(e.explanation_label.caption(),
              "This button exits the options dialog and saves the settings");
    ASSERT_TRUE(user->move_mouse(d().misc1.shutdown_frame));
    EXPECT_EQ(e.explanation_label.caption().substr(0, 40),
              "Here you can decide, whether the user sh");
    // A control without a text of its own leaves the text as it is.
    ASSERT_TRUE(user->move_mouse(d().misc1.hours_box));
    EXPECT_EQ(e.explanation_label.caption().substr(0, 40),
              "Here you can decide, whether the user sh");
    ASSERT_TRUE(user->move_mouse_over(d()));
    EXPECT_EQ(e.explanation_label.caption().substr(0, 30), "Just move the mouse cursor to ");
    ASSERT_TRUE(user->click(d().exit_button));
    EXPECT_FALSE(e.visible());
    open();
    EXPECT_EQ(d().explanation_button.caption(), "Expl&anation Window");
    ASSERT_TRUE(user->click(d().explanation_button));
    EXPECT_TRUE(e.visible());
    // Every page's texts are wired: one of each page.
    page(7);
    ASSERT_TRUE(user->move_mouse(d().distributer.ids));
    EXPECT_EQ(e.explanation_label.caption().substr(0, 39),
              "This list shows the Time Ditributer IDs");
    ASSERT_TRUE(user->move_mouse(d().distributer.new_frame));
    EXPECT_EQ(e.explanation_label.caption().substr(0, 56),
              "In this frame you can create a new Time Distributor ID. ");
    page(5);
    ASSERT_TRUE(user->move_mouse(d().localize.english_button));
    EXPECT_EQ(e.explanation_label.caption().substr(0, 30), "To reset the localisation to t");
}

TEST_F(OptionsTest, LeavingStoresEveryPageAndSetsUpTheMainDialog) {
    open();
    ASSERT_TRUE(user->click(misc1().shutdown_check));
    ASSERT_TRUE(user->click(misc1().pause_check));
    page(1);
    ASSERT_TRUE(user->click(d().misc2.warnings[0]));
    ASSERT_TRUE(user->click(d().misc2.autostart_check));
    EXPECT_TRUE(d().misc2.early_start.enabled());
    ASSERT_TRUE(user->click(d().misc2.early_start));
    page(5);
    ASSERT_TRUE(user->replace_text(d().localize.boxes[0], "Gesperrt!"));
    ASSERT_TRUE(user->click(d().exit_button));
    EXPECT_EQ(pc.number("Value14"), 1);
    EXPECT_EQ(pc.number("Value1"), 1);
    EXPECT_EQ(pc.number("Value15"), 0);
    EXPECT_EQ(pc.number("Value16"), 1);
    EXPECT_EQ(pc.number("Value6"), 1);
    EXPECT_EQ(pc.number("Value19"), 1);
    EXPECT_EQ(p->blocker_win.top_left_label.caption(), "Gesperrt!");
    // Autostart early: the guard starts with Windows and keeps the key to itself.
    EXPECT_TRUE(pc.machine.startup().guard_automatic());
    EXPECT_FALSE(pc.machine.startup().settings_key_open(testing::settings_path));
    // No Time Distributer ID: its group of the main dialog stays off.
    EXPECT_FALSE(p->vardex_dialog.distributer_button.enabled());
}

TEST_F(OptionsTest, GotoNetworkDialogNeedsTheAdministratorRole) {
    open();
    page(6);
    // Without a network the button is off; with the role picked but not connected it answers.
    EXPECT_FALSE(d().network.goto_button.enabled());
    ASSERT_TRUE(user->click(d().network.administrator()));
    ASSERT_TRUE(user->click(d().network.goto_button));
    EXPECT_EQ(last_message(),
              "You have to connect this computer as an adminster before you can go to the "
              "Network Diaolog!");
    EXPECT_TRUE(d().visible());
    EXPECT_FALSE(p->network_dialog.visible());
}

TEST_F(OptionsTest, AnOptionsFileCarriesTheSettingsToAnotherMachine) {
    open();
    ASSERT_TRUE(user->replace_text(misc1().hours_box, "1"));
    ASSERT_TRUE(user->replace_text(misc1().minutes_box, "15"));
    page(2);
    ASSERT_TRUE(user->replace_text(d().forbidden.title_box, "Game, the sequel"));
    ASSERT_TRUE(user->click(d().forbidden.add_button));
    ASSERT_TRUE(user->replace_text(d().forbidden.title_box, "a=b"));
    ASSERT_TRUE(user->click(d().forbidden.add_button));
    page(1);
    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\options.txt");
    ASSERT_TRUE(user->click(d().misc2.export_button));
    EXPECT_EQ(last_message(), "File was successfully written!");
    const FileDialogRequest& asked = pc.machine.desktop().file_dialogs().back();
    EXPECT_EQ(asked.kind, FileDialogRequest::Kind::save);
    EXPECT_TRUE(asked.overwrite_prompt);
    const std::string file =
        pc.machine.files().content("c:\\users\\public\\options.txt").value_or("");
    EXPECT_NE(file.find("Start_Houres=1\r\nStart_minutes=15\r\n"), std::string::npos);

    // A second machine imports it.
    testing::VardexMachine other(world, "PC2", "10.0.0.2");
    other.put_settings();
    Program& q = other.start();
    world.advance(3000);
    other.machine.files().put("c:\\users\\public\\options.txt", file);
    sim::User u(other.process(q));
    ASSERT_TRUE(u.click(q.vardex_dialog.options_button));
    ASSERT_TRUE(u.replace_text(q.sec_dialog.password_box, "zel"));
    ASSERT_TRUE(u.click(q.sec_dialog.ok_button));
    other.machine.desktop().answer_file_dialog("c:\\users\\public\\options.txt");
    ASSERT_TRUE(u.select_tab(q.options_dialog.tabs, 1));
    ASSERT_TRUE(u.click(q.options_dialog.misc2.import_button));
    EXPECT_EQ(q.time_dialog.mess_txt[0].caption(), "File was successfully read!");
    // Stored at once, and shown.
    EXPECT_EQ(other.number("Value3"), 1);
    EXPECT_EQ(other.number("Value4"), 15);
    EXPECT_EQ(q.options_dialog.misc1.hours_box.text(), "1");
    EXPECT_EQ(q.options_dialog.forbidden.titles.items(),
              (std::vector<std::string>{"Game, the sequel", "a=b"}));
    EXPECT_EQ(other.number("List_Anz"), 2);
}

TEST_F(OptionsTest, ABrokenFileIsRefusedWhole) {
    pc.machine.files().put("c:\\broken.txt",
                           "Start_Houres=5\r\nNumber_of_Forbidden_Windows=1\r\nName(0)=Game\r\n");
    pc.put_number("Value3", 2);
    open();
    page(1);
    pc.machine.desktop().answer_file_dialog("c:\\broken.txt");
    ASSERT_TRUE(user->click(d().misc2.import_button));
    EXPECT_EQ(last_message(), "Error occured when reading from File!");
    // Neither in memory nor in the store, before anything else applies the dialog again.
    EXPECT_EQ(p->settings.record().Start_Houres, 2);
    EXPECT_TRUE(p->settings.record().forbidden_windows.empty());
    EXPECT_EQ(pc.number("Value3"), 2);
    EXPECT_EQ(pc.number("List_Anz"), 0);
    EXPECT_EQ(misc1().hours_box.text(), "2");
}

TEST_F(OptionsTest, AFileIsWrittenOrReadOnlyAfterTheBoxesPassedTheirChecks) {
    pc.machine.files().put("c:\\users\\public\\options.txt", "Start_Houres=7\r\n");
    open();
    for (const char* hours : {"99999999999", "40000", "1 5"}) {
        ASSERT_TRUE(user->replace_text(misc1().hours_box, hours));
        page(1);
        ASSERT_TRUE(user->click(d().misc2.export_button));
        EXPECT_EQ(last_message(),
                  "Please enter an integer in the 'hours' Textbox at the 'Misc' Tab!");
        ASSERT_TRUE(user->click(d().misc2.import_button));
        EXPECT_EQ(last_message(),
                  "Please enter an integer in the 'hours' Textbox at the 'Misc' Tab!");
        EXPECT_TRUE(pc.machine.desktop().file_dialogs().empty()) << "no file asked for";
        EXPECT_EQ(pc.machine.files().content("c:\\users\\public\\options.txt"),
                  "Start_Houres=7\r\n");
        EXPECT_FALSE(pc.number("Value3").has_value()) << "nothing applied";
        page(0);
    }
    // The largest the box takes goes to the file and comes back from it.
    ASSERT_TRUE(user->replace_text(misc1().hours_box, "32767"));
    page(1);
    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\options.txt");
    ASSERT_TRUE(user->click(d().misc2.export_button));
    EXPECT_EQ(last_message(), "File was successfully written!");
    page(0);
    ASSERT_TRUE(user->replace_text(misc1().hours_box, "3"));
    page(1);
    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\options.txt");
    ASSERT_TRUE(user->click(d().misc2.import_button));
    EXPECT_EQ(last_message(), "File was successfully read!");
    EXPECT_EQ(pc.number("Value3"), 32767);
    EXPECT_EQ(misc1().hours_box.text(), "32767");
}

TEST_F(OptionsTest, AFailedExportLeavesTheOldFileWhole) {
    pc.machine.files().put("c:\\users\\public\\options.txt", "the options of last week");
    pc.machine.files().fill_disk_after(200);
    open();
    page(1);
    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\options.txt");
    ASSERT_TRUE(user->click(d().misc2.export_button));
    EXPECT_EQ(last_message(), "Error occured when writing to File!");
    EXPECT_EQ(pc.machine.files().content("c:\\users\\public\\options.txt"),
              "the options of last week");
    // A file that another program holds is not replaced either.
    pc.machine.files().clear_faults();
    pc.machine.files().fail("c:\\users\\public\\options.txt");
    pc.machine.desktop().answer_file_dialog("c:\\users\\public\\options.txt");
    ASSERT_TRUE(user->click(d().misc2.export_button));
    EXPECT_EQ(last_message(), "Error occured when writing to File!");
    pc.machine.files().clear_faults();
    EXPECT_EQ(pc.machine.files().content("c:\\users\\public\\options.txt"),
              "the options of last week");
    for (const std::string& f : pc.machine.files().list()) {
        EXPECT_EQ(f.find(".~new"), std::string::npos) << "left beside it: " << f;
    }
}

TEST_F(OptionsTest, AnImportedIdWithoutANameIsNotTakenAndAnEmptyBoxIsNoId) {
    pc.machine.files().put(
        "c:\\ids.txt",
        "Number_of_Time_Dist_IDs=2\r\n"
        "Time_Dist_Time(0)=3600\r\nTime_Dist_Period(0)=1\r\nTime_Dist_Date(0)=46363\r\n"
        "Time_Dist_Remain(0)=3600\r\n"
        "Time_Dist_ID(1)=Anna\r\nTime_Dist_Time(1)=600\r\nTime_Dist_Period(1)=7\r\n"
        "Time_Dist_Date(1)=46363\r\nTime_Dist_Remain(1)=600\r\n");
    open();
    page(1);
    pc.machine.desktop().answer_file_dialog("c:\\ids.txt");
    ASSERT_TRUE(user->click(d().misc2.import_button));
    EXPECT_EQ(last_message(), "File was successfully read!");
    EXPECT_EQ(pc.number("l2_1"), 1);
    EXPECT_EQ(d().distributer.ids.list_count(), 1);
    ASSERT_TRUE(user->click(d().exit_button));
    // A stored nameless ID (an older store) is not matched by an empty box either.
    p->settings.record().time_dist_ids.push_back({"", 3600, 1, 46363, 3600});
    ASSERT_TRUE(p->vardex_dialog.distributer_button.enabled());
    ASSERT_TRUE(user->click(p->vardex_dialog.distributer_button));
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_EQ(p->time_dialog2.text_label.caption(), "This Time Distributer ID is unknown!");
}

}  // namespace
}  // namespace vardex
