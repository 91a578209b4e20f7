#include "core/blocking_screen.h"

#include <algorithm>
#include <cmath>

#include "core/program.h"

namespace vardex {

void BlockingScreen::lay_out() {
    Program& p = program_;
    Desktop& desktop = p.platform.desktop();
    BlockerWin& b = p.blocker_win;
    const Size screen = desktop.screen_size_twips();
    const int tx = desktop.twips_per_pixel_x();
    const int ty = desktop.twips_per_pixel_y();
    // The window spans every monitor, so no second screen stays usable; all that lies on the
    // primary screen is laid out as on a single one, shifted by where that screen starts.
    const Rect all = desktop.virtual_screen_pixels();
    const std::int32_t dx = -std::min(all.left, 0) * tx;
    const std::int32_t dy = -std::min(all.top, 0) * ty;
    const std::int32_t right = std::max(all.right * tx, screen.width);
    const std::int32_t bottom = std::max(all.bottom * ty, screen.height);
    b.move(-dx - 50, -dy - 50, dx + right + 50, dy + bottom + 50);

    const std::int32_t w = screen.width + 50;
    const std::int32_t h = screen.height + 50;
    b.top_left_label.move(dx, dy, b.top_left_label.width(), b.top_left_label.height());
    b.top_right_label.move(dx + w - b.top_right_label.width(), dy, b.top_right_label.width(),
                           b.top_right_label.height());
    b.bottom_left_label.move(dx, dy + h - b.bottom_left_label.height(), b.bottom_left_label.width(),
                             b.bottom_left_label.height());
    b.bottom_right_label.move(dx + w - b.bottom_right_label.width(),
                              dy + h - b.bottom_right_label.height(), b.bottom_right_label.width(),
                              b.bottom_right_label.height());

    const std::int32_t dialog = p.vardex_dialog.width();
    const std::int32_t top = dy + screen.height / 2 - b.left_logo.height() / 2;
    b.left_logo.move(dx + (screen.width / 2 - dialog / 2) / 2 - b.left_logo.width() / 2, top,
                     b.left_logo.width(), b.left_logo.height());
    const std::int32_t x = screen.width / 2 + dialog / 2;
    b.right_logo.move(dx + x + ((screen.width - x) / 2 - b.right_logo.width() / 2), top,
                      b.right_logo.width(), b.right_logo.height());
}

void BlockingScreen::block_screen() {
    Program& p = program_;
    p.blocker_win.show();
    for (Form* f : std::initializer_list<Form*>{&p.lauf2_dialog, &p.blocker_win, &p.vardex_dialog,
                                                &p.about_dialog, &p.quest_dialog, &p.lauf_dialog,
                                                &p.sec_dialog, &p.time_dialog, &p.time_dialog2}) {
        f->make_topmost();
    }
    if (p.lauf_dialog.visible()) {
        confine_cursor(PointerZone::pause_button);
    } else {
        confine_cursor(PointerZone::main_dialog);
        focus_main_dialog();
    }
    centre_cursor();
}

void BlockingScreen::unblock_screen() {
    confined_ = false;
    program_.platform.desktop().clip_cursor(nullptr);
    program_.blocker_win.hide();
}

void BlockingScreen::centre_cursor() {
    const Rect& r = cursor_rect;
    program_.platform.desktop().set_cursor_pos(
        Point{static_cast<std::int32_t>(std::lround((r.left + r.right) / 2.0)),
              static_cast<std::int32_t>(std::lround((r.top + r.bottom) / 2.0))});
}

void BlockingScreen::confine_cursor(PointerZone zone) {
    Program& p = program_;
    Desktop& desktop = p.platform.desktop();
    const Point pos = desktop.cursor_pos();
    switch (zone) {
        case PointerZone::main_dialog:
            cursor_rect = p.vardex_dialog.window_rect();
            break;
        case PointerZone::security_dialog:
            cursor_rect = p.sec_dialog.window_rect();
            break;
        case PointerZone::small_message:
            cursor_rect = p.time_dialog2.window_rect();
            break;
        case PointerZone::about:
            cursor_rect = p.about_dialog.window_rect();
            break;
        case PointerZone::pause_button: {
            LaufDialog& lauf = p.lauf_dialog;
            const Rect window = lauf.window_rect();
            const CommandButton& button = lauf.pause_button;
            const std::int32_t height_px = lauf.height() / desktop.twips_per_pixel_y();
            Rect r;
            r.left = window.left + button.left() + 3;
            r.right = r.left + button.width();
            r.top = window.top + button.top() + (height_px - lauf.inner_size().height) - 3;
            r.bottom = r.top + button.height();
            cursor_rect = r;
            lauf.set_focus();
            break;
        }
    }
    desktop.clip_cursor(&cursor_rect);
    confined_ = true;
    clip_in_doubt_ = false;
    clip_checked_at_ = p.platform.clock().monotonic_seconds();
    const Rect& r = cursor_rect;
    if (pos.x < r.left || pos.x > r.right || pos.y < r.top || pos.y > r.bottom) {
        centre_cursor();
    }
}

bool BlockingScreen::load_logo(const std::string& path) {
    BlockerWin& b = program_.blocker_win;
    if (path.empty()) {
        b.left_logo.set_visible(false);
        b.right_logo.set_visible(false);
        return false;
    }
    const bool first = b.left_logo.load_picture(path);
    const bool second = b.right_logo.load_picture(path);
    if (!first || !second) {
        b.left_logo.set_visible(false);
        b.right_logo.set_visible(false);
        return true;
    }
    b.left_logo.set_visible(true);
    b.right_logo.set_visible(true);
    return false;
}

void BlockingScreen::apply_texts() {
    Program& p = program_;
    const auto& t = p.settings.record().localised_texts;
    for (Label* corner : {&p.blocker_win.top_left_label, &p.blocker_win.top_right_label,
                          &p.blocker_win.bottom_left_label, &p.blocker_win.bottom_right_label}) {
        corner->set_caption(t[blocker_corner_text]);
    }
    p.vardex_dialog.code_label.set_caption(t[dac_label]);
    p.vardex_dialog.code_button.set_caption(t[dac_button]);
    p.lauf_dialog.time_label.set_caption(t[timer_label]);
    p.lauf_dialog.shutdown_button.set_caption(t[shutdown_label]);
    p.lauf_dialog.pause_button.set_caption(t[pause_running]);
    // The corner labels take the size of their new text: put them back in their corners.
    lay_out();
}

void BlockingScreen::keep_pointer_confined() {
    if (!confined_) {
        return;
    }
    // The clip goes when the active window changes: look when the window in front changed
    // (cheap to ask), and once a second besides.
    Desktop& desktop = program_.platform.desktop();
    const WindowId front = desktop.foreground_window();
    const double now = program_.platform.clock().monotonic_seconds();
    if (front != clip_front_) {
        clip_front_ = front;
        clip_in_doubt_ = true;
    }
    if (!clip_in_doubt_ && now - clip_checked_at_ < 1.0 && now >= clip_checked_at_) {
        return;
    }
    clip_in_doubt_ = false;
    clip_checked_at_ = now;
    if (desktop.cursor_clip() != cursor_rect) {
        desktop.clip_cursor(&cursor_rect);
    }
}

void BlockingScreen::window_changed(WindowChange change) {
    if (change == WindowChange::foreground) {
        clip_in_doubt_ = true;
        keep_pointer_confined();
    }
}

void BlockingScreen::focus_main_dialog() {
    if (program_.vardex_dialog.visible()) {
        program_.vardex_dialog.set_focus();
    }
    if (program_.time_dialog2.visible()) {
        program_.time_dialog2.set_focus();
    }
}

void BlockingScreen::keep_timing_window_focused() {
    Program& p = program_;
    Form* active = p.platform.windows().active_form();
    if (active != &p.quest_dialog && active != &p.lauf_dialog && active != &p.time_dialog2) {
        p.lauf_dialog.set_focus();
    }
}

void BlockingScreen::keep_about_focused() {
    Program& p = program_;
    Form* active = p.platform.windows().active_form();
    if (active != &p.about_dialog && active != &p.time_dialog2) {
        p.about_dialog.set_focus();
    }
}

}  // namespace vardex
