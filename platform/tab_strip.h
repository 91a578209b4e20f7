#pragma once

#include <string>
#include <vector>

#include "platform/control.h"

namespace vardex {

class TabStrip : public Control {
  public:
    TabStrip(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::tab_strip, std::move(name), container) {}

    const std::vector<std::string>& tabs() const { return tabs_; }
    void set_tabs(std::vector<std::string> captions);
    int selected() const { return selected_; }  // 0-based
    // Selecting a tab runs the click handler.
    void select(int index);
    void user_selected(int index) { select(index); }

  private:
    std::vector<std::string> tabs_;
    int selected_ = 0;
};

}  // namespace vardex
