#include <gtest/gtest.h>

#include <vector>

#include "../core/program_fixture.h"
#include "guard/guard.h"

namespace vardex {
namespace {

using guard::FaceState;
using guard::Guard;
using guard::SessionEvent;

// A machine as the guard sees it, with every request written down.
struct FakeHost final : guard::GuardHost {
    std::optional<guard::SessionId> console;
    bool face_starts = true;
    bool blocked = true;
    bool face_answers = true;
    Guard* guard = nullptr;
    int programs = 0;
    std::vector<guard::SessionId> faces;
    int ends = 0;
    std::vector<guard::SessionId> disconnected;
    std::vector<std::string> events;
    std::int64_t now = 0;

    std::optional<guard::SessionId> console_session() override { return console; }
    void start_program() override { ++programs; }
    // What the message loop brings while a face starts.
    std::function<void()> while_starting;
    bool start_face(guard::SessionId s) override {
        if (while_starting) {
            auto meanwhile = std::move(while_starting);
            meanwhile();
        }
        if (face_starts) {
            faces.push_back(s);
        }
        return face_starts;
    }
    void end_face() override { ++ends; }
    void ping_face() override {
        if (face_answers) {
            guard->heartbeat_answered(now);
        }
    }
    void disconnect(guard::SessionId s) override { disconnected.push_back(s); }
    void log_event(std::string_view text) override { events.emplace_back(text); }
    bool machine_blocked() override { return blocked; }
};

struct GuardTest : ::testing::Test {
    FakeHost host;
    Guard g{host};
    GuardTest() { host.guard = &g; }
    // Ticks as the service's timer does, until `ms` have passed.
    void run(std::int64_t ms) {
        for (const std::int64_t end = host.now + ms; host.now < end;) {
            host.now += Guard::tick_ms;
            g.tick(host.now);
        }
    }
};

TEST_F(GuardTest, AFaceAtLogonAndAfterARestartOfTheGuardThatMissedIt) {
    g.start(0);
    EXPECT_EQ(host.programs, 1);
    EXPECT_EQ(g.state(), FaceState::no_session);
    host.console = 1;
    g.session_changed(SessionEvent::logon, 1, 100);
    EXPECT_EQ(host.faces, std::vector<guard::SessionId>{1});
    EXPECT_EQ(g.state(), FaceState::running);
    run(10000);
    EXPECT_EQ(host.faces.size(), 1u);

    // The guard itself restarted: nobody logs on again, it looks for the session.
    FakeHost again;
    again.console = 1;
    Guard restarted(again);
    restarted.start(0);
    EXPECT_EQ(again.faces, std::vector<guard::SessionId>{1});
}

TEST_F(GuardTest, AnEndedOrSilentFaceIsReplacedAtOnceTheFifthEndInAMinuteDisconnects) {
    host.console = 1;
    g.start(0);
    // Killed: a new one at once.
    g.face_ended(1000);
    EXPECT_EQ(host.faces.size(), 2u);
    // A new face has longer to answer first: it makes every window.
    host.now = 1000;
    host.face_answers = false;
    run(10000);
    EXPECT_EQ(host.faces.size(), 2u);
    host.face_answers = true;
    run(500);
    // Suspended: no answer for two seconds, then it is ended and replaced within a tick.
    host.face_answers = false;
    run(2500);
    EXPECT_EQ(host.ends, 1);
    EXPECT_EQ(host.faces.size(), 3u);
    host.face_answers = true;
    g.face_ended(host.now + 100);
    g.face_ended(host.now + 200);
    EXPECT_EQ(host.faces.size(), 5u);
    EXPECT_TRUE(host.disconnected.empty());
    g.face_ended(host.now + 300);
    EXPECT_EQ(host.faces.size(), 5u);
    EXPECT_EQ(host.disconnected, std::vector<guard::SessionId>{1});
    EXPECT_EQ(g.state(), FaceState::disconnected);
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0],
              "The windows of Vardex were ended five times within a minute; session 1 was "
              "disconnected.");
    // The user logs in again: a face, and a fresh count.
    g.session_changed(SessionEvent::console_connect, 1, host.now + 60000);
    EXPECT_EQ(host.faces.size(), 6u);
    for (int i = 1; i <= 4; ++i) {
        g.face_ended(host.now + 60000 + i * 20000);
    }
    EXPECT_EQ(host.disconnected.size(), 1u);
}

