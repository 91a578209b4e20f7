// Fuzz target: any bytes as a Code Page file. Reading must never fail unsafely, and a file that
// reads must read the same after it is written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "access/code_page_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vardex::CodePageFileRead read = vardex::read_code_page_file(text);
    if (read.error != vardex::CodePageFileError::none) {
        return 0;
    }
    vardex::CodePage page;
    page.codes = read.sheet.codes;
    page.cpstd = static_cast<std::int16_t>(read.sheet.hours);
    page.cpmin = read.sheet.minutes;
    page.cpnr = read.sheet.number;
    page.cpcom = read.sheet.comment;
    const vardex::CodePageFileRead again =
        vardex::read_code_page_file(vardex::write_code_page_file(page, "1.1.2027", "12:00:00"));
    if (again.error != vardex::CodePageFileError::none || again.sheet.codes != read.sheet.codes ||
        again.sheet.comment != read.sheet.comment || again.sheet.hours != read.sheet.hours ||
        again.sheet.minutes != read.sheet.minutes || again.sheet.number != read.sheet.number) {
        std::abort();
    }
    return 0;
}
