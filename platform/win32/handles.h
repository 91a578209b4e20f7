#pragma once

#include <windows.h>

#include <utility>

namespace vardex::win32 {

// Owns one handle of a kind and frees it with the kind's own function.
template <typename T, typename Traits>
class Unique {
  public:
    Unique() = default;
    explicit Unique(T h) : h_(h) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) {
            reset(std::exchange(o.h_, Traits::invalid()));
        }
        return *this;
    }
    ~Unique() { reset(); }

    void reset(T h = Traits::invalid()) {
        if (h_ != Traits::invalid()) {
            Traits::close(h_);
        }
        h_ = h;
    }
    T get() const { return h_; }
    T release() { return std::exchange(h_, Traits::invalid()); }
    explicit operator bool() const { return h_ != Traits::invalid(); }

  private:
    T h_ = Traits::invalid();
};

struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct GdiTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};
struct DcTraits {
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { DeleteDC(h); }
};
struct WindowTraits {
    static HWND invalid() { return nullptr; }
    static void close(HWND h) { DestroyWindow(h); }
};

struct WinEventHookTraits {
    static HWINEVENTHOOK invalid() { return nullptr; }
    static void close(HWINEVENTHOOK h) { UnhookWinEvent(h); }
};

struct HookTraits {
    static HHOOK invalid() { return nullptr; }
    static void close(HHOOK h) { UnhookWindowsHookEx(h); }
};

struct ServiceTraits {
    static SC_HANDLE invalid() { return nullptr; }
    static void close(SC_HANDLE h) { CloseServiceHandle(h); }
};

using UniqueHandle = Unique<HANDLE, KernelHandleTraits>;
using UniqueService = Unique<SC_HANDLE, ServiceTraits>;
using UniqueFile = Unique<HANDLE, FileHandleTraits>;
using UniqueGdi = Unique<HGDIOBJ, GdiTraits>;
using UniqueDc = Unique<HDC, DcTraits>;
using UniqueWindow = Unique<HWND, WindowTraits>;
using UniqueWinEventHook = Unique<HWINEVENTHOOK, WinEventHookTraits>;
using UniqueHook = Unique<HHOOK, HookTraits>;

// A screen device context borrowed for a moment.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace vardex::win32
