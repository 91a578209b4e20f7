#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/result_codes.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"

namespace vardex {
namespace {

class Dialog final : public Form {
  public:
    explicit Dialog(std::string name) : Form(std::move(name), "Vardex") {}
};

TEST(SimDesktop, TopmostWindowsStayAboveAndForegroundFollowsHiding) {
    sim::World world;
    sim::Machine& m = world.add_machine("PC1", "10.0.0.1");
    sim::SimProcess& p = m.start_process();
    Dialog blocker("blocker_win");
    Dialog main_dialog("Vardex_Dialog");
    p.windows().attach(blocker);
    p.windows().attach(main_dialog);
    const WindowId editor = m.desktop().open_window("Untitled - Editor");
    blocker.show();
    main_dialog.show();
    blocker.make_topmost();
    main_dialog.make_topmost();
    EXPECT_EQ(m.desktop().z_order(),
              (std::vector<WindowId>{main_dialog.window_id(), blocker.window_id(), editor}));
    m.desktop().activate(editor);  // a normal window never rises above the topmost ones
    EXPECT_TRUE(m.desktop().is_above(blocker.window_id(), editor));
    EXPECT_EQ(m.desktop().foreground_window(), editor);
    EXPECT_EQ(p.windows().active_form(), nullptr);
    main_dialog.set_focus();
    EXPECT_EQ(p.windows().active_form(), &main_dialog);
    main_dialog.hide();
    EXPECT_EQ(m.desktop().foreground_window(), blocker.window_id());
    EXPECT_EQ(m.desktop().window_text(blocker.window_id()), "Vardex");
}

TEST(SimDesktop, CursorClipHoldsThePointerAndCloseRequestsArePosted) {
    sim::World world;
    sim::Machine& m = world.add_machine("PC1", "10.0.0.1");
    sim::SimDesktop& d = m.desktop();
    const Rect clip{100, 100, 200, 150};
    d.clip_cursor(&clip);
    EXPECT_EQ(d.cursor_pos(), (Point{199, 149}));
    d.set_cursor_pos({0, 0});
    EXPECT_EQ(d.cursor_pos(), (Point{100, 100}));
    d.clip_cursor(nullptr);
    d.set_cursor_pos({0, 0});
    EXPECT_EQ(d.cursor_pos(), (Point{0, 0}));

    const WindowId game = d.open_window("Game");
    const WindowId stubborn = d.open_window("Unsaved", {}, true);
    EXPECT_TRUE(d.post_close(game));
    EXPECT_TRUE(d.post_close(stubborn));
    EXPECT_TRUE(d.is_open(game));  // posted: handled when its message loop runs
    world.advance(0);
    EXPECT_FALSE(d.is_open(game));
    EXPECT_TRUE(d.is_open(stubborn));
    EXPECT_FALSE(d.post_close(game));
    EXPECT_EQ(d.window(stubborn)->close_requests, 1);

    d.answer_yes_no(true);
    EXPECT_TRUE(d.yes_no_box("Sure?", "Vardex"));
    EXPECT_FALSE(d.yes_no_box("Again?", "Vardex"));               // no answer queued: No
    EXPECT_EQ(d.file_dialog(FileDialogRequest{}), std::nullopt);  // cancelled
}

TEST(SimLan, DeliversDropsDuplicatesAndRefusesBusyPorts) {
    sim::World world;
    sim::Machine& admin = world.add_machine("ADMIN-PC", "192.168.0.1");
    sim::Machine& client = world.add_machine("PC7", "192.168.0.7");
    sim::SimProcess& a = admin.start_process();
    sim::SimProcess& c = client.start_process();
    std::vector<Datagram> got;
    a.udp().set_receiver([&](const Datagram& d) { got.push_back(d); });

    ASSERT_EQ(a.udp().bind(9023), result::ok);
    world.lan().occupy("192.168.0.7", 9023);
    EXPECT_EQ(c.udp().bind(9023), result::address_in_use);
    ASSERT_EQ(c.udp().bind(9723), result::ok);

    c.udp().send_to("192.168.0.1", 9023, "hello");
    EXPECT_TRUE(got.empty());
    world.advance(5);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, "hello");
    EXPECT_EQ(got[0].from_address, "192.168.0.7");
    EXPECT_EQ(got[0].from_port, 9723);

