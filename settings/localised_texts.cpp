#include "settings/localised_texts.h"

namespace vardex {

std::array<std::string, localised_text_count> default_localised_texts() {
    std::array<std::string, localised_text_count> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = std::string(localised_defaults[i]);
    }
    return texts;
}

}  // namespace vardex
