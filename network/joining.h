#pragma once

#include <string>

namespace vardex {

class Form;
class Network;
class NetworkPage;
class SettingsStore;
class UserMessages;
class WindowSystem;

// Taking a role on the options dialog's network page: the role buttons, the connect buttons of
// the administrator and the client with their checks, and leaving the network when a network
// box is edited.
class Joining {
  public:
    Joining(NetworkPage& page, Form& options_dialog, Network& network, SettingsStore& settings,
            WindowSystem& windows, UserMessages& messages);

    // A role button: 0 client, 1 administrator, 2 not using network.
    void choose_role(int index);
    void connect_administrator();
    void connect_client();
    // The user changed one of the boxes a connection was made with.
    void network_box_changed();

  private:
    void message(const std::string& text);
    NetworkPage& page_;
    Form& options_dialog_;
    Network& network_;
    SettingsStore& settings_;
    WindowSystem& windows_;
    UserMessages& messages_;
};

}  // namespace vardex
