#include "settings/settings_store.h"

#include <cstdio>
#include <string>

#include "platform/random.h"
#include "settings/setting_table.h"

namespace vardex {

namespace {

const std::string cr = "\r";

// The ordinary text form of a single-precision number: at most 7 significant digits.
std::string single_text(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
    return buffer;
}

}  // namespace

SettingsStore::SettingsStore(Registry& registry, Random& random, Startup& startup)
    : registry_(registry),
      random_(random),
      values_(registry),
      autostart_(values_, startup, settings_key_path),
      settings_key_(registry) {}

void SettingsStore::run_leave_network() {
    if (leave_network) {
        leave_network();
    }
    record_.Network_Role = NetworkRole::none;
}

void SettingsStore::load_settings() {
    SettingsRecord& r = record_;
    RegKeyHandle installation(registry_);
    if (installation.open(local_machine, installation_key_path, RegAccess::query) != 0) {
        report("Vardex couldn't find necessary keys in the registry!" + cr +
                   "Install Vardex again to make sure your registry works!",
               StoreProblem::no_installation);
        return;
    }
    const std::string help_dir = values_.read_text(installation.get(), installation_folder_value);
    if (help_dir == missing_text) {
        report("Vardex couldn't find necessary keys in the registry!" + cr +
                   "Install Vardex again to make sure the resgestry keys are right!",
               StoreProblem::no_installation);
        return;
    }
    r.Help_Dir = help_dir;
    if (r.Help_Dir.empty() || r.Help_Dir.back() != '\\') {
        r.Help_Dir += '\\';
    }
    r.Help_File = r.Help_Dir + "vado.hlp";
    installation.close();

    // The installer makes the key empty, with the rights a standard user's program needs:
    // its first start is a first run like that of a machine without the key.
    if (settings_key_.open(local_machine, settings_key_path, RegAccess::full) != 0 ||
        settings_key_is_empty()) {
        create_first_run();
        return;
    }
    const RegKey key = settings_key_.get();
    const ReportProblem tell = reporter();
    load_list(values_, key, forbidden_windows_layout(), r.forbidden_windows, tell);
    load_list(values_, key, time_dist_ids_layout(), r.time_dist_ids, tell);
    load_list(values_, key, code_pages_layout(), r.code_pages, tell);
    load_scalars();
    autostart_.restore(record_);
}

void SettingsStore::load_scalars() {
    const RegKey key = settings_key_.get();
    for (const Setting& s : setting_table()) {
        if (s.kind == SettingKind::number) {
            const std::int32_t v = values_.read_number(key, s.value_name);
            if (v != missing_number) {
                s.number.set(record_, v);
            } else if (s.when_missing == WhenMissing::leave_network) {
                run_leave_network();
            } else {
                s.number.set(record_, s.load_number);
            }
            continue;
        }
        std::string v = s.scrambled ? values_.read_scrambled(key, s.value_name)
                                    : values_.read_text(key, s.value_name);
        if (v != missing_text) {
            s.text.set(record_, std::move(v));
            continue;
        }
        switch (s.when_missing) {
            case WhenMissing::draw_computer_name:
                s.text.set(record_,
                           "error" + single_text(static_cast<float>(random_.next() * 100.0)));
                break;
            case WhenMissing::write_default_and_tell:
                s.text.set(record_, std::string(s.load_text));
                if (values_.write_setting(key, s, s.load_text) != 0) {
                    report(key_failure_message, StoreProblem::repair_failed);
                } else {
                    report(std::string(s.missing_message), StoreProblem::info);
                }
                break;
            default:
                s.text.set(record_, std::string(s.load_text));
                break;
        }
    }
}

void SettingsStore::create_first_run() {
    report(
        "Error in the registry!" + cr + "Password is set to 'zel' and Security Formula to 'KOS'!",
        StoreProblem::first_run);
    if (!settings_key_.is_open()) {
        RegKeyHandle software(registry_);
        if (software.open(local_machine, "SOFTWARE", RegAccess::full) != 0) {
            report("Vardex couldn't create necessary keys in the registry!" + cr +
                       "Install Vardex again to make sure the resgestry keys are right!",
                   StoreProblem::no_installation);
        }
        // Without "SOFTWARE" the parent is no key at all, and the creation fails.
        if (settings_key_.create(software.get(), "Morvandel4") != 0) {
            report(key_failure_message, StoreProblem::repair_failed);
        }
    }
    const RegKey key = settings_key_.get();

    SettingsRecord& r = record_;
    r.forbidden_windows.clear();
    r.time_dist_ids.clear();
    r.code_pages.clear();
    long sum = 0;
    sum += save_list(values_, key, forbidden_windows_layout(), r.forbidden_windows);
    sum += save_list(values_, key, time_dist_ids_layout(), r.time_dist_ids);
    const ListLayout<CodePage>& pages_layout = code_pages_layout();
    const long pages = values_.write_number(key, pages_layout.count_name, 0);
    sum += pages;
    report(pages != 0 ? key_failure_message : std::string(pages_layout.damaged_message),
           pages != 0 ? StoreProblem::repair_failed : StoreProblem::info);
    for (const Setting& s : setting_table()) {
        set_first_run_value(s, r);
        if (s.when_missing == WhenMissing::leave_network) {
            run_leave_network();  // the role stored is what leaving leaves
        }
        sum += values_.write_setting(key, s, r);
    }
    // The installer registers the program to start (the guard with Windows, or the program at
    // logon): the first run keeps that, so that the options show it and a later save does not
    // take it away.
    const bool early = autostart_.registered(r, true) != missing_text;
    if (early || autostart_.registered(r, false) != missing_text) {
        r.Autostart = 1;
        r.Early_or_Standard_Autostart = early ? 1 : 0;
        for (const char* field : {"Autostart", "Early_or_Standard_Autostart"}) {
            sum += values_.write_setting(key, setting_of_field(field), r);
        }
    }
    if (sum != 0) {
        report(key_failure_message, StoreProblem::info);
    }
}

bool SettingsStore::settings_key_is_empty() {
    std::uint32_t values = 0;
    std::uint32_t subkeys = 0;
    return registry_.count_entries(settings_key_.get(), values, subkeys) == 0 && values == 0 &&
           subkeys == 0;
}

void SettingsStore::save_settings() {
    const RegKey key = settings_key_.get();
    long sum = save_list(values_, key, time_dist_ids_layout(), record_.time_dist_ids);
    sum += save_list(values_, key, forbidden_windows_layout(), record_.forbidden_windows);
    sum += save_scalars();
    if (sum != 0) {
        report(write_failure_message, StoreProblem::info);
    }
    autostart_.save(record_, reporter());
    store_code_pages();
}

long SettingsStore::save_scalars() {
    const RegKey key = settings_key_.get();
    long sum = 0;
    for (const Setting& s : setting_table()) {
        if (s.saved) {
            sum += values_.write_setting(key, s, record_);
        }
    }
    return sum;
}

void SettingsStore::store_code_pages() {
    vardex::store_code_pages(values_, settings_key_.get(), record_.code_pages, reporter());
}

long SettingsStore::store_redeemed_code(std::size_t page, std::size_t code) {
    return vardex::store_redeemed_code(values_, settings_key_.get(), record_.code_pages, page,
                                       code);
}

long SettingsStore::store_recovery_minutes(std::int32_t minutes) {
    return values_.write_setting(settings_key_.get(), setting_of_field("Recovery_Minutes"),
                                 minutes);
}

long SettingsStore::store_security_formula(std::string_view formula) {
    return values_.write_setting(settings_key_.get(), setting_of_field("Security_Formula"),
                                 formula);
}

long SettingsStore::store_password(std::string_view password) {
    return values_.write_setting(settings_key_.get(), setting_of_field("Password"), password);
}

long SettingsStore::store_network_role() {
    return values_.write_setting(settings_key_.get(), setting_of_field("Network_Role"), record_);
}

}  // namespace vardex
