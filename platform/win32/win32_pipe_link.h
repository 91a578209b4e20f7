#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/remote/link.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

class Win32Windows;

// One end of the link between the guard and its face over a named pipe opened for overlapped
// I/O. Pipes have no read notification by message, so a thread of its own reads the frames and
// hands each to the window thread by message; everything else runs on the window thread. A
// call waits in the message loop, so that timers and the window's messages go on meanwhile.
// On the wire a frame is its length, its call id (0 for none) and its bytes.
class Win32PipeLink final : public remote::Link {
  public:
    // `hold_events_while_calling`: the guard takes the face's events only when it is not itself
    // waiting for an answer, so that no handler runs in the middle of another.
    Win32PipeLink(HANDLE pipe, Win32Windows& windows, remote::Receiver receiver,
                  bool hold_events_while_calling);
    ~Win32PipeLink() override;
    Win32PipeLink(const Win32PipeLink&) = delete;
    Win32PipeLink& operator=(const Win32PipeLink&) = delete;

    bool connected() const override { return !broken_; }
    // Waiting for an answer: the link must live until the wait ends.
    bool calling() const { return !waiting_.empty(); }
    void send(std::string frame) override;
    std::optional<std::string> call(std::string frame) override;
    // The other end went away (its process ended, or it closed the pipe).
    std::function<void()> on_broken;
    // A call during which the other end says nothing for this long counts as broken: a face that
    // hangs does not hang the guard, while one that shows a file dialog for minutes goes on
    // answering the heartbeat.
    void set_call_timeout_ms(DWORD ms) { call_timeout_ms_ = ms; }

  private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void read_frames();
    void arrived(std::uint32_t id, std::string frame);
    void take(std::uint32_t id, const std::string& frame);
    void write(std::uint32_t id, const std::string& frame);
    void break_link();

    UniqueFile pipe_;
    Win32Windows& windows_;
    remote::Receiver receiver_;
    bool hold_events_;
    UniqueHandle stop_;
    UniqueWindow hwnd_;
    std::thread reader_;
    bool broken_ = false;
    bool told_broken_ = false;
    std::uint32_t next_id_ = 1;
    std::vector<std::uint32_t> waiting_;
    std::vector<std::pair<std::uint32_t, std::string>> answers_;
    std::deque<std::pair<std::uint32_t, std::string>> held_;
    DWORD call_timeout_ms_ = 0;
    ULONGLONG last_heard_ = 0;
};

}  // namespace vardex::win32
