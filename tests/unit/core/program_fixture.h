#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/program.h"
#include "platform/remote/form_state.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/user.h"
#include "platform/sim/world.h"
#include "settings/scrambler.h"
#include "settings/setting_table.h"

namespace vardex::testing {

inline const std::string settings_path = "SOFTWARE\\Morvandel4";
inline const std::string install_path = "SOFTWARE\\Quorvane\\Vardex\\4.0";

// A machine with Vardex installed as an installer leaves it, and a way to start the program.
struct VardexMachine {
    sim::World& world;
    sim::Machine& machine;
    std::vector<std::unique_ptr<Program>> programs;

    VardexMachine(sim::World& w, const std::string& name = "PC1",
                  const std::string& address = "10.0.0.1")
        : world(w), machine(w.add_machine(name, address)) {
        machine.files().set_program_path("C:\\Program Files\\Vardex\\vado41.exe");
        machine.files().put("C:\\Program Files\\Vardex\\vado41.exe", "MZ program");
        machine.registry().put_text(install_path, "Help_Dir", "C:\\Program Files\\Vardex\\");
        machine.registry().put_key("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
#ifdef VARDEX_TEST_GUARDED
        // The same tests again, every program run by the guard and shown by its face.
        machine.set_programs_guarded(true, {std::string(default_log_path())});
#endif
    }

#ifdef VARDEX_TEST_GUARDED
    // Whatever the test did, each running program's face shows its forms as they are.
    ~VardexMachine() {
        for (const auto& program : programs) {
            sim::SimProcess& p = process(*program);
            if (p.ended()) {
                continue;
            }
            remote::Face* face = p.face();
            if (face == nullptr) {
                ADD_FAILURE() << "a guarded program without a face";
                continue;
            }
            for (Form* form : p.mirror()->forms()) {
                const Form* copy = face->copy_of(*form);
                if (copy == nullptr) {
                    ADD_FAILURE() << "no copy of " << form->name();
                    continue;
                }
                EXPECT_EQ(remote::shown_difference(*form, *copy), "");
            }
        }
    }
#endif

    // A store that a previous run left complete, with the given extra numbers.
    void put_settings() {
        sim::SimRegistry& r = machine.registry();
        for (const char* name : {"List_Anz", "l2_1", "cpanz", "Value11"}) {
            r.put_number(settings_path, name, 0);
        }
        r.put_text(settings_path, "String1", scramble_text("KOS"));
        r.put_text(settings_path, "String2", scramble_text("zel"));
        r.put_text(settings_path, "String3", scramble_text("c:\\vadolog.txt"));
    }
    void put_number(const std::string& name, std::int32_t v) {
        machine.registry().put_number(settings_path, name, v);
    }
    std::optional<std::int32_t> number(const std::string& name) {
        return machine.registry().number(settings_path, name);
    }

    // Starts a new process of the program; it runs its load at once.
    Program& start() {
        sim::SimProcess& process = machine.start_process();
        programs.push_back(std::make_unique<Program>(process));
        programs.back()->start();
        return *programs.back();
    }
    sim::SimProcess& process(const Program& p) {
        return static_cast<sim::SimProcess&>(p.platform);
    }
    // The event log at its default path; a guard keeps it in its own folder.
    std::string log() {
        const std::string folder = machine.programs_guarded() ? sim::Machine::guard_folder : "c:\\";
        return machine.files().content(folder + "vadolog.txt").value_or("");
    }
};

// A test on one machine whose program has reached the blocked machine, with a person at it.
struct BlockedMachineTest : ::testing::Test {
    sim::World world;
    VardexMachine pc{world};
    Program* p = nullptr;
    std::unique_ptr<sim::User> user;

    // Starts the program on a complete store (numbers put before stay) and waits until the
    // main dialog is shown.
    void start_blocked() {
        pc.put_settings();
        p = &pc.start();
        world.advance(3000);
        user = std::make_unique<sim::User>(pc.process(*p));
    }
};

}  // namespace vardex::testing
