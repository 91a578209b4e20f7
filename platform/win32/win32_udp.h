#pragma once

#include <windows.h>
#include <winsock2.h>

#include "platform/udp.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

// The program's UDP socket. Datagrams are announced to a message-only window with
// WSAAsyncSelect, so they arrive on the window thread like any other event.
class Win32Udp final : public UdpSocket {
  public:
    Win32Udp();
    ~Win32Udp() override;

    void close() override;
    long bind(int port) override;
    bool is_bound() const override { return bound_; }
    long send_to(std::string_view address, int port, std::string_view data) override;
    void set_receiver(std::function<void(const Datagram&)> receiver) override {
        receiver_ = std::move(receiver);
    }
    std::string host_name() override;
    std::string first_ipv4_address(std::string_view host_name) override;

  private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    long open_socket();
    // Takes the waiting datagrams, a turn's worth at most.
    void drain();
    // Read notifications off until the resume timer, so that other messages get their turn.
    void pause();
    void resume();

    bool started_ = false;
    SOCKET socket_ = INVALID_SOCKET;
    bool bound_ = false;
    bool paused_ = false;
    UniqueWindow window_;
    std::function<void(const Datagram&)> receiver_;
};

}  // namespace vardex::win32
