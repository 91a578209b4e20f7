#include "settings/settings_store.h"

#include "settings/start_mode.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "platform/ansi.h"
#include "platform/random.h"
#include "settings/scrambler.h"
#include "settings/setting_table.h"

namespace vardex {

namespace {

const std::string cr = "\r";
const std::string key_failure = "Couldn't create key in registry!" + cr + "Check your registry!";
const std::string write_failure = "Couldn't write to registry! Some changes haven't been saved!";
const std::string forbidden_cancelled =
    "Error in registry! Had to cancel all Forbidden Windows entries.";
const std::string distributer_count_missing =
    "Error in registry! Had to cancel all Time Distributer entries!";
const std::string distributer_cancelled =
    "Error in registry! Had to cancel all Time Distributer entries.";
const std::string code_pages_cancelled =
    "Error in registry! Vardex had to cancel all Direct Access Code Pages.";

std::string indexed(std::string_view prefix, std::size_t i) {
    return std::string(prefix) + std::to_string(i);
}

// The ordinary text form of a single-precision number: at most 7 significant digits.
std::string single_text(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
    return buffer;
}

// The value of code `code` of page `page`: for page 3 the names run from 3_0 to 3_59.
std::string code_value_name(std::size_t page, std::size_t code) {
    return std::to_string(page) + "_" + std::to_string(code);
}

// A code fitted into its 16-character field: cut or padded with blanks.
std::string code_field(std::string code) {
    code.resize(code_field_length, ' ');
    return code;
}

}  // namespace

SettingsStore::SettingsStore(Registry& registry, Random& random, Startup& startup)
    : registry_(registry), random_(random), startup_(startup), settings_key_(registry) {}

long SettingsStore::write_number_value(RegKey key, std::string_view name, std::int32_t number) {
    return registry_.set_number(key, name, number);
}

long SettingsStore::write_text_value(RegKey key, std::string_view name, std::string_view text) {
    return registry_.set_text(key, name, text);
}

std::int32_t SettingsStore::read_number_value(RegKey key, std::string_view name) {
    std::int32_t value = 0;
    return registry_.query_number(key, name, value) == 0 ? value : missing_number;
}

std::string SettingsStore::read_text_value(RegKey key, std::string_view name) {
    // The whole stored text, whatever its length: the platform asks for the size first.
    std::string text;
    return registry_.query_text(key, name, text) == 0 ? text : std::string(missing_text);
}

std::string SettingsStore::read_scrambled(RegKey key, std::string_view name) {
    std::string text = read_text_value(key, name);
    return text == missing_text ? text : unscramble_text(text);
}

long SettingsStore::write_scrambled(RegKey key, std::string_view name, std::string_view text) {
    return write_text_value(key, name, scramble_text(text));
}

// How a list is stored: a count value, then a group of values per entry.
template <class Entry>
struct ListLayout {
    // What a load does when the count itself is missing.
    enum class MissingCount {
        empty,                // an empty list, nothing written or said
        store_zero_and_tell,  // store 0, then tell (after the fatal message if that failed)
        store_zero_or_fail,   // store 0 and tell, or only the fatal message
    };
    std::string_view count_name;
    std::int32_t max_count = 0;
    MissingCount missing_count = MissingCount::empty;
    std::string_view missing_count_message;
    // An entry with a missing value cancels the whole list; its count is stored as 0.
    std::string_view damaged_message;
    std::function<std::optional<Entry>(std::size_t index)> read_entry;
    // Entries that load whole but are not taken (none when empty).
    std::function<bool(const Entry&)> keep;
};

template <class Entry>
void SettingsStore::load_list(const ListLayout<Entry>& layout, std::vector<Entry>& list) {
    using Missing = typename ListLayout<Entry>::MissingCount;
    const RegKey key = settings_key_.get();
    list.clear();
    const std::int32_t count = read_number_value(key, layout.count_name);
    if (count == missing_number) {
        if (layout.missing_count == Missing::empty) {
            return;
        }
        const bool failed = write_number_value(key, layout.count_name, 0) != 0;
        if (failed) {
            report(key_failure, StoreProblem::repair_failed);
        }
        if (!failed || layout.missing_count == Missing::store_zero_and_tell) {
            report(std::string(layout.missing_count_message), StoreProblem::info);
        }
        return;
    }
    bool damaged = count < 0 || count > layout.max_count;
    for (std::int32_t i = 0; !damaged && i < count; ++i) {
        std::optional<Entry> entry = layout.read_entry(static_cast<std::size_t>(i));
        if (!entry) {
            damaged = true;
        } else if (!layout.keep || layout.keep(*entry)) {
            list.push_back(std::move(*entry));
        }
    }
    if (damaged) {
        list.clear();
        if (layout.damaged_message.empty()) {
            return;  // a list without repair: it just loads empty
        }
        const bool failed = write_number_value(key, layout.count_name, 0) != 0;
        report(failed ? key_failure : std::string(layout.damaged_message),
               failed ? StoreProblem::repair_failed : StoreProblem::info);
    }
}

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
    const std::string help_dir = read_text_value(installation.get(), installation_folder_value);
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
    using Forbidden = ListLayout<ForbiddenWindow>;
    load_list(Forbidden{
                  "List_Anz",
                  max_forbidden_windows,
                  Forbidden::MissingCount::store_zero_and_tell,
                  forbidden_cancelled,
                  forbidden_cancelled,
                  [&](std::size_t i) -> std::optional<ForbiddenWindow> {
                      const std::string title = read_scrambled(key, indexed("List_Anz_", i));
                      const auto mode = static_cast<std::int16_t>(
                          read_number_value(key, indexed("List_Check_", i)));
                      if (title == missing_text || mode == missing_number) {
                          return std::nullopt;
                      }
                      return ForbiddenWindow{title, static_cast<MatchMode>(mode)};
                  },
                  // A blank title would match every window: never taken.
                  [](const ForbiddenWindow& w) { return !trim_spaces(w.title).empty(); },
              },
              r.forbidden_windows);
    using Ids = ListLayout<TimeDistributerId>;
    load_list(
        Ids{
            "l2_1",
            max_time_dist_ids,
            Ids::MissingCount::store_zero_and_tell,
            distributer_count_missing,
            distributer_cancelled,
            [&](std::size_t i) -> std::optional<TimeDistributerId> {
                TimeDistributerId id;
                id.Time_Dist_ID = read_scrambled(key, indexed("l2_2_", i));
                id.Time_Dist_Time = read_number_value(key, indexed("l2_3_", i));
                id.Time_Dist_Period =
                    static_cast<std::int16_t>(read_number_value(key, indexed("l2_4_", i)));
                id.Time_Dist_Date = read_number_value(key, indexed("l2_5_", i));
                id.Time_Dist_Remain = read_number_value(key, indexed("l2_6_", i));
                if (id.Time_Dist_ID == missing_text || id.Time_Dist_Time == missing_number ||
                    id.Time_Dist_Period == missing_number || id.Time_Dist_Date == missing_number ||
                    id.Time_Dist_Remain == missing_number) {
                    return std::nullopt;
                }
                return id;
            },
            {},
        },
        r.time_dist_ids);
    using Pages = ListLayout<CodePage>;
    load_list(
        Pages{
            "cpanz",
            max_code_pages,
            Pages::MissingCount::store_zero_or_fail,
            code_pages_cancelled,
            code_pages_cancelled,
            [&](std::size_t i) -> std::optional<CodePage> {
                RegKeyHandle page_key(registry_);
                if (page_key.open(key, indexed("cp", i), RegAccess::full) != 0) {
                    return std::nullopt;
                }
                const RegKey pk = page_key.get();
                CodePage page;
                page.canz = read_number_value(pk, "canz");
                page.cpnr = read_number_value(pk, "cpnr");
                page.cpstd = static_cast<std::int16_t>(read_number_value(pk, "cpstd"));
                page.cpmin = read_number_value(pk, "cpmin");
                page.cpcom = read_scrambled(pk, "cpcom");
                bool whole = page.canz != missing_number && page.cpnr != missing_number &&
                             page.cpstd != missing_number && page.cpmin != missing_number &&
                             page.cpcom != missing_text;
                for (std::size_t j = 0; j < codes_per_page; ++j) {
                    const std::string code =
                        read_scrambled(pk, std::to_string(i) + "_" + std::to_string(j));
                    whole = whole && code != missing_text;
                    page.codes[j] = code_field(code == missing_text ? "" : code);
                }
                if (!whole) {
                    return std::nullopt;
                }
                return page;
            },
            {},
        },
        r.code_pages);
    load_scalars();
    restore_autostart();
}