TEST_F(GuardTest, AnOrderlyExitLeavesTheMachineFreeUntilTheNextLogonOrAStartCommand) {
    host.console = 1;
    g.start(0);
    g.program_exited();
    EXPECT_EQ(host.ends, 1);
    g.face_ended(100);
    g.session_changed(SessionEvent::console_connect, 1, 200);
    run(10000);
    EXPECT_EQ(host.faces.size(), 1u);
    EXPECT_EQ(host.programs, 1);
    g.session_changed(SessionEvent::logon, 1, host.now);
    EXPECT_EQ(host.programs, 2);
    EXPECT_EQ(host.faces.size(), 2u);
    g.program_exited();
    g.start_command(host.now);
    EXPECT_EQ(host.programs, 3);
    EXPECT_EQ(host.faces.size(), 3u);
}

TEST_F(GuardTest, TheFaceFollowsTheConsoleAndNeverStartsInASessionLoggingOff) {
    host.console = 1;
    g.start(0);
    // Fast user switching: session 2 takes the console.
    g.session_changed(SessionEvent::console_disconnect, 1, 100);
    EXPECT_EQ(host.ends, 1);
    host.console = 2;
    g.session_changed(SessionEvent::console_connect, 2, 200);
    EXPECT_EQ(host.faces, (std::vector<guard::SessionId>{1, 2}));
    EXPECT_EQ(g.session(), 2u);
    // Session 2 logs off; Windows still names it the console's for a moment.
    g.session_changed(SessionEvent::logoff, 2, 300);
    g.session_changed(SessionEvent::console_connect, 2, 400);
    g.face_ended(500);
    run(5000);
    EXPECT_EQ(host.faces.size(), 2u);
    EXPECT_EQ(g.state(), FaceState::no_session);
    g.session_changed(SessionEvent::logon, 2, host.now);
    EXPECT_EQ(host.faces.size(), 3u);
}

TEST_F(GuardTest, WhatComesWhileAFaceStartsWaitsForTheStart) {
    host.console = 1;
    g.start(0);
    run(1000);
    // The old face is long silent when it is killed; the new one takes seconds to connect, in
    // which ticks, its predecessor's end and a switch of the console come.
    host.while_starting = [this] {
        host.now += 5000;
        g.tick(host.now);
        g.face_ended(host.now);
        host.console = 2;
        g.session_changed(SessionEvent::console_connect, 2, host.now);
    };
    g.face_ended(host.now);
    EXPECT_EQ(host.ends, 1);
    EXPECT_EQ(host.faces, (std::vector<guard::SessionId>{1, 1, 2}));
    EXPECT_EQ(g.session(), 2u);
    EXPECT_EQ(g.state(), FaceState::running);
}

TEST_F(GuardTest, AFaceThatCannotStartDisconnectsABlockedMachineAndIsTriedAgainOnAFreeOne) {
    host.console = 1;
    host.face_starts = false;
    host.blocked = false;
    g.start(0);
    EXPECT_EQ(g.state(), FaceState::retrying);
    EXPECT_TRUE(host.disconnected.empty());
    host.face_starts = true;
    run(1000);
    EXPECT_EQ(g.state(), FaceState::running);

    host.face_starts = false;
    host.blocked = true;
    g.face_ended(host.now);
    EXPECT_EQ(host.disconnected, std::vector<guard::SessionId>{1});
    EXPECT_EQ(g.state(), FaceState::disconnected);
    EXPECT_EQ(host.events.size(), 1u);
}

// The guard over a program in the simulation: the face is killed while a countdown runs.
struct GuardedProgram : ::testing::Test, guard::GuardHost {
    sim::World world;
    testing::VardexMachine pc{world};
    Guard g{*this};
    Program* p = nullptr;
    bool face_answers = true;
    int face_starts = 0;

