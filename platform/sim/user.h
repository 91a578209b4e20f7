#pragma once

#include <string_view>

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/tab_strip.h"

namespace vardex::sim {

class SimProcess;

// A person at the simulated machine. Acts only on what a person could use: a control that is
// hidden, disabled (itself or in a frame) or on a hidden form does nothing, and every action
// returns false then. Acting on a control moves the keyboard focus to it first. At a guarded
// program the person acts on the face's copies of the controls named.
class User {
  public:
    explicit User(SimProcess& process) : process_(process) {}

    bool click(Control& control);
    // Types character by character: key press first (which may drop the key), then the text
    // grows, respecting the box's maximum length and its lock.
    bool type(Control& box, std::string_view text);
    // Empties the box (select all, delete), then types.
    bool replace_text(Control& box, std::string_view text);
    bool press_key(Control& control, int key);
    bool select(ComboBox& combo, int index);
    bool select(ListBox& list, int index);
    bool select_tab(TabStrip& tabs, int index);
    bool select_row(Grid& grid, int row);
    bool move_mouse(Control& control, double x = 10, double y = 10);
    // A move with buttons held (a drag).
    bool mouse_move(Control& control, int buttons, double x, double y);
    bool mouse_down(Control& control, int button, double x, double y);
    bool mouse_up(Control& control, int button, double x, double y);
    bool move_mouse_over(Form& form, double x = 10, double y = 10);
    bool click_form(Form& form);
    // The close box, the system menu or Alt+F4.
    bool close(Form& form);
    // Moves the focus away (as a click elsewhere would), so the focused control loses it.
    void leave_focus();

  private:
    bool focus(Control& control);
    // The process the person's actions go to, and what they see of a form or control there.
    SimProcess& seat() const;
    Control* shown(Control& control) const;
    Form* shown(Form& form) const;
    SimProcess& process_;
};

}  // namespace vardex::sim
