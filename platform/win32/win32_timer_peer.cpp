#include "platform/win32/win32_timer_peer.h"

#include "platform/controls.h"
#include "platform/win32/win32_form_peer.h"

namespace vardex::win32 {

void Win32TimerPeer::changed(Prop prop) {
    if (control_ != nullptr && (prop == Prop::enabled || prop == Prop::timer)) {
        sync_timer();
    }
}

void Win32TimerPeer::detach() {
    stop();
    Win32ControlPeer::detach();
}

void Win32TimerPeer::timer_tick() {
    if (control_ != nullptr) {
        static_cast<Timer*>(control_)->raise_tick();
    }
}

void Win32TimerPeer::sync_timer() {
    stop();
    const auto* timer = static_cast<Timer*>(control_);
    if (timer->running()) {
        timer_set_ = SetTimer(form_.hwnd(), static_cast<UINT_PTR>(id()),
                              static_cast<UINT>(timer->interval()), nullptr) != 0;
    }
}

void Win32TimerPeer::stop() {
    if (timer_set_) {
        KillTimer(form_.hwnd(), static_cast<UINT_PTR>(id()));
        timer_set_ = false;
    }
}

}  // namespace vardex::win32
