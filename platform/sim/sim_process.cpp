#include "platform/sim/sim_process.h"

#include "platform/sim/machine.h"

namespace vardex::sim {

double SimRandom::next() {
    if (!queued_.empty()) {
        const double v = queued_.front();
        queued_.pop_front();
        return v;
    }
    return standard_.next();
}

class ProcessDesktop final : public Desktop {
  public:
    ProcessDesktop(SimDesktop& d, int process) : d_(d), process_(process) {}
    Size screen_size_twips() override { return d_.screen_size_twips(); }
    int twips_per_pixel_x() override { return d_.twips_per_pixel_x(); }
    int twips_per_pixel_y() override { return d_.twips_per_pixel_y(); }
    Rect virtual_screen_pixels() override { return d_.virtual_screen_pixels(); }
    WindowId foreground_window() override { return d_.foreground_window(); }
    bool watch_windows(std::function<void(WindowChange, WindowId)> changed) override {
        return d_.watch_windows(process_, std::move(changed));
    }
    std::string window_text(WindowId w) override { return d_.window_text(w); }
    bool post_close(WindowId w) override { return d_.post_close(w); }
    WindowId window_from_point(Point p) override { return d_.window_from_point(p); }
    Rect window_rect(WindowId w) override { return d_.window_rect(w); }
    Point cursor_pos() override { return d_.cursor_pos(); }
    void set_cursor_pos(Point p) override { d_.set_cursor_pos(p); }
    void clip_cursor(const Rect* r) override { d_.clip_cursor(r); }
    std::optional<Rect> cursor_clip() override { return d_.cursor_clip(); }
    void capture_mouse(WindowId w) override { d_.capture_mouse(w); }
    void release_mouse() override { d_.release_mouse(); }
    void set_system_keys_locked(bool on) override { d_.set_system_keys_locked(on); }
    bool force_shut_down() override { return d_.force_shut_down(); }
    void beep() override { d_.beep(); }
    bool claim_single_instance(std::string_view name) override {
        d_.claiming_process = process_;
        return d_.claim_single_instance(name);
    }
    bool instance_running(std::string_view name) override { return d_.instance_running(name); }
    void hold_system_keys(bool on) override { d_.hold_system_keys(on); }
    void message_box(std::string_view t, std::string_view c) override { d_.message_box(t, c); }
    bool yes_no_box(std::string_view t, std::string_view c) override { return d_.yes_no_box(t, c); }
    std::string input_box(std::string_view p, std::string_view t, std::string_view i) override {
        return d_.input_box(p, t, i);
    }
    std::optional<std::string> file_dialog(const FileDialogRequest& r) override {
        return d_.file_dialog(r);
    }

  private:
    SimDesktop& d_;
    int process_;
};

// What a guarded process has beyond a plain one: the mirror of its windows and its face.
struct SimProcess::Guard {
    explicit Guard(SimProcess& guard)
        : mirror(guard.windows_, *guard.desktop_),
          person_files(guard.machine_.files(), guard.machine_.files().as_person(),
                       Machine::guard_folder, guard.machine_.kept_in_guard_folder()) {}
    remote::Mirror mirror;
    PersonFiles person_files;
    // Declared before the face, so that the face's copies go while their windows are there.
    std::unique_ptr<SimProcess> face_process;
    std::unique_ptr<remote::MemoryLinkPair> link;
    std::unique_ptr<remote::Face> face;
};

SimProcess::SimProcess(Machine& machine, int id, bool guarded)
    : machine_(machine),
      id_(id),
      udp_(machine),
      desktop_(std::make_unique<ProcessDesktop>(machine.desktop(), id)),
      windows_(*this) {
    if (guarded) {
        guard_ = std::make_unique<Guard>(*this);
        start_face();
    }
}

SimProcess::~SimProcess() {
    if (guard_) {
        guard_->face.reset();
    }
}

WindowSystem& SimProcess::windows() {
    return guard_ ? guard_->mirror.windows() : windows_;
}

remote::Face* SimProcess::face() const {
    return guard_ && guard_->face_process && !guard_->face_process->ended() ? guard_->face.get()
                                                                            : nullptr;
}

SimProcess* SimProcess::face_process() const {
    return guard_ ? guard_->face_process.get() : nullptr;
}

remote::Mirror* SimProcess::mirror() const {
    return guard_ ? &guard_->mirror : nullptr;
}

void SimProcess::start_face() {
    Guard& g = *guard_;
    g.mirror.connect(nullptr);
    g.face.reset();
    g.link = std::make_unique<remote::MemoryLinkPair>();
    g.face_process = std::make_unique<SimProcess>(machine_, machine_.new_process_id());
    g.face = std::make_unique<remote::Face>(*g.face_process, g.link->face_end());
    g.link->set_face_receiver(
        [face = g.face.get()](std::string_view f) { return face->receive(f); });
    g.link->set_guard_receiver([&g](std::string_view f) { return g.mirror.receive(f); });
    g.mirror.connect(&g.link->guard_end());
}

void SimProcess::kill_face() {
    if (guard_ && guard_->face_process) {
        guard_->link->cut();
        guard_->face_process->end();
    }
}

Registry& SimProcess::registry() {
    return machine_.registry();
}
Clock& SimProcess::clock() {
    return machine_.clock();
}
Files& SimProcess::files() {
    return machine_.files();
}
Files& SimProcess::person_files() {
    return guard_ ? guard_->person_files : files();
}
Printer& SimProcess::printer() {
    return guard_ ? guard_->mirror.printer() : machine_.printer();
}
Startup& SimProcess::startup() {
    return machine_.startup();
}
Desktop& SimProcess::desktop() {
    return guard_ ? guard_->mirror.desktop() : *desktop_;
}

void SimProcess::end() {
    if (ended_) {
        return;
    }
    ended_ = true;
    // A face without its guard has nothing to show.
    kill_face();
    udp_.close();
    machine_.desktop().end_process(id_);
}

}  // namespace vardex::sim
