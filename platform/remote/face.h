#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/remote/link.h"
#include "platform/remote/wire.h"

namespace vardex::remote {

// The face: shows the guard's forms as copies on its own window system, tells the guard what
// the person did to them, and carries out the desktop's commands and questions on its own
// desktop. It keeps nothing else and decides nothing.
class Face {
  public:
    Face(Platform& own, Link& guard);
    ~Face();
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    // A frame from the guard; the answer of a call (empty for the others).
    std::string receive(std::string_view frame);

    // The copy of the guard's form or control of that name and place, as a person sees it.
    Form* copy_of(const Form& original) const;
    Control* copy_of(const Control& original) const;
    static constexpr std::int32_t max_forms = 256;
    // Frames of the guard that did not read.
    int refused() const { return refused_; }

  private:
    struct Copy;
    void create(WireReader& in);
    void wire_events(Copy& copy, int form_index);
    void wire_control(Control& c, int form_index, int index);
    bool answer(WireReader& in, WireWriter& out);
    bool command(WireReader& in);
    Copy* copy_at(WireReader& in);
    // The control a frame names; with `needs_windows` its form gets its windows first.
    Control* control_at(WireReader& in, bool needs_windows = false);
    void attach(Copy& copy);
    void send(WireWriter& out);

    Platform& own_;
    Link& guard_;
    std::vector<std::unique_ptr<Copy>> forms_;
    // While the guard's changes are applied, the copies' own echoes of them are not events.
    bool applying_ = false;
    int refused_ = 0;
};

}  // namespace vardex::remote
