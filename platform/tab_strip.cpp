#include "platform/tab_strip.h"

namespace vardex {

void TabStrip::set_tabs(std::vector<std::string> captions) {
    tabs_ = std::move(captions);
    if (selected_ >= static_cast<int>(tabs_.size())) {
        selected_ = 0;
    }
    notify(Prop::tabs);
}

void TabStrip::select(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) {
        return;
    }
    selected_ = index;
    notify(Prop::selection);
    raise_click();
}

}  // namespace vardex
