#pragma once

namespace vardex {

class Desktop;
class ExplanDialog;
class ForbiddenPage;
class Form;
class SettingsStore;
class UserMessages;

// The forbidden list on its options page: adding and removing titles, their matching flags,
// and picking a title by clicking on a window.
class ForbiddenEditing {
  public:
    ForbiddenEditing(ForbiddenPage& page, Form& options_dialog, ExplanDialog& explanation,
                     SettingsStore& settings, Desktop& desktop, UserMessages& messages);

    void add_forbidden_title(bool check_length);
    void remove_forbidden_titles();
    void show_matching_flags();
    void set_matching_flags();
    void pick_window_title();
    // The mouse was released over the explanation window while a pick may be pending.
    void finish_pick();

  private:
    ForbiddenPage& page_;
    Form& options_dialog_;
    ExplanDialog& explanation_;
    SettingsStore& settings_;
    Desktop& desktop_;
    UserMessages& messages_;
};

}  // namespace vardex
