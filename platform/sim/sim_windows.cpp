#include "platform/sim/sim_windows.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"
#include "platform/text_metrics.h"

namespace vardex::sim {

namespace {
// Border and caption of a normal window, in twips.
constexpr std::int32_t border = 60;
constexpr std::int32_t caption_height = 330;
constexpr std::int32_t tpp = 15;
}  // namespace

class SimFormPeer final : public FormPeer {
  public:
    SimFormPeer(SimWindows& ws, Form& form)
        : ws_(ws), form_(&form), id_(desktop().add_window(&form, ws.process().id())) {
        sync_rect();
        desktop().set_title(id_, form.caption());
    }

    void changed(FormProp prop) override {
        if (form_ == nullptr || ws_.process().ended()) {
            return;
        }
        switch (prop) {
            case FormProp::caption:
                desktop().set_title(id_, form_->caption());
                break;
            case FormProp::geometry:
                sync_rect();
                break;
            case FormProp::visible: {
                desktop().set_visible(id_, form_->visible());
                if (form_->visible()) {
                    form_->raise_activate();
                } else if (ws_.focused() != nullptr && &ws_.focused()->form() == form_) {
                    ws_.focus(nullptr);
                }
                break;
            }
            case FormProp::topmost:
                desktop().set_topmost(id_);
                break;
            default:
                break;
        }
    }
    void detach() override { form_ = nullptr; }
    WindowId window_id() const override { return id_; }
    Rect window_rect() const override {
        if (form_ == nullptr) {
            return {};
        }
        return Rect{form_->left() / tpp, form_->top() / tpp, (form_->left() + form_->width()) / tpp,
                    (form_->top() + form_->height()) / tpp};
    }
    Size inner_size() const override {
        if (form_ == nullptr) {
            return {};
        }
        Size s{form_->width(), form_->height()};
        if (!form_->popup_style()) {
            s.width -= 2 * border;
            s.height -= caption_height + border;
        }
        if (form_->scale_mode() == ScaleMode::pixels) {
            s.width /= tpp;
            s.height /= tpp;
        }
        return s;
    }
    void set_focus() override {
        if (form_ == nullptr || !form_->visible() || ws_.process().ended()) {
            return;
        }
        const bool was_active = desktop().foreground_window() == id_;
        desktop().activate(id_);
        if (!was_active) {
            form_->raise_activate();
        }
    }

  private:
    SimDesktop& desktop() { return ws_.process().machine().desktop(); }
    void sync_rect() { desktop().set_rect(id_, window_rect()); }

    SimWindows& ws_;
    Form* form_;
    WindowId id_;
};

class SimControlPeer final : public ControlPeer {
  public:
    SimControlPeer(SimWindows& ws, Control& control) : ws_(ws), control_(&control) {
        if (control.kind() == ControlKind::timer) {
            slot_ = std::make_shared<Slot>();
            slot_->timer = static_cast<Timer*>(&control);
            reschedule();
        }
    }
    ~SimControlPeer() override { detach(); }

    void changed(Prop prop) override {
        if (slot_ && (prop == Prop::enabled || prop == Prop::timer)) {
            reschedule();
        }
    }
    void detach() override {
        control_ = nullptr;
        if (slot_) {
            slot_->timer = nullptr;
            slot_.reset();
        }
    }
    Size measure_text(const std::string& text, std::int32_t wrap_width) override {
        if (control_ == nullptr) {
            return {};
        }
        Size size = estimate_text_size(text, control_->font().size, wrap_width,
                                       control_->form().scale_mode() == ScaleMode::pixels);
        size.width = size.width * ws_.process().machine().desktop().text_width_percent() / 100;
        return size;
    }
    bool load_picture(const std::string& path) override {
        std::string content;
        return ws_.process().machine().files().read(path, content) && content.rfind("BM", 0) == 0;
    }
    void set_focus() override {
        if (control_ != nullptr && control_->usable()) {
            ws_.focus(control_);
            control_->form().set_focus();
        }
    }
    WindowId window_id() const override { return 0; }

    void resume() {
        if (slot_ && slot_->missed) {
            slot_->missed = false;
            arm(ws_.process().machine().world().now_ms());
        }
    }

  private:
    struct Slot {
        Timer* timer = nullptr;
        std::uint64_t generation = 0;
        bool missed = false;
    };

    void reschedule() {
        ++slot_->generation;
        slot_->missed = false;
        if (slot_->timer->running()) {
            arm(ws_.process().machine().world().now_ms() + slot_->timer->interval());
        }
    }

    void arm(std::int64_t at) { schedule_fire(slot_, slot_->generation, &ws_.process(), at); }

    // Each tick arms the next one before it runs the handler; a handler that stops or changes
    // the timer re-arms it under a new generation, which voids the armed tick.
    static void schedule_fire(const std::weak_ptr<Slot>& weak, std::uint64_t generation,
                              SimProcess* process, std::int64_t at) {
        World& world = process->machine().world();
        world.schedule(at, [weak, generation, process] {
            auto slot = weak.lock();
            if (!slot || slot->timer == nullptr || slot->generation != generation ||
                process->ended()) {
                return;
            }
            if (process->machine().suspended()) {
                slot->missed = true;
                return;
            }
            Timer* timer = slot->timer;
            schedule_fire(weak, generation, process,
                          process->machine().world().now_ms() + timer->interval());
            timer->raise_tick();
        });
    }

    SimWindows& ws_;
    Control* control_;
    std::shared_ptr<Slot> slot_;
};

SimWindows::SimWindows(SimProcess& process) : process_(process) {}

SimWindows::~SimWindows() {
    for (auto& peer : control_peers_) {
        peer->detach();
    }
}

void SimWindows::attach(Form& form) {
    forms_.push_back(&form);
    form_peers_.push_back(std::make_unique<SimFormPeer>(*this, form));
    form.attach_peer(form_peers_.back().get());
    for (Control* c : form.controls()) {
        control_peers_.push_back(std::make_unique<SimControlPeer>(*this, *c));
        c->attach_peer(control_peers_.back().get());
    }
}

void SimWindows::attach_timers(Form& form) {
    for (Control* c : form.controls()) {
        if (c->kind() == ControlKind::timer) {
            control_peers_.push_back(std::make_unique<SimControlPeer>(*this, *c));
            c->attach_peer(control_peers_.back().get());
        }
    }
}

Form* SimWindows::active_form() {
    const WindowId fg = process_.machine().desktop().foreground_window();
    for (Form* f : forms_) {
        if (f->window_id() == fg) {
            return f;
        }
    }
    return nullptr;
}

void SimWindows::do_events() {
    process_.machine().world().advance(10);
}

void SimWindows::quit(int exit_code) {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    exit_code_ = exit_code;
    process_.end();
}

Form* SimWindows::form(const std::string& name) const {
    for (Form* f : forms_) {
        if (f->name() == name) {
            return f;
        }
    }
    return nullptr;
}

void SimWindows::focus(Control* control) {
    if (control == focused_) {
        return;
    }
    Control* old = focused_;
    focused_ = control;
    if (old != nullptr) {
        old->raise_lost_focus();
    }
}

void SimWindows::resume_timers() {
    for (auto& peer : control_peers_) {
        peer->resume();
    }
}

}  // namespace vardex::sim
