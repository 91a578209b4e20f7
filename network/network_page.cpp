#include "network/network_page.h"

#include <initializer_list>
#include <string>

namespace vardex {

NetworkPage::NetworkPage(Form& f, Frame& p) : form(f), page(p) {
    role_label.set_caption("This computer is....");
    role_label.move(120, 60, 1800, 255);
    const char* role_captions[] = {"Client", "Administrator", "not using network"};
    const int role_left[] = {1980, 3240, 4860};
    const int role_width[] = {1200, 1560, 2400};
    for (int i = 0; i < 3; ++i) {
        roles[i].set_caption(role_captions[i]);
        roles[i].move(role_left[i], 60, role_width[i], 270);
    }
    status_label.move(120, 420, 8040, 255);
    protocol_label.set_caption(
        "Vado Network functions work only with TCP/IP protocol. More info. in the online help");
    protocol_label.move(120, 720, 8040, 255);
    key_label.set_caption("Network key:");
    key_label.move(120, 1080, 1380, 255);
    key_box.move(1500, 1035, 2100, 315);
    key_box.set_password_char('*');
    key_box.set_max_length(64);
    key_hint.set_caption("The same on every machine; empty for none.");
    key_hint.move(3720, 1080, 4500, 255);

    client_frame.set_caption("Networking Client Controls");
    client_frame.move(60, 1440, 4020, 3120);
    struct Row {
        Label& label;
        const char* caption;
        TextBox& box;
    };
    const Row client_rows[] = {
        {name_label, "Name of this computer:", name_box},
        {admin_address_label, "IP Address of Admin:", admin_address_box},
        {admin_port_label, "Port of Admin:", admin_port_box},
        {client_address_label, "IP Address of this machine:", client_address_box},
    };
    int y = 270;
    for (const Row& row : client_rows) {
        row.label.set_caption(row.caption);
        row.label.move(120, y, 3780, 240);
        row.box.move(120, y + 240, 3780, 315);
        y += 570;
    }
    name_box.set_max_length(20);
    client_connect.set_caption("C&onnect!");
    client_connect.move(120, 2640, 1800, 375);

    admin_frame.set_caption("Network Administration Controls");
    admin_frame.move(4170, 1440, 4050, 3120);
    admin_own_address_label.set_caption("IP Address of this machine:");
    admin_own_address_label.move(120, 270, 2400, 240);
    admin_own_address_box.move(120, 510, 2400, 315);
    own_port_label.set_caption("Port:");
    own_port_label.move(2640, 270, 1290, 240);
    own_port_box.move(2640, 510, 1290, 315);
    admin_connect.set_caption("&Connect!");
    admin_connect.move(120, 930, 1500, 375);
    goto_button.set_caption("&Goto Network Dialog");
    goto_button.move(1740, 930, 2190, 375);
    start_dialog_check.set_caption("Start Network Dialog on Vardex Start");
    start_dialog_check.move(120, 1410, 3810, 270);
    admin_log_frame.set_caption("Admin Log");
    admin_log_frame.move(120, 1740, 3810, 1260);
    admin_log_check.set_caption("Keep an Admin log");
    admin_log_check.move(120, 270, 3570, 270);
    admin_log_label.set_caption("Path for Admin log:");
    admin_log_label.move(120, 600, 3570, 240);
    admin_log_box.move(120, 840, 3030, 315);
    admin_log_button.set_caption("...");
    admin_log_button.move(3210, 840, 480, 315);
}

void NetworkPage::set_up_for(NetworkRole role) {
    const bool is_client = role == NetworkRole::client;
    const bool is_admin = role == NetworkRole::administrator;
    for (Control* c : std::initializer_list<Control*>{
             &name_label, &name_box, &admin_address_label, &admin_address_box, &admin_port_label,
             &admin_port_box, &client_address_label, &client_address_box, &client_connect}) {
        c->set_enabled(is_client);
    }
    for (Control* c : std::initializer_list<Control*>{
             &admin_own_address_label, &admin_own_address_box, &own_port_label, &own_port_box,
             &admin_connect, &goto_button, &start_dialog_check, &admin_log_frame}) {
        c->set_enabled(is_admin);
    }
    // A client has no administrator boxes; a machine outside the network has no boxes at all.
    if (!is_admin) {
        admin_own_address_box.set_text("");
        own_port_box.set_text("");
    }
    if (!is_client && !is_admin) {
        admin_address_box.set_text("");
        admin_port_box.set_text("");
        client_address_box.set_text("");
    }
}

void NetworkPage::fill(const SettingsRecord& r) {
    filling = true;
    start_dialog_check.set_value(r.Start_Network_Dialog == 1 ? 1 : 0);
    show_role(r);
    filling = true;
    // The path before the box that checks it.
    admin_log_box.set_text(r.Path_for_Log_for_Admin);
    admin_log_check.set_value(r.Log_for_Admin);
    if (!r.Computer_Name.empty() && name_box.text().empty()) {
        name_box.set_text(r.Computer_Name);
    }
    key_box.set_text(r.Network_Key);
    filling = false;
}

void NetworkPage::show_role(const SettingsRecord& r) {
    filling = true;
    set_up_for(r.Network_Role);
    switch (r.Network_Role) {
        case NetworkRole::client:
            status_label.set_caption("This computer is connected to the network as a CLIENT...");
            client_address_box.set_text(r.Own_IP_Address);
            admin_port_box.set_text(std::to_string(r.Admin_Port));
            name_box.set_text(r.Computer_Name);
            admin_address_box.set_text(r.Admin_IP_Address);
            client().set_value(true);
            break;
        case NetworkRole::administrator:
            status_label.set_caption(
                "This computer is connected to the network as a ADMINISTER...");
            admin_own_address_box.set_text(r.Own_IP_Address);
            own_port_box.set_text(std::to_string(r.Own_Port));
            administrator().set_value(true);
            break;
        default:
            status_label.set_caption("This computer is not part of the network!");
            no_network().set_value(true);
            break;
    }
    filling = false;
}

void NetworkPage::apply(SettingsRecord& r) const {
    r.Log_for_Admin = admin_log_check.value();
    r.Path_for_Log_for_Admin = admin_log_box.text();
    r.Start_Network_Dialog = start_dialog_check.value() != 0 ? 1 : 0;
    r.Network_Key = key_box.text();
}

Explanations NetworkPage::explanations() {
    const std::string general =
        "Just move the mouse cursor to the control you need help with and a explanation will "
        "occur in the Explanation Window";
    const std::string roles_text =
        "These radio buttons let you decide which role the computer plays in a network. One "
        "computer is the Administrator, all others are Clients; a computer that is not used in "
        "a network needs neither.";
    const std::string key_text =
        "Type the same network key on every computer of the network, or carry it with the "
        "options file. With a key, Vardex signs every message it sends and carries out only "
        "messages signed with the same key: no other computer on the network can start, lock "
        "or message this one. Leave it empty when the network does not use a key; then all "
        "computers must leave it empty.";
    Explanations out = {
        {&admin_frame, general},
        {&client_frame, general},
        {&role_label, roles_text},
        {&status_label,
         "Here you can see the current network status of this computer: whether it is connected, "
         "and in which role."},
        {&client_connect,
         "If you entered The IP numbers of admin and Client, the port of the admin and a name for "
         "this computer, press this button to sign this computer in at the admin."},
        {&admin_connect,
         "If you entered the IP Address and port number of the admin computer, press this button "
         "to make this computer the administrator of the Vardex network."},
        {&start_dialog_check,
         "If this checkbox is checked Vardex automatically opens the network dialog when it is "
         "started, after the security check."},
        {&admin_own_address_box,
         "In this textfield there has to be the IP address of the admin computer. It is found "
         "when you choose 'Administrator'; you can also type it."},
        {&own_port_box,
         "In this textfiled there has to be the port of the Admin: the UDP port on which Vardex "
         "listens here. The clients have to use the same port."},
        {&name_box,
         "In this textfiled you should enter the name of this computer, as the admin's network "
         "dialog will show it. It has to be unique in the network."},
        {&admin_address_box,
         "In this textfiled you have to enter the IP Adress of the admin machine."},
        {&admin_port_box,
         "In this textfiled you have to enter the port of the Vardex program on the admin "
         "computer."},
        {&client_address_box,
         "In this textfield there has to be the IP number of this computer. It is found when you "
         "choose 'Client'; you can also type it."},
        {&goto_button,
         "If the computer is configured as a Administrator, you can use this button to jump to "
         "the Vardex network dialog."},
        {&admin_log_check,
         "Enable this checkbox and enter a path into the Textbox behind it to enable the admin "
         "logging function. Vardex will log the periods, for which computers where unlocked in "
         "the Network dialog.  This log file has CSV format and can be imported into other "
         "programs to analyze it."},
        {&admin_log_box,
         "In this Textbox you can enter the path and filename of the admin log file. In this "
         "file Vardex will log the computer periods from the Network dialog in CSV format"},
        {&key_box, key_text},
        {&key_label, key_text},
        {&key_hint, key_text},
        {&admin_log_label,
         "In this Textbox you can enter the path and filename of the admin log file. In this "
         "file Vardex will log the computer periods from the Network dialog in CSV format"},
    };
    for (int i = 0; i < 3; ++i) {
        out.push_back({&roles[i], roles_text});
    }
    return out;
}

}  // namespace vardex
