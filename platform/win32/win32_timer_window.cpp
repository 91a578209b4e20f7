#include "platform/win32/win32_timer_window.h"

#include "platform/controls.h"

namespace vardex::win32 {

namespace {
constexpr char timer_class[] = "VardexTimers";
}

class Win32TimerWindow::Peer final : public ControlPeer {
  public:
    Peer(HWND hwnd, Timer& timer, UINT_PTR id) : hwnd_(hwnd), timer_(&timer), id_(id) { sync(); }
    ~Peer() override { stop(); }

    void changed(Prop prop) override {
        if (prop == Prop::enabled || prop == Prop::timer) {
            sync();
        }
    }
    void detach() override {
        stop();
        timer_ = nullptr;
    }
    Size measure_text(const std::string&, std::int32_t) override { return {}; }
    bool load_picture(const std::string&) override { return false; }
    void set_focus() override {}
    WindowId window_id() const override { return 0; }
    void tick() {
        if (timer_ != nullptr) {
            timer_->raise_tick();
        }
    }

  private:
    void stop() {
        if (set_) {
            KillTimer(hwnd_, id_);
            set_ = false;
        }
    }
    void sync() {
        stop();
        if (timer_ != nullptr && timer_->running()) {
            set_ = SetTimer(hwnd_, id_, static_cast<UINT>(timer_->interval()), nullptr) != 0;
        }
    }

    HWND hwnd_;
    Timer* timer_;
    UINT_PTR id_;
    bool set_ = false;
};

Win32TimerWindow::Win32TimerWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = timer_class;
    RegisterClassA(&wc);
    hwnd_.reset(CreateWindowExA(0, timer_class, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr));
    SetWindowLongPtrA(hwnd_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32TimerWindow::~Win32TimerWindow() {
    for (auto& peer : peers_) {
        peer->detach();
    }
}

void Win32TimerWindow::attach(Timer& timer) {
    // Timer ids are the peer's place plus one: 0 is no timer.
    peers_.push_back(std::make_unique<Peer>(hwnd_.get(), timer, peers_.size() + 1));
    timer.attach_peer(peers_.back().get());
}

LRESULT CALLBACK Win32TimerWindow::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Win32TimerWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_TIMER && self != nullptr && wp >= 1 && wp <= self->peers_.size()) {
        self->peers_[wp - 1]->tick();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace vardex::win32
