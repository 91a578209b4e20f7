#pragma once

#include "platform/printer.h"
#include "platform/remote/face_channel.h"

namespace vardex::remote {

// The guard's printer is the face's: a page is printed as the session's user, on that user's
// default printer. Without a face, a document cannot begin.
class MirrorPrinter final : public Printer {
  public:
    explicit MirrorPrinter(FaceChannel& face) : face_(face) {}

    bool begin_document() override;
    void set_scale(double left, double top, double width, double height) override;
    void set_font_size(int points) override;
    int font_size() const override { return font_size_; }
    double text_width(std::string_view text) override { return measure(text, false); }
    double text_height(std::string_view text) override { return measure(text, true); }
    bool print_text(double x, double y, std::string_view text) override;
    bool draw_box(double x1, double y1, double x2, double y2, bool filled) override;
    bool draw_line(double x1, double y1, double x2, double y2) override;
    bool end_document() override;
    void abort_document() override;
    PrinterError last_error() const override { return error_; }

  private:
    double measure(std::string_view text, bool height);
    // Sends a drawing call; a face that is gone or says no is a failure with its error.
    bool draw(WireWriter& out);

    FaceChannel& face_;
    int font_size_ = 10;
    PrinterError error_;
};

// The face's side: carries out a printing frame of the guard on `printer`; false when the
// frame is not one or does not read.
bool serve_print_command(Printer& printer, WireReader& in);
bool serve_print_call(Printer& printer, WireReader& in, WireWriter& out);

}  // namespace vardex::remote
