// A control gallery for the end-to-end harness: one form with every control kind and a timer,
// rendered by the real Win32 backend. Each event writes what happened into the status label,
// so the scenarios can read it back through the real windows.
#include <windows.h>

#include <string>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/tab_strip.h"
#include "platform/win32/win32_platform.h"

namespace vardex {
namespace {

class Gallery final : public Form {
  public:
    Gallery() : Form("Gallery_Dialog", "Vardex Control Gallery") {
        move(600, 600, 9000, 7400);
        status.move(120, 120, 8600, 255);
        status.set_caption("ready");
        text.move(120, 480, 2400, 315);
        text.set_max_length(10);
        mirror.move(2640, 520, 2400, 255);
        button.set_caption("&Press me");
        button.move(5160, 480, 1500, 360);
        allow_close.set_caption("&Allow close");
        allow_close.move(6840, 480, 1800, 300);

        choice.set_caption("Choice");
        choice.move(120, 960, 2400, 1080);
        option_a.set_caption("Option &A");
        option_a.move(120, 240, 2000, 300);
        option_b.set_caption("Option &B");
        option_b.move(120, 600, 2000, 300);

        for (const char* item : {"00", "15", "30", "45"})
            minutes.add_item(item);
        minutes.move(2640, 960, 1200, 315);
        minutes.set_text("30");
        for (const char* item : {"Red", "Green", "Blue"})
            colours.add_item(item);
        colours.move(3960, 960, 1500, 315);
        list.set_multi_select(ListBox::MultiSelect::extended);
        for (const char* item : {"one", "two", "three"})
            list.add_item(item);
        list.move(5640, 960, 1800, 1080);

        ticks.move(2640, 1560, 2400, 255);
        ticks.set_caption("ticks=0");

        tabs.set_tabs({"&First", "&Second"});
        tabs.move(120, 2220, 5400, 1800);
        page1.set_caption("Page one");
        page1.move(240, 2640, 5160, 1260);
        page1_label.set_caption("This is the first page");
        page1_label.move(120, 300, 4000, 255);
        page2.set_caption("Page two");
        page2.move(240, 2640, 5160, 1260);
        page2.set_visible(false);
        page2_label.set_caption("This is the second page");
        page2_label.move(120, 300, 4000, 255);

        grid.set_size(4, 3, 1);
        grid.move(120, 4200, 6000, 1800);
        const char* cells[4][3] = {{"Name", "State", "Time"},
                                   {"PC1", "Lock mode", "-"},
                                   {"PC2", "Timing mode", "00:10:00"},
                                   {"PC3", "NO FEEDBACK", "-"}};
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                grid.set_cell(r, c, cells[r][c]);
            }
            grid.set_col_width(r < 3 ? r : 0, 1800);
        }
        picture.move(6300, 4200, 1650, 1650);

        wire();
    }

    Label status{*this, "Label1"};
    TextBox text{*this, "Text1"};
    Label mirror{*this, "Label2"};
    CommandButton button{*this, "Command1"};
    CheckBox allow_close{*this, "Check1"};
    Frame choice{*this, "Frame1"};
    OptionButton option_a{*this, "Option1(0)", &choice};
    OptionButton option_b{*this, "Option1(1)", &choice};
    ComboBox minutes{*this, "Minuten"};
    ComboBox colours{*this, "Combo1", ComboBox::Style::dropdown_list};
    ListBox list{*this, "List1"};
    Label ticks{*this, "Label3"};
    TabStrip tabs{*this, "TabStrip1"};
    Frame page1{*this, "Frame11(0)"};
    Label page1_label{*this, "Label4", &page1};
    Frame page2{*this, "Frame11(1)"};
    Label page2_label{*this, "Label5", &page2};
    Grid grid{*this, "fg1"};
    Image picture{*this, "Image1"};
    Timer timer{*this, "Timer1", 100, true};

    std::function<void()> quit;

  private:
    void say(const std::string& what) { status.set_caption(what); }

    void wire() {
        text.on_change = [this] { mirror.set_caption("text=" + text.text()); };
        text.on_key_press = [this](int& key) {
            if (key == 13) {
                say("enter:" + text.text());
            }
        };
        text.on_lost_focus = [this] { say("left text=" + text.text()); };
        button.on_click = [this] { say("clicked " + std::to_string(++clicks_)); };
        allow_close.on_click = [this] { say("check=" + std::to_string(allow_close.value())); };
        option_a.on_click = [this] { say("option=A"); };
        option_b.on_click = [this] { say("option=B"); };
        minutes.on_click = [this] { say("combo=" + minutes.text()); };
        minutes.on_change = [this] { mirror.set_caption("combo text=" + minutes.text()); };
        colours.on_click = [this] { say("colour=" + colours.text()); };
        list.on_click = [this] {
            std::string picked;
            for (int i = 0; i < list.list_count(); ++i) {
                if (list.selected(i)) {
                    if (!picked.empty()) {
                        picked += ',';
                    }
                    picked += std::to_string(i);
                }
            }
            say("list=" + picked);
        };
        tabs.on_click = [this] {
            page1.set_visible(tabs.selected() == 0);
            page2.set_visible(tabs.selected() == 1);
            say("tab=" + std::to_string(tabs.selected()));
        };
        grid.on_select_change = [this] {
            say("row=" + std::to_string(grid.row()) + " " + grid.cell(grid.row(), 0));
        };
        timer.on_tick = [this] { ticks.set_caption("ticks=" + std::to_string(++ticks_)); };
        on_query_unload = [this] {
            if (allow_close.value() == 0) {
                say("close refused");
                return true;
            }
            return false;
        };
        on_unload = [this] {
            if (quit)
                quit();
        };
    }

    int clicks_ = 0;
    int ticks_ = 0;
};

}  // namespace
}  // namespace vardex

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vardex::win32::Win32Platform platform;
    vardex::Gallery gallery;
    platform.windows().attach(gallery);
    gallery.quit = [&platform] { platform.windows().quit(0); };
    const std::string bmp = platform.files().program_folder() + "\\gallery.bmp";
    if (!gallery.picture.load_picture(bmp)) {
        gallery.picture.set_visible(false);
    }
    gallery.show();
    return platform.win32_windows().run();
}
