#pragma once

namespace vardex {

class Program;

// Time Distributer IDs: allowances that recharge daily or weekly.
class Distributer {
  public:
    explicit Distributer(Program& program) : program_(program) {}

    // The main dialog's start with the ID typed into its box.
    void start_distributer_id();
    // Keeps the seconds left for the running ID and ends its timing.
    void end_distributer_timing();

  private:
    Program& program_;
};

}  // namespace vardex
