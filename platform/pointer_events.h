#pragma once

#include <functional>

namespace vardex {

namespace mouse {
inline constexpr int left = 1;
inline constexpr int right = 2;
inline constexpr int middle = 4;
}  // namespace mouse

// Position in the coordinates of the control's form (twips or pixels).
struct MouseEvent {
    int button = 0;
    int shift = 0;
    double x = 0;
    double y = 0;
};

// The click and the mouse events that forms and controls share.
class PointerEvents {
  public:
    std::function<void()> on_click;
    std::function<void(const MouseEvent&)> on_mouse_move;
    std::function<void(const MouseEvent&)> on_mouse_down;
    std::function<void(const MouseEvent&)> on_mouse_up;

    // Entry points of the backends and of the simulated user.
    virtual void raise_click() {
        if (on_click) {
            on_click();
        }
    }
    void raise_mouse_move(const MouseEvent& e) {
        if (on_mouse_move) {
            on_mouse_move(e);
        }
    }
    void raise_mouse_down(const MouseEvent& e) {
        if (on_mouse_down) {
            on_mouse_down(e);
        }
    }
    void raise_mouse_up(const MouseEvent& e) {
        if (on_mouse_up) {
            on_mouse_up(e);
        }
    }

  protected:
    PointerEvents() = default;
    PointerEvents(const PointerEvents&) = default;
    PointerEvents& operator=(const PointerEvents&) = default;
    virtual ~PointerEvents() = default;
};

}  // namespace vardex
