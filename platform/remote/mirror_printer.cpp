#include "platform/remote/mirror_printer.h"

namespace vardex::remote {

namespace {

constexpr long no_face_error = 482;  // the system's "printer error"
constexpr char no_face_text[] = "No session shows Vardex's windows: nothing can be printed.";

}  // namespace

bool MirrorPrinter::begin_document() {
    WireWriter out(Wire::print_begin);
    return draw(out);
}

void MirrorPrinter::set_scale(double left, double top, double width, double height) {
    WireWriter out(Wire::print_scale);
    out.real(left).real(top).real(width).real(height);
    face_.send(out);
}

void MirrorPrinter::set_font_size(int points) {
    font_size_ = points;
    WireWriter out(Wire::print_font_size);
    out.number(points);
    face_.send(out);
}

double MirrorPrinter::measure(std::string_view text, bool height) {
    WireWriter out(Wire::print_measure);
    out.text(text).flag(height);
    if (const auto answer = face_.call(out)) {
        WireReader in(*answer);
        const double v = in.real();
        if (in.complete()) {
            return v;
        }
    }
    return 0;
}

bool MirrorPrinter::print_text(double x, double y, std::string_view text) {
    WireWriter out(Wire::print_text);
    out.real(x).real(y).text(text);
    return draw(out);
}

bool MirrorPrinter::draw_box(double x1, double y1, double x2, double y2, bool filled) {
    WireWriter out(Wire::print_box);
    out.real(x1).real(y1).real(x2).real(y2).flag(filled);
    return draw(out);
}

bool MirrorPrinter::draw_line(double x1, double y1, double x2, double y2) {
    WireWriter out(Wire::print_line);
    out.real(x1).real(y1).real(x2).real(y2);
    return draw(out);
}

bool MirrorPrinter::end_document() {
    WireWriter out(Wire::print_end);
    return draw(out);
}

void MirrorPrinter::abort_document() {
    WireWriter out(Wire::print_abort);
    face_.send(out);
}

bool MirrorPrinter::draw(WireWriter& out) {
    if (const auto answer = face_.call(out)) {
        WireReader in(*answer);
        const bool done = in.flag();
        const std::int32_t number = in.number();
        std::string description = in.text();
        if (in.complete()) {
            if (!done) {
                error_ = {number, std::move(description)};
            }
            return done;
        }
    }
    error_ = {no_face_error, no_face_text};
    return false;
}

bool serve_print_command(Printer& printer, WireReader& in) {
    switch (in.kind()) {
        case Wire::print_scale: {
            const double left = in.real();
            const double top = in.real();
            const double width = in.real();
            const double height = in.real();
            if (in.complete()) {
                printer.set_scale(left, top, width, height);
            }
            return in.complete();
        }
        case Wire::print_font_size: {
            const std::int32_t points = in.number_in(1, 1638);
            if (in.complete()) {
                printer.set_font_size(points);
            }
            return in.complete();
        }
        case Wire::print_abort:
            if (in.complete()) {
                printer.abort_document();
            }
            return in.complete();
        default:
            return false;
    }
}

bool serve_print_call(Printer& printer, WireReader& in, WireWriter& out) {
    bool done = false;
    switch (in.kind()) {
        case Wire::print_measure: {
            const std::string text = in.text();
            const bool height = in.flag();
            if (!in.complete()) {
                return false;
            }
            out.real(height ? printer.text_height(text) : printer.text_width(text));
            return true;
        }
        case Wire::print_begin:
            if (!in.complete()) {
                return false;
            }
            done = printer.begin_document();
            break;
        case Wire::print_end:
            if (!in.complete()) {
                return false;
            }
            done = printer.end_document();
            break;
        case Wire::print_text: {
            const double x = in.real();
            const double y = in.real();
            const std::string text = in.text();
            if (!in.complete()) {
                return false;
            }
            done = printer.print_text(x, y, text);
            break;
        }
        case Wire::print_box:
        case Wire::print_line: {
            const double x1 = in.real();
            const double y1 = in.real();
            const double x2 = in.real();
            const double y2 = in.real();
            const bool filled = in.kind() == Wire::print_box && in.flag();
            if (!in.complete()) {
                return false;
            }
            done = in.kind() == Wire::print_box ? printer.draw_box(x1, y1, x2, y2, filled)
                                                : printer.draw_line(x1, y1, x2, y2);
            break;
        }
        default:
            return false;
    }
    const PrinterError e = done ? PrinterError{} : printer.last_error();
    out.flag(done).number(static_cast<std::int32_t>(e.number)).text(e.description);
    return true;
}

}  // namespace vardex::remote
