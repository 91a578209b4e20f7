#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/remote/mirror_desktop.h"
#include "platform/remote/mirror_printer.h"
#include "platform/remote/mirror_windows.h"

namespace vardex::remote {

// The guard's side of a face: the program's window system and desktop, shown by whichever
// face is connected.
class Mirror {
  public:
    Mirror(WindowSystem& local_windows, Desktop& local_desktop)
        : windows_(face_, local_windows), desktop_(face_, local_desktop), printer_(face_) {}

    WindowSystem& windows() { return windows_; }
    Desktop& desktop() { return desktop_; }
    Printer& printer() { return printer_; }
    bool has_face() const { return face_.connected(); }
    std::vector<Form*> forms() const { return windows_.forms(); }

    // A new face is given every window and what the desktop holds; nullptr: none for now.
    void connect(Link* link);
    // A frame from the face; the answer of a call (empty for the others). What a person could
    // not have done is refused and counted.
    std::string receive(std::string_view frame);
    int refused() const { return refused_; }
    // Answers to heartbeats since the face connected.
    int heartbeats() const { return heartbeats_; }
    void send_heartbeat();
    std::function<void()> on_heartbeat;
    // A new face's screen or measures are not the ones the windows were laid out with.
    void set_on_layout_stale(std::function<void()> f) { desktop_.on_layout_stale = std::move(f); }
    // The program quit (the guard's own message loop goes on); see MirrorWindowSystem.
    void set_on_quit(std::function<void(int)> on_quit) { windows_.on_quit = std::move(on_quit); }

  private:
    FaceChannel face_;
    MirrorWindowSystem windows_;
    MirrorDesktop desktop_;
    MirrorPrinter printer_;
    int refused_ = 0;
    int heartbeats_ = 0;
};

// The program's platform in the guard: the machine's parts of `base`, the windows, the
// desktop and the printer of the face, and the files a person names as `person_files` opens
// them.
class MirroredPlatform final : public Platform {
  public:
    MirroredPlatform(Platform& base, Mirror& mirror, Files& person_files)
        : base_(base), mirror_(mirror), person_files_(person_files) {}
    Registry& registry() override { return base_.registry(); }
    Clock& clock() override { return base_.clock(); }
    Random& random() override { return base_.random(); }
    SecureRandom& secure_random() override { return base_.secure_random(); }
    HmacSha256& hmac() override { return base_.hmac(); }
    TextCase& text_case() override { return base_.text_case(); }
    Files& files() override { return base_.files(); }
    Files& person_files() override { return person_files_; }
    UdpSocket& udp() override { return base_.udp(); }
    Printer& printer() override { return mirror_.printer(); }
    Startup& startup() override { return base_.startup(); }
    Desktop& desktop() override { return mirror_.desktop(); }
    WindowSystem& windows() override { return mirror_.windows(); }

  private:
    Platform& base_;
    Mirror& mirror_;
    Files& person_files_;
};

}  // namespace vardex::remote