    world.lan().drop_next(1);
    c.udp().send_to("192.168.0.1", 9023, "lost");
    world.lan().duplicate_next(1);
    c.udp().send_to("192.168.0.1", 9023, "twice");
    c.udp().send_to("192.168.0.1", 9999, "nobody listens");
    world.advance(5);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].data, "twice");
    EXPECT_EQ(got[2].data, "twice");
    EXPECT_TRUE(world.lan().log()[1].dropped);

    admin.suspend();
    c.udp().send_to("192.168.0.1", 9023, "asleep");
    world.advance(5);
    EXPECT_EQ(got.size(), 3u);

    // A closed socket sends nothing, and is not opened again on a port of the system's choice.
    const std::size_t logged = world.lan().log().size();
    c.udp().close();
    EXPECT_EQ(c.udp().send_to("192.168.0.1", 9023, "after close"), result::not_socket);
    EXPECT_FALSE(c.udp().is_bound());
    EXPECT_EQ(world.lan().log().size(), logged);

    EXPECT_EQ(c.udp().first_ipv4_address(c.udp().host_name()), "192.168.0.7");
    client.set_host_resolves(false);
    EXPECT_EQ(c.udp().first_ipv4_address("PC7"), "");
}

TEST(SimPrinter, RecordsTheDrawingAndReportsFailures) {
    sim::SimPrinter printer;
    ASSERT_TRUE(printer.begin_document());
    printer.set_scale(0, 0, 10000, 15000);
    printer.set_font_size(12);
    EXPECT_GT(printer.text_width("Vardex"), printer.text_width("Var"));
    EXPECT_TRUE(printer.print_text(500, 1500, "Direct Access Code: 123 456"));
    EXPECT_TRUE(printer.draw_box(10, 10, 9990, 30, true));
    EXPECT_TRUE(printer.draw_line(10, 40, 9990, 40));
    EXPECT_TRUE(printer.end_document());
    ASSERT_EQ(printer.printed().size(), 1u);
    EXPECT_EQ(printer.printed()[0].ops.size(), 3u);
    const std::string svg = sim::SimPrinter::to_svg(printer.printed()[0]);
    EXPECT_NE(svg.find("Direct Access Code: 123 456"), std::string::npos);

    printer.fail_after(2);
    ASSERT_TRUE(printer.begin_document());
    EXPECT_TRUE(printer.print_text(0, 0, "a"));
    EXPECT_FALSE(printer.print_text(0, 0, "b"));
    EXPECT_EQ(printer.last_error().number, 482);

    printer.set_installed(false);
    EXPECT_FALSE(printer.begin_document());
    EXPECT_EQ(printer.last_error().number, 484);
}

}  // namespace
}  // namespace vardex

#include "platform/system_keys.h"

namespace vardex {
namespace {

TEST(SystemKeys, OnlyTheWaysOutOfTheProgramAreSwallowed) {
    const auto stroke = [](int key, bool alt, bool ctrl, bool shift, bool own) {
        return swallows_system_key(KeyStroke{key, alt, ctrl, shift, own});
    };
    EXPECT_TRUE(stroke(vk::left_windows, false, false, false, false));
    EXPECT_TRUE(stroke(vk::right_windows, false, false, false, true));
    EXPECT_TRUE(stroke(vk::tab, true, false, false, false));     // Alt+Tab
    EXPECT_TRUE(stroke(vk::tab, true, false, true, false));      // Alt+Shift+Tab
    EXPECT_TRUE(stroke(vk::escape, true, false, false, false));  // Alt+Esc
    EXPECT_TRUE(stroke(vk::escape, false, true, false, false));  // Ctrl+Esc
    EXPECT_TRUE(stroke(vk::escape, false, true, true, false));   // Ctrl+Shift+Esc
    EXPECT_TRUE(stroke(vk::f4, true, false, false, true));       // Alt+F4 on ours
    EXPECT_FALSE(stroke(vk::f4, true, false, false, false));     // another program's
    // Typing in the program's boxes goes on: Tab between controls, Esc, letters, Alt keys.
    EXPECT_FALSE(stroke(vk::tab, false, false, false, true));
    EXPECT_FALSE(stroke(vk::tab, false, false, true, true));
    EXPECT_FALSE(stroke(vk::escape, false, false, false, true));
    EXPECT_FALSE(stroke('A', false, false, true, true));
    EXPECT_FALSE(stroke('S', true, false, false, true));  // an access key
    EXPECT_FALSE(stroke(vk::f4, false, false, false, true));
}

}  // namespace
}  // namespace vardex
