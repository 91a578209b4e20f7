#include "settings/settings_store.h"

#include <cstdio>
#include <string>

#include "platform/random.h"
#include "settings/scrambler.h"

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

// A code fitted into its 16-character field: cut or padded with blanks.
std::string code_field(std::string code) {
    code.resize(code_field_length, ' ');
    return code;
}

}  // namespace

SettingsStore::SettingsStore(Registry& registry, Random& random)
    : registry_(registry), random_(random), settings_key_(registry) {}

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

void SettingsStore::run_leave_network() {
    if (leave_network) {
        leave_network();
    }
    record_.Network_Role = 0;
}

void SettingsStore::load_settings() {
    SettingsRecord& r = record_;
    RegKeyHandle installation(registry_);
    if (installation.open(local_machine, installation_key_path, RegAccess::query) != 0) {
        report("Vardex couldn't find necessary keys in the registry!" + cr +
                   "Install Vardex again to make sure your registry works!",
               1);
        return;
    }
    const std::string help_dir = read_text_value(installation.get(), "Help_Dir");
    if (help_dir == missing_text) {
        report("Vardex couldn't find necessary keys in the registry!" + cr +
                   "Install Vardex again to make sure the resgestry keys are right!",
               1);
        return;
    }
    r.Help_Dir = help_dir;
    if (r.Help_Dir.empty() || r.Help_Dir.back() != '\\') {
        r.Help_Dir += '\\';
    }
    r.Help_File = r.Help_Dir + "vado.hlp";
    installation.close();

    if (settings_key_.open(local_machine, settings_key_path, RegAccess::full) != 0) {
        create_first_run();
        return;
    }
    const RegKey key = settings_key_.get();

    load_forbidden_windows();
    load_time_dist_ids();
    load_code_pages();

    load_required_text("String1", r.Security_Formula, "KOS",
                       "Couldn't find security formula! Security formula is set to 'KOS'!");
    load_required_text("String2", r.Password, "zel",
                       "Couldn't find password! Password is set to 'zel'!");
    load_required_text("String3", r.Log_Path, "c:\\vadolog.txt",
                       "Couldn't find Log Filename! Filename is set to 'C:\\VADOLOG.TXT'!");

    auto number = [&](std::string_view name, std::int32_t& field, std::int32_t fallback) {
        const std::int32_t v = read_number_value(key, name);
        field = v == missing_number ? fallback : v;
    };
    number("l2_0", r.Active_Time_Dist_ID, 0);
    number("Value1", r.Pause_Option, 0);
    number("Value14", r.Shutoff_Option, 0);
    number("Value15", r.Warning_at_10_minutes, 1);
    number("Value16", r.Warning_at_5_minutes, 1);
    number("Value17", r.Warning_at_3_minutes, 1);
    number("Value18", r.Warning_at_1_minutes, 1);
    number("Value19", r.Early_or_Standard_Autostart, 0);
    number("Value20", r.Start_Network_Dialog, 0);
    number("Value30", r.Log_for_Admin, 0);
    number("Value3", r.Start_Houres, 0);
    number("Value4", r.Start_minutes, 30);
    number("Value6", r.Autostart, 0);
    number("Value7", r.Log_Start_Exit_Vado, 0);
    number("Value8", r.Log_Start_Stop_Timer, 0);
    number("Value9", r.Log_Pausing_Timer, 0);
    number("Value10", r.Log_Preventing_Program, 0);
    number("Value5", r.Recovery_Minutes, 0);

    auto text = [&](std::string_view name, std::string& field, const std::string& fallback) {
        const std::string v = read_scrambled(key, name);
        field = v == missing_text ? fallback : v;
    };
    for (int i = 0; i < localised_text_count; ++i) {
        text("String" + std::to_string(20 + i), r.localised_texts[static_cast<std::size_t>(i)],
             default_localised_texts()[static_cast<std::size_t>(i)]);
    }
    text("String30", r.Path_for_Log_for_Admin, "");
    text("String11", r.Admin_IP_Address, "");
    text("String10", r.Own_IP_Address, "");
    text("String9", r.Computer_Name,
         "error" + single_text(static_cast<float>(random_.next() * 100.0)));

    const std::int32_t role = read_number_value(key, "Value11");
    if (role == missing_number) {
        run_leave_network();
    } else {
        r.Network_Role = role;
    }
    number("Value12", r.Admin_Port, 9023);
    number("Value13", r.Own_Port, 9023);
    text("String6", r.Path_of_Logo, "");
}

