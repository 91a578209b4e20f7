#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

namespace vardex::win32 {

// The low-level keyboard hook that holds the system keys, on a thread of its own with its own
// message loop: Windows silently drops such a hook when its thread does not answer within
// LowLevelHooksTimeout, as the program's thread may not while it draws or waits. The hook is
// also set again every few seconds, should Windows have dropped it all the same.
class KeyHookThread {
  public:
    KeyHookThread();
    ~KeyHookThread();
    KeyHookThread(const KeyHookThread&) = delete;
    KeyHookThread& operator=(const KeyHookThread&) = delete;

    static constexpr UINT renew_ms = 5000;

  private:
    void run();

    std::thread thread_;
    std::atomic<DWORD> thread_id_{0};
    HANDLE ready_ = nullptr;
};

}  // namespace vardex::win32