void SettingsStore::load_scalars() {
    const RegKey key = settings_key_.get();
    for (const Setting& s : setting_table()) {
        if (s.kind == SettingKind::number) {
            const std::int32_t v = read_number_value(key, s.value_name);
            if (v != missing_number) {
                s.number.set(record_, v);
            } else if (s.when_missing == WhenMissing::leave_network) {
                run_leave_network();
            } else {
                s.number.set(record_, s.load_number);
            }
            continue;
        }
        std::string v =
            s.scrambled ? read_scrambled(key, s.value_name) : read_text_value(key, s.value_name);
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
                if (write_scrambled(key, s.value_name, s.load_text) != 0) {
                    report(key_failure, StoreProblem::repair_failed);
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
            report(key_failure, StoreProblem::repair_failed);
        }
    }
    const RegKey key = settings_key_.get();

    SettingsRecord& r = record_;
    r.forbidden_windows.clear();
    r.time_dist_ids.clear();
    r.code_pages.clear();
    long sum = 0;
    sum += write_number_value(key, "List_Anz", 0);
    sum += write_number_value(key, "l2_1", 0);
    const long pages = write_number_value(key, "cpanz", 0);
    sum += pages;
    report(pages != 0 ? key_failure : code_pages_cancelled,
           pages != 0 ? StoreProblem::repair_failed : StoreProblem::info);
    for (const Setting& s : setting_table()) {
        set_first_run_value(s, r);
        if (s.when_missing == WhenMissing::leave_network) {
            run_leave_network();  // the role stored is what leaving leaves
        }
        if (s.kind == SettingKind::number) {
            sum += write_number_value(key, s.value_name, s.number.get(r));
        } else {
            sum += s.scrambled ? write_scrambled(key, s.value_name, s.text.get(r))
                               : write_text_value(key, s.value_name, s.text.get(r));
        }
    }
    // The installer registers the program to start (the guard with Windows, or the program at
    // logon): the first run keeps that, so that the options show it and a later save does not
    // take it away.
    const bool early = registered_autostart(true) != missing_text;
    if (early || registered_autostart(false) != missing_text) {
        r.Autostart = 1;
        r.Early_or_Standard_Autostart = early ? 1 : 0;
        for (const char* name : {"Value6", "Value19"}) {
            const Setting* s = find_setting(name);
            sum += write_number_value(key, s->value_name, s->number.get(r));
        }
    }
    if (sum != 0) {
        report(key_failure, StoreProblem::info);
    }
}

