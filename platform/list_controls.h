#pragma once

#include <string>
#include <vector>

#include "platform/control.h"

namespace vardex {

class ComboBox : public Control {
  public:
    enum class Style { dropdown_combo, dropdown_list };
    ComboBox(Form& form, std::string name, Style style = Style::dropdown_combo,
             Control* container = nullptr)
        : Control(form, ControlKind::combo_box, std::move(name), container), style_(style) {}

    Style style() const { return style_; }
    const std::vector<std::string>& items() const { return items_; }
    int list_count() const { return static_cast<int>(items_.size()); }
    void add_item(std::string item);
    void remove_item(int index);
    void clear();
    int list_index() const { return list_index_; }
    // Selecting an item shows it as the text and runs the click handler.
    void set_list_index(int index);
    void user_selected(int index) { set_list_index(index); }

  protected:
    void text_changed() override;

  private:
    Style style_;
    std::vector<std::string> items_;
    int list_index_ = -1;
};

class ListBox : public Control {
  public:
    enum class MultiSelect { none, simple, extended };
    ListBox(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::list_box, std::move(name), container) {}

    MultiSelect multi_select() const { return multi_select_; }
    void set_multi_select(MultiSelect m) { multi_select_ = m; }
    const std::vector<std::string>& items() const { return items_; }
    int list_count() const { return static_cast<int>(items_.size()); }
    const std::string& item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    void add_item(std::string item);
    void remove_item(int index);
    void clear();
    bool selected(int index) const;
    void set_selected(int index, bool on);
    int list_index() const { return list_index_; }
    void set_list_index(int index);
    // A person clicked an item: with multi-select it toggles, otherwise it becomes the selection.
    void user_clicked(int index);
    // The backend reports the whole selection.
    void user_selection(const std::vector<bool>& selected, int list_index);

  private:
    MultiSelect multi_select_ = MultiSelect::none;
    std::vector<std::string> items_;
    std::vector<bool> selected_;
    int list_index_ = -1;
};

}  // namespace vardex
