#include "platform/remote/form_state.h"

#include <cmath>

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/tab_strip.h"

namespace vardex::remote {

namespace {

// Coordinates and sizes beyond any screen are refused, so a copy never lays out absurdly.
constexpr std::int32_t max_coordinate = 1 << 26;
constexpr std::int32_t max_grid_cells = 1 << 20;

template <class T>
T& as(Control& c) {
    return static_cast<T&>(c);
}
template <class T>
const T& as(const Control& c) {
    return static_cast<const T&>(c);
}

std::int32_t coordinate(WireReader& in) {
    return in.number_in(-max_coordinate, max_coordinate);
}

std::vector<bool> list_selection(const ListBox& list) {
    std::vector<bool> out;
    for (int i = 0; i < list.list_count(); ++i) {
        out.push_back(list.selected(i));
    }
    return out;
}

void write_selection(WireWriter& out, const Control& c) {
    switch (c.kind()) {
        case ControlKind::combo_box:
            out.number(as<ComboBox>(c).list_index());
            break;
        case ControlKind::list_box: {
            const auto& list = as<ListBox>(c);
            out.number(list.list_index());
            out.number(list.list_count());
            for (bool on : list_selection(list)) {
                out.flag(on);
            }
            break;
        }
        case ControlKind::tab_strip:
            out.number(as<TabStrip>(c).selected());
            break;
        case ControlKind::grid:
            out.number(as<Grid>(c).row()).number(as<Grid>(c).row_sel());
            break;
        default:
            break;
    }
}

void apply_selection(WireReader& in, Control& c) {
    switch (c.kind()) {
        case ControlKind::combo_box: {
            auto& combo = as<ComboBox>(c);
            const std::int32_t index = in.number_in(-1, combo.list_count() - 1);
            if (in.ok() && index != combo.list_index()) {
                combo.set_list_index(index);
            }
            break;
        }
        case ControlKind::list_box: {
            auto& list = as<ListBox>(c);
            const std::int32_t index = in.number_in(-1, list.list_count() - 1);
            const std::int32_t count = in.number_in(list.list_count(), list.list_count());
            std::vector<bool> selected;
            for (std::int32_t i = 0; i < count && in.ok(); ++i) {
                selected.push_back(in.flag());
            }
            if (!in.ok()) {
                return;
            }
            list.set_list_index(index);
            for (std::int32_t i = 0; i < count; ++i) {
                if (list.selected(i) != selected[static_cast<std::size_t>(i)]) {
                    list.set_selected(i, selected[static_cast<std::size_t>(i)]);
                }
            }
            break;
        }
        case ControlKind::tab_strip: {
            auto& tabs = as<TabStrip>(c);
            const std::int32_t index =
                in.number_in(0, std::max(0, static_cast<int>(tabs.tabs().size()) - 1));
            if (in.ok() && index != tabs.selected()) {
                tabs.select(index);
            }
            break;
        }
        case ControlKind::grid: {
            const std::int32_t row = in.number();
            const std::int32_t row_sel = in.number();
            if (in.ok()) {
                as<Grid>(c).select_rows(row, row_sel);
            }
            break;
        }
        default:
            break;
    }
}

void write_cells(WireWriter& out, const Grid& grid) {
    out.number(grid.rows()).number(grid.cols()).number(grid.fixed_rows());
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c) {
            out.text(grid.cell(r, c));
        }
    }
}

void apply_cells(WireReader& in, Grid& grid) {
    const std::int32_t rows = in.number_in(0, max_grid_cells);
    const std::int32_t cols =
        in.number_in(0, rows == 0 ? max_grid_cells : max_grid_cells / std::max(rows, 1));
    const std::int32_t fixed = in.number_in(0, rows);
    if (!in.ok()) {
        return;
    }
    std::vector<std::string> cells;
    for (std::int64_t i = 0; i < std::int64_t{rows} * cols && in.ok(); ++i) {
        cells.push_back(in.text());
    }
    if (!in.ok()) {
        return;
    }
    // One repaint for the whole table.
    grid.set_redraw(false);
    if (rows != grid.rows() || cols != grid.cols() || fixed != grid.fixed_rows()) {
        grid.set_size(rows, cols, fixed);
    }
    std::size_t i = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c, ++i) {
            if (grid.cell(r, c) != cells[i]) {
                grid.set_cell(r, c, std::move(cells[i]));
            }
        }
    }
    grid.set_redraw(true);
}

}  // namespace