    GuardedProgram() {
        pc.machine.set_programs_guarded(true);
        pc.put_settings();
    }
    sim::SimProcess& process() { return pc.process(*p); }
    std::optional<guard::SessionId> console_session() override { return 1; }
    void start_program() override { p = &pc.start(); }
    bool start_face(guard::SessionId) override {
        // The first face comes with the program's process.
        if (face_starts++ > 0) {
            process().start_face();
        }
        return true;
    }
    void end_face() override { process().kill_face(); }
    void ping_face() override {
        if (face_answers) {
            g.heartbeat_answered(world.now_ms());
        }
    }
    void disconnect(guard::SessionId) override {}
    void log_event(std::string_view) override {}
    bool machine_blocked() override { return p->mode.get() == ProgramMode::blocked; }
    void run(std::int64_t ms) {
        for (std::int64_t t = 0; t < ms; t += Guard::tick_ms) {
            world.advance(Guard::tick_ms);
            g.tick(world.now_ms());
        }
    }
};

TEST_F(GuardedProgram, AKilledOrHungFaceIsBackWithinTwoSecondsAndTheCountdownNeverStopped) {
    g.start(world.now_ms());
    run(3000);
    // A message the person has read and closed stays closed on the next face.
    p->time_dialog.message("Read and closed");
    sim::User reader(process());
    ASSERT_TRUE(p->time_dialog2.visible());
    ASSERT_TRUE(reader.click(p->time_dialog2.ok_button));
    p->countdown.start_timer(3600, ": Timer started for 1:00");
    run(60000);
    const std::int32_t left = p->countdown.remaining_seconds;

    process().kill_face();
    g.face_ended(world.now_ms());
    ASSERT_NE(process().face(), nullptr);
    for (Form* form : process().mirror()->forms()) {
        const Form* copy = process().face()->copy_of(*form);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(remote::shown_difference(*form, *copy), "");
    }
    EXPECT_TRUE(process().face()->copy_of(p->lauf2_dialog)->visible());
    EXPECT_FALSE(process().face()->copy_of(p->time_dialog2)->visible());

    run(1000);
    face_answers = false;
    run(2500);
    EXPECT_EQ(face_starts, 3);
    EXPECT_EQ(p->countdown.remaining_seconds, left - 3);
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(pc.programs.size(), 1u);
    sim::User user(process());
    EXPECT_TRUE(user.click_form(p->lauf2_dialog));
    EXPECT_TRUE(p->lauf_dialog.visible());
}

TEST_F(GuardedProgram, WhatAPersonNamesIsOpenedWithTheirRightsTheGuardsOwnFilesStayInItsFolder) {
    pc.machine.set_programs_guarded(true, {std::string(default_log_path())});
    pc.put_number("Value7", 1);  // log start and exit
    g.start(world.now_ms());
    run(8000);
    sim::SimFiles& files = pc.machine.files();
    const std::string own = sim::Machine::guard_folder;
    // The program file's backup is not in a temp folder anyone may write; the default log,
    // in a drive's root where the person may not create a file, is kept beside it.
    EXPECT_EQ(files.content(own + "~btw.tmp"), "MZ program");
    EXPECT_NE(files.content(own + "vadolog.txt").value_or("").find(": Vardex was started."),
              std::string::npos);
    EXPECT_FALSE(files.content("c:\\vadolog.txt"));

    // Over the blocked machine, messages come in the small message window.
    const auto last_message = [&] { return p->time_dialog2.text_label.caption(); };
    // A path typed behind the password cannot write where the person may not.
    for (const char* refused : {"C:\\Program Files\\Vardex\\vado41.exe",
                                "C:\\ProgramData\\Vardex\\..\\..\\WINDOWS\\win.ini"}) {
        pc.machine.desktop().answer_file_dialog(refused);
        p->options.export_options();
        EXPECT_NE(last_message().find("Error occured when writing to File!"), std::string::npos)
            << refused;
    }
    EXPECT_EQ(files.content("C:\\Program Files\\Vardex\\vado41.exe"), "MZ program");
    EXPECT_FALSE(files.content("C:\\WINDOWS\\win.ini"));
    pc.machine.desktop().answer_file_dialog("C:\\Users\\Public\\options.txt");
    p->options.export_options();
    EXPECT_NE(last_message().find("File was successfully written!"), std::string::npos);

    // Printing is the face's: without one, nothing prints and the reason is told.
    process().kill_face();
    Printer& printer = process().printer();
    EXPECT_FALSE(printer.begin_document());
    EXPECT_NE(printer.last_error().description, "");
    EXPECT_TRUE(pc.machine.printer().printed().empty());
}

}  // namespace
}  // namespace vardex
