#include "core/event_log.h"

#include "core/program.h"

namespace vardex {

void EventLog::write_log(const std::string& text) {
    if (text == last_log_line_) {
        return;
    }
    last_log_line_ = text;
    if (!program_.platform.person_files().append(program_.settings.record().Log_Path,
                                                 text + "\r\n")) {
        program_.time_dialog.message("Error occured when writing to Log-File!");
    }
}

void EventLog::write_event(const std::string& event_text) {
    Clock& clock = program_.platform.clock();
    const LocalTime now = clock.now();
    write_log(clock.short_date_text(now.day) + " - " + clock.time_text(now.seconds) + event_text);
}

}  // namespace vardex
