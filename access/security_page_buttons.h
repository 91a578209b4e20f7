#pragma once

namespace vardex {

class Desktop;
class SecurityCheck;
class SecurityPage;
class SettingsStore;
class UserMessages;

// The Security page's "&Use new formula" (tested by three security checks before it is
// stored) and "C&hange Password" (typed twice).
class SecurityPageButtons {
  public:
    SecurityPageButtons(SecurityPage& page, SecurityCheck& check, SettingsStore& settings,
                        Desktop& desktop, UserMessages& messages);

    void use_new_formula();
    void change_password();
    void store_password();

  private:
    SecurityPage& page_;
    SecurityCheck& check_;
    SettingsStore& settings_;
    Desktop& desktop_;
    UserMessages& messages_;
};

}  // namespace vardex
