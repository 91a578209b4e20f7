#include "platform/win32/win32_printer.h"

#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace vardex::win32 {

namespace {

std::string describe(DWORD error) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = n > 0 && text != nullptr ? std::string(text, n) : "Printer error";
    LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) {
        out.pop_back();
    }
    return out;
}

}  // namespace

bool Win32Printer::fail() {
    const DWORD error = GetLastError();
    return fail_with(static_cast<long>(error), describe(error).c_str());
}

bool Win32Printer::fail_with(long number, const char* description) {
    error_ = PrinterError{number, description};
    return false;
}

bool Win32Printer::begin_document() {
    abort_document();
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) {
        return fail_with(484,
                         "Problem getting printer information from the system. Make sure the "
                         "printer is set up correctly.");
    }
    std::vector<char> name(size);
    if (!GetDefaultPrinterA(name.data(), &size)) {
        return fail();
    }
    dc_.reset(CreateDCA("WINSPOOL", name.data(), nullptr, nullptr));
    if (!dc_) {
        return fail();
    }
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = "Vardex";
    if (StartDocA(dc_.get(), &doc) <= 0) {
        const bool r = fail();
        dc_.reset();
        return r;
    }
    if (StartPage(dc_.get()) <= 0) {
        const bool r = fail();
        AbortDoc(dc_.get());
        dc_.reset();
        return r;
    }
    page_open_ = true;
    page_width_ = GetDeviceCaps(dc_.get(), HORZRES);
    page_height_ = GetDeviceCaps(dc_.get(), VERTRES);
    set_font_size(font_size_);
    return true;
}

void Win32Printer::set_scale(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width == 0 ? 1 : width;
    height_ = height == 0 ? 1 : height;
}

void Win32Printer::set_font_size(int points) {
    font_size_ = points < 1 ? 1 : points;
    if (!dc_) {
        return;
    }
    const int height = -MulDiv(font_size_, GetDeviceCaps(dc_.get(), LOGPIXELSY), 72);
    UniqueGdi font(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, "Arial"));
    SelectObject(dc_.get(), font.get());
    font_ = std::move(font);
}

SIZE Win32Printer::extent(std::string_view text) {
    SIZE s{0, 0};
    if (dc_) {
        const std::string t = text.empty() ? std::string(" ") : std::string(text);
        GetTextExtentPoint32A(dc_.get(), t.c_str(), static_cast<int>(t.size()), &s);
        if (text.empty()) {
            s.cx = 0;
        }
    }
    return s;
}

double Win32Printer::text_width(std::string_view text) {
    return extent(text).cx * width_ / page_width_;
}

double Win32Printer::text_height(std::string_view text) {
    return extent(text).cy * height_ / page_height_;
}

int Win32Printer::dev_x(double x) const {
    return static_cast<int>(std::lround((x - left_) * page_width_ / width_));
}

int Win32Printer::dev_y(double y) const {
    return static_cast<int>(std::lround((y - top_) * page_height_ / height_));
}

bool Win32Printer::print_text(double x, double y, std::string_view text) {
    if (!page_open_) {
        return fail_with(482, "Printer error");
    }
    SetBkMode(dc_.get(), TRANSPARENT);
    const std::string t(text);
    if (!TextOutA(dc_.get(), dev_x(x), dev_y(y), t.c_str(), static_cast<int>(t.size()))) {
        return fail();
    }
    return true;
}

bool Win32Printer::draw_box(double x1, double y1, double x2, double y2, bool filled) {
    if (!page_open_) {
        return fail_with(482, "Printer error");
    }
    RECT r{dev_x(std::min(x1, x2)), dev_y(std::min(y1, y2)), dev_x(std::max(x1, x2)),
           dev_y(std::max(y1, y2))};
    if (filled) {
        if (!FillRect(dc_.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)))) {
            return fail();
        }
        return true;
    }
    if (!FrameRect(dc_.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)))) {
        return fail();
    }
    return true;
}

bool Win32Printer::draw_line(double x1, double y1, double x2, double y2) {
    if (!page_open_) {
        return fail_with(482, "Printer error");
    }
    if (!MoveToEx(dc_.get(), dev_x(x1), dev_y(y1), nullptr) ||
        !LineTo(dc_.get(), dev_x(x2), dev_y(y2))) {
        return fail();
    }
    return true;
}

bool Win32Printer::end_document() {
    if (!page_open_) {
        return fail_with(482, "Printer error");
    }
    page_open_ = false;
    const bool ok = EndPage(dc_.get()) > 0 && EndDoc(dc_.get()) > 0;
    if (!ok) {
        fail();
    }
    dc_.reset();
    font_.reset();
    return ok;
}

void Win32Printer::abort_document() {
    if (page_open_ && dc_) {
        AbortDoc(dc_.get());
    }
    page_open_ = false;
    dc_.reset();
    font_.reset();
}

}  // namespace vardex::win32
