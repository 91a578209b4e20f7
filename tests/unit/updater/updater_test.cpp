#include <gtest/gtest.h>

#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/user.h"
#include "platform/sim/world.h"
#include "settings/installation.h"
#include "updater/replace.h"
#include "updater/updater.h"

namespace vardex {
namespace {

const std::string folder = "C:\\Program Files\\Vardex\\";
const std::string installed = folder + "vado41.exe";
const std::string shipped = "D:\\update\\vado41.ex_";

struct UpdaterTest : ::testing::Test {
    sim::World world;
    sim::Machine& pc = world.add_machine("PC1", "192.168.0.1");
    sim::SimFiles& files = pc.files();

    UpdaterTest() {
        pc.registry().put_text(installation_key_path, installation_folder_value, folder);
        files.put(installed, "old program");
        files.put(shipped, "new program");
        files.set_program_path("D:\\update\\vado_update.exe");
    }
    bool replace(const std::string& which = installed) {
        return replace_installed_program(files, which, "D:\\update");
    }
    std::string at(const std::string& path) { return files.content(path).value_or("(none)"); }
};

TEST_F(UpdaterTest, TheInstalledProgramIsFoundWithOrWithoutTheFoldersBackslash) {
    EXPECT_EQ(find_installed_program(pc.registry(), files), installed);
    pc.registry().put_text(installation_key_path, installation_folder_value,
                           "  C:\\Program Files\\Vardex  ");
    EXPECT_EQ(find_installed_program(pc.registry(), files), installed);
    // The older name wins when both are there.
    files.put(folder + "vado40.exe", "older program");
    EXPECT_EQ(find_installed_program(pc.registry(), files), folder + "vado40.exe");
    // A folder without a program is found, but holds nothing; no folder value is no answer.
    pc.registry().put_text(installation_key_path, installation_folder_value, "C:\\Elsewhere");
    EXPECT_EQ(find_installed_program(pc.registry(), files), "");
    pc.registry().remove_value(installation_key_path, installation_folder_value);
    EXPECT_EQ(find_installed_program(pc.registry(), files), std::nullopt);
    pc.registry().fail_open(installation_key_path);
    EXPECT_EQ(find_installed_program(pc.registry(), files), std::nullopt);
    EXPECT_EQ(backup_path(folder + "vado40.exe"), folder + "vado40.bak");
    EXPECT_EQ(shipped_path("D:\\update"), shipped);
    EXPECT_EQ(shipped_path("D:\\update\\"), shipped);
}

TEST_F(UpdaterTest, AReplaceKeepsTheOldProgramAsItsBackupReplacingAnOlderBackup) {
    files.put(folder + "vado41.bak", "program of the update before");
    ASSERT_TRUE(replace());
    EXPECT_EQ(at(installed), "new program");
    EXPECT_EQ(at(folder + "vado41.bak"), "old program");
    EXPECT_EQ(at(folder + "vado41.new"), "(none)");
    EXPECT_EQ(at(shipped), "new program");
    // vado40.exe keeps its own name and is backed up as vado40.bak.
    files.put(folder + "vado40.exe", "older program");
    ASSERT_TRUE(replace(folder + "vado40.exe"));
    EXPECT_EQ(at(folder + "vado40.exe"), "new program");
    EXPECT_EQ(at(folder + "vado40.bak"), "older program");
}

TEST_F(UpdaterTest, AFailureInAnyPhaseLeavesTheInstalledProgramUnderItsOwnName) {
    // The shipped file missing or unreadable: nothing is touched.
    files.remove(shipped);
    EXPECT_FALSE(replace());
    EXPECT_EQ(at(installed), "old program");
    EXPECT_EQ(at(folder + "vado41.bak"), "(none)");
    files.put(shipped, "new program");
    files.fail(shipped);
    EXPECT_FALSE(replace());
    EXPECT_EQ(at(installed), "old program");
    files.clear_faults();
    // No room for the new copy beside it.
    files.fail(folder + "vado41.new");
    EXPECT_FALSE(replace());
    EXPECT_EQ(at(installed), "old program");
    files.clear_faults();
    // The old program cannot be moved aside (in use).
    files.fail(folder + "vado41.bak");
    EXPECT_FALSE(replace());
    EXPECT_EQ(at(installed), "old program");
    EXPECT_EQ(at(folder + "vado41.new"), "(none)");
    files.clear_faults();
    // The swap fails: the old program is put back by name, or by copy when that fails too.
    files.refuse_renames_to(installed, 1);
    EXPECT_FALSE(replace());
    EXPECT_EQ(at(installed), "old program");
    files.refuse_renames_to(installed, 2);
    EXPECT_FALSE(replace());
    EXPECT_EQ(at(installed), "old program");
    // No program in the installation folder at all: nothing to replace.
    EXPECT_FALSE(replace(""));
}

TEST_F(UpdaterTest, TheWindowFindsReplacesRefusesWhileRunningAndExplainsFailures) {
    sim::SimProcess& process = pc.start_process();
    UpdateForm form;
    process.windows().attach(form);
    Updater updater(process, form);
    form.show();
    EXPECT_FALSE(form.replace_button.enabled());
    updater.start();
    EXPECT_EQ(form.path_box.text(), installed);
    sim::User user(process);

    // The program running on the machine: refused, nothing touched.
    sim::SimProcess& program = pc.start_process();
    ASSERT_TRUE(program.desktop().claim_single_instance(program_instance_lock));
    ASSERT_TRUE(user.click(form.replace_button));
    EXPECT_EQ(pc.desktop().message_boxes().back(),
              "Vardex is running on this computer! Exit Vardex first, then start the update "
              "again.");
    EXPECT_EQ(at(installed), "old program");
    program.end();

    files.remove(shipped);
    ASSERT_TRUE(user.click(form.replace_button));
    EXPECT_EQ(pc.desktop().message_boxes().back(),
              std::string("Error! Could' not replace old exe file! You can try do the update by "
                          "hand (replace the old Vardex exe-file with the new one)\r\n") +
                  support_sentence);
    EXPECT_FALSE(process.sim_windows().quitting());

    files.put(shipped, "new program");
    ASSERT_TRUE(user.click(form.replace_button));
    EXPECT_EQ(pc.desktop().message_boxes().back(), "Old Version was successfully updated to 4.12!");
    EXPECT_EQ(at(installed), "new program");
    EXPECT_TRUE(process.sim_windows().quitting());
}

TEST_F(UpdaterTest, AGuardRunningTheProgramIsStoppedForTheReplaceAndAlwaysStartedAgain) {
    sim::SimProcess& process = pc.start_process();
    UpdateForm form;
    process.windows().attach(form);
    std::vector<std::string> calls;
    bool stops = true;
    GuardControl guard{[] { return true; },
                       [&] {
                           calls.push_back("stop at " + at(installed));
                           return stops;
                       },
                       [&] {
                           calls.push_back("start at " + at(installed));
                           return true;
                       }};
    Updater updater(process, form, guard);
    form.show();
    updater.start();
    sim::User user(process);
    // The guard's own lock is no sign of a program run by hand.
    ASSERT_TRUE(pc.start_process().desktop().claim_single_instance(program_instance_lock));

    // A guard that will not stop: nothing is touched, nothing started.
    stops = false;
    ASSERT_TRUE(user.click(form.replace_button));
    EXPECT_EQ(pc.desktop().message_boxes().back().rfind("Vardex is running on this computer!", 0),
              0u);
    EXPECT_EQ(calls, (std::vector<std::string>{"stop at old program"}));
    // A replace that fails starts the old program again.
    stops = true;
    files.fail(folder + "vado41.new");
    ASSERT_TRUE(user.click(form.replace_button));
    EXPECT_EQ(calls.back(), "start at old program");
    files.clear_faults();
    calls.clear();
    ASSERT_TRUE(user.click(form.replace_button));
    EXPECT_EQ(calls, (std::vector<std::string>{"stop at old program", "start at new program"}));
    EXPECT_EQ(pc.desktop().message_boxes().back(), "Old Version was successfully updated to 4.12!");
}

TEST_F(UpdaterTest, AnUnknownInstallationLeavesOnlyCancel) {
    pc.registry().fail_open(installation_key_path);
    sim::SimProcess& process = pc.start_process();
    UpdateForm form;
    process.windows().attach(form);
    Updater updater(process, form);
    form.show();
    updater.start();
    EXPECT_EQ(pc.desktop().message_boxes().back(),
              std::string("This program could not resolve the path of the exe-file of Vardex. "
                          "You can do the update by hand (replace the old Vardex exe-file with "
                          "the new one)\r\n") +
                  support_sentence);
    EXPECT_FALSE(form.replace_button.enabled());
    sim::User user(process);
    ASSERT_TRUE(user.click(form.cancel_button));
    EXPECT_TRUE(process.sim_windows().quitting());
}

}  // namespace
}  // namespace vardex
