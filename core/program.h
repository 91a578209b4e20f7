#pragma once

#include <string>
#include <vector>

#include "access/clock_guard.h"
#include "access/code_pages.h"
#include "access/direct_access.h"
#include "access/distributer.h"
#include "access/forbidden_editing.h"
#include "access/forbidden_windows.h"
#include "access/sec_dialog.h"
#include "access/security_check.h"
#include "access/security_page_buttons.h"
#include "core/blocker_win.h"
#include "core/blocking_screen.h"
#include "core/check_actions.h"
#include "core/countdown.h"
#include "core/dialogs.h"
#include "core/event_log.h"
#include "core/help_window.h"
#include "core/lauf_dialog.h"
#include "core/lifecycle.h"
#include "core/main_dialog.h"
#include "core/message_windows.h"
#include "core/options.h"
#include "core/options_dialog.h"
#include "core/start_dialog.h"
#include "core/time_dialog.h"
#include "core/timing_windows.h"
#include "core/vardex_dialog.h"
#include "network/console.h"
#include "network/joining.h"
#include "network/network.h"
#include "network/network_dialog.h"
#include "platform/platform.h"
#include "settings/explan_dialog.h"
#include "settings/operating_mode.h"
#include "settings/settings_store.h"

namespace vardex {

// One running instance of the program, on the platform it is given, and the one place where
// its parts are built and wired: every window is created here and lives until the program
// ends; the subsystems below the program's flow are given only the services they use.
class Program {
  public:
    explicit Program(Platform& platform);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the windows and runs the load of the start-up window.
    void start();
    // Blocked or paused, the sweeps, the pointer clip and the paused window's focus follow the
    // system's window reports where it sends them, with a slow safety poll; otherwise fast
    // timers look.
    void pace_sweeps();
    // Every window of the program, in the order they are attached.
    std::vector<Form*> forms();

    Platform& platform;
    SettingsStore settings;
    OperatingMode mode;

    StartDialog start_dialog;
    BlockerWin blocker_win;
    VardexDialog vardex_dialog;
    TimeDialog time_dialog;
    TimeDialog2 time_dialog2;
    ExplanDialog explan_dialog;
    AboutDialog about_dialog;
    QuestDialog quest_dialog;
    LaufDialog lauf_dialog;
    Lauf2Dialog lauf2_dialog;
    SecDialog sec_dialog;
    OptionsDialog options_dialog;
    NetworkDialog network_dialog;
    HelpDialog help_dialog;

    MessageWindows messages{time_dialog, time_dialog2};
    Lifecycle lifecycle;
    EventLog log;
    Help help;
    ClockGuard clock_guard{platform.clock(), messages};
    Countdown countdown;
    BlockingScreen blocking;
    TimingWindows timing;
    MainDialog main_dialog;
    Options options;
    SecurityCheck security;
    SecurityPageButtons security_page_buttons;
    CheckActions check_actions;
    DirectAccess direct_access;
    CodePages code_pages;
    Distributer distributer;
    ForbiddenWindows forbidden;
    ForbiddenEditing forbidden_editing;
    Network network;
    Joining joining;
    NetworkConsole console;

  private:
    void attach_all();
    void wire();
    void wire_access();
    void wire_network();
};

}  // namespace vardex