bool SettingsStore::settings_key_is_empty() {
    std::uint32_t values = 0;
    std::uint32_t subkeys = 0;
    return registry_.count_entries(settings_key_.get(), values, subkeys) == 0 && values == 0 &&
           subkeys == 0;
}

std::string SettingsStore::registered_autostart(bool early) {
    if (early) {
        return startup_.guard_automatic() ? autostart_command() : missing_text;
    }
    RegKeyHandle handle(registry_);
    if (handle.open(local_machine, run_key_path, RegAccess::query) != 0) {
        return missing_text;
    }
    return read_text_value(handle.get(), autostart_value_name);
}

bool SettingsStore::apply_start_mode() {
    const bool early = start_mode_of(record_) == StartMode::early;
    // Only the guard's program may keep the key to SYSTEM and administrators; any other start
    // runs the program in the user's account, which must read and write it.
    bool ok = startup_.guard_automatic() == early || startup_.set_guard_automatic(early);
    if (startup_.settings_key_open(settings_key_path) == early) {
        ok = startup_.set_settings_key_open(settings_key_path, !early) && ok;
    }
    return ok;
}

void SettingsStore::save_settings() {
    long sum = save_time_dist_ids();
    sum += save_forbidden_windows();
    sum += save_scalars();
    if (sum != 0) {
        report(write_failure, StoreProblem::info);
    }
    save_autostart();
    store_code_pages();
}

long SettingsStore::save_time_dist_ids() {
    const RegKey key = settings_key_.get();
    const auto& ids = record_.time_dist_ids;
    long sum = write_number_value(key, "l2_1", static_cast<std::int32_t>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const TimeDistributerId& id = ids[i];
        sum += write_scrambled(key, indexed("l2_2_", i), id.Time_Dist_ID);
        sum += write_number_value(key, indexed("l2_3_", i), id.Time_Dist_Time);
        sum += write_number_value(key, indexed("l2_4_", i), id.Time_Dist_Period);
        sum += write_number_value(key, indexed("l2_5_", i), id.Time_Dist_Date);
        sum += write_number_value(key, indexed("l2_6_", i), id.Time_Dist_Remain);
    }
    return sum;
}

