#pragma once

#include <string>
#include <vector>

namespace vardex {

class Control;

// The text the explanation window shows while the mouse is over a control of the options
// dialog. Each page lists its own.
struct Explanation {
    Control* control;
    std::string text;
};
using Explanations = std::vector<Explanation>;

}  // namespace vardex