void write_form_prop(WireWriter& out, const Form& form, FormProp prop) {
    out.number(static_cast<std::int32_t>(prop));
    switch (prop) {
        case FormProp::caption:
            out.text(form.caption());
            break;
        case FormProp::geometry:
            out.number(form.left()).number(form.top()).number(form.width()).number(form.height());
            break;
        case FormProp::visible:
            out.flag(form.visible());
            break;
        case FormProp::window_state:
            out.number(static_cast<std::int32_t>(form.window_state()));
            break;
        case FormProp::style:
            out.flag(form.popup_style()).flag(form.popup_frame());
            break;
        case FormProp::colors:
            out.number(form.back_color());
            break;
        case FormProp::topmost:
            out.flag(form.topmost());
            break;
    }
}

void apply_form_prop(WireReader& in, Form& copy, FormProp prop) {
    switch (prop) {
        case FormProp::caption: {
            std::string caption = in.text();
            if (in.ok()) {
                copy.set_caption(std::move(caption));
            }
            break;
        }
        case FormProp::geometry: {
            const std::int32_t left = coordinate(in);
            const std::int32_t top = coordinate(in);
            const std::int32_t width = in.number_in(0, max_coordinate);
            const std::int32_t height = in.number_in(0, max_coordinate);
            if (in.ok()) {
                copy.move(left, top, width, height);
            }
            break;
        }
        case FormProp::visible: {
            const bool visible = in.flag();
            if (in.ok() && visible != copy.visible()) {
                visible ? copy.show() : copy.hide();
            }
            break;
        }
        case FormProp::window_state: {
            const auto state = static_cast<WindowState>(
                in.number_in(0, static_cast<std::int32_t>(WindowState::maximized)));
            if (in.ok()) {
                copy.set_window_state(state);
            }
            break;
        }
        case FormProp::style: {
            const bool popup = in.flag();
            const bool frame = in.flag();
            if (in.ok()) {
                copy.set_popup_frame(frame);
                copy.set_popup_style(popup);
            }
            break;
        }
        case FormProp::colors: {
            const Color color = in.number();
            if (in.ok()) {
                copy.set_back_color(color);
            }
            break;
        }
        case FormProp::topmost:
            if (in.flag() && in.ok()) {
                copy.make_topmost();
            }
            break;
    }
}

void write_control_prop(WireWriter& out, const Control& c, Prop prop) {
    out.number(static_cast<std::int32_t>(prop));
    switch (prop) {
        case Prop::text:
            out.text(c.text());
            out.number(c.kind() == ControlKind::label
                           ? static_cast<std::int32_t>(as<Label>(c).alignment())
                           : 0);
            break;
        case Prop::geometry:
            out.number(c.left()).number(c.top()).number(c.width()).number(c.height());
            if (c.kind() == ControlKind::grid) {
                const auto& grid = as<Grid>(c);
                out.number(grid.cols());
                for (int col = 0; col < grid.cols(); ++col) {
                    out.number(grid.col_width(col));
                }
            }
            break;
        case Prop::visible:
            out.flag(c.visible());
            break;
        case Prop::enabled:
            out.flag(c.enabled());
            break;
        case Prop::font:
            out.text(c.font().face)
                .number(static_cast<std::int32_t>(std::lround(c.font().size * 100)))
                .flag(c.font().bold);
            break;
        case Prop::colors: {
            bool border = false;
            if (c.kind() == ControlKind::label) {
                border = as<Label>(c).border();
            } else if (c.kind() == ControlKind::frame) {
                border = as<Frame>(c).border();
            }
            out.number(c.fore_color()).number(c.back_color()).flag(border);
            break;
        }
        case Prop::value:
            if (c.kind() == ControlKind::check_box) {
                out.number(as<CheckBox>(c).value());
            } else if (c.kind() == ControlKind::option_button) {
                out.number(as<OptionButton>(c).value() ? 1 : 0);
            } else {
                out.number(0);
            }
            break;
        case Prop::items:
            if (c.kind() == ControlKind::combo_box) {
                out.texts(as<ComboBox>(c).items());
            } else if (c.kind() == ControlKind::list_box) {
                out.texts(as<ListBox>(c).items());
            } else {
                out.texts({});
            }
            break;
        case Prop::selection:
            write_selection(out, c);
            break;
        case Prop::text_options:
            if (c.kind() == ControlKind::text_box) {
                const auto& box = as<TextBox>(c);
                out.number(box.max_length())
                    .number(static_cast<unsigned char>(box.password_char()))
                    .flag(box.locked())
                    .flag(box.multi_line());
            } else {
                out.number(0).number(0).flag(false).flag(false);
            }
            break;
        case Prop::picture:
            out.text(c.kind() == ControlKind::image ? as<Image>(c).picture() : std::string{});
            break;
        case Prop::tabs:
            out.texts(c.kind() == ControlKind::tab_strip ? as<TabStrip>(c).tabs()
                                                         : std::vector<std::string>{});
            break;
        case Prop::cells:
            if (c.kind() == ControlKind::grid) {
                write_cells(out, as<Grid>(c));
            } else {
                out.number(0).number(0).number(0);
            }
            break;
        case Prop::timer:
        case Prop::focus:
            break;
    }
}

