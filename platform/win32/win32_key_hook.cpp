#include "platform/win32/win32_key_hook.h"

#include "platform/system_keys.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

namespace {

// Runs on the hook's thread for every key of the session; it reads nothing the program's
// thread writes.
LRESULT CALLBACK held_keys_hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION &&
        (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN || wp == WM_KEYUP || wp == WM_SYSKEYUP)) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        DWORD front_process = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &front_process);
        KeyStroke stroke;
        stroke.key = static_cast<int>(key->vkCode);
        stroke.alt = (key->flags & LLKHF_ALTDOWN) != 0 || GetAsyncKeyState(VK_MENU) < 0;
        stroke.ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
        stroke.shift = GetAsyncKeyState(VK_SHIFT) < 0;
        stroke.on_program_window = front_process == GetCurrentProcessId();
        if (swallows_system_key(stroke)) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

UniqueHook set_hook() {
    return UniqueHook(
        SetWindowsHookExA(WH_KEYBOARD_LL, held_keys_hook, GetModuleHandleA(nullptr), 0));
}

}  // namespace

KeyHookThread::KeyHookThread() : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] { run(); });
    // The thread's queue exists once it signals, so that the stop message cannot be lost.
    WaitForSingleObject(ready_, 5000);
}

KeyHookThread::~KeyHookThread() {
    if (thread_id_ != 0) {
        PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    CloseHandle(ready_);
}

void KeyHookThread::run() {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes the thread's queue
    thread_id_ = GetCurrentThreadId();
    UniqueHook hook = set_hook();
    const UINT_PTR renew = SetTimer(nullptr, 0, renew_ms, nullptr);
    SetEvent(ready_);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.wParam == renew) {
            // The new hook first: no key passes unheld between the two.
            UniqueHook renewed = set_hook();
            if (renewed) {
                hook = std::move(renewed);
            }
        }
    }
    KillTimer(nullptr, renew);
}

}  // namespace vardex::win32
