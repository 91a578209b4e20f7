#include "platform/sim/sim_printer.h"

#include <sstream>

namespace vardex::sim {

namespace {
constexpr long printer_error = 482;
constexpr long no_printer = 484;
}  // namespace

bool SimPrinter::step() {
    if (fail_countdown_ > 0 && --fail_countdown_ == 0) {
        error_ = {printer_error, "Printer error"};
        return false;
    }
    return true;
}

bool SimPrinter::begin_document() {
    if (!installed_) {
        error_ = {no_printer,
                  "Problem getting printer information from the system. Make sure the printer "
                  "is set up correctly."};
        return false;
    }
    open_ = true;
    current_ = Page{};
    current_.scale_width = width_;
    current_.scale_height = height_;
    return true;
}

void SimPrinter::set_scale(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width == 0 ? 1 : width;
    height_ = height == 0 ? 1 : height;
    current_.scale_width = width_;
    current_.scale_height = height_;
}

double SimPrinter::text_width(std::string_view text) {
    const double twips = static_cast<double>(text.size()) * font_size_ * 20 * 0.55;
    return twips * width_ / paper_width;
}

double SimPrinter::text_height(std::string_view) {
    const double twips = font_size_ * 20 * 1.2;
    return twips * height_ / paper_height;
}

bool SimPrinter::print_text(double x, double y, std::string_view text) {
    if (!open_ || !step()) {
        return false;
    }
    current_.ops.push_back(Op{Op::Kind::text, x, y, x + text_width(text), y + text_height(text),
                              std::string(text), font_size_});
    return true;
}

bool SimPrinter::draw_box(double x1, double y1, double x2, double y2, bool filled) {
    if (!open_ || !step()) {
        return false;
    }
    current_.ops.push_back(
        Op{filled ? Op::Kind::filled_box : Op::Kind::box, x1, y1, x2, y2, {}, 0});
    return true;
}

bool SimPrinter::draw_line(double x1, double y1, double x2, double y2) {
    if (!open_ || !step()) {
        return false;
    }
    current_.ops.push_back(Op{Op::Kind::line, x1, y1, x2, y2, {}, 0});
    return true;
}

bool SimPrinter::end_document() {
    if (!open_ || !step()) {
        return false;
    }
    printed_.push_back(current_);
    open_ = false;
    return true;
}

void SimPrinter::abort_document() {
    open_ = false;
}

std::string SimPrinter::to_svg(const Page& page) {
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << page.scale_width << ' '
        << page.scale_height << "\" width=\"595\" height=\"842\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    for (const Op& op : page.ops) {
        switch (op.kind) {
            case Op::Kind::text: {
                std::string escaped;
                for (char c : op.text) {
                    switch (c) {
                        case '<':
                            escaped += "&lt;";
                            break;
                        case '>':
                            escaped += "&gt;";
                            break;
                        case '&':
                            escaped += "&amp;";
                            break;
                        default:
                            escaped += c;
                    }
                }
                svg << "<text x=\"" << op.x1 << "\" y=\"" << op.y2 << "\" font-size=\""
                    << (op.y2 - op.y1) / 1.2 << "\" font-family=\"sans-serif\">" << escaped
                    << "</text>\n";
                break;
            }
            case Op::Kind::box:
            case Op::Kind::filled_box:
                svg << "<rect x=\"" << std::min(op.x1, op.x2) << "\" y=\"" << std::min(op.y1, op.y2)
                    << "\" width=\"" << std::abs(op.x2 - op.x1) << "\" height=\""
                    << std::abs(op.y2 - op.y1) << "\" fill=\""
                    << (op.kind == Op::Kind::filled_box ? "black" : "none")
                    << "\" stroke=\"black\" stroke-width=\"4\"/>\n";
                break;
            case Op::Kind::line:
                svg << "<line x1=\"" << op.x1 << "\" y1=\"" << op.y1 << "\" x2=\"" << op.x2
                    << "\" y2=\"" << op.y2 << "\" stroke=\"black\" stroke-width=\"4\"/>\n";
                break;
        }
    }
    svg << "</svg>\n";
    return svg.str();
}

}  // namespace vardex::sim
