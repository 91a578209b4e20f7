#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/controls.h"
#include "platform/pointer_events.h"

namespace vardex {

// A dialog's help label shows the text of the window or control that the mouse moves over.
inline void show_on_hover(PointerEvents& target, Label& shown_in, std::string text) {
    target.on_mouse_move = [&shown_in, text = std::move(text)](const MouseEvent&) {
        shown_in.set_caption(text);
    };
}

// A text that may change while the program runs is taken when the mouse arrives.
inline void show_on_hover(PointerEvents& target, Label& shown_in,
                          std::function<std::string()> text) {
    target.on_mouse_move = [&shown_in, text = std::move(text)](const MouseEvent&) {
        shown_in.set_caption(text());
    };
}

}  // namespace vardex
