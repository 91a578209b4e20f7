#include "access/security_page_buttons.h"

#include "access/security_check.h"
#include "access/security_page.h"
#include "platform/ansi.h"
#include "platform/desktop.h"
#include "settings/settings_store.h"
#include "settings/user_messages.h"

namespace vardex {

SecurityPageButtons::SecurityPageButtons(SecurityPage& page, SecurityCheck& check,
                                         SettingsStore& settings, Desktop& desktop,
                                         UserMessages& messages)
    : page_(page), check_(check), settings_(settings), desktop_(desktop), messages_(messages) {
    page.formula_button.on_click = [this] { use_new_formula(); };
    page.password_button.on_click = [this] { change_password(); };
}

void SecurityPageButtons::use_new_formula() {
    const std::string formula = page_.formula_box.text();
    auto refuse = [this](const std::string& text) { messages_.message(text); };
    if (formula.size() > 30) {
        refuse("Formula too long! (Maximum 30 characters)\nFormula hasn't been changed!");
        return;
    }
    if (formula.empty()) {
        refuse("First enter the new formula, then press the Button 'Use new formula'");
        return;
    }
    if (formula.size() < 3) {
        refuse("Formula has to have at least 3 characters!\nFormula hasn't been changed!");
        return;
    }
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const auto u = static_cast<unsigned char>(upper_ansi(formula[i]));
        if (u < 65 || u > 90) {
            refuse("Unallowed character at position " + std::to_string(i + 1) +
                   "!\nFormula hasn't been changed!");
            return;
        }
    }
    check_.begin_security_check(CheckAction::new_formula);
}

void SecurityPageButtons::change_password() {
    const std::string password = page_.password_box.text();
    if (password.empty()) {
        messages_.message("First enter a new Password, then press 'Change Password'!");
        return;
    }
    if (password.size() > 15) {
        messages_.message("Password has to be shorter than 15 characters!");
        return;
    }
    const std::string again = desktop_.input_box(
        "For safety reasons, please repeat the new Password:", "Double Check", "");
    if (upper_ansi(again) != upper_ansi(password)) {
        messages_.message("Passwords weren't the same! Password hasn't changed!");
        return;
    }
    store_password();
}

void SecurityPageButtons::store_password() {
    SecurityPage& o = page_;
    const std::string password = o.password_box.text();
    const long r = settings_.store_password(password);
    o.password_box.set_text("");
    if (r != 0) {
        messages_.message("Couldn't write to registry! Password hasn't been changed!");
        return;
    }
    settings_.record().Password = password;
    messages_.message("Password has been changed!");
}

}  // namespace vardex
