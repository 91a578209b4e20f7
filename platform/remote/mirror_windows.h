#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/remote/face_channel.h"
#include "platform/window_system.h"

namespace vardex::remote {

// The guard's window system: each form lives here, in the program, and is shown by the face.
// Every change of a form or a control goes to the face; what the person does there comes back
// as the events of the form model, taken only where a person could act. Timers and the message
// loop are the guard's own (`local`).
class MirrorWindowSystem final : public WindowSystem {
  public:
    MirrorWindowSystem(FaceChannel& face, WindowSystem& local);
    ~MirrorWindowSystem() override;

    void attach(Form& form) override;
    void attach_timers(Form& form) override { local_.attach_timers(form); }
    Form* active_form() override;
    void do_events() override { local_.do_events(); }
    void quit(int exit_code) override;
    bool quitting() const override { return quitting_ || local_.quitting(); }
    void set_busy_cursor(bool busy) override;

    // The program's end: without it, the end of the local message loop (a whole process).
    std::function<void(int exit_code)> on_quit;
    // The program's forms, in the order they were attached.
    std::vector<Form*> forms() const;
    // A new face: it is given every form as it is now.
    void show_all();
    // The new face measures the auto-sized labels again; true when one took another size.
    bool refit_labels();
    // A frame of the face about its windows; false when it is not one or is bad.
    bool receive(WireReader& in, WireWriter& answer);

  private:
    struct Entry;
    class FormPeer;
    class ControlPeer;
    void send_form(Entry& entry);
    Control* control_at(WireReader& in, Form** form = nullptr);
    Form* form_at(WireReader& in);

    FaceChannel& face_;
    WindowSystem& local_;
    std::vector<std::unique_ptr<Entry>> forms_;
    bool busy_ = false;
    bool quitting_ = false;
};

}  // namespace vardex::remote
