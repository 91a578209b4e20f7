#pragma once

#include <string>
#include <string_view>

namespace vardex {

struct PrinterError {
    long number = 0;
    std::string description;
};

// The default printer, drawn on in a user coordinate system set with set_scale.
// Each drawing call returns false on failure; last_error() tells the system's error.
class Printer {
  public:
    virtual ~Printer() = default;

    virtual bool begin_document() = 0;
    virtual void set_scale(double left, double top, double width, double height) = 0;
    virtual void set_font_size(int points) = 0;
    virtual int font_size() const = 0;
    virtual double text_width(std::string_view text) = 0;
    virtual double text_height(std::string_view text) = 0;
    virtual bool print_text(double x, double y, std::string_view text) = 0;
    virtual bool draw_box(double x1, double y1, double x2, double y2, bool filled) = 0;
    virtual bool draw_line(double x1, double y1, double x2, double y2) = 0;
    virtual bool end_document() = 0;
    virtual void abort_document() = 0;
    virtual PrinterError last_error() const = 0;
};

}  // namespace vardex
