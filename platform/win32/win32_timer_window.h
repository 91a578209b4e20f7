#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/control.h"
#include "platform/win32/handles.h"

namespace vardex {
class Timer;
}

namespace vardex::win32 {

// The timers of forms whose windows another process shows (the guard's forms, shown by its
// face): one message-only window, one window timer per running timer.
class Win32TimerWindow {
  public:
    Win32TimerWindow();
    ~Win32TimerWindow();
    Win32TimerWindow(const Win32TimerWindow&) = delete;
    Win32TimerWindow& operator=(const Win32TimerWindow&) = delete;

    void attach(Timer& timer);

  private:
    class Peer;
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    UniqueWindow hwnd_;
    std::vector<std::unique_ptr<Peer>> peers_;
};

}  // namespace vardex::win32
