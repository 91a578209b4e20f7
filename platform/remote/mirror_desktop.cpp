#include "platform/remote/mirror_desktop.h"

namespace vardex::remote {

namespace {

// Asks the face; nullopt when there is none or its answer does not read.
template <class Read>
auto ask(FaceChannel& face, WireWriter& out, Read read)
    -> std::optional<decltype(read(std::declval<WireReader&>()))> {
    const auto answer = face.call(out);
    if (!answer) {
        return std::nullopt;
    }
    WireReader in(*answer);
    auto value = read(in);
    if (!in.complete()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

MirrorDesktop::Screen MirrorDesktop::screen() {
    WireWriter out(Wire::screen);
    // The last screen a face reported stays while there is none.
    if (auto answer = ask(face_, out, [](WireReader& in) {
            Screen s;
            s.twips = in.size();
            s.tpp_x = in.number_in(1, 1440);
            s.tpp_y = in.number_in(1, 1440);
            s.pixels = in.rect();
            return s;
        })) {
        last_screen_ = *answer;
    }
    if (!last_screen_) {
        Screen own;
        own.twips = local_.screen_size_twips();
        own.tpp_x = local_.twips_per_pixel_x();
        own.tpp_y = local_.twips_per_pixel_y();
        own.pixels = local_.virtual_screen_pixels();
        used_screen_ = own;
        return own;
    }
    used_screen_ = last_screen_;
    return *last_screen_;
}

Size MirrorDesktop::screen_size_twips() {
    return screen().twips;
}
int MirrorDesktop::twips_per_pixel_x() {
    return screen().tpp_x;
}
int MirrorDesktop::twips_per_pixel_y() {
    return screen().tpp_y;
}
Rect MirrorDesktop::virtual_screen_pixels() {
    return screen().pixels;
}

WindowId MirrorDesktop::foreground_window() {
    WireWriter out(Wire::foreground_window);
    return ask(face_, out, [](WireReader& in) { return in.window(); }).value_or(0);
}

bool MirrorDesktop::watch_windows(std::function<void(WindowChange, WindowId)> changed) {
    watcher_ = std::move(changed);
    WireWriter out(Wire::watch_windows);
    return ask(face_, out, [](WireReader& in) { return in.flag(); }).value_or(false);
}

std::string MirrorDesktop::window_text(WindowId window) {
    WireWriter out(Wire::window_text);
    out.window(window);
    return ask(face_, out, [](WireReader& in) { return in.text(); }).value_or("");
}

bool MirrorDesktop::post_close(WindowId window) {
    WireWriter out(Wire::post_close);
    out.window(window);
    return ask(face_, out, [](WireReader& in) { return in.flag(); }).value_or(false);
}

WindowId MirrorDesktop::window_from_point(Point p) {
    WireWriter out(Wire::window_from_point);
    out.point(p);
    return ask(face_, out, [](WireReader& in) { return in.window(); }).value_or(0);
}

Rect MirrorDesktop::window_rect(WindowId window) {
    WireWriter out(Wire::window_rect);
    out.window(window);
    return ask(face_, out, [](WireReader& in) { return in.rect(); }).value_or(Rect{});
}

Point MirrorDesktop::cursor_pos() {
    WireWriter out(Wire::cursor_pos);
    return ask(face_, out, [](WireReader& in) { return in.point(); }).value_or(Point{});
}

void MirrorDesktop::set_cursor_pos(Point pos) {
    WireWriter out(Wire::cursor_moved);
    out.point(pos);
    face_.send(out);
}

void MirrorDesktop::send_clip() {
    WireWriter out(Wire::cursor_clipped);
    out.flag(clip_.has_value()).rect(clip_.value_or(Rect{}));
    face_.send(out);
}

void MirrorDesktop::clip_cursor(const Rect* rect) {
    clip_ = rect != nullptr ? std::optional<Rect>(*rect) : std::nullopt;
    send_clip();
}

std::optional<Rect> MirrorDesktop::cursor_clip() {
    WireWriter out(Wire::cursor_clip);
    const auto answer = ask(face_, out, [](WireReader& in) {
        const bool clipped = in.flag();
        const Rect r = in.rect();
        return clipped ? std::optional<Rect>(r) : std::nullopt;
    });
    return answer.value_or(std::nullopt);
}

void MirrorDesktop::capture_mouse(WindowId window) {
    WireWriter out(Wire::mouse_captured);
    out.window(window);
    face_.send(out);
}

void MirrorDesktop::release_mouse() {
    WireWriter out(Wire::mouse_released);
    face_.send(out);
}

void MirrorDesktop::set_system_keys_locked(bool locked) {
    keys_locked_ = locked;
    WireWriter out(Wire::system_keys_locked);
    out.flag(locked);
    face_.send(out);
}

void MirrorDesktop::hold_system_keys(bool on) {
    keys_held_ = on;
    WireWriter out(Wire::system_keys_held);
    out.flag(on);
    face_.send(out);
}

void MirrorDesktop::beep() {
    WireWriter out(Wire::beep);
    face_.send(out);
}

void MirrorDesktop::message_box(std::string_view text, std::string_view caption) {
    WireWriter out(Wire::message_box);
    out.text(text).text(caption);
    face_.call(out);
}

bool MirrorDesktop::yes_no_box(std::string_view text, std::string_view caption) {
    WireWriter out(Wire::yes_no_box);
    out.text(text).text(caption);
    return ask(face_, out, [](WireReader& in) { return in.flag(); }).value_or(false);
}

std::string MirrorDesktop::input_box(std::string_view prompt, std::string_view title,
                                     std::string_view initial) {
    WireWriter out(Wire::input_box);
    out.text(prompt).text(title).text(initial);
    return ask(face_, out, [](WireReader& in) { return in.text(); }).value_or("");
}

std::optional<std::string> MirrorDesktop::file_dialog(const FileDialogRequest& r) {
    WireWriter out(Wire::file_dialog);
    out.number(static_cast<std::int32_t>(r.kind)).text(r.title).text(r.filter).text(r.initial_name);
    out.flag(r.overwrite_prompt)
        .flag(r.hide_read_only)
        .flag(r.path_must_exist)
        .flag(r.file_must_exist);
    const auto answer = ask(face_, out, [](WireReader& in) {
        const bool picked = in.flag();
        std::string path = in.text();
        return picked ? std::optional<std::string>(std::move(path)) : std::nullopt;
    });
    return answer.value_or(std::nullopt);
}

void MirrorDesktop::show_all(bool resized) {
    const std::optional<Screen> before = used_screen_;
    const bool moved = before && screen() != *before;
    if ((moved || resized) && on_layout_stale) {
        on_layout_stale();
    }
    if (clip_) {
        send_clip();
    }
    if (keys_locked_) {
        set_system_keys_locked(true);
    }
    if (keys_held_) {
        hold_system_keys(true);
    }
    if (watcher_) {
        WireWriter out(Wire::watch_windows);
        face_.call(out);
    }
}

bool MirrorDesktop::receive(WireReader& in) {
    if (in.kind() != Wire::window_changed) {
        return false;
    }
    const auto change = static_cast<WindowChange>(in.number_in(0, 2));
    const WindowId window = in.window();
    if (!in.complete() || !watcher_) {
        return false;
    }
    watcher_(change, window);
    return true;
}

}  // namespace vardex::remote
