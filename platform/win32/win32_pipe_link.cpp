#include "platform/win32/win32_pipe_link.h"

#include <algorithm>

#include "platform/remote/wire.h"
#include "platform/win32/win32_windows.h"

namespace vardex::win32 {

namespace {

constexpr char link_class[] = "VardexPipeLink";
constexpr UINT frame_arrived = WM_APP + 1;
constexpr UINT pipe_broken = WM_APP + 2;
constexpr UINT take_held = WM_APP + 3;
constexpr UINT_PTR call_timer = 1;
// A face that takes nothing for this long is as good as gone.
constexpr DWORD write_timeout_ms = 3000;

struct Arrived {
    std::uint32_t id;
    std::string frame;
};

void put_u32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
    }
}

std::uint32_t get_u32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    }
    return v;
}

bool is_kind(const std::string& frame, remote::Wire kind) {
    return !frame.empty() && static_cast<remote::Wire>(static_cast<std::uint8_t>(frame[0])) == kind;
}

}  // namespace

Win32PipeLink::Win32PipeLink(HANDLE pipe, Win32Windows& windows, remote::Receiver receiver,
                             bool hold_events_while_calling)
    : pipe_(pipe),
      windows_(windows),
      receiver_(std::move(receiver)),
      hold_events_(hold_events_while_calling),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = link_class;
    RegisterClassA(&wc);
    hwnd_.reset(CreateWindowExA(0, link_class, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr));
    SetWindowLongPtrA(hwnd_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    reader_ = std::thread([this] { read_frames(); });
}

Win32PipeLink::~Win32PipeLink() {
    SetEvent(stop_.get());
    if (reader_.joinable()) {
        reader_.join();
    }
    MSG msg;
    while (PeekMessageA(&msg, hwnd_.get(), frame_arrived, frame_arrived, PM_REMOVE)) {
        delete reinterpret_cast<Arrived*>(msg.lParam);
    }
}

// The reading thread: whole frames to the window thread, until the pipe breaks or we stop.
void Win32PipeLink::read_frames() {
    UniqueHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const auto read_exact = [&](char* buffer, DWORD size) {
        DWORD have = 0;
        while (have < size) {
            OVERLAPPED ov{};
            ov.hEvent = done.get();
            ResetEvent(done.get());
            DWORD got = 0;
            if (!ReadFile(pipe_.get(), buffer + have, size - have, &got, &ov)) {
                if (GetLastError() != ERROR_IO_PENDING) {
                    return false;
                }
                const HANDLE waits[] = {done.get(), stop_.get()};
                if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
                    CancelIoEx(pipe_.get(), &ov);
                    GetOverlappedResult(pipe_.get(), &ov, &got, TRUE);
                    return false;
                }
                if (!GetOverlappedResult(pipe_.get(), &ov, &got, FALSE)) {
                    return false;
                }
            }
            if (got == 0) {
                return false;
            }
            have += got;
        }
        return true;
    };
    for (;;) {
        char header[8];
        if (!read_exact(header, sizeof header)) {
            break;
        }
        const std::uint32_t size = get_u32(header);
        if (size == 0 || size > remote::max_frame) {
            break;
        }
        auto arrived = std::make_unique<Arrived>();
        arrived->id = get_u32(header + 4);
        arrived->frame.resize(size);
        if (!read_exact(arrived->frame.data(), size)) {
            break;
        }
        if (PostMessageA(hwnd_.get(), frame_arrived, 0, reinterpret_cast<LPARAM>(arrived.get()))) {
            arrived.release();
        }
    }
    PostMessageA(hwnd_.get(), pipe_broken, 0, 0);
}

