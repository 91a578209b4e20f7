#pragma once

#include <string>

namespace vardex {

class Program;
class NetworkPage;

// Taking a role on the options dialog's network page: the role buttons, the connect buttons of
// the administrator and the client with their checks, and leaving the network when a network
// box is edited.
class Joining {
  public:
    explicit Joining(Program& program);

    // A role button: 0 client, 1 administrator, 2 not using network.
    void choose_role(int index);
    void connect_administrator();
    void connect_client();
    // The user changed one of the boxes a connection was made with.
    void network_box_changed();

  private:
    NetworkPage& page();
    void message(const std::string& text);
    Program& program_;
};

}  // namespace vardex
