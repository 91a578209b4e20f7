#pragma once

namespace vardex {

// How serious a problem of the store is: fatal ones stop the start-up.
enum class StoreProblem {
    info = 0,             // told, the program goes on
    no_installation = 1,  // the installation key or Help_Dir is missing: fatal
    first_run = 2,        // the settings key was missing and is made anew
    repair_failed = 3,    // a repair could not be written: fatal
};
inline bool is_fatal(StoreProblem kind) {
    return kind == StoreProblem::no_installation || kind == StoreProblem::repair_failed;
}

// What the store tells when a key or a value could not be written.
inline constexpr char key_failure_message[] =
    "Couldn't create key in registry!\rCheck your registry!";
inline constexpr char write_failure_message[] =
    "Couldn't write to registry! Some changes haven't been saved!";

}  // namespace vardex
