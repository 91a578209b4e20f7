#include "platform/win32/win32_text_case.h"

#include <windows.h>

namespace vardex::win32 {

std::string Win32TextCase::upper(std::string_view text) {
    std::string out(text);
    if (!out.empty()) {
        CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    }
    return out;
}

}  // namespace vardex::win32