void Win32PipeLink::write(std::uint32_t id, const std::string& frame) {
    if (broken_) {
        return;
    }
    std::string bytes;
    bytes.reserve(frame.size() + 8);
    put_u32(bytes, static_cast<std::uint32_t>(frame.size()));
    put_u32(bytes, id);
    bytes += frame;
    UniqueHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED ov{};
    ov.hEvent = done.get();
    DWORD written = 0;
    bool ok = WriteFile(pipe_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &ov);
    if (!ok && GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(done.get(), write_timeout_ms) != WAIT_OBJECT_0) {
            CancelIoEx(pipe_.get(), &ov);
        }
        ok = GetOverlappedResult(pipe_.get(), &ov, &written, TRUE);
    }
    if (!ok || written != bytes.size()) {
        break_link();
    }
}

void Win32PipeLink::break_link() {
    if (broken_) {
        return;
    }
    broken_ = true;
    // Told from the message loop: whoever is told may end this link.
    PostMessageA(hwnd_.get(), pipe_broken, 0, 0);
}

void Win32PipeLink::send(std::string frame) {
    write(0, frame);
}

std::optional<std::string> Win32PipeLink::call(std::string frame) {
    if (broken_) {
        return std::nullopt;
    }
    if (++next_id_ == 0) {
        next_id_ = 1;
    }
    const std::uint32_t id = next_id_;
    waiting_.push_back(id);
    write(id, frame);
    const ULONGLONG started = GetTickCount64();
    SetTimer(hwnd_.get(), call_timer, 100, nullptr);
    const auto answered = [&] {
        return std::any_of(answers_.begin(), answers_.end(),
                           [id](const auto& a) { return a.first == id; });
    };
    windows_.wait_until([&] {
        const ULONGLONG heard = std::max(started, last_heard_);
        return broken_ || answered() ||
               (call_timeout_ms_ != 0 && GetTickCount64() - heard > call_timeout_ms_);
    });
    std::erase(waiting_, id);
    if (waiting_.empty()) {
        KillTimer(hwnd_.get(), call_timer);
        if (!held_.empty()) {
            PostMessageA(hwnd_.get(), take_held, 0, 0);
        }
    }
    const auto it = std::find_if(answers_.begin(), answers_.end(),
                                 [id](const auto& a) { return a.first == id; });
    if (it == answers_.end()) {
        return std::nullopt;
    }
    std::string answer = std::move(it->second);
    answers_.erase(it);
    return answer;
}

void Win32PipeLink::take(std::uint32_t id, const std::string& frame) {
    std::string answer = receiver_(frame);
    if (id != 0) {
        write(id, answer);
    }
}

void Win32PipeLink::arrived(std::uint32_t id, std::string frame) {
    last_heard_ = GetTickCount64();
    if (is_kind(frame, remote::Wire::answer)) {
        if (std::find(waiting_.begin(), waiting_.end(), id) != waiting_.end()) {
            answers_.emplace_back(id, std::move(frame));
        }
        return;
    }
    // A heartbeat's answer runs no handler: held behind a long call (a file dialog the person
    // takes a minute over), it would make a living face look hung.
    if (hold_events_ && !waiting_.empty() && !is_kind(frame, remote::Wire::heartbeat_answer)) {
        held_.emplace_back(id, std::move(frame));
        return;
    }
    take(id, frame);
}

LRESULT CALLBACK Win32PipeLink::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Win32PipeLink*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
        case frame_arrived: {
            std::unique_ptr<Arrived> arrived(reinterpret_cast<Arrived*>(lp));
            if (self != nullptr && !self->broken_) {
                self->arrived(arrived->id, std::move(arrived->frame));
            }
            return 0;
        }
        case take_held:
            while (self != nullptr && !self->held_.empty() && self->waiting_.empty() &&
                   !self->broken_) {
                auto [id, frame] = std::move(self->held_.front());
                self->held_.pop_front();
                self->take(id, frame);
            }
            return 0;
        case pipe_broken:
            // From the reader or from a failed write; told once.
            if (self != nullptr && !self->told_broken_) {
                self->broken_ = true;
                self->told_broken_ = true;
                if (self->on_broken) {
                    self->on_broken();
                }
            }
            return 0;
        case WM_TIMER:
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

}  // namespace vardex::win32