void SettingsStore::load_required_text(std::string_view name, std::string& field,
                                       const std::string& fallback, const std::string& message) {
    const std::string v = read_scrambled(settings_key_.get(), name);
    if (v != missing_text) {
        field = v;
        return;
    }
    field = fallback;
    if (write_scrambled(settings_key_.get(), name, fallback) != 0) {
        report(key_failure, 3);
    } else {
        report(message, 0);
    }
}

void SettingsStore::load_forbidden_windows() {
    const RegKey key = settings_key_.get();
    auto& list = record_.forbidden_windows;
    list.clear();
    const std::int32_t count = read_number_value(key, "List_Anz");
    if (count == missing_number) {
        if (write_number_value(key, "List_Anz", 0) != 0) {
            report(key_failure, 3);
        }
        report(forbidden_cancelled, 0);
        return;
    }
    bool damaged = count < 0 || count > max_forbidden_windows;
    for (std::int32_t i = 0; !damaged && i < count; ++i) {
        ForbiddenWindow entry;
        const std::string title =
            read_scrambled(key, indexed("List_Anz_", static_cast<std::size_t>(i)));
        const auto mode = static_cast<std::int16_t>(
            read_number_value(key, indexed("List_Check_", static_cast<std::size_t>(i))));
        if (title == missing_text || mode == missing_number) {
            damaged = true;
            break;
        }
        entry.title = title;
        entry.matching = mode;
        list.push_back(std::move(entry));
    }
    if (damaged) {
        list.clear();
        const bool failed = write_number_value(key, "List_Anz", 0) != 0;
        report(failed ? key_failure : forbidden_cancelled, failed ? 3 : 0);
    }
}

void SettingsStore::load_time_dist_ids() {
    const RegKey key = settings_key_.get();
    auto& list = record_.time_dist_ids;
    list.clear();
    const std::int32_t count = read_number_value(key, "l2_1");
    if (count == missing_number) {
        if (write_number_value(key, "l2_1", 0) != 0) {
            report(key_failure, 3);
        }
        report(distributer_count_missing, 0);
        return;
    }
    bool damaged = count < 0 || count > max_time_dist_ids;
    for (std::int32_t i = 0; !damaged && i < count; ++i) {
        const auto n = static_cast<std::size_t>(i);
        TimeDistributerId entry;
        const std::string id = read_scrambled(key, indexed("l2_2_", n));
        const std::int32_t time = read_number_value(key, indexed("l2_3_", n));
        const auto period = static_cast<std::int16_t>(read_number_value(key, indexed("l2_4_", n)));
        const std::int32_t date = read_number_value(key, indexed("l2_5_", n));
        const std::int32_t remain = read_number_value(key, indexed("l2_6_", n));
        if (id == missing_text || time == missing_number || period == missing_number ||
            date == missing_number || remain == missing_number) {
            damaged = true;
            break;
        }
        entry.Time_Dist_ID = id;
        entry.Time_Dist_Time = time;
        entry.Time_Dist_Period = period;
        entry.Time_Dist_Date = date;
        entry.Time_Dist_Remain = remain;
        list.push_back(std::move(entry));
    }
    if (damaged) {
        list.clear();
        const bool failed = write_number_value(key, "l2_1", 0) != 0;
        report(failed ? key_failure : distributer_cancelled, failed ? 3 : 0);
    }
}

void SettingsStore::load_code_pages() {
    const RegKey key = settings_key_.get();
    auto& pages = record_.code_pages;
    pages.clear();
    const std::int32_t count = read_number_value(key, "cpanz");
    if (count == missing_number) {
        const bool failed = write_number_value(key, "cpanz", 0) != 0;
        report(failed ? key_failure : code_pages_cancelled, failed ? 3 : 0);
        return;
    }
    bool damaged = count < 0 || count > max_code_pages;
    for (std::int32_t i = 0; !damaged && i < count; ++i) {
        RegKeyHandle page_key(registry_);
        if (page_key.open(key, indexed("cp", static_cast<std::size_t>(i)), RegAccess::full) != 0) {
            damaged = true;
            break;
        }
        const RegKey pk = page_key.get();
        CodePage page;
        page.canz = read_number_value(pk, "canz");
        page.cpnr = read_number_value(pk, "cpnr");
        page.cpstd = static_cast<std::int16_t>(read_number_value(pk, "cpstd"));
        page.cpmin = read_number_value(pk, "cpmin");
        page.cpcom = read_scrambled(pk, "cpcom");
        if (page.canz == missing_number || page.cpnr == missing_number ||
            page.cpstd == missing_number || page.cpmin == missing_number ||
            page.cpcom == missing_text) {
            damaged = true;
        }
        for (int j = 0; j < codes_per_page; ++j) {
            const std::string code =
                read_scrambled(pk, std::to_string(i) + "_" + std::to_string(j));
            if (code == missing_text) {
                damaged = true;  // the rest of this page is still read
                page.codes[static_cast<std::size_t>(j)] = std::string(code_field_length, ' ');
            } else {
                page.codes[static_cast<std::size_t>(j)] = code_field(code);
            }
        }
        pages.push_back(std::move(page));
    }
    if (damaged) {
        pages.clear();
        const bool failed = write_number_value(key, "cpanz", 0) != 0;
        report(failed ? key_failure : code_pages_cancelled, failed ? 3 : 0);
    }
}

