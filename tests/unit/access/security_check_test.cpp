#include <gtest/gtest.h>

#include "../core/program_fixture.h"

namespace vardex {
namespace {

// A blocked machine whose random digits are known: digit i is (i * 7) mod 10.
struct Security : testing::BlockedMachineTest {
    Security() { start_blocked(); }
    void queue_digits() {
        auto& random = pc.process(*p).sim_random();
        for (int i = 0; i < 26; ++i) {
            random.queue({((i * 7) % 10) / 10.0 + 0.05});
        }
    }
    static std::string digit(char letter) { return std::to_string(((letter - 'A') * 7) % 10); }
    SecDialog& d() { return p->sec_dialog; }
    void open(CheckAction action) {
        queue_digits();
        p->security.begin_security_check(action);
    }
    void enter(const std::string& code, const std::string& password) {
        user->replace_text(d().code_box, code);
        user->replace_text(d().password_box, password);
        user->click(d().ok_button);
    }
};

TEST_F(Security, TheCodeHasADigitPerFormulaLetterAndIsComparedExactly) {
    p->settings.record().Security_Formula = "KOSK";
    open(CheckAction::manual_start);
    EXPECT_TRUE(d().visible());
    EXPECT_EQ(d().status_label.caption(), "Please enter Security Code or Password...");
    EXPECT_EQ(d().digit_labels[10].caption(), digit('K'));
    const std::string code = digit('K') + digit('O') + digit('S') + digit('K');
    EXPECT_EQ(p->security.compute_security_code(), code);
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), d().window_rect());
    enter(code + " ", "");
    EXPECT_TRUE(d().visible());  // a trailing blank makes it wrong
    EXPECT_EQ(d().ok_button.caption(), "Wait 4 sec.");
    world.advance(4100);
    EXPECT_EQ(d().ok_button.caption(), "OK");
    // The same digits are shown after a wrong entry: the same code works.
    enter(code, "wrong");
    EXPECT_FALSE(d().visible());
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
}

TEST_F(Security, ThePasswordIgnoresCaseAndEitherRightBoxPasses) {
    open(CheckAction::manual_start);
    enter("", "ZeL");
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    p->countdown.end_timer(": Timer was exited.");
    open(CheckAction::manual_start);
    enter(p->security.compute_security_code(), "wrong");
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
}

TEST_F(Security, EmptyBoxesNeverPass) {
    p->settings.record().Security_Formula = "123";  // no letters: an empty code
    p->settings.record().Password = "";
    open(CheckAction::exit_program);
    EXPECT_EQ(p->security.compute_security_code(), "");
    enter("", "");
    EXPECT_FALSE(pc.process(*p).ended());
    EXPECT_EQ(d().status_label.caption(),
              "Password or Security Code was wrong! Please wait 5 s...");
}

TEST_F(Security, AWrongEntryLocksBothBoxesForFourSeconds) {
    open(CheckAction::exit_program);
    enter("0", "x");
    EXPECT_TRUE(d().code_box.locked());
    EXPECT_EQ(d().code_box.text(), "wait 4 sec");
    EXPECT_EQ(d().code_box.password_char(), 0);
    std::vector<std::string> captions;
    for (int i = 0; i < 4; ++i) {
        user->press_key(d().password_box, 13);  // Enter during the wait does nothing
        world.advance(1000);
        captions.push_back(d().ok_button.caption());
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Wait 3 sec.", "Wait 2 sec.", "Wait 1 sec.", "OK"}));
    EXPECT_FALSE(pc.process(*p).ended());
    EXPECT_FALSE(d().code_box.locked());
    EXPECT_EQ(d().code_box.text(), "");
    EXPECT_EQ(d().code_box.password_char(), 'X');
    user->replace_text(d().password_box, "zel");
    user->press_key(d().password_box, 13);
    EXPECT_TRUE(pc.process(*p).ended());  // action 3: exit
}

TEST_F(Security, CancelDuringTheWaitKeepsTheBoxesLockedUntilItEnds) {
    open(CheckAction::manual_start);
    enter("0", "x");
    user->click(d().cancel_button);
    EXPECT_FALSE(d().visible());
    EXPECT_TRUE(p->vardex_dialog.blocked_sweep_timer.running());
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), p->vardex_dialog.window_rect());
    world.advance(1500);
    p->vardex_dialog.blocked_sweep_timer.set_enabled(false);
    open(CheckAction::manual_start);
    EXPECT_TRUE(d().code_box.locked());
    world.advance(3000);
    EXPECT_FALSE(d().code_box.locked());
}

TEST_F(Security, EachCancelRestoresItsAction) {
    open(CheckAction::options);
    user->click(d().cancel_button);
    EXPECT_TRUE(p->vardex_dialog.visible());
    EXPECT_TRUE(p->vardex_dialog.sweep_timer.running());
    p->countdown.start_timer(600, ": Timer started for 0:10");
    open(CheckAction::exit_timing);
    user->click(d().cancel_button);
    EXPECT_TRUE(p->lauf_dialog.visible());
    EXPECT_FALSE(p->blocker_win.visible());
}

TEST_F(Security, TheOptionsActionOpensTheDialogUnblocked) {
    open(CheckAction::options);
    enter("", "zel");
    EXPECT_EQ(p->mode.get(), ProgramMode::options);
    EXPECT_TRUE(p->options_dialog.visible());
    EXPECT_FALSE(p->vardex_dialog.visible());
    EXPECT_FALSE(p->blocker_win.visible());
    EXPECT_FALSE(pc.machine.desktop().cursor_clip().has_value());
    user->click(p->options_dialog.exit_button);
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_TRUE(p->blocker_win.visible());
    EXPECT_TRUE(p->vardex_dialog.visible());
}