long SettingsStore::save_forbidden_windows() {
    const RegKey key = settings_key_.get();
    const auto& list = record_.forbidden_windows;
    // The values of the entries in memory go first, so a shorter list leaves none behind in
    // their places.
    for (std::size_t i = 0; i < list.size(); ++i) {
        registry_.delete_value(key, indexed("List_Anz_", i));
        registry_.delete_value(key, indexed("List_Check_", i));
    }
    long sum = write_number_value(key, "List_Anz", static_cast<std::int32_t>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        sum += write_scrambled(key, indexed("List_Anz_", i), list[i].title);
        sum += write_number_value(key, indexed("List_Check_", i),
                                  static_cast<std::int16_t>(list[i].matching));
    }
    return sum;
}

long SettingsStore::save_scalars() {
    const RegKey key = settings_key_.get();
    long sum = 0;
    for (const Setting& s : setting_table()) {
        if (!s.saved) {
            continue;
        }
        if (s.kind == SettingKind::number) {
            sum += write_number_value(key, s.value_name, s.number.get(record_));
        } else {
            sum += s.scrambled ? write_scrambled(key, s.value_name, s.text.get(record_))
                               : write_text_value(key, s.value_name, s.text.get(record_));
        }
    }
    return sum;
}

std::string SettingsStore::autostart_command() const {
    // Quoted: the installation folder may hold blanks.
    return "\"" + record_.Help_Dir + "Vado41.exe\"";
}

void SettingsStore::restore_autostart() {
    const bool early = record_.Early_or_Standard_Autostart != 0;
    const std::string command = autostart_command();
    if (record_.Autostart != 1 || registered_autostart(early) == command) {
        return;
    }
    if (early) {
        apply_start_mode();
        return;
    }
    RegKeyHandle key(registry_);
    if (key.open(local_machine, run_key_path, RegAccess::full) == 0 ||
        key.create(local_machine, run_key_path) == 0) {
        write_text_value(key.get(), autostart_value_name, command);
    }
}

void SettingsStore::save_autostart() {
    const std::string command = autostart_command();
    const bool on = record_.Autostart == 1;
    const bool early = record_.Early_or_Standard_Autostart != 0;
    // A standard user may read these but not change them: when they already say what the
    // settings say, they are left alone.
    if (registered_autostart(early) == (on ? command : missing_text) &&
        registered_autostart(!early) == missing_text &&
        startup_.settings_key_open(settings_key_path) != (on && early)) {
        return;
    }
    RegKeyHandle run(registry_);
    if (run.open(local_machine, run_key_path, RegAccess::full) != 0 &&
        run.create(local_machine, run_key_path) != 0) {
        report(key_failure, StoreProblem::info);
        record_.Autostart = 33;
    }
    registry_.delete_value(run.get(), autostart_value_name);
    if (record_.Autostart == 1 && !early) {
        write_text_value(run.get(), autostart_value_name, command);
    }
    // What older versions registered for an early start, which Windows never read.
    RegKeyHandle services(registry_);
    if (services.open(local_machine, run_services_key_path, RegAccess::full) == 0) {
        registry_.delete_value(services.get(), autostart_value_name);
    }
    if (!apply_start_mode()) {
        report(key_failure, StoreProblem::info);
    }
}

void SettingsStore::store_code_pages() {
    const RegKey key = settings_key_.get();
    if (write_number_value(key, "cpanz", static_cast<std::int32_t>(record_.code_pages.size())) !=
        0) {
        report(write_failure, StoreProblem::info);
        return;
    }
    // A copy: a page key that cannot be made empties the list in memory, yet the later pages
    // are still written.
    const std::vector<CodePage> pages = record_.code_pages;
    long sum = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        RegKeyHandle page_key(registry_);
        if (page_key.open(key, indexed("cp", i), RegAccess::full) != 0 &&
            page_key.create(key, indexed("cp", i)) != 0) {
            report(write_failure, StoreProblem::info);
            record_.code_pages.clear();
            if (write_number_value(key, "cpanz", 0) != 0) {
                sum += 1;
                break;
            }
            continue;
        }
        const RegKey pk = page_key.get();
        const CodePage& page = pages[i];
        sum += write_number_value(pk, "canz", page.canz);
        sum += write_number_value(pk, "cpnr", page.cpnr);
        sum += write_number_value(pk, "cpstd", page.cpstd);
        sum += write_number_value(pk, "cpmin", page.cpmin);
        sum += write_scrambled(pk, "cpcom", page.cpcom);
        for (std::size_t j = 0; j < codes_per_page; ++j) {
            sum += write_scrambled(pk, code_value_name(i, j), code_field(page.codes[j]));
        }
    }
    if (sum != 0) {
        report(write_failure, StoreProblem::info);
    }
}

