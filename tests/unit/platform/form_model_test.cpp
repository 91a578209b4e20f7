#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/user.h"
#include "platform/sim/world.h"
#include "platform/tab_strip.h"

namespace vardex {
namespace {

class Sample final : public Form {
  public:
    Sample() : Form("Sample_Dialog", "Sample") {}
    Frame frame{*this, "Frame1"};
    TextBox text{*this, "Text1", &frame};
    CommandButton button{*this, "Command1", &frame};
    CheckBox check{*this, "Check1"};
    OptionButton option_a{*this, "Option1(0)", &frame};
    OptionButton option_b{*this, "Option1(1)", &frame};
    OptionButton option_c{*this, "Option2(0)"};
    ComboBox combo{*this, "Combo1"};
    ListBox list{*this, "List1"};
    Label label{*this, "Label1"};
};

struct FormModel : ::testing::Test {
    sim::World world;
    sim::Machine& machine = world.add_machine("PC1", "10.0.0.1");
    sim::SimProcess& process = machine.start_process();
    sim::User user{process};
    Sample form;
    FormModel() {
        process.windows().attach(form);
        form.show();
    }
};

TEST_F(FormModel, ControlsRegisterInOrderAndAreFoundByName) {
    ASSERT_EQ(form.controls().size(), 10u);
    EXPECT_EQ(form.controls().front()->name(), "Frame1");
    EXPECT_EQ(form.find("Option1(1)"), &form.option_b);
    EXPECT_EQ(form.find("Nope"), nullptr);
    form.frame.move(100, 200, 3000, 2000);
    form.text.move(50, 60, 1000, 300);
    EXPECT_EQ(form.text.form_position(), (Point{150, 260}));
}

TEST_F(FormModel, PersonCannotUseHiddenOrDisabledControls) {
    int clicks = 0;
    form.button.on_click = [&] { ++clicks; };
    EXPECT_TRUE(user.click(form.button));
    form.button.set_enabled(false);
    EXPECT_FALSE(user.click(form.button));
    form.button.set_enabled(true);
    form.frame.set_enabled(false);  // a disabled frame disables what it holds
    EXPECT_FALSE(user.click(form.button));
    form.frame.set_enabled(true);
    form.frame.set_visible(false);
    EXPECT_FALSE(user.click(form.button));
    form.frame.set_visible(true);
    form.hide();
    EXPECT_FALSE(user.click(form.button));
    form.show();
    EXPECT_TRUE(user.click(form.button));
    EXPECT_EQ(clicks, 2);
}

TEST_F(FormModel, TypingRespectsMaxLengthLockAndKeyPress) {
    int changes = 0;
    form.text.on_change = [&] { ++changes; };
    form.text.set_max_length(5);
    EXPECT_TRUE(user.type(form.text, "abcdefgh"));
    EXPECT_EQ(form.text.text(), "abcde");
    EXPECT_EQ(changes, 5);
    form.text.on_key_press = [](int& key) {
        if (key == 'x') {
            key = 0;  // the handler drops the key
        }
    };
    EXPECT_TRUE(user.replace_text(form.text, "axbx"));
    EXPECT_EQ(form.text.text(), "ab");
    form.text.set_locked(true);
    user.type(form.text, "cd");
    EXPECT_EQ(form.text.text(), "ab");
}

TEST_F(FormModel, LosingFocusRaisesLostFocusOnce) {
    int lost = 0;
    form.text.on_lost_focus = [&] { ++lost; };
    user.type(form.text, "1");
    user.type(form.text, "2");
    EXPECT_EQ(lost, 0);
    user.click(form.button);
    EXPECT_EQ(lost, 1);
    user.leave_focus();
    EXPECT_EQ(lost, 1);
}

TEST_F(FormModel, CheckAndOptionButtonsRunTheirClickWhenTheValueChanges) {
    int check_clicks = 0;
    form.check.on_click = [&] { ++check_clicks; };
    form.check.set_value(1);
    form.check.set_value(1);  // no change: no click
    EXPECT_EQ(check_clicks, 1);
    user.click(form.check);
    EXPECT_EQ(form.check.value(), 0);
    EXPECT_EQ(check_clicks, 2);

    form.option_a.set_value(true);
    form.option_c.set_value(true);  // another container: its own group
    form.option_b.set_value(true);
    EXPECT_FALSE(form.option_a.value());
    EXPECT_TRUE(form.option_b.value());
    EXPECT_TRUE(form.option_c.value());
}

TEST_F(FormModel, ComboAndListSelection) {
    for (const char* item : {"00", "15", "30", "45"}) {
        form.combo.add_item(item);
    }
    int combo_clicks = 0;
    form.combo.on_click = [&] { ++combo_clicks; };
    EXPECT_TRUE(user.select(form.combo, 2));
    EXPECT_EQ(form.combo.text(), "30");
    EXPECT_EQ(combo_clicks, 1);
    user.replace_text(form.combo, "15");
    EXPECT_EQ(form.combo.list_index(), 1);
    user.replace_text(form.combo, "1h");
    EXPECT_EQ(form.combo.list_index(), -1);
    EXPECT_FALSE(user.select(form.combo, 9));

    form.list.set_multi_select(ListBox::MultiSelect::extended);
    for (const char* item : {"a", "b", "c"}) {
        form.list.add_item(item);
    }
    user.select(form.list, 0);
    user.select(form.list, 2);
    EXPECT_TRUE(form.list.selected(0));
    EXPECT_FALSE(form.list.selected(1));
    EXPECT_TRUE(form.list.selected(2));
    form.list.remove_item(0);
    EXPECT_EQ(form.list.item(0), "b");
    EXPECT_TRUE(form.list.selected(1));
}

TEST_F(FormModel, RefusedCloseKeepsTheFormAndAnAcceptedOneHidesIt) {
    bool refuse = true;
    int unloads = 0;
    form.on_query_unload = [&] { return refuse; };
    form.on_unload = [&] { ++unloads; };
    EXPECT_FALSE(user.close(form));
    EXPECT_TRUE(form.visible());
    refuse = false;
    EXPECT_TRUE(user.close(form));
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(unloads, 1);
}

TEST_F(FormModel, AutoSizedLabelsTakeTheSizeOfTheirText) {
    form.label.set_auto_size(true);
    form.label.set_caption("abcd");
    EXPECT_EQ(form.label.width(), 360);
    EXPECT_EQ(form.label.height(), 195);
    form.label.set_auto_size(true, true);
    form.label.set_width(900);  // ten characters a line
    form.label.set_caption(std::string(25, 'x'));
    EXPECT_EQ(form.label.width(), 900);
    EXPECT_EQ(form.label.height(), 3 * 195);
}

class GridForm final : public Form {
  public:
    GridForm() : Form("Grid_Dialog") {}
    Grid grid{*this, "fg1"};
    TabStrip tabs{*this, "TabStrip1"};
};

TEST(GridAndTabs, CellsSelectionAndSortIgnoringCase) {
    GridForm f;
    f.grid.set_size(5, 2, 1);
    f.grid.set_cell(0, 0, "Computer Name");
    f.grid.set_cell(1, 0, "pc3");
    f.grid.set_cell(2, 0, "PC1");
    f.grid.set_cell(3, 0, "pc2");
    f.grid.set_cell(9, 9, "out of range is ignored");
    f.grid.sort_rows(0, 1, 3);
    EXPECT_EQ(f.grid.cell(0, 0), "Computer Name");
    EXPECT_EQ(f.grid.cell(1, 0), "PC1");
    EXPECT_EQ(f.grid.cell(2, 0), "pc2");
    EXPECT_EQ(f.grid.cell(3, 0), "pc3");
    EXPECT_EQ(f.grid.cell(4, 0), "");
    f.grid.user_selected_row(0);  // the header cannot be selected
    EXPECT_EQ(f.grid.row(), 0);
    f.grid.user_selected_row(2);
    EXPECT_EQ(f.grid.row(), 2);

    f.tabs.set_tabs({"Misc&1", "Misc&2", "&Forb.Win"});
    int clicks = 0;
    f.tabs.on_click = [&] { ++clicks; };
    f.tabs.select(2);
    f.tabs.select(7);
    EXPECT_EQ(f.tabs.selected(), 2);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace vardex