void apply_control_prop(WireReader& in, Control& c, Prop prop) {
    switch (prop) {
        case Prop::text: {
            std::string text = in.text();
            const auto alignment =
                static_cast<Alignment>(in.number_in(0, static_cast<int>(Alignment::center)));
            if (!in.ok()) {
                return;
            }
            if (c.kind() == ControlKind::label) {
                as<Label>(c).set_alignment(alignment);
            }
            c.set_text(std::move(text));
            break;
        }
        case Prop::geometry: {
            const std::int32_t left = coordinate(in);
            const std::int32_t top = coordinate(in);
            const std::int32_t width = in.number_in(0, max_coordinate);
            const std::int32_t height = in.number_in(0, max_coordinate);
            if (c.kind() == ControlKind::grid) {
                auto& grid = as<Grid>(c);
                // Widths of columns the copy does not have (yet) are passed over.
                const std::int32_t cols = in.number_in(0, max_grid_cells);
                for (std::int32_t col = 0; col < cols && in.ok(); ++col) {
                    const std::int32_t w = in.number_in(0, max_coordinate);
                    if (in.ok() && col < grid.cols() && w != grid.col_width(col)) {
                        grid.set_col_width(col, w);
                    }
                }
            }
            if (in.ok()) {
                c.move(left, top, width, height);
            }
            break;
        }
        case Prop::visible: {
            const bool on = in.flag();
            if (in.ok()) {
                c.set_visible(on);
            }
            break;
        }
        case Prop::enabled: {
            const bool on = in.flag();
            if (in.ok()) {
                c.set_enabled(on);
            }
            break;
        }
        case Prop::font: {
            Font font;
            font.face = in.text();
            font.size = in.number_in(1, 100000) / 100.0;
            font.bold = in.flag();
            if (in.ok()) {
                c.set_font(std::move(font));
            }
            break;
        }
        case Prop::colors: {
            const Color fore = in.number();
            const Color back = in.number();
            const bool border = in.flag();
            if (!in.ok()) {
                return;
            }
            c.set_fore_color(fore);
            c.set_back_color(back);
            if (c.kind() == ControlKind::label && as<Label>(c).border() != border) {
                as<Label>(c).set_border(border);
            } else if (c.kind() == ControlKind::frame && as<Frame>(c).border() != border) {
                as<Frame>(c).set_border(border);
            }
            break;
        }
        case Prop::value: {
            const std::int32_t value = in.number_in(0, 1);
            if (!in.ok()) {
                return;
            }
            if (c.kind() == ControlKind::check_box) {
                as<CheckBox>(c).set_value(value);
            } else if (c.kind() == ControlKind::option_button &&
                       as<OptionButton>(c).value() != (value != 0)) {
                as<OptionButton>(c).set_value(value != 0);
            }
            break;
        }
        case Prop::items: {
            std::vector<std::string> items = in.texts();
            if (!in.ok()) {
                return;
            }
            if (c.kind() == ControlKind::combo_box && as<ComboBox>(c).items() != items) {
                auto& combo = as<ComboBox>(c);
                const std::string text = combo.text();
                combo.clear();
                for (std::string& item : items) {
                    combo.add_item(std::move(item));
                }
                combo.set_text(text);
            } else if (c.kind() == ControlKind::list_box && as<ListBox>(c).items() != items) {
                auto& list = as<ListBox>(c);
                list.clear();
                for (std::string& item : items) {
                    list.add_item(std::move(item));
                }
            }
            break;
        }
        case Prop::selection:
            apply_selection(in, c);
            break;
        case Prop::text_options: {
            const std::int32_t max_length = in.number_in(0, max_list);
            const auto password = static_cast<char>(in.number_in(0, 255));
            const bool locked = in.flag();
            const bool multi_line = in.flag();
            if (in.ok() && c.kind() == ControlKind::text_box) {
                auto& box = as<TextBox>(c);
                box.set_max_length(max_length);
                box.set_password_char(password);
                box.set_locked(locked);
                box.set_multi_line(multi_line);
            }
            break;
        }
        case Prop::picture: {
            const std::string path = in.text();
            if (!in.ok() || c.kind() != ControlKind::image) {
                return;
            }
            auto& image = as<Image>(c);
            if (path.empty() && !image.picture().empty()) {
                image.clear_picture();
            } else if (path != image.picture()) {
                image.load_picture(path);
            }
            break;
        }
        case Prop::tabs: {
            std::vector<std::string> tabs = in.texts();
            if (in.ok() && c.kind() == ControlKind::tab_strip && as<TabStrip>(c).tabs() != tabs) {
                as<TabStrip>(c).set_tabs(std::move(tabs));
            }
            break;
        }
        case Prop::cells:
            if (c.kind() == ControlKind::grid) {
                apply_cells(in, as<Grid>(c));
            } else {
                in.number();
                in.number();
                in.number();
            }
            break;
        case Prop::timer:
        case Prop::focus:
            break;
    }
}

