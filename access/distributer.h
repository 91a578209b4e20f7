#pragma once

namespace vardex {

class Clock;
class CountdownControl;
class Desktop;
class DistributerPage;
class SettingsStore;
class TextBox;
class UserMessages;

// Time Distributer IDs: allowances that recharge daily or weekly.
class Distributer {
  public:
    Distributer(DistributerPage& page, TextBox& id_box, SettingsStore& settings, Clock& clock,
                Desktop& desktop, UserMessages& messages, CountdownControl& countdown);

    // The main dialog's start with the ID typed into its box.
    void start_distributer_id();
    // Keeps the seconds left for the running ID and ends its timing.
    void end_distributer_timing();

    // The options page's buttons.
    void create_distributer_id();
    void delete_distributer_id();
    void reset_distributer_id();

  private:
    // The last selected line of the page's list, or -1.
    int selected_line() const;
    void refill_list();
    DistributerPage& page_;
    TextBox& id_box_;
    SettingsStore& settings_;
    Clock& clock_;
    Desktop& desktop_;
    UserMessages& messages_;
    CountdownControl& countdown_;
};

}  // namespace vardex
