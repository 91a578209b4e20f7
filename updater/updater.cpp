#include "updater/updater.h"

#include "settings/installation.h"
#include "updater/replace.h"

namespace vardex {

namespace {
constexpr char caption[] = "Vardex - Update info";
}

Updater::Updater(Platform& platform, UpdateForm& form, GuardControl guard)
    : platform_(platform), form_(form), guard_(std::move(guard)) {
    form_.replace_button.on_click = [this] { replace(); };
    form_.cancel_button.on_click = [this] { platform_.windows().quit(0); };
    form_.on_unload = [this] { platform_.windows().quit(0); };
}

void Updater::start() {
    const auto installed = find_installed_program(platform_.registry(), platform_.files());
    if (!installed) {
        platform_.desktop().message_box(
            std::string("This program could not resolve the path of the exe-file of Vardex. You "
                        "can do the update by hand (replace the old Vardex exe-file with the new "
                        "one)\r\n") +
                support_sentence,
            caption);
        return;
    }
    form_.path_box.set_text(*installed);
    form_.replace_button.set_enabled(true);
}

void Updater::replace() {
    Desktop& desktop = platform_.desktop();
    // The running program holds its file open and would write its settings back: never
    // replace it under its feet. The guard's is stopped for the replace; one run by hand must
    // be ended by the operator.
    const bool guarded = guard_.running && guard_.running();
    if ((guarded && !guard_.stop()) ||
        (!guarded && desktop.instance_running(program_instance_lock))) {
        desktop.message_box(
            "Vardex is running on this computer! Exit Vardex first, then start the update "
            "again.",
            caption);
        return;
    }
    const bool replaced = replace_installed_program(platform_.files(), form_.path_box.text(),
                                                    platform_.files().program_folder());
    // The machine is blocked again at once, by the new program or, after a failure, the old.
    if (guarded) {
        guard_.start();
    }
    if (!replaced) {
        desktop.message_box(std::string("Error! Could' not replace old exe file! You can try do "
                                        "the update by hand (replace the old Vardex exe-file with "
                                        "the new one)\r\n") +
                                support_sentence,
                            caption);
        return;
    }
    desktop.message_box("Old Version was successfully updated to 4.12!", caption);
    platform_.windows().quit(0);
}

}  // namespace vardex
