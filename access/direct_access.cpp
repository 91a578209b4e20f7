#include "access/direct_access.h"

#include "platform/controls.h"
#include "settings/countdown_control.h"
#include "settings/settings_store.h"
#include "settings/user_messages.h"

namespace vardex {

void DirectAccess::redeem_direct_access_code() {
    const std::string entered = code_box_.text();
    if (entered.empty()) {
        messages_.small_message("Enter a Direct Access Code first, then press the button!");
        return;
    }
    std::string digits;
    for (char c : entered) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    auto& pages = settings_.record().code_pages;
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
        messages_.small_message("Direct Access Code was not recognized!");
        return;
    }
    CodePage& cp = pages[static_cast<std::size_t>(page)];
    --cp.canz;
    // Written at once, so the code is used also after a crash; failures are not reported.
    settings_.store_redeemed_code(static_cast<std::size_t>(page), static_cast<std::size_t>(code));
    const std::string text = ": Timer started with DAC (" + digits + ") for " +
                             std::to_string(cp.cpstd) + ":" + std::to_string(cp.cpmin);
    countdown_.start_timer(cp.cpstd * 3600 + cp.cpmin * 60, text);
    countdown_.tick();
    code_box_.set_text("");
}

}  // namespace vardex
