#pragma once

#include <memory>

#include "platform/form.h"
#include "platform/remote/wire.h"

namespace vardex::remote {

// One property of a form or a control as it travels: the guard writes it from its form model,
// the face applies it to its copy through the same setters, so that the copy's backend shows
// what the original's would.
void write_form_prop(WireWriter& out, const Form& form, FormProp prop);
void apply_form_prop(WireReader& in, Form& copy, FormProp prop);
void write_control_prop(WireWriter& out, const Control& control, Prop prop);
void apply_control_prop(WireReader& in, Control& copy, Prop prop);

// The properties that make up a form and a control, in the order a new copy takes them.
inline constexpr FormProp form_props[] = {FormProp::caption, FormProp::style, FormProp::colors,
                                          FormProp::geometry, FormProp::window_state};
inline constexpr Prop control_props[] = {
    Prop::cells,        Prop::geometry, Prop::font,   Prop::colors, Prop::enabled,
    Prop::text_options, Prop::items,    Prop::tabs,   Prop::text,   Prop::value,
    Prop::selection,    Prop::picture,  Prop::visible};

// Where a copy does not show what its original holds: "Name prop N" of the first property of
// the form or a control (not a timer) that differs, or empty when none does.
std::string shown_difference(const Form& original, const Form& copy);

// What a copy of a control is made from: its kind, name, container and the choices fixed at
// construction.
void write_control_shape(WireWriter& out, const Control& control, int container_index);
// Makes the copy on the form; nullptr when the shape is bad. `controls` are the copies made
// so far, which a container index refers to.
std::unique_ptr<Control> make_control_copy(WireReader& in, Form& form,
                                           const std::vector<std::unique_ptr<Control>>& controls);

}  // namespace vardex::remote
