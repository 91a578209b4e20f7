#pragma once

namespace vardex {

class CountdownControl;
class SettingsStore;
class TextBox;
class UserMessages;

// Direct Access Codes: one-time codes of the Code Pages, redeemed in the main dialog.
class DirectAccess {
  public:
    DirectAccess(TextBox& code_box, SettingsStore& settings, UserMessages& messages,
                 CountdownControl& countdown)
        : code_box_(code_box), settings_(settings), messages_(messages), countdown_(countdown) {}

    void redeem_direct_access_code();

  private:
    TextBox& code_box_;
    SettingsStore& settings_;
    UserMessages& messages_;
    CountdownControl& countdown_;
};

}  // namespace vardex
