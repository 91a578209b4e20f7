#pragma once

namespace vardex {

class Program;

// The options dialog's fill from the store, its apply into the store, and leaving it.
class Options {
  public:
    explicit Options(Program& program);

    // After a passed security check: the dialog, filled from the store, in Options mode.
    void open_options_dialog();
    void fill_options_dialog();
    void apply_options_dialog();
    void leave_options();

  private:
    Program& program_;
};

}  // namespace vardex
