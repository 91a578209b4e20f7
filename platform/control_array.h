#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vardex {

class Form;
class Control;

// A control array of the form designer: Name(0), Name(1), ... created in index order.
template <typename T>
class ControlArray {
  public:
    ControlArray(Form& form, const std::string& name, int count, Control* container = nullptr) {
        for (int i = 0; i < count; ++i) {
            items_.push_back(
                std::make_unique<T>(form, name + "(" + std::to_string(i) + ")", container));
        }
    }
    T& operator[](int i) { return *items_.at(static_cast<std::size_t>(i)); }
    const T& operator[](int i) const { return *items_.at(static_cast<std::size_t>(i)); }
    int size() const { return static_cast<int>(items_.size()); }

  private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace vardex
