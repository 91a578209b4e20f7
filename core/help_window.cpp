#include "core/help_window.h"

#include <array>
#include <cctype>
#include <utility>

#include "core/program.h"
#include "platform/ansi.h"

namespace vardex {

HelpDialog::HelpDialog() : Form("Help_Dialog", "Vardex - Help") {
    move(0, 0, 8400, 6600);
    page_box.set_multi_line(true);
    page_box.set_locked(true);
    page_box.move(120, 120, 8040, 5400);
    close_button.set_caption("&Close");
    close_button.move(6360, 5640, 1800, 390);
    close_button.on_click = [this] { hide(); };
}

Help::Help(Program& program) : program_(program) {}

void Help::show_topic(HelpTopic topic) {
    const int context = static_cast<int>(topic);
    Files& files = program_.platform.files();
    const std::string folder = files.program_folder() + "\\help\\";
    std::string html;
    if (!files.read(folder + "topic" + std::to_string(context) + ".html", html) &&
        !files.read(folder + "index.html", html)) {
        program_.time_dialog.message("The help file could not be opened! Install Vardex again.");
        return;
    }
    HelpDialog& d = program_.help_dialog;
    d.page_box.set_text(help_page_text(html));
    const Size screen = program_.platform.desktop().screen_size_twips();
    d.move((screen.width - d.width()) / 2, (screen.height - d.height()) / 2, d.width(), d.height());
    d.show();
    // Above the timing window, which stays on top of everything while time runs.
    d.make_topmost();
    d.set_focus();
}

void Help::close() {
    program_.help_dialog.hide();
}

namespace {

// The name of the tag that starts at `text[0]` ("<h1 ...>" gives "h1", "</p>" gives "/p").
std::string tag_name(std::string_view tag) {
    std::string name;
    for (std::size_t i = 1; i < tag.size(); ++i) {
        const char c = tag[i];
        if (std::isalnum(static_cast<unsigned char>(c)) || (c == '/' && i == 1)) {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            break;
        }
    }
    return name;
}

bool is_block(const std::string& name) {
    for (const char* block : {"h1", "h2", "h3", "p", "ul", "ol", "li", "br", "div", "tr"}) {
        if (name == block || name == std::string("/") + block) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string help_page_text(std::string_view html) {
    static const std::array<std::pair<std::string_view, char>, 6> entities{{{"&amp;", '&'},
                                                                            {"&lt;", '<'},
                                                                            {"&gt;", '>'},
                                                                            {"&quot;", '"'},
                                                                            {"&#39;", '\''},
                                                                            {"&nbsp;", ' '}}};
    // The head (title, style sheet) is not part of the page's text.
    if (const auto body = html.find("<body"); body != std::string_view::npos) {
        html.remove_prefix(body);
    }
    std::string out;
    bool line_started = false;
    bool pending_space = false;
    auto ends_with = [&](std::string_view tail) {
        return out.size() >= tail.size() &&
               out.compare(out.size() - tail.size(), tail.size(), tail) == 0;
    };
    auto end_line = [&] {
        if (line_started) {
            out += "\r\n";
            line_started = false;
        }
        pending_space = false;
    };
    auto blank_line = [&] {
        end_line();
        if (!out.empty() && !ends_with("\r\n\r\n")) {
            out += "\r\n";
        }
    };
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t close = html.find('>', i);
            const std::size_t end = close == std::string_view::npos ? html.size() : close + 1;
            const std::string name = tag_name(html.substr(i, end - i));
            if (name == "li") {
                end_line();
                out += "- ";
                line_started = true;
            } else if (name == "/p" || name == "/h1" || name == "/h2" || name == "/h3" ||
                       name == "/ul" || name == "/ol") {
                blank_line();
            } else if (is_block(name)) {
                end_line();
            }
            i = end;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            pending_space = line_started;
            ++i;
            continue;
        }
        char shown = c;
        std::size_t length = 1;
        if (c == '&') {
            for (const auto& [name, value] : entities) {
                if (html.substr(i, name.size()) == name) {
                    shown = value;
                    length = name.size();
                    break;
                }
            }
        }
        if (pending_space) {
            out += ' ';
        }
        out += shown;
        line_started = true;
        pending_space = false;
        i += length;
    }
    end_line();
    while (ends_with("\r\n")) {
        out.resize(out.size() - 2);
    }
    return out;
}

}  // namespace vardex
