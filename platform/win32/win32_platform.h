#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hmac.h"
#include "platform/win32/win32_printer.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_secure_random.h"
#include "platform/win32/win32_startup.h"
#include "platform/win32/win32_text_case.h"
#include "platform/win32/win32_udp.h"
#include "platform/win32/win32_windows.h"

namespace vardex::win32 {

// The real machine, as one program instance uses it.
class Win32Platform final : public Platform {
  public:
    Win32Platform() : desktop_(windows_) {}

    Registry& registry() override { return registry_; }
    Clock& clock() override { return clock_; }
    Random& random() override { return random_; }
    SecureRandom& secure_random() override { return secure_random_; }
    HmacSha256& hmac() override { return hmac_; }
    TextCase& text_case() override { return text_case_; }
    Files& files() override { return files_; }
    UdpSocket& udp() override { return udp_; }
    Printer& printer() override { return printer_; }
    Startup& startup() override { return startup_; }
    Desktop& desktop() override { return desktop_; }
    WindowSystem& windows() override { return windows_; }

    Win32Windows& win32_windows() { return windows_; }
    Win32Desktop& win32_desktop() { return desktop_; }
    Win32Files& win32_files() { return files_; }

  private:
    Win32Windows windows_;
    Win32Registry registry_;
    Win32Clock clock_;
    StandardRandom random_;
    Win32SecureRandom secure_random_;
    Win32Hmac hmac_;
    Win32TextCase text_case_;
    Win32Files files_;
    Win32Udp udp_;
    Win32Printer printer_;
    Win32Startup startup_;
    Win32Desktop desktop_;
};

}  // namespace vardex::win32
