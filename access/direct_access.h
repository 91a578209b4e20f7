#pragma once

namespace vardex {

class Program;

// Direct Access Codes: one-time codes of the Code Pages, redeemed in the main dialog.
class DirectAccess {
  public:
    explicit DirectAccess(Program& program) : program_(program) {}

    void redeem_direct_access_code();

  private:
    Program& program_;
};

}  // namespace vardex
