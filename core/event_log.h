#pragma once

#include <string>

namespace vardex {

class Program;

// The event log: one line per event appended to the log file, never the same line twice in
// a row.
class EventLog {
  public:
    explicit EventLog(Program& program) : program_(program) {}

    void write_log(const std::string& text);
    // Writes date + " - " + time + the event text (which begins with ": ").
    void write_event(const std::string& event_text);

  private:
    Program& program_;
    std::string last_log_line_;
};

}  // namespace vardex
