#include "access/direct_access.h"

#include "core/program.h"

namespace vardex {

void DirectAccess::redeem_direct_access_code() {
    Program& p = program_;
    const std::string entered = p.vardex_dialog.code_box.text();
    if (entered.empty()) {
        p.time_dialog2.message("Enter a Direct Access Code first, then press the button!");
        return;
    }
    std::string digits;
    for (char c : entered) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    auto& pages = p.settings.record().code_pages;
    int page = -1;
    int code = -1;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        for (int j = 0; j < codes_per_page; ++j) {
            std::string& c = pages[i].codes[static_cast<std::size_t>(j)];
            if (c.size() == code_field_length && c.compare(0, 15, digits) == 0 &&
                digits.size() == 15 && c[15] == '1') {
                c[15] = '0';  // used at once
                page = static_cast<int>(i);
                code = j;
            }
        }
    }
    if (page < 0) {
        p.time_dialog2.message("Direct Access Code was not recognized!");
        return;
    }
    CodePage& cp = pages[static_cast<std::size_t>(page)];
    --cp.canz;
    // Written at once, so the code is used also after a crash; failures are not reported.
    p.settings.store_redeemed_code(static_cast<std::size_t>(page), static_cast<std::size_t>(code));
    const std::string text = ": Timer started with DAC (" + digits + ") for " +
                             std::to_string(cp.cpstd) + ":" + std::to_string(cp.cpmin);
    p.countdown.start_timer(cp.cpstd * 3600 + cp.cpmin * 60, text);
    p.countdown.tick();
    p.vardex_dialog.code_box.set_text("");
}

}  // namespace vardex
