#pragma once

#include "core/time_dialog.h"
#include "settings/user_messages.h"

namespace vardex {

// The two message windows behind the subsystems' one way of telling the user something.
class MessageWindows final : public UserMessages {
  public:
    MessageWindows(TimeDialog& dialog, TimeDialog2& small) : dialog_(dialog), small_(small) {}

    void message(const std::string& text, AfterOk after) override { dialog_.message(text, after); }
    void small_message(const std::string& text) override { small_.message(text); }
    bool message_showing() const override { return dialog_.visible(); }
    void hide_message() override { dialog_.hide(); }

  private:
    TimeDialog& dialog_;
    TimeDialog2& small_;
};

}  // namespace vardex
