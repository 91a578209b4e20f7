#include "settings/stored_lists.h"

#include <limits>

#include "platform/ansi.h"

namespace vardex {

namespace {

std::string indexed(std::string_view prefix, std::size_t i) {
    return std::string(prefix) + std::to_string(i);
}

// The forbidden windows: a title and how it is matched.
namespace forbidden {
constexpr char count[] = "List_Anz";
constexpr char title[] = "List_Anz_";
constexpr char matching[] = "List_Check_";
}  // namespace forbidden

// The Time Distributer IDs.
namespace distributer {
constexpr char count[] = "l2_1";
constexpr char id[] = "l2_2_";
constexpr char time[] = "l2_3_";
constexpr char period[] = "l2_4_";
constexpr char date[] = "l2_5_";
constexpr char remain[] = "l2_6_";
}  // namespace distributer

// The Code Pages, each in a key of its own.
namespace pages {
constexpr char count[] = "cpanz";
constexpr char key[] = "cp";
constexpr char valid_codes[] = "canz";
constexpr char number[] = "cpnr";
constexpr char hours[] = "cpstd";
constexpr char minutes[] = "cpmin";
constexpr char comment[] = "cpcom";
}  // namespace pages

// The administrator's computer table: "str10" + index + "1" and so on.
namespace computers {
constexpr char count[] = "Value1000";
std::string name(std::size_t i) {
    return "str10" + std::to_string(i) + "1";
}
std::string address(std::size_t i) {
    return "str10" + std::to_string(i) + "2";
}
std::string port(std::size_t i) {
    return "val10" + std::to_string(i) + "3";
}
}  // namespace computers

const std::string forbidden_cancelled =
    "Error in registry! Had to cancel all Forbidden Windows entries.";
const std::string distributer_count_missing =
    "Error in registry! Had to cancel all Time Distributer entries!";
const std::string distributer_cancelled =
    "Error in registry! Had to cancel all Time Distributer entries.";
const std::string code_pages_cancelled =
    "Error in registry! Vardex had to cancel all Direct Access Code Pages.";

// The value of code `code` of page `page`: for page 3 the names run from 3_0 to 3_59.
std::string code_value_name(std::size_t page, std::size_t code) {
    return std::to_string(page) + "_" + std::to_string(code);
}

// A code fitted into its 16-character field: cut or padded with blanks.
std::string code_field(std::string code) {
    code.resize(code_field_length, ' ');
    return code;
}

std::optional<ForbiddenWindow> read_forbidden(StoredValues& values, RegKey key, std::size_t i) {
    const std::string title = values.read_scrambled(key, indexed(forbidden::title, i));
    const auto mode =
        static_cast<std::int16_t>(values.read_number(key, indexed(forbidden::matching, i)));
    if (title == missing_text || mode == missing_number) {
        return std::nullopt;
    }
    return ForbiddenWindow{title, static_cast<MatchMode>(mode)};
}

long write_forbidden(StoredValues& values, RegKey key, std::size_t i, const ForbiddenWindow& w) {
    return values.write_scrambled(key, indexed(forbidden::title, i), w.title) +
           values.write_number(key, indexed(forbidden::matching, i),
                               static_cast<std::int16_t>(w.matching));
}

void erase_forbidden(StoredValues& values, RegKey key, std::size_t i) {
    values.erase(key, indexed(forbidden::title, i));
    values.erase(key, indexed(forbidden::matching, i));
}

std::optional<TimeDistributerId> read_distributer(StoredValues& values, RegKey key, std::size_t i) {
    TimeDistributerId id;
    id.Time_Dist_ID = values.read_scrambled(key, indexed(distributer::id, i));
    id.Time_Dist_Time = values.read_number(key, indexed(distributer::time, i));
    id.Time_Dist_Period =
        static_cast<std::int16_t>(values.read_number(key, indexed(distributer::period, i)));
    id.Time_Dist_Date = values.read_number(key, indexed(distributer::date, i));
    id.Time_Dist_Remain = values.read_number(key, indexed(distributer::remain, i));
    if (id.Time_Dist_ID == missing_text || id.Time_Dist_Time == missing_number ||
        id.Time_Dist_Period == missing_number || id.Time_Dist_Date == missing_number ||
        id.Time_Dist_Remain == missing_number) {
        return std::nullopt;
    }
    return id;
}

long write_distributer(StoredValues& values, RegKey key, std::size_t i,
                       const TimeDistributerId& id) {
    long sum = values.write_scrambled(key, indexed(distributer::id, i), id.Time_Dist_ID);
    sum += values.write_number(key, indexed(distributer::time, i), id.Time_Dist_Time);
    sum += values.write_number(key, indexed(distributer::period, i), id.Time_Dist_Period);
    sum += values.write_number(key, indexed(distributer::date, i), id.Time_Dist_Date);
    sum += values.write_number(key, indexed(distributer::remain, i), id.Time_Dist_Remain);
    return sum;
}

std::optional<CodePage> read_code_page(StoredValues& values, RegKey key, std::size_t i) {
    RegKeyHandle page_key(values.registry());
    if (page_key.open(key, indexed(pages::key, i), RegAccess::full) != 0) {
        return std::nullopt;
    }
    const RegKey pk = page_key.get();
    CodePage page;
    page.canz = values.read_number(pk, pages::valid_codes);
    page.cpnr = values.read_number(pk, pages::number);
    page.cpstd = static_cast<std::int16_t>(values.read_number(pk, pages::hours));
    page.cpmin = values.read_number(pk, pages::minutes);
    page.cpcom = values.read_scrambled(pk, pages::comment);
    bool whole = page.canz != missing_number && page.cpnr != missing_number &&
                 page.cpstd != missing_number && page.cpmin != missing_number &&
                 page.cpcom != missing_text;
    for (std::size_t j = 0; j < codes_per_page; ++j) {
        const std::string code = values.read_scrambled(pk, code_value_name(i, j));
        whole = whole && code != missing_text;
        page.codes[j] = code_field(code == missing_text ? "" : code);
    }
    if (!whole) {
        return std::nullopt;
    }
    return page;
}

// Into the page's own key, open already.
long write_code_page(StoredValues& values, RegKey page_key, std::size_t i, const CodePage& page) {
    long sum = values.write_number(page_key, pages::valid_codes, page.canz);
    sum += values.write_number(page_key, pages::number, page.cpnr);
    sum += values.write_number(page_key, pages::hours, page.cpstd);
    sum += values.write_number(page_key, pages::minutes, page.cpmin);
    sum += values.write_scrambled(page_key, pages::comment, page.cpcom);
    for (std::size_t j = 0; j < codes_per_page; ++j) {
        sum += values.write_scrambled(page_key, code_value_name(i, j), code_field(page.codes[j]));
    }
    return sum;
}

// A missing value loads as no name, no address and the default port.
std::optional<StoredComputer> read_computer(StoredValues& values, RegKey key, std::size_t i) {
    StoredComputer c;
    const std::string name = values.read_scrambled(key, computers::name(i));
    const std::string address = values.read_scrambled(key, computers::address(i));
    const std::int32_t port = values.read_number(key, computers::port(i));
    c.name = name == missing_text ? "??????" : name;
    c.address = address == missing_text ? "" : address;
    c.port = port == missing_number ? default_port : port;
    return c;
}

long write_computer(StoredValues& values, RegKey key, std::size_t i, const StoredComputer& c) {
    long sum = values.write_scrambled(key, computers::name(i), c.name);
    sum += values.write_scrambled(key, computers::address(i), c.address);
    sum += values.write_number(key, computers::port(i), c.port);
    return sum;
}

void erase_computer(StoredValues& values, RegKey key, std::size_t i) {
    values.erase(key, computers::name(i));
    values.erase(key, computers::address(i));
    values.erase(key, computers::port(i));
}

}  // namespace

const ListLayout<ForbiddenWindow>& forbidden_windows_layout() {
    using Layout = ListLayout<ForbiddenWindow>;
    static const Layout layout{
        forbidden::count,
        max_forbidden_windows,
        Layout::MissingCount::store_zero_and_tell,
        forbidden_cancelled,
        forbidden_cancelled,
        read_forbidden,
        write_forbidden,
        erase_forbidden,
        // A blank title would match every window: never taken.
        [](const ForbiddenWindow& w) { return !trim_spaces(w.title).empty(); },
    };
    return layout;
}

const ListLayout<TimeDistributerId>& time_dist_ids_layout() {
    using Layout = ListLayout<TimeDistributerId>;
    static const Layout layout{
        distributer::count,
        max_time_dist_ids,
        Layout::MissingCount::store_zero_and_tell,
        distributer_count_missing,
        distributer_cancelled,
        read_distributer,
        write_distributer,
        nullptr,
    };
    return layout;
}

const ListLayout<CodePage>& code_pages_layout() {
    using Layout = ListLayout<CodePage>;
    // Written by store_code_pages, page key by page key.
    static const Layout layout{
        pages::count,
        max_code_pages,
        Layout::MissingCount::store_zero_or_fail,
        code_pages_cancelled,
        code_pages_cancelled,
        read_code_page,
        nullptr,
        nullptr,
    };
    return layout;
}

const ListLayout<StoredComputer>& computers_layout() {
    using Layout = ListLayout<StoredComputer>;
    static const Layout layout{
        computers::count,
        std::numeric_limits<std::int16_t>::max(),
        Layout::MissingCount::empty,
        {},
        {},
        read_computer,
        write_computer,
        erase_computer,
    };
    return layout;
}

template <class Entry>
void load_list(StoredValues& values, RegKey key, const ListLayout<Entry>& layout,
               std::vector<Entry>& list, const ReportProblem& report) {
    using Missing = typename ListLayout<Entry>::MissingCount;
    list.clear();
    const std::int32_t count = values.read_number(key, layout.count_name);
    if (count == missing_number) {
        if (layout.missing_count == Missing::empty) {
            return;
        }
        const bool failed = values.write_number(key, layout.count_name, 0) != 0;
        if (failed) {
            report(key_failure_message, StoreProblem::repair_failed);
        }
        if (!failed || layout.missing_count == Missing::store_zero_and_tell) {
            report(std::string(layout.missing_count_message), StoreProblem::info);
        }
        return;
    }
    bool damaged = count < 0 || count > layout.max_count;
    for (std::int32_t i = 0; !damaged && i < count; ++i) {
        std::optional<Entry> entry = layout.read_entry(values, key, static_cast<std::size_t>(i));
        if (!entry) {
            damaged = true;
        } else if (layout.keep == nullptr || layout.keep(*entry)) {
            list.push_back(std::move(*entry));
        }
    }
    if (damaged) {
        list.clear();
        if (layout.damaged_message.empty()) {
            return;
        }
        const bool failed = values.write_number(key, layout.count_name, 0) != 0;
        report(failed ? key_failure_message : std::string(layout.damaged_message),
               failed ? StoreProblem::repair_failed : StoreProblem::info);
    }
}

template void load_list(StoredValues&, RegKey, const ListLayout<ForbiddenWindow>&,
                        std::vector<ForbiddenWindow>&, const ReportProblem&);
template void load_list(StoredValues&, RegKey, const ListLayout<TimeDistributerId>&,
                        std::vector<TimeDistributerId>&, const ReportProblem&);
template void load_list(StoredValues&, RegKey, const ListLayout<CodePage>&, std::vector<CodePage>&,
                        const ReportProblem&);
template void load_list(StoredValues&, RegKey, const ListLayout<StoredComputer>&,
                        std::vector<StoredComputer>&, const ReportProblem&);

void store_code_pages(StoredValues& values, RegKey key, std::vector<CodePage>& list,
                      const ReportProblem& report) {
    const std::string_view count = code_pages_layout().count_name;
    if (values.write_number(key, count, static_cast<std::int32_t>(list.size())) != 0) {
        report(write_failure_message, StoreProblem::info);
        return;
    }
    const std::vector<CodePage> written = list;
    long sum = 0;
    for (std::size_t i = 0; i < written.size(); ++i) {
        RegKeyHandle page_key(values.registry());
        if (page_key.open(key, indexed(pages::key, i), RegAccess::full) != 0 &&
            page_key.create(key, indexed(pages::key, i)) != 0) {
            report(write_failure_message, StoreProblem::info);
            list.clear();
            if (values.write_number(key, count, 0) != 0) {
                sum += 1;
                break;
            }
            continue;
        }
        sum += write_code_page(values, page_key.get(), i, written[i]);
    }
    if (sum != 0) {
        report(write_failure_message, StoreProblem::info);
    }
}

long store_redeemed_code(StoredValues& values, RegKey key, const std::vector<CodePage>& list,
                         std::size_t page, std::size_t code) {
    const CodePage& cp = list.at(page);
    RegKeyHandle page_key(values.registry());
    if (const long r = page_key.open(key, indexed(pages::key, page), RegAccess::full); r != 0) {
        return r;
    }
    long sum = values.write_number(page_key.get(), pages::valid_codes, cp.canz);
    sum += values.write_scrambled(page_key.get(), code_value_name(page, code), cp.codes.at(code));
    return sum;
}

}  // namespace vardex
