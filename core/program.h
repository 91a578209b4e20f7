#pragma once

#include <string>

#include "access/code_pages.h"
#include "access/direct_access.h"
#include "access/distributer.h"
#include "access/forbidden_windows.h"
#include "access/sec_dialog.h"
#include "access/security_check.h"
#include "core/blocker_win.h"
#include "core/blocking_screen.h"
#include "core/countdown.h"
#include "core/dialogs.h"
#include "core/event_log.h"
#include "core/help_window.h"
#include "core/lauf_dialog.h"
#include "core/lifecycle.h"
#include "core/main_dialog.h"
#include "core/operating_mode.h"
#include "core/start_dialog.h"
#include "core/time_dialog.h"
#include "core/timing_windows.h"
#include "core/vardex_dialog.h"
#include "network/console.h"
#include "network/joining.h"
#include "network/network.h"
#include "network/network_dialog.h"
#include "platform/platform.h"
#include "settings/options.h"
#include "settings/options_dialog.h"
#include "settings/settings_store.h"

namespace vardex {

// One running instance of the program, on the platform it is given. Every window is created
// here and lives until the program ends; the subsystems share this object.
class Program {
  public:
    explicit Program(Platform& platform);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the windows and runs the load of the start-up window.
    void start();

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

    Lifecycle lifecycle;
    EventLog log;
    Help help;
    Countdown countdown;
    BlockingScreen blocking;
    TimingWindows timing;
    MainDialog main_dialog;
    Options options;
    SecurityCheck security;
    DirectAccess direct_access;
    CodePages code_pages;
    Distributer distributer;
    ForbiddenWindows forbidden;
    Network network;
    Joining joining;
    NetworkConsole console;

  private:
    void attach_all();
    void wire();
};

}  // namespace vardex
