#include "settings/autostart_store.h"

#include "settings/start_mode.h"

namespace vardex {

std::string AutostartStore::command(const SettingsRecord& record) {
    // Quoted: the installation folder may hold blanks.
    return "\"" + record.Help_Dir + "Vado41.exe\"";
}

std::string AutostartStore::registered(const SettingsRecord& record, bool early) {
    if (early) {
        return startup_.guard_automatic() ? command(record) : missing_text;
    }
    RegKeyHandle handle(values_.registry());
    if (handle.open(local_machine, run_key_path, RegAccess::query) != 0) {
        return missing_text;
    }
    return values_.read_text(handle.get(), autostart_value_name);
}

bool AutostartStore::apply_start_mode(const SettingsRecord& record) {
    const bool early = start_mode_of(record) == StartMode::early;
    // Any start but the guard's runs the program in the user's account, which must read and
    // write the key.
    bool ok = startup_.guard_automatic() == early || startup_.set_guard_automatic(early);
    if (startup_.settings_key_open(settings_key_path_) == early) {
        ok = startup_.set_settings_key_open(settings_key_path_, !early) && ok;
    }
    return ok;
}

void AutostartStore::restore(const SettingsRecord& record) {
    const bool early = record.Early_or_Standard_Autostart != 0;
    const std::string wanted = command(record);
    if (record.Autostart != 1 || registered(record, early) == wanted) {
        return;
    }
    if (early) {
        apply_start_mode(record);
        return;
    }
    RegKeyHandle key(values_.registry());
    if (key.open(local_machine, run_key_path, RegAccess::full) == 0 ||
        key.create(local_machine, run_key_path) == 0) {
        values_.write_text(key.get(), autostart_value_name, wanted);
    }
}

void AutostartStore::save(SettingsRecord& record, const ReportProblem& report) {
    const std::string wanted = command(record);
    const bool on = record.Autostart == 1;
    const bool early = record.Early_or_Standard_Autostart != 0;
    // A standard user may read these but not change them: when they already say what the
    // settings say, they are left alone.
    if (registered(record, early) == (on ? wanted : missing_text) &&
        registered(record, !early) == missing_text &&
        startup_.settings_key_open(settings_key_path_) != (on && early)) {
        return;
    }
    Registry& registry = values_.registry();
    RegKeyHandle run(registry);
    if (run.open(local_machine, run_key_path, RegAccess::full) != 0 &&
        run.create(local_machine, run_key_path) != 0) {
        report(key_failure_message, StoreProblem::info);
        record.Autostart = 33;
    }
    registry.delete_value(run.get(), autostart_value_name);
    if (record.Autostart == 1 && !early) {
        values_.write_text(run.get(), autostart_value_name, wanted);
    }
    // What older versions registered for an early start, which Windows never read.
    RegKeyHandle services(registry);
    if (services.open(local_machine, run_services_key_path, RegAccess::full) == 0) {
        registry.delete_value(services.get(), autostart_value_name);
    }
    if (!apply_start_mode(record)) {
        report(key_failure_message, StoreProblem::info);
    }
}

}  // namespace vardex