std::string shown_difference(const Form& original, const Form& copy) {
    const auto differs = [](const std::string& name, int prop) {
        return name + " prop " + std::to_string(prop);
    };
    const auto& a = original.controls();
    const auto& b = copy.controls();
    if (a.size() != b.size()) {
        return original.name() + " controls";
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i]->kind() == ControlKind::timer) {
            continue;
        }
        for (Prop prop : control_props) {
            WireWriter x(Wire::control_changed);
            WireWriter y(Wire::control_changed);
            write_control_prop(x, *a[i], prop);
            write_control_prop(y, *b[i], prop);
            if (x.take() != y.take()) {
                return differs(a[i]->name(), static_cast<int>(prop));
            }
        }
    }
    for (FormProp prop : {FormProp::caption, FormProp::style, FormProp::colors, FormProp::geometry,
                          FormProp::window_state, FormProp::visible}) {
        WireWriter x(Wire::form_changed);
        WireWriter y(Wire::form_changed);
        write_form_prop(x, original, prop);
        write_form_prop(y, copy, prop);
        if (x.take() != y.take()) {
            return differs(original.name(), static_cast<int>(prop));
        }
    }
    return {};
}

void write_control_shape(WireWriter& out, const Control& c, int container_index) {
    out.number(static_cast<std::int32_t>(c.kind())).text(c.name()).number(container_index);
    std::int32_t style = 0;
    if (c.kind() == ControlKind::combo_box) {
        style = static_cast<std::int32_t>(as<ComboBox>(c).style());
    } else if (c.kind() == ControlKind::list_box) {
        style = static_cast<std::int32_t>(as<ListBox>(c).multi_select());
    } else if (c.kind() == ControlKind::label) {
        style = as<Label>(c).word_wrap() ? 1 : 0;
    }
    out.number(style);
}

std::unique_ptr<Control> make_control_copy(WireReader& in, Form& form,
                                           const std::vector<std::unique_ptr<Control>>& controls) {
    const auto kind =
        static_cast<ControlKind>(in.number_in(0, static_cast<int>(ControlKind::grid)));
    std::string name = in.text();
    const std::int32_t container = in.number_in(-1, static_cast<std::int32_t>(controls.size()) - 1);
    const std::int32_t style = in.number_in(0, 2);
    if (!in.ok()) {
        return nullptr;
    }
    Control* parent = container < 0 ? nullptr : controls[static_cast<std::size_t>(container)].get();
    switch (kind) {
        case ControlKind::label: {
            auto label = std::make_unique<Label>(form, std::move(name), parent);
            // The copy keeps the size the guard gives it; only the wrapping shows.
            label->set_auto_size(false, style == 1);
            return label;
        }
        case ControlKind::text_box:
            return std::make_unique<TextBox>(form, std::move(name), parent);
        case ControlKind::command_button:
            return std::make_unique<CommandButton>(form, std::move(name), parent);
        case ControlKind::check_box:
            return std::make_unique<CheckBox>(form, std::move(name), parent);
        case ControlKind::option_button:
            return std::make_unique<OptionButton>(form, std::move(name), parent);
        case ControlKind::frame:
            return std::make_unique<Frame>(form, std::move(name), parent);
        case ControlKind::combo_box:
            return std::make_unique<ComboBox>(
                form, std::move(name),
                style == 1 ? ComboBox::Style::dropdown_list : ComboBox::Style::dropdown_combo,
                parent);
        case ControlKind::list_box: {
            auto list = std::make_unique<ListBox>(form, std::move(name), parent);
            list->set_multi_select(static_cast<ListBox::MultiSelect>(style));
            return list;
        }
        case ControlKind::image:
            return std::make_unique<Image>(form, std::move(name), parent);
        case ControlKind::timer:
            // Timers run in the guard; the copy only keeps the places of the controls.
            return std::make_unique<Timer>(form, std::move(name));
        case ControlKind::tab_strip:
            return std::make_unique<TabStrip>(form, std::move(name), parent);
        case ControlKind::grid:
            return std::make_unique<Grid>(form, std::move(name), parent);
    }
    return nullptr;
}

}  // namespace vardex::remote
