#include <gtest/gtest.h>

#include "../core/program_fixture.h"

namespace vardex {
namespace {

struct Forbidden : testing::BlockedMachineTest {
    Forbidden() {
        pc.put_number("Value10", 1);
        start_blocked();
    }
    void forbid(const std::string& title, MatchMode mode) {
        p->settings.record().forbidden_windows.push_back({title, mode});
    }
    // Opens a window with the title and lets the sweep run a few ticks; true when it closed.
    bool closes(const std::string& title) {
        const WindowId w = pc.machine.desktop().open_window(title);
        world.advance(400);
        return !pc.machine.desktop().is_open(w);
    }
};

TEST_F(Forbidden, TheFourMatchingModes) {
    const std::vector<std::string> titles = {"Untitled - Editor", "notes.txt - editor",
                                             "Editor - Properties", "EDITOR"};
    const std::vector<std::vector<bool>> expected = {
        {false, false, false, true},  // 0: the whole title
        {false, false, true, true},   // 1: front
        {true, true, false, true},    // 2: back
        {true, true, true, true},     // 3: either
    };
    for (std::int16_t mode = 0; mode < 4; ++mode) {
        p->settings.record().forbidden_windows = {{"editor", static_cast<MatchMode>(mode)}};
        for (std::size_t i = 0; i < titles.size(); ++i) {
            EXPECT_EQ(closes(titles[i]), expected[static_cast<std::size_t>(mode)][i])
                << "mode " << mode << " title " << titles[i];
        }
    }
    EXPECT_TRUE(ForbiddenWindows::matches("ED", "",
                                          MatchMode::front));  // an empty entry matches all titles
    EXPECT_FALSE(
        ForbiddenWindows::matches("ED", "", MatchMode::whole));  // but only an empty one in mode 0
    EXPECT_TRUE(ForbiddenWindows::matches("", "", MatchMode::whole));
    EXPECT_FALSE(ForbiddenWindows::matches(
        "EDIT", "editor", MatchMode::front_or_back));  // a shorter title never does
}

TEST_F(Forbidden, ClosingsAreLoggedAndTheSameSecondOnlyOnce) {
    forbid("editor", MatchMode::back);
    forbid("Game", MatchMode::whole);
    EXPECT_TRUE(closes("Untitled - Editor"));
    EXPECT_TRUE(closes("  GAME  "));  // the title is trimmed
    const std::string log = pc.log();
    EXPECT_NE(log.find(" - 09:00:03: Protected Window 'Untitled - Editor' closed\r\n"),
              std::string::npos);
    EXPECT_NE(log.find(": Opening of Protected Window 'GAME' prevented\r\n"), std::string::npos);
    // A window that refuses to close is asked again at every tick; a line repeats only when
    // the second changes.
    const WindowId stubborn = pc.machine.desktop().open_window("Untitled - Editor", {}, true);
    world.advance(300);
    EXPECT_GE(pc.machine.desktop().window(stubborn)->close_requests, 5);
    const std::string added = pc.log().substr(log.size());
    std::size_t lines = 0;
    for (std::size_t pos = added.find("\r\n"); pos != std::string::npos;
         pos = added.find("\r\n", pos + 1)) {
        ++lines;
    }
    EXPECT_GE(lines, 1u);
    EXPECT_LE(lines, 2u);

    p->settings.record().Log_Preventing_Program = 0;
    const std::string before = pc.log();
    EXPECT_TRUE(closes("Game"));
    EXPECT_EQ(pc.log(), before);
}

TEST_F(Forbidden, TheProgramsOwnWindowsAreNotExempt) {
    forbid("Vardex - Info", MatchMode::whole);
    p->vardex_dialog.hide();
    p->time_dialog.message("hello");
    ASSERT_TRUE(p->time_dialog.visible());
    world.advance(100);
    // The message window refuses to close, but it is asked to.
    EXPECT_NE(pc.log().find("'Vardex - Info' prevented"), std::string::npos);
}

TEST_F(Forbidden, LongTitlesAreMatchedAndLoggedWhole) {
    const std::string title(5000, 'x');
    forbid(std::string(200, 'X'), MatchMode::front);
    EXPECT_TRUE(closes(title));
    EXPECT_NE(pc.log().find("'" + title + "' closed"), std::string::npos);
}

TEST_F(Forbidden, TheSweepRunsBlockedTimedAndDuringTheCheckButNotInTheOptions) {
    // Stored, since leaving the options stores what the dialog shows.
    forbid("Game", MatchMode::whole);
    p->settings.save_settings();
    EXPECT_TRUE(closes("Game"));  // blocked: Timer2 and Timer3
    ASSERT_TRUE(user->click(p->vardex_dialog.start_button));
    EXPECT_FALSE(p->vardex_dialog.sweep_timer.running());
    EXPECT_TRUE(closes("Game"));  // the check's focus timer sweeps
    ASSERT_TRUE(user->replace_text(p->sec_dialog.password_box, "zel"));
    ASSERT_TRUE(user->click(p->sec_dialog.ok_button));
    ASSERT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_TRUE(closes("Game"));  // Timer3 while time runs
    p->countdown.end_timer(": Timer was exited.");
    ASSERT_TRUE(user->click(p->vardex_dialog.options_button));
    ASSERT_TRUE(user->replace_text(p->sec_dialog.password_box, "zel"));
    ASSERT_TRUE(user->click(p->sec_dialog.ok_button));
    ASSERT_EQ(p->mode.get(), ProgramMode::options);
    EXPECT_FALSE(closes("Game"));  // the operator at work
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    EXPECT_TRUE(closes("Game"));
}

TEST_F(Forbidden, ABlankTitleIsNeverForbidden) {
    // Stored by an older version: skipped at load, so it cannot close every window.
    pc.put_number("List_Anz", 2);
    pc.machine.registry().put_text(testing::settings_path, "List_Anz_0", scramble_text("   "));
    pc.put_number("List_Check_0", 1);
    pc.machine.registry().put_text(testing::settings_path, "List_Anz_1", scramble_text("Game"));
    pc.put_number("List_Check_1", 0);
    p->settings.load_settings();
    ASSERT_EQ(p->settings.record().forbidden_windows.size(), 1u);
    EXPECT_EQ(p->settings.record().forbidden_windows[0].title, "Game");
    EXPECT_FALSE(closes("Untitled - Editor"));
    EXPECT_TRUE(closes("Game"));
}

TEST_F(Forbidden, IdleTheSweepReadsTitlesAndTheClipOnlyWhenSomethingChanged) {
    forbid("Game", MatchMode::whole);
    sim::SimDesktop& desktop = pc.machine.desktop();
    world.advance(1000);
    const int titles = desktop.title_reads();
    const int clips = desktop.clip_reads();
    world.advance(10000);  // 333 ticks of the 30 ms sweep, 33 of the 300 ms one
    EXPECT_LE(desktop.title_reads() - titles, 12);
    EXPECT_LE(desktop.clip_reads() - clips, 12);
    // A forbidden window goes at once, not at the next tick: the system reports it in front.
    const WindowId game = desktop.open_window("Game");
    world.advance(1);
    EXPECT_FALSE(desktop.is_open(game));
    // So does one that takes a forbidden title while in front.
    const WindowId later = desktop.open_window("Loading...");
    world.advance(100);
    ASSERT_TRUE(desktop.is_open(later));
    desktop.set_title(later, "Game");
    world.advance(1);
    EXPECT_FALSE(desktop.is_open(later));
    // A dropped clip is put back when the window in front changes.
    desktop.clip_cursor(nullptr);
    desktop.open_window("Notes");
    world.advance(1);
    EXPECT_EQ(desktop.cursor_clip(), p->vardex_dialog.window_rect());
}

// How often the program's running timers wake it, per second.
double wakes_per_second(Program& program) {
    double wakes = 0;
    for (const Form* form : program.forms()) {
        for (const Control* c : form->controls()) {
            const auto* timer = dynamic_cast<const Timer*>(c);
            if (timer != nullptr && timer->running()) {
                wakes += 1000.0 / timer->interval();
            }
        }
    }
    return wakes;
}

TEST_F(Forbidden, WaitingBlockedOrPausedWakesTwiceASecondAndReportsCloseAtOnce) {
    forbid("Game", MatchMode::whole);
    auto desktop = [this]() -> sim::SimDesktop& { return pc.machine.desktop(); };
    world.advance(1000);  // the main dialog's own report settled
    // The program file's guard looks every three seconds besides.
    EXPECT_LE(wakes_per_second(*p), 2.0 + 1.0 / 3);
    const WindowId game = desktop().open_window("Game");
    world.advance(1);
    EXPECT_FALSE(desktop().is_open(game));
    // A window that refuses is asked at the fast pace until it goes, then the pace is slow again.
    const WindowId stubborn = desktop().open_window("Game", {}, true);
    world.advance(100);
    EXPECT_GE(desktop().window(stubborn)->close_requests, 3);
    EXPECT_GT(wakes_per_second(*p), 10.0);
    desktop().open_window("Notes");
    world.advance(1000);
    EXPECT_LE(wakes_per_second(*p), 2.0 + 1.0 / 3);

    // Paused: the timing window takes the focus back on the report, not on a fast timer.
    p->settings.record().Pause_Option = 1;
    p->countdown.start_timer(600, ": started");
    ASSERT_TRUE(user->click_form(p->lauf2_dialog));
    ASSERT_TRUE(user->click(p->lauf_dialog.pause_button));
    ASSERT_TRUE(p->mode.paused());
    EXPECT_LE(wakes_per_second(*p), 3.0 + 1.0 / 3);  // the countdown's second as well
    desktop().open_window("Notes");
    world.advance(1);
    EXPECT_EQ(p->platform.windows().active_form(), &p->lauf_dialog);
}

// A platform that reports no window changes: the sweep looks at every tick.
struct ForbiddenUnwatched : ::testing::Test {
    sim::World world;
    testing::VardexMachine pc{world};
};

TEST_F(ForbiddenUnwatched, WithoutReportsTheSweepLooksAtEveryTick) {
    pc.machine.desktop().set_window_events(false);
    pc.put_settings();
    Program& p = pc.start();
    world.advance(3000);
    p.settings.record().forbidden_windows.push_back({"Game", MatchMode::whole});
    sim::SimDesktop& desktop = pc.machine.desktop();
    const int titles = desktop.title_reads();
    world.advance(3000);
    EXPECT_GE(desktop.title_reads() - titles, 100);
    const WindowId game = desktop.open_window("Game");
    world.advance(60);
    EXPECT_FALSE(desktop.is_open(game));
}

struct ForbiddenEditing : Forbidden {
    ForbiddenPage& d() { return p->options_dialog.forbidden; }
    ForbiddenEditing() {
        p->options.open_options_dialog();
        p->options_dialog.pages[0].set_visible(false);
        p->options_dialog.pages[2].set_visible(true);
    }
};

TEST_F(ForbiddenEditing, AddRemoveAndMatchingFlags) {
    ASSERT_TRUE(user->replace_text(d().title_box, "  Game  "));
    ASSERT_TRUE(user->click(d().add_button));
    EXPECT_EQ(d().titles.items(), (std::vector<std::string>{"Game"}));
    EXPECT_EQ(d().title_box.text(), "");
    EXPECT_TRUE(user->click(d().add_button));  // empty: nothing happens
    EXPECT_EQ(d().titles.list_count(), 1);
    EXPECT_FALSE(p->time_dialog.visible());
    // Blanks only are refused with a message, by the button and by Enter.
    ASSERT_TRUE(user->replace_text(d().title_box, "    "));
    ASSERT_TRUE(user->click(d().add_button));
    EXPECT_EQ(d().titles.list_count(), 1);
    ASSERT_TRUE(p->time_dialog.visible());
    EXPECT_NE(p->time_dialog.mess_txt[0].caption().find("blanks only"), std::string::npos);
    ASSERT_TRUE(user->press_key(d().title_box, 13));
    EXPECT_EQ(d().titles.list_count(), 1);
    EXPECT_EQ(p->time_dialog.message_count, 2);
    p->time_dialog.ok();
    user->replace_text(d().title_box, "");
    user->replace_text(d().title_box, "Editor");
    user->press_key(d().title_box, 13);
    user->replace_text(d().title_box, "Browser");
    user->press_key(d().title_box, 13);
    EXPECT_EQ(d().titles.items(), (std::vector<std::string>{"Game", "Editor", "Browser"}));
    EXPECT_EQ(d().modes, (std::vector<MatchMode>(3, MatchMode::whole)));

    EXPECT_FALSE(d().front_check.enabled());
    ASSERT_TRUE(user->select(d().titles, 1));
    EXPECT_TRUE(d().front_check.enabled());
    EXPECT_EQ(d().front_check.value(), 0);
    user->click(d().front_check);
    user->click(d().back_check);
    EXPECT_EQ(d().modes[1], MatchMode::front_or_back);
    user->select(d().titles, 1);  // unselect
    user->select(d().titles, 2);
    user->click(d().back_check);
    EXPECT_EQ(d().modes[2], MatchMode::back);
    // The first selected line shows its flags.
    user->select(d().titles, 1);
    EXPECT_EQ(d().front_check.value(), 1);
    EXPECT_EQ(d().back_check.value(), 1);

    user->select(d().titles, 0);
    user->select(d().titles, 1);  // lines 0 and 2 stay selected
    user->click(d().remove_button);
    EXPECT_EQ(d().titles.items(), (std::vector<std::string>{"Editor"}));
    EXPECT_EQ(d().modes, (std::vector<MatchMode>{MatchMode::front_or_back}));
    EXPECT_FALSE(d().front_check.enabled());  // nothing selected any more

    user->replace_text(d().title_box, "New");
    d().front_check.set_value(1);
    user->click(d().add_button);
    EXPECT_EQ(d().modes.back(), MatchMode::whole);  // a new entry starts in mode 0
}

TEST_F(ForbiddenEditing, TitlesOfTwoHundredCharactersAreRefusedByTheButton) {
    d().title_box.set_text(std::string(200, 't'));  // only a picked title can be this long
    user->click(d().add_button);
    EXPECT_EQ(d().titles.list_count(), 0);
    EXPECT_NE(p->time_dialog.mess_txt[0].caption().find("199"), std::string::npos);
    d().title_box.set_text(std::string(200, 't'));
    user->press_key(d().title_box, 13);  // Enter does not check the length
    EXPECT_EQ(d().titles.list_count(), 1);
}

TEST_F(ForbiddenEditing, PickingATitleByClickingOnTheWindow) {
    sim::SimDesktop& desk = pc.machine.desktop();
    // The options dialog is used with the screen unblocked.
    p->blocking.unblock_screen();
    p->vardex_dialog.hide();
    const WindowId game = desk.open_window("Solitaire", {600, 600, 900, 800});
    p->options_dialog.set_focus();
    user->click(d().pick_button);
    ExplanDialog& e = p->explan_dialog;
    EXPECT_TRUE(e.visible());
    EXPECT_EQ(e.explanation_label.caption(),
              "Click on the Window, from which you want to get the titel!");
    EXPECT_EQ(p->options_dialog.window_state(), WindowState::minimized);
    EXPECT_EQ(desk.captured(), e.window_id());
    desk.set_cursor_pos({700, 700});
    e.raise_mouse_up(MouseEvent{mouse::left, 0, 0, 0});
    EXPECT_EQ(d().title_box.text(), "Solitaire");
    EXPECT_FALSE(e.visible());
    EXPECT_EQ(p->options_dialog.window_state(), WindowState::normal);
    EXPECT_EQ(desk.captured(), 0u);
    EXPECT_EQ(e.explanation_label.caption(), "");
    EXPECT_EQ(d().titles.list_count(), 0);  // added only when the operator adds it
    (void)game;
}

}  // namespace
}  // namespace vardex