void SettingsStore::create_first_run() {
    report(
        "Error in the registry!" + cr + "Password is set to 'zel' and Security Formula to 'KOS'!",
        2);
    RegKeyHandle software(registry_);
    if (software.open(local_machine, "SOFTWARE", RegAccess::full) != 0) {
        report("Vardex couldn't create necessary keys in the registry!" + cr +
                   "Install Vardex again to make sure the resgestry keys are right!",
               1);
    }
    // Without "SOFTWARE" the parent is no key at all, and the creation fails.
    if (settings_key_.create(software.get(), "Morvandel4") != 0) {
        report(key_failure, 3);
    }
    const RegKey key = settings_key_.get();

    SettingsRecord& r = record_;
    const std::string help_dir = r.Help_Dir;
    const std::string help_file = r.Help_File;
    r = SettingsRecord{};
    r.Help_Dir = help_dir;
    r.Help_File = help_file;

    long sum = 0;
    sum += write_scrambled(key, "String1", "KOS");
    sum += write_scrambled(key, "String2", "zel");
    sum += write_scrambled(key, "String3", "c:\\vadolog.txt");
    sum += write_scrambled(key, "String6", "");
    sum += write_number_value(key, "List_Anz", 0);
    sum += write_number_value(key, "l2_1", 0);
    sum += write_number_value(key, "l2_0", 0);
    const long pages = write_number_value(key, "cpanz", 0);
    sum += pages;
    report(pages != 0 ? key_failure : code_pages_cancelled, pages != 0 ? 3 : 0);
    for (const char* name : {"Value1", "Value14", "Value3", "Value30"}) {
        sum += write_number_value(key, name, 0);
    }
    for (const char* name : {"Value15", "Value16", "Value17", "Value18"}) {
        sum += write_number_value(key, name, 1);
    }
    sum += write_number_value(key, "Value19", 0);
    sum += write_number_value(key, "Value20", 0);
    sum += write_number_value(key, "Value4", 30);
    for (const char* name : {"Value6", "Value7", "Value8", "Value9", "Value10", "Value5"}) {
        sum += write_number_value(key, name, 0);
    }
    for (int i = 0; i < localised_text_count; ++i) {
        sum += write_scrambled(key, "String" + std::to_string(20 + i),
                               default_localised_texts()[static_cast<std::size_t>(i)]);
    }
    sum += write_scrambled(key, "String30", "");
    run_leave_network();
    sum += write_number_value(key, "Value11", r.Network_Role);
    sum += write_number_value(key, "Value12", 9023);
    sum += write_number_value(key, "Value13", 9023);
    r.Computer_Name.clear();
    r.Own_IP_Address.clear();
    r.Admin_IP_Address.clear();
    sum += write_scrambled(key, "String11", "");
    sum += write_scrambled(key, "String10", "");
    sum += write_scrambled(key, "String9", "");
    if (sum != 0) {
        report(key_failure, 0);
    }
}

