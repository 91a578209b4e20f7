#pragma once

#include <cstdint>
#include <string>

#include "settings/operating_mode.h"
#include "settings/settings_store.h"

namespace vardex {

class Program;

// From process start to the blocked machine, and the orderly end: the start-up window and its
// timer, the single-instance test, crash recovery, the program-file guard and the exit.
class Lifecycle {
  public:
    explicit Lifecycle(Program& program);

    void load();
    void startup_tick();
    void program_start();
    void main_start_step();
    void show_start_error(const std::string& text, StoreProblem kind);
    // OK of a fatal message: during start-up the program just ends, later it exits in order.
    void end_after_fatal_message();
    void guard_program_file();
    void exit_program();
    void release_system();
    // "Yes" of the shutdown question.
    void shutdown_computer();
    // Ends the process at once.
    void end_program();
    // True when this process found another instance running and only says so.
    bool second_instance() const { return second_instance_; }

    bool startup_failed = false;
    std::int16_t startup_tick_count = 0;
    std::string backup_file_path;

    // The screen or the measures of the texts are other than the windows were laid out with
    // (the guard ran the program before any face showed it): centred and laid out anew.
    void lay_out_again();

  private:
    // Crash recovery: the countdown that was running goes on at once.
    void continue_countdown();
    void lock_system_keys(bool on);
    // The keyboard hold follows the mode: on while blocked or paused, while the keys are locked.
    void hold_keys_for(ProgramMode mode);
    void centre(class Form& form);
    void make_folders(const std::string& path);

    Program& program_;
    bool second_instance_ = false;
    bool started_ = false;  // the main start step or a crash recovery has run
    bool system_keys_locked_ = false;
};

}  // namespace vardex
