#include "network/joining.h"

#include <initializer_list>

#include "network/network.h"
#include "network/network_page.h"
#include "platform/form.h"
#include "platform/window_system.h"
#include "settings/settings_store.h"
#include "settings/user_messages.h"

namespace vardex {

namespace {
constexpr char not_connected[] = "This computer is not part of the network!";
constexpr char connected_admin[] = "This computer is connected to the network as a ADMINISTER...";
constexpr char connected_client[] = "This computer is connected to the network as a CLIENT...";
constexpr char already_connected[] = "This computer is already connected!";

bool outside_port_range(std::int64_t port) {
    return port < 1025 || port > 65535;
}
}  // namespace

Joining::Joining(NetworkPage& page, Form& options_dialog, Network& network, SettingsStore& settings,
                 WindowSystem& windows, UserMessages& messages)
    : page_(page),
      options_dialog_(options_dialog),
      network_(network),
      settings_(settings),
      windows_(windows),
      messages_(messages) {
    NetworkPage& p = page_;
    for (int i = 0; i < p.roles.size(); ++i) {
        p.roles[i].on_click = [this, i] { choose_role(i); };
    }
    p.admin_connect.on_click = [this] { connect_administrator(); };
    p.client_connect.on_click = [this] { connect_client(); };
    for (TextBox* box : {&p.admin_own_address_box, &p.own_port_box, &p.name_box,
                         &p.admin_address_box, &p.admin_port_box}) {
        box->on_change = [this] { network_box_changed(); };
    }
    // The key takes effect as it is typed, so that the first messages of the connect buttons
    // are signed with it; it is stored with the other settings.
    p.key_box.on_change = [this] { settings_.record().Network_Key = page_.key_box.text(); };
}

void Joining::message(const std::string& text) {
    messages_.message(text);
}

void Joining::choose_role(int index) {
    NetworkPage& p = page_;
    // Filling the page from the store sets the controls up itself, and neither leaves the
    // network nor forgets the name.
    if (p.filling) {
        return;
    }
    const bool visible = options_dialog_.visible();
    switch (index) {
        case 0:
            p.set_up_for(NetworkRole::client);
            if (visible) {
                // The lookup can block for a long time: say so first.
                p.client_address_box.set_text("Find IP, t. can freeze com. f. 30s");
                p.client_address_box.set_text(network_.own_ip_address());
            }
            p.admin_port_box.set_text(std::to_string(default_port));
            break;
        case 1:
            p.set_up_for(NetworkRole::administrator);
            if (visible) {
                p.admin_own_address_box.set_text("Find IP, t. can freeze comp. f. 30s");
                p.admin_own_address_box.set_text(network_.own_ip_address());
            }
            p.own_port_box.set_text(std::to_string(default_port));
            break;
        default:
            p.set_up_for(NetworkRole::none);
            network_.leave_network();
            settings_.record().Computer_Name.clear();
            p.status_label.set_caption("This computer is not part of the Vado network!");
            break;
    }
}

void Joining::network_box_changed() {
    NetworkPage& p = page_;
    if (p.filling || !options_dialog_.visible()) {
        return;
    }
    // A connection holds only for the boxes it was made with.
    network_.leave_network();
    p.status_label.set_caption(not_connected);
}

void Joining::connect_administrator() {
    NetworkPage& p = page_;
    SettingsRecord& r = settings_.record();
    if (r.Network_Role != NetworkRole::none) {
        message(already_connected);
        return;
    }
    const std::optional<std::int64_t> typed = whole_number(p.own_port_box.text());
    if (!typed) {
        message("Port number has to be numeric");
        return;
    }
    if (is_bad_ip(p.admin_own_address_box.text())) {
        message(
            "The IP Address has to be in the format x.x.x.x, where x are integers between 0 and "
            "255!");
        return;
    }
    if (outside_port_range(*typed)) {
        message("Port number has to be between 1024 and 65535");
        return;
    }
    const std::int32_t bound = network_.bind_admin_port(static_cast<std::int32_t>(*typed));
    if (bound == -1) {
        p.status_label.set_caption(not_connected);
        message("Error! Could not connect computer!");
        return;
    }
    r.Network_Role = NetworkRole::administrator;
    p.status_label.set_caption(connected_admin);
    r.Own_Port = bound;
    r.Own_IP_Address = *canonical_ip(p.admin_own_address_box.text());
    r.Computer_Name = "admin";
    if (bound != *typed) {
        message("Computer connected! Had to change your suggested port number!");
        // The program writes the port it bound: no edit of the user's, no leaving.
        p.filling = true;
        p.own_port_box.set_text(std::to_string(bound));
        p.filling = false;
    }
}

void Joining::connect_client() {
    NetworkPage& p = page_;
    SettingsRecord& r = settings_.record();
    if (r.Network_Role != NetworkRole::none) {
        message(already_connected);
        return;
    }
    const std::string own_address = p.client_address_box.text();
    const std::string admin_address = p.admin_address_box.text();
    // The same address written two ways is the same address.
    if (canonical_ip(own_address).value_or(own_address) ==
        canonical_ip(admin_address).value_or(admin_address)) {
        message("IP Addresses of Admin and this machine have to be different!");
        return;
    }
    if (is_bad_ip(admin_address) || is_bad_ip(own_address)) {
        message(
            "IP Addresses have to be in the format x.x.x.x, where x are integers between 0 and "
            "255!");
        return;
    }
    const std::optional<std::int64_t> admin_port = whole_number(p.admin_port_box.text());
    if (!admin_port) {
        message("Port number of Admin has to be numeric");
        return;
    }
    if (outside_port_range(*admin_port)) {
        message("Port number of Admin has to be between 1024 and 65535");
        return;
    }
    const std::string name = p.name_box.text();
    if (name.empty()) {
        message("Please enter a name for this computer");
        return;
    }
    // Refused before it becomes the name: a ";" would split every message it is sent in.
    if (name.find(';') != std::string::npos) {
        message("The ';' is not allowed in computer name!");
        return;
    }
    r.Computer_Name = name;
    r.Admin_Port = static_cast<std::int32_t>(*admin_port);
    // Stored as the socket reads them back: "192.168.0.7." could never be sent to.
    r.Admin_IP_Address = *canonical_ip(admin_address);
    r.Own_IP_Address = *canonical_ip(own_address);
    WindowSystem& windows = windows_;
    windows.set_busy_cursor(true);
    r.Network_Role = NetworkRole::checking_in;
    const CheckIn answer = network_.check_in();
    if (answer == CheckIn::no_answer || answer == CheckIn::name_known ||
        answer == CheckIn::clock_differs) {
        r.Network_Role = NetworkRole::none;
        if (answer == CheckIn::clock_differs) {
            message(clock_difference_message("admin", network_.protocol.clock_difference_minutes));
        } else {
            message(answer == CheckIn::no_answer
                        ? "Didn't get any answer from admin! Make sure that Vardex is "
                          "running on admin computer, check IP and port number of admin. "
                          "If that doesn't help check network setup."
                        : "Admin didn't acknowledge the checkin! A computer with this "
                          "name is already signed in at the admin.");
        }
    } else {
        r.Network_Role = NetworkRole::client;
        p.status_label.set_caption(connected_client);
    }
    windows.set_busy_cursor(false);
}

}  // namespace vardex