TEST_F(Security, TheFocusKeeperSweepsAndTakesTheFocusBack) {
    p->settings.record().forbidden_windows.push_back({"Game", MatchMode::whole});
    open(CheckAction::manual_start);
    const WindowId game = pc.machine.desktop().open_window("Game");
    world.advance(150);
    EXPECT_FALSE(pc.machine.desktop().is_open(game));
    pc.machine.desktop().open_window("Editor");
    world.advance(150);
    EXPECT_EQ(p->platform.windows().active_form(), &d());
}

struct Formula : Security {
    SecurityPage& o() { return p->options_dialog.security; }
    Formula() {
        open(CheckAction::options);
        enter("", "zel");
        user->select_tab(p->options_dialog.tabs, 3);  // "&Security"
    }
    void try_formula(const std::string& f) {
        o().formula_box.set_text(f);
        queue_digits();
        user->click(o().formula_button);
    }
    std::string code_for(const std::string& formula) {
        std::string c;
        for (char ch : formula)
            c += digit(static_cast<char>(std::toupper(ch)));
        return c;
    }
};

TEST_F(Formula, ThreeRightCodesStoreTheNewFormula) {
    try_formula("abcd");
    ASSERT_TRUE(d().visible());
    EXPECT_FALSE(p->options_dialog.visible());
    EXPECT_FALSE(d().password_box.visible());
    EXPECT_EQ(d().status_label.caption(), "Check 1... Please enter Security Code!");
    EXPECT_NE(p->time_dialog.mess_txt[0].caption().find("you have to pass 3 security tests"),
              std::string::npos);
    p->time_dialog.ok();
    for (int check = 2; check <= 4; ++check) {
        const std::string code = code_for("ABCD");
        queue_digits();
        user->replace_text(d().code_box, code);
        user->click(d().ok_button);
        if (check < 4) {
            EXPECT_EQ(d().status_label.caption(),
                      "Check " + std::to_string(check) + "... Please enter Security Code!");
        }
    }
    EXPECT_FALSE(d().visible());
    EXPECT_TRUE(p->options_dialog.visible());
    EXPECT_TRUE(d().password_box.visible());
    EXPECT_EQ(o().used_formula_box.text(), "ABCD");
    EXPECT_EQ(unscramble_text(*pc.machine.registry().text(testing::settings_path, "String1")),
              "ABCD");
    EXPECT_EQ(p->settings.record().Security_Formula, "ABCD");
    EXPECT_EQ(p->time_dialog.mess_txt[0].caption(), "Securiy formula has been changed!");
}

TEST_F(Formula, AWrongCodeOrCancelKeepsTheOldFormula) {
    try_formula("XYZ");
    user->replace_text(d().code_box, code_for("XYZ"));
    user->click(d().ok_button);
    user->replace_text(d().code_box, "999");
    user->click(d().ok_button);
    EXPECT_EQ(p->settings.record().Security_Formula, "KOS");
    EXPECT_TRUE(p->options_dialog.visible());
    try_formula("XYZ");
    user->click(d().cancel_button);
    EXPECT_EQ(p->settings.record().Security_Formula, "KOS");
    EXPECT_TRUE(d().password_box.visible());

    pc.machine.registry().fail_write(testing::settings_path, "String1");
    try_formula("XYZ");
    for (int i = 0; i < 3; ++i) {
        user->replace_text(d().code_box, code_for("XYZ"));
        queue_digits();
        user->click(d().ok_button);
    }
    EXPECT_EQ(p->settings.record().Security_Formula, "KOS");
    EXPECT_EQ(p->time_dialog.mess_txt[p->time_dialog.message_count - 1].caption(),
              "Couldn't write to registry! Securiy formula hasn't been changed!");
}

TEST_F(Formula, TheFormulaChecks) {
    auto last = [this] {
        return p->time_dialog.mess_txt[p->time_dialog.message_count - 1].caption();
    };
    try_formula(std::string(31, 'A'));
    EXPECT_EQ(last(), "Formula too long! (Maximum 30 characters)\nFormula hasn't been changed!");
    try_formula("");
    EXPECT_EQ(last(), "First enter the new formula, then press the Button 'Use new formula'");
    try_formula("AB");
    EXPECT_EQ(last(), "Formula has to have at least 3 characters!\nFormula hasn't been changed!");
    try_formula("AB3D");
    EXPECT_EQ(last(), "Unallowed character at position 3!\nFormula hasn't been changed!");
    EXPECT_FALSE(d().visible());
    try_formula(std::string(30, 'a'));
    EXPECT_TRUE(d().visible());
}

TEST_F(Formula, ThePasswordChangeAsksTwice) {
    auto last = [this] {
        return p->time_dialog.mess_txt[p->time_dialog.message_count - 1].caption();
    };
    user->click(o().password_button);
    EXPECT_EQ(last(), "First enter a new Password, then press 'Change Password'!");
    o().password_box.set_text("Secret15chars!!");
    pc.machine.desktop().answer_input("SECRET15CHARS!!");
    user->click(o().password_button);
    EXPECT_EQ(last(), "Password has been changed!");
    EXPECT_EQ(p->settings.record().Password, "Secret15chars!!");
    EXPECT_EQ(unscramble_text(*pc.machine.registry().text(testing::settings_path, "String2")),
              "Secret15chars!!");
    o().password_box.set_text("other");
    user->click(o().password_button);  // a cancelled box answers with an empty text
    EXPECT_EQ(last(), "Passwords weren't the same! Password hasn't changed!");
    EXPECT_EQ(pc.machine.desktop().questions().back(),
              "For safety reasons, please repeat the new Password:");
}

}  // namespace
}  // namespace vardex