void SettingsStore::save_settings() {
    const RegKey key = settings_key_.get();
    const SettingsRecord& r = record_;
    long sum = 0;

    // A1: the Time Distributer IDs.
    sum += write_number_value(key, "l2_0", r.Active_Time_Dist_ID);
    sum += write_number_value(key, "l2_1", static_cast<std::int32_t>(r.time_dist_ids.size()));
    for (std::size_t i = 0; i < r.time_dist_ids.size(); ++i) {
        const TimeDistributerId& id = r.time_dist_ids[i];
        sum += write_scrambled(key, indexed("l2_2_", i), id.Time_Dist_ID);
        sum += write_number_value(key, indexed("l2_3_", i), id.Time_Dist_Time);
        sum += write_number_value(key, indexed("l2_4_", i), id.Time_Dist_Period);
        sum += write_number_value(key, indexed("l2_5_", i), id.Time_Dist_Date);
        sum += write_number_value(key, indexed("l2_6_", i), id.Time_Dist_Remain);
    }

    // A2: the forbidden windows, after removing the values of the entries in memory.
    const std::size_t forbidden = r.forbidden_windows.size();
    for (std::size_t i = 0; i < forbidden; ++i) {
        registry_.delete_value(key, indexed("List_Anz_", i));
        registry_.delete_value(key, indexed("List_Check_", i));
    }
    sum += write_number_value(key, "List_Anz", static_cast<std::int32_t>(forbidden));
    for (std::size_t i = 0; i < forbidden; ++i) {
        sum += write_scrambled(key, indexed("List_Anz_", i), r.forbidden_windows[i].title);
        sum += write_number_value(key, indexed("List_Check_", i), r.forbidden_windows[i].matching);
    }

    // A3: everything else, in its stored order.
    sum += write_scrambled(key, "String3", r.Log_Path);
    sum += write_number_value(key, "Value1", r.Pause_Option);
    sum += write_number_value(key, "Value3", r.Start_Houres);
    sum += write_number_value(key, "Value4", r.Start_minutes);
    sum += write_number_value(key, "Value6", r.Autostart);
    sum += write_number_value(key, "Value7", r.Log_Start_Exit_Vado);
    sum += write_number_value(key, "Value8", r.Log_Start_Stop_Timer);
    sum += write_number_value(key, "Value9", r.Log_Pausing_Timer);
    sum += write_number_value(key, "Value10", r.Log_Preventing_Program);
    sum += write_scrambled(key, "String1", r.Security_Formula);
    sum += write_scrambled(key, "String6", r.Path_of_Logo);
    sum += write_scrambled(key, "String11", r.Admin_IP_Address);
    sum += write_scrambled(key, "String9", r.Computer_Name);
    sum += write_scrambled(key, "String10", r.Own_IP_Address);
    sum += write_number_value(key, "Value11", r.Network_Role);
    sum += write_number_value(key, "Value12", r.Admin_Port);
    sum += write_number_value(key, "Value13", r.Own_Port);
    sum += write_number_value(key, "Value14", r.Shutoff_Option);
    sum += write_number_value(key, "Value15", r.Warning_at_10_minutes);
    sum += write_number_value(key, "Value16", r.Warning_at_5_minutes);
    sum += write_number_value(key, "Value17", r.Warning_at_3_minutes);
    sum += write_number_value(key, "Value18", r.Warning_at_1_minutes);
    sum += write_number_value(key, "Value19", r.Early_or_Standard_Autostart);
    sum += write_number_value(key, "Value20", r.Start_Network_Dialog);
    sum += write_number_value(key, "Value30", r.Log_for_Admin);
    for (int i = 0; i < localised_text_count; ++i) {
        sum += write_scrambled(key, "String" + std::to_string(20 + i),
                               r.localised_texts[static_cast<std::size_t>(i)]);
    }
    sum += write_scrambled(key, "String30", r.Path_for_Log_for_Admin);
    if (sum != 0) {
        report(write_failure, 0);
    }

    save_autostart();
    save_code_pages();
}

void SettingsStore::save_autostart() {
    RegKeyHandle run(registry_);
    RegKeyHandle services(registry_);
    for (auto [handle, path] :
         {std::pair{&run, run_key_path}, std::pair{&services, run_services_key_path}}) {
        if (handle->open(local_machine, path, RegAccess::full) != 0 &&
            handle->create(local_machine, path) != 0) {
            report(key_failure, 0);
            record_.Autostart = 33;
        }
    }
    registry_.delete_value(run.get(), autostart_value_name);
    registry_.delete_value(services.get(), autostart_value_name);
    if (record_.Autostart == 1) {
        // Quoted: the installation folder may hold blanks.
        const std::string command = "\"" + record_.Help_Dir + "Vado41.exe\"";
        RegKeyHandle& target = record_.Early_or_Standard_Autostart != 0 ? services : run;
        write_text_value(target.get(), autostart_value_name, command);
    }
}

void SettingsStore::save_code_pages() {
    const RegKey key = settings_key_.get();
    if (write_number_value(key, "cpanz", static_cast<std::int32_t>(record_.code_pages.size())) !=
        0) {
        report(write_failure, 0);
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
            report(write_failure, 0);
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
        for (int j = 0; j < codes_per_page; ++j) {
            sum += write_scrambled(pk, std::to_string(i) + "_" + std::to_string(j),
                                   code_field(page.codes[static_cast<std::size_t>(j)]));
        }
    }
    if (sum != 0) {
        report(write_failure, 0);
    }
}

}  // namespace vardex
