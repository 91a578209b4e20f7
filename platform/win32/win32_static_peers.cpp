#include "platform/win32/win32_static_peers.h"

#include "platform/controls.h"

namespace vardex::win32 {

void Win32StaticPeer::on_command(int code) {
    if (code == STN_CLICKED) {
        control_->raise_click();
    }
}

Win32ControlPeer::WindowSpec Win32LabelPeer::window_spec() const {
    const auto& label = static_cast<const Label&>(*control_);
    WindowSpec w;
    w.style = SS_NOTIFY;
    w.style |= label.alignment() == Alignment::center  ? SS_CENTER
               : label.alignment() == Alignment::right ? SS_RIGHT
                                                       : SS_LEFT;
    if (!label.word_wrap() && label.auto_size())
        w.style |= SS_LEFTNOWORDWRAP;
    if (label.border())
        w.style |= WS_BORDER;
    return w;
}

Win32ControlPeer::WindowSpec Win32ImagePeer::window_spec() const {
    return {"STATIC", SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL, 0};
}

bool Win32ImagePeer::load_picture(const std::string& path) {
    if (hwnd_ == nullptr) {
        return false;
    }
    HANDLE bitmap = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (bitmap == nullptr) {
        return false;
    }
    SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    picture_.reset(bitmap);
    sync_geometry();
    sync_visible();
    return true;
}

void Win32ImagePeer::sync_picture() {
    // A picture is loaded through load_picture; the control only reports that it was cleared.
    if (static_cast<Image*>(control_)->picture().empty()) {
        SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, 0);
        picture_.reset();
        sync_visible();
    }
}

}  // namespace vardex::win32
