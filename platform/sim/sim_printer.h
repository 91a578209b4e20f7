#pragma once

#include <string>
#include <vector>

#include "platform/printer.h"

namespace vardex::sim {

// A printer that records what is drawn, page by page, in the user coordinates of the drawing.
class SimPrinter final : public Printer {
  public:
    struct Op {
        enum class Kind { text, box, filled_box, line } kind = Kind::text;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string text;
        int font_size = 0;
    };
    struct Page {
        std::vector<Op> ops;
        double scale_width = 1, scale_height = 1;
    };

    bool begin_document() override;
    void set_scale(double left, double top, double width, double height) override;
    void set_font_size(int points) override { font_size_ = points < 1 ? 1 : points; }
    int font_size() const override { return font_size_; }
    double text_width(std::string_view text) override;
    double text_height(std::string_view text) override;
    bool print_text(double x, double y, std::string_view text) override;
    bool draw_box(double x1, double y1, double x2, double y2, bool filled) override;
    bool draw_line(double x1, double y1, double x2, double y2) override;
    bool end_document() override;
    void abort_document() override;
    PrinterError last_error() const override { return error_; }

    // Faults and inspection.
    void set_installed(bool installed) { installed_ = installed; }
    // The n-th drawing call from now on fails (1 = the next one).
    void fail_after(int calls) { fail_countdown_ = calls; }
    const std::vector<Page>& printed() const { return printed_; }
    bool in_document() const { return open_; }
    // The page as an SVG picture, for people to look at.
    static std::string to_svg(const Page& page);

  private:
    bool step();
    // A4 paper in twips; text is 0.55 em wide a character and 1.2 em high.
    static constexpr double paper_width = 11906;
    static constexpr double paper_height = 16838;

    bool installed_ = true;
    bool open_ = false;
    int font_size_ = 10;
    double left_ = 0, top_ = 0, width_ = paper_width, height_ = paper_height;
    int fail_countdown_ = 0;
    Page current_;
    std::vector<Page> printed_;
    PrinterError error_;
};

}  // namespace vardex::sim
