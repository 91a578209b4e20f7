#include "platform/win32/win32_udp.h"

#include <ws2tcpip.h>

#include <string>

namespace vardex::win32 {

namespace {
constexpr UINT socket_message = WM_APP + 17;
// A read notification that is lost (a full message queue, a busy moment under Wine) would
// leave the socket unread for good: a slow timer drains it as well.
constexpr UINT_PTR drain_timer = 1;
constexpr UINT drain_interval_ms = 100;
// Each read of a datagram posts the next read notification at once, and a window's timers
// come only when nothing is posted: under a flood they would never come. So a turn takes so
// many datagrams, or so much time, and when more wait, the socket is left alone until a
// timer of its own: the program's timers, due earlier, go first.
constexpr UINT_PTR resume_timer = 2;
constexpr UINT resume_after_ms = USER_TIMER_MINIMUM;
constexpr int drain_batch = 64;
constexpr ULONGLONG drain_budget_ms = 8;
constexpr char window_class[] = "VardexSocketWindow";
}  // namespace

Win32Udp::Win32Udp() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = window_class;
    RegisterClassA(&wc);
    window_.reset(CreateWindowExA(0, window_class, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr));
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Udp::~Win32Udp() {
    close();
    window_.reset();
    if (started_) {
        WSACleanup();
    }
}

void Win32Udp::close() {
    if (socket_ != INVALID_SOCKET) {
        KillTimer(window_.get(), drain_timer);
        KillTimer(window_.get(), resume_timer);
        paused_ = false;
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
    bound_ = false;
}

long Win32Udp::open_socket() {
    if (socket_ != INVALID_SOCKET) {
        return 0;
    }
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) {
        return WSAGetLastError();
    }
    if (WSAAsyncSelect(socket_, window_.get(), socket_message, FD_READ) != 0) {
        const long error = WSAGetLastError();
        close();
        return error;
    }
    SetTimer(window_.get(), drain_timer, drain_interval_ms, nullptr);
    return 0;
}

long Win32Udp::bind(int port) {
    if (bound_) {
        return WSAEINVAL;
    }
    if (long r = open_socket(); r != 0) {
        return r;
    }
    // No other program may take the port over while the program holds it, and read or
    // answer its datagrams.
    const BOOL exclusive = TRUE;
    setsockopt(socket_, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
               sizeof exclusive);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(static_cast<u_short>(port));
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        const long error = WSAGetLastError();
        close();
        return error;
    }
    bound_ = true;
    return 0;
}

long Win32Udp::send_to(std::string_view address, int port, std::string_view data) {
    // A closed socket sends nothing: a new one would be bound by the system to any port, and
    // answers to it would go unread.
    if (socket_ == INVALID_SOCKET || !bound_) {
        return WSAENOTSOCK;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(port));
    if (inet_pton(AF_INET, std::string(address).c_str(), &to.sin_addr) != 1) {
        return WSAEDESTADDRREQ;
    }
    const int sent = sendto(socket_, data.data(), static_cast<int>(data.size()), 0,
                            reinterpret_cast<sockaddr*>(&to), sizeof to);
    return sent == static_cast<int>(data.size()) ? 0 : WSAGetLastError();
}

void Win32Udp::drain() {
    if (paused_) {
        return;  // a notification posted before the pause
    }
    char buffer[65536];
    const ULONGLONG started = GetTickCount64();
    for (int taken = 0; socket_ != INVALID_SOCKET; ++taken) {
        if (taken == drain_batch || GetTickCount64() - started > drain_budget_ms) {
            pause();
            return;
        }
        sockaddr_in from{};
        int from_len = sizeof from;
        const int n = recvfrom(socket_, buffer, sizeof buffer, 0,
                               reinterpret_cast<sockaddr*>(&from), &from_len);
        if (n < 0) {
            if (WSAGetLastError() == WSAEWOULDBLOCK) {
                return;
            }
            continue;  // such as WSAECONNRESET for an earlier send: the next datagram counts
        }
        char host[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &from.sin_addr, host, sizeof host);
        if (receiver_) {
            receiver_(Datagram{std::string(buffer, static_cast<std::size_t>(n)), host,
                               ntohs(from.sin_port)});
        }
    }
}

void Win32Udp::pause() {
    if (WSAAsyncSelect(socket_, window_.get(), 0, 0) == 0) {
        paused_ = true;
        SetTimer(window_.get(), resume_timer, resume_after_ms, nullptr);
    }
}

void Win32Udp::resume() {
    KillTimer(window_.get(), resume_timer);
    paused_ = false;
    if (socket_ != INVALID_SOCKET) {
        // Posts a read notification at once when datagrams wait.
        WSAAsyncSelect(socket_, window_.get(), socket_message, FD_READ);
    }
}

LRESULT CALLBACK Win32Udp::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == socket_message) {
        auto* self = reinterpret_cast<Win32Udp*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self != nullptr && self->socket_ == static_cast<SOCKET>(wp) &&
            WSAGETSELECTEVENT(lp) == FD_READ) {
            self->drain();
        }
        return 0;
    }
    if (msg == WM_TIMER && (wp == drain_timer || wp == resume_timer)) {
        auto* self = reinterpret_cast<Win32Udp*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self == nullptr || self->socket_ == INVALID_SOCKET) {
            return 0;
        }
        if (wp == resume_timer) {
            self->resume();
        } else {
            self->drain();
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

std::string Win32Udp::host_name() {
    char name[256] = {};
    return gethostname(name, sizeof name) == 0 ? std::string(name) : std::string{};
}

std::string Win32Udp::first_ipv4_address(std::string_view host_name) {
    const hostent* host = gethostbyname(std::string(host_name).c_str());
    if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list[0] == nullptr) {
        return {};
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
    std::string out;
    for (int i = 0; i < host->h_length; ++i) {
        if (i > 0) {
            out += '.';
        }
        out += std::to_string(bytes[i]);
    }
    return out;
}

}  // namespace vardex::win32
