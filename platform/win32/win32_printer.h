#pragma once

#include <windows.h>

#include "platform/printer.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

// The default printer through GDI, with a user coordinate system over the printable page.
class Win32Printer final : public Printer {
  public:
    ~Win32Printer() override { abort_document(); }

    bool begin_document() override;
    void set_scale(double left, double top, double width, double height) override;
    void set_font_size(int points) override;
    int font_size() const override { return font_size_; }
    double text_width(std::string_view text) override;
    double text_height(std::string_view text) override;
    bool print_text(double x, double y, std::string_view text) override;
    bool draw_box(double x1, double y1, double x2, double y2, bool filled) override;
    bool draw_line(double x1, double y1, double x2, double y2) override;
    bool end_document() override;
    void abort_document() override;
    PrinterError last_error() const override { return error_; }

  private:
    bool fail();
    bool fail_with(long number, const char* description);
    int dev_x(double x) const;
    int dev_y(double y) const;
    SIZE extent(std::string_view text);

    UniqueDc dc_;
    UniqueGdi font_;
    bool page_open_ = false;
    int font_size_ = 10;
    int page_width_ = 1;
    int page_height_ = 1;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    PrinterError error_;
};

}  // namespace vardex::win32
