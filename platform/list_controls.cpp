#include "platform/list_controls.h"

namespace vardex {

void ComboBox::add_item(std::string item) {
    items_.push_back(std::move(item));
    notify(Prop::items);
}

void ComboBox::remove_item(int index) {
    if (index < 0 || index >= list_count()) {
        return;
    }
    items_.erase(items_.begin() + index);
    if (list_index_ >= list_count()) {
        list_index_ = -1;
    }
    notify(Prop::items);
}

void ComboBox::clear() {
    items_.clear();
    list_index_ = -1;
    notify(Prop::items);
}

void ComboBox::set_list_index(int index) {
    if (index < -1 || index >= list_count()) {
        return;
    }
    list_index_ = index;
    notify(Prop::selection);
    if (index >= 0) {
        set_text_silently(items_[static_cast<std::size_t>(index)]);
        notify(Prop::text);
    }
    raise_click();
}

void ComboBox::text_changed() {
    // A typed text selects the item it names, as the drop-down shows it.
    list_index_ = -1;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == text()) {
            list_index_ = static_cast<int>(i);
            break;
        }
    }
}

void ListBox::add_item(std::string item) {
    items_.push_back(std::move(item));
    selected_.push_back(false);
    notify(Prop::items);
}

void ListBox::remove_item(int index) {
    if (index < 0 || index >= list_count()) {
        return;
    }
    items_.erase(items_.begin() + index);
    selected_.erase(selected_.begin() + index);
    if (list_index_ >= list_count()) {
        list_index_ = list_count() - 1;
    }
    notify(Prop::items);
}

void ListBox::clear() {
    items_.clear();
    selected_.clear();
    list_index_ = -1;
    notify(Prop::items);
}

bool ListBox::selected(int index) const {
    return index >= 0 && index < list_count() && selected_[static_cast<std::size_t>(index)];
}

void ListBox::set_selected(int index, bool on) {
    if (index < 0 || index >= list_count()) {
        return;
    }
    if (multi_select_ == MultiSelect::none && on) {
        selected_.assign(selected_.size(), false);
        list_index_ = index;
    }
    selected_[static_cast<std::size_t>(index)] = on;
    notify(Prop::selection);
}

void ListBox::set_list_index(int index) {
    if (index < -1 || index >= list_count()) {
        return;
    }
    list_index_ = index;
    if (multi_select_ == MultiSelect::none) {
        selected_.assign(selected_.size(), false);
        if (index >= 0) {
            selected_[static_cast<std::size_t>(index)] = true;
        }
    }
    notify(Prop::selection);
    raise_click();
}

void ListBox::user_clicked(int index) {
    if (index < 0 || index >= list_count()) {
        return;
    }
    if (multi_select_ == MultiSelect::none) {
        set_list_index(index);
        return;
    }
    selected_[static_cast<std::size_t>(index)] = !selected_[static_cast<std::size_t>(index)];
    list_index_ = index;
    notify(Prop::selection);
    raise_click();
}

void ListBox::user_selection(const std::vector<bool>& selected, int list_index) {
    if (selected.size() != selected_.size()) {
        return;
    }
    selected_ = selected;
    list_index_ = list_index;
    raise_click();
}

}  // namespace vardex
