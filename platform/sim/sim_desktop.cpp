#include "platform/sim/sim_desktop.h"

#include <algorithm>

#include "platform/ansi.h"
#include "platform/form.h"
#include "platform/sim/world.h"

namespace vardex::sim {

Size SimDesktop::screen_size_twips() {
    return {screen_.width * 15, screen_.height * 15};
}

Rect SimDesktop::virtual_screen_pixels() {
    Rect all{0, 0, screen_.width, screen_.height};
    for (const Rect& m : monitors_) {
        all.left = std::min(all.left, m.left);
        all.top = std::min(all.top, m.top);
        all.right = std::max(all.right, m.right);
        all.bottom = std::max(all.bottom, m.bottom);
    }
    return all;
}

SimDesktop::Window* SimDesktop::find(WindowId id) {
    auto it = windows_.find(id);
    return it == windows_.end() || it->second.closed ? nullptr : &it->second;
}

std::string SimDesktop::window_text(WindowId window) {
    ++title_reads_;
    const Window* w = find(window);
    return w != nullptr ? w->title : std::string{};
}

bool SimDesktop::post_close(WindowId window) {
    Window* w = find(window);
    if (w == nullptr) {
        return false;
    }
    ++w->close_requests;
    // A posted message is handled when the window's thread next runs its message loop.
    world_.schedule(world_.now_ms(), [this, window] {
        Window* target = find(window);
        if (target == nullptr) {
            return;
        }
        if (target->form != nullptr) {
            target->form->raise_close_request();
        } else if (!target->refuses_close) {
            target->closed = true;
            target->visible = false;
            order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
            if (foreground_ == window) {
                pick_new_foreground();
            }
        }
    });
    return true;
}

WindowId SimDesktop::window_from_point(Point p) {
    for (WindowId id : order_) {
        const Window& w = windows_.at(id);
        if (w.visible && w.rect.contains(p)) {
            return id;
        }
    }
    return 0;
}

Rect SimDesktop::window_rect(WindowId window) {
    const Window* w = find(window);
    return w != nullptr ? w->rect : Rect{};
}

void SimDesktop::set_cursor_pos(Point pos) {
    if (clip_) {
        pos.x = std::clamp(pos.x, clip_->left, std::max(clip_->left, clip_->right - 1));
        pos.y = std::clamp(pos.y, clip_->top, std::max(clip_->top, clip_->bottom - 1));
    }
    pos.x = std::clamp(pos.x, 0, screen_.width - 1);
    pos.y = std::clamp(pos.y, 0, screen_.height - 1);
    cursor_ = pos;
}

void SimDesktop::clip_cursor(const Rect* rect) {
    if (rect == nullptr) {
        clip_.reset();
        return;
    }
    clip_ = *rect;
    set_cursor_pos(cursor_);
}

bool SimDesktop::force_shut_down() {
    ++shutdowns_;
    return true;
}

bool SimDesktop::claim_single_instance(std::string_view name) {
    const std::string key = upper_ansi(name);
    auto it = mutexes_.find(key);
    if (it != mutexes_.end() && it->second != claiming_process) {
        return false;
    }
    mutexes_[key] = claiming_process;
    return true;
}

bool SimDesktop::instance_running(std::string_view name) {
    return mutexes_.count(upper_ansi(name)) != 0;
}

void SimDesktop::message_box(std::string_view text, std::string_view) {
    message_boxes_.emplace_back(text);
}

bool SimDesktop::yes_no_box(std::string_view text, std::string_view) {
    questions_.emplace_back(text);
    if (yes_no_answers_.empty()) {
        return false;
    }
    const bool yes = yes_no_answers_.front();
    yes_no_answers_.pop_front();
    return yes;
}

std::string SimDesktop::input_box(std::string_view prompt, std::string_view, std::string_view) {
    questions_.emplace_back(prompt);
    if (input_answers_.empty()) {
        return {};
    }
    std::string answer = std::move(input_answers_.front());
    input_answers_.pop_front();
    return answer;
}

std::optional<std::string> SimDesktop::file_dialog(const FileDialogRequest& request) {
    file_dialogs_.push_back(request);
    if (file_answers_.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(file_answers_.front());
    file_answers_.pop_front();
    return answer;
}

WindowId SimDesktop::add_window(Form* form, int process) {
    const WindowId id = next_id_++;
    Window w;
    w.id = id;
    w.form = form;
    w.process = process;
    windows_[id] = w;
    return id;
}

void SimDesktop::raise(WindowId id) {
    order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
    const Window& w = windows_.at(id);
    if (w.topmost) {
        order_.insert(order_.begin(), id);
        return;
    }
    auto pos = std::find_if(order_.begin(), order_.end(),
                            [this](WindowId other) { return !windows_.at(other).topmost; });
    order_.insert(pos, id);
}

void SimDesktop::pick_new_foreground() {
    for (WindowId id : order_) {
        if (windows_.at(id).visible) {
            set_foreground(id);
            return;
        }
    }
    set_foreground(0);
}

void SimDesktop::set_foreground(WindowId id) {
    if (foreground_ != id) {
        foreground_ = id;
        report(WindowChange::foreground, id);
    }
}

bool SimDesktop::watch_windows(int process, std::function<void(WindowChange, WindowId)> changed) {
    if (!window_events_) {
        return false;
    }
    watchers_.emplace_back(process, std::move(changed));
    return true;
}

// As the system does, the events reach the watchers through their message loops, later.
void SimDesktop::report(WindowChange change, WindowId id) {
    for (std::size_t i = 0; i < watchers_.size(); ++i) {
        const int process = watchers_[i].first;
        world_.schedule(world_.now_ms(), [this, process, i, change, id] {
            if (i < watchers_.size() && watchers_[i].first == process && watchers_[i].second) {
                watchers_[i].second(change, id);
            }
        });
    }
}

void SimDesktop::set_visible(WindowId id, bool visible) {
    Window* w = find(id);
    if (w == nullptr || w->visible == visible) {
        return;
    }
    w->visible = visible;
    if (visible) {
        raise(id);
        set_foreground(id);
    } else {
        order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
        if (foreground_ == id) {
            pick_new_foreground();
        }
    }
}

void SimDesktop::set_rect(WindowId id, Rect rect) {
    if (Window* w = find(id)) {
        w->rect = rect;
    }
}

void SimDesktop::set_title(WindowId id, std::string title) {
    if (Window* w = find(id); w != nullptr && w->title != title) {
        w->title = std::move(title);
        report(WindowChange::title, id);
    }
}

void SimDesktop::set_topmost(WindowId id) {
    Window* w = find(id);
    if (w == nullptr) {
        return;
    }
    w->topmost = true;
    if (w->visible) {
        raise(id);
    }
}

void SimDesktop::activate(WindowId id) {
    Window* w = find(id);
    if (w == nullptr || !w->visible) {
        return;
    }
    raise(id);
    set_foreground(id);
}

void SimDesktop::end_process(int process) {
    for (auto& [id, w] : windows_) {
        if (w.process == process && w.form != nullptr) {
            w.closed = true;
            w.visible = false;
            w.form = nullptr;
            order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
            if (foreground_ == id) {
                pick_new_foreground();
            }
        }
    }
    for (auto it = mutexes_.begin(); it != mutexes_.end();) {
        it = it->second == process ? mutexes_.erase(it) : std::next(it);
    }
    for (auto& [owner, changed] : watchers_) {
        if (owner == process) {
            changed = nullptr;  // kept in place: queued reports find their watcher by index
        }
    }
    if (capture_ != 0 && find(capture_) == nullptr) {
        capture_ = 0;
    }
}

WindowId SimDesktop::open_window(const std::string& title, Rect rect, bool refuses_close) {
    const WindowId id = add_window(nullptr, 0);
    Window& w = windows_.at(id);
    w.title = title;
    w.rect = rect;
    w.refuses_close = refuses_close;
    set_visible(id, true);
    return id;
}

bool SimDesktop::is_open(WindowId id) const {
    auto it = windows_.find(id);
    return it != windows_.end() && !it->second.closed;
}

const SimDesktop::Window* SimDesktop::window(WindowId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

std::vector<WindowId> SimDesktop::z_order() const {
    std::vector<WindowId> out;
    for (WindowId id : order_) {
        if (windows_.at(id).visible) {
            out.push_back(id);
        }
    }
    return out;
}

bool SimDesktop::is_above(WindowId a, WindowId b) const {
    const auto za = std::find(order_.begin(), order_.end(), a);
    const auto zb = std::find(order_.begin(), order_.end(), b);
    return za != order_.end() && za < zb;
}

}  // namespace vardex::sim
