// The diagnostic log writer and the process-wide handle of the open log.
#pragma once

#include "platform/log_file.hpp"

namespace dlv {

// Handle of the diagnostic log open during a dlv_cal run, kNoLog otherwise.
// The driver is its only writer.
extern platform::LogFileHandle log_handle;

// Appends the NUL-terminated message, without its terminator, to the open
// log in one write; does nothing when no log is open or the message is empty.
void write_log(const char* message);

}  // namespace dlv
