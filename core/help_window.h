#pragma once

#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/form.h"
#include "settings/help_topic.h"

namespace vardex {

class Program;

// The program's own help window: one help topic as text. It belongs to the program, so the
// program's exit closes it.
class HelpDialog final : public Form {
  public:
    HelpDialog();

    TextBox page_box{*this, "Text1"};
    CommandButton close_button{*this, "Command1"};
};

// The help topics ship as HTML pages beside the program (help/topicN.html, help/index.html).
class Help {
  public:
    explicit Help(Program& program);

    // Shows the topic with this context number, or the list of topics when it has none.
    void show_topic(HelpTopic topic);
    void close();

  private:
    Program& program_;
};

// The readable text of a help page: headings and paragraphs on lines of their own, list items
// as "- " lines, tags dropped, the common entities replaced. Lines end with CR LF.
std::string help_page_text(std::string_view html);

}  // namespace vardex