long SettingsStore::store_recovery_minutes(std::int32_t minutes) {
    return write_number_value(settings_key_.get(), "Value5", minutes);
}

long SettingsStore::store_security_formula(std::string_view formula) {
    return write_scrambled(settings_key_.get(), "String1", formula);
}

long SettingsStore::store_password(std::string_view password) {
    return write_scrambled(settings_key_.get(), "String2", password);
}

long SettingsStore::store_network_role() {
    return write_number_value(settings_key_.get(), "Value11",
                              static_cast<std::int32_t>(record_.Network_Role));
}

long SettingsStore::store_redeemed_code(std::size_t page, std::size_t code) {
    const CodePage& cp = record_.code_pages.at(page);
    RegKeyHandle key(registry_);
    if (const long r = key.open(settings_key_.get(), indexed("cp", page), RegAccess::full);
        r != 0) {
        return r;
    }
    long sum = write_number_value(key.get(), "canz", cp.canz);
    sum += write_scrambled(key.get(), code_value_name(page, code), cp.codes.at(code));
    return sum;
}

std::vector<StoredComputer> SettingsStore::load_computer_table() {
    std::vector<StoredComputer> computers;
    using Computers = ListLayout<StoredComputer>;
    const RegKey key = settings_key_.get();
    load_list(
        Computers{
            "Value1000",
            std::numeric_limits<std::int16_t>::max(),
            Computers::MissingCount::empty,
            {},
            {},
            [&](std::size_t i) -> std::optional<StoredComputer> {
                const std::string n = "10" + std::to_string(i);
                StoredComputer c;
                const std::string name = read_scrambled(key, "str" + n + "1");
                const std::string address = read_scrambled(key, "str" + n + "2");
                const std::int32_t port = read_number_value(key, "val" + n + "3");
                c.name = name == missing_text ? "??????" : name;
                c.address = address == missing_text ? "" : address;
                c.port = port == missing_number ? 9023 : port;
                return c;
            },
            {},
        },
        computers);
    return computers;
}

long SettingsStore::save_computer_records(std::size_t first,
                                          const std::vector<StoredComputer>& changed,
                                          std::size_t count, std::size_t old_count) {
    const RegKey key = settings_key_.get();
    long sum = 0;
    if (old_count != count) {
        sum += write_number_value(key, "Value1000", static_cast<std::int32_t>(count));
    }
    for (std::size_t k = 0; k < changed.size(); ++k) {
        const std::string n = "10" + std::to_string(first + k);
        sum += write_scrambled(key, "str" + n + "1", changed[k].name);
        sum += write_scrambled(key, "str" + n + "2", changed[k].address);
        sum += write_number_value(key, "val" + n + "3", changed[k].port);
    }
    // A value that is gone already is no failure.
    for (std::size_t i = count; i < old_count; ++i) {
        const std::string n = "10" + std::to_string(i);
        for (const std::string& name : {"str" + n + "1", "str" + n + "2", "val" + n + "3"}) {
            registry_.delete_value(key, name);
        }
    }
    return sum;
}

std::vector<std::pair<std::string, std::int64_t>> SettingsStore::load_newest_stamps() {
    std::vector<std::pair<std::string, std::int64_t>> stamps;
    const std::string text = read_text_value(settings_key_.get(), "NetStamps");
    if (text == missing_text) {
        return stamps;
    }
    // Names never hold ";": it ends a datagram's fields.
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t name_end = text.find(';', pos);
        if (name_end == std::string::npos) {
            break;
        }
        const std::size_t time_end = std::min(text.find(';', name_end + 1), text.size());
        const std::optional<std::int64_t> time =
            whole_number(std::string_view(text).substr(name_end + 1, time_end - name_end - 1));
        if (time && name_end > pos) {
            stamps.emplace_back(text.substr(pos, name_end - pos), *time);
        }
        pos = time_end + 1;
    }
    return stamps;
}

long SettingsStore::store_newest_stamps(
    const std::vector<std::pair<std::string, std::int64_t>>& stamps) {
    std::string text;
    for (const auto& [name, time] : stamps) {
        text += name + ";" + std::to_string(time) + ";";
    }
    return write_text_value(settings_key_.get(), "NetStamps", text);
}

}  // namespace vardex
