#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/hmac.h"
#include "platform/printer.h"
#include "platform/random.h"
#include "platform/registry.h"
#include "platform/secure_random.h"
#include "platform/startup.h"
#include "platform/text_case.h"
#include "platform/udp.h"
#include "platform/window_system.h"

namespace vardex {

// Everything a program instance needs from the world, injected at construction.
class Platform {
  public:
    virtual ~Platform() = default;
    virtual Registry& registry() = 0;
    virtual Clock& clock() = 0;
    virtual Random& random() = 0;
    virtual SecureRandom& secure_random() = 0;
    virtual HmacSha256& hmac() = 0;
    virtual TextCase& text_case() = 0;
    virtual Files& files() = 0;
    // Files a person names (the options file, a Code Page file, a log): opened with that
    // person's rights. A program that runs as the person opens them as its own.
    virtual Files& person_files() { return files(); }
    virtual UdpSocket& udp() = 0;
    virtual Printer& printer() = 0;
    virtual Startup& startup() = 0;
    virtual Desktop& desktop() = 0;
    virtual WindowSystem& windows() = 0;
};

}  // namespace vardex
