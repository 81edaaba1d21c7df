// The diagnostic log file: the only file the library writes, always a regular
// file (any other kind of path gives no log). One handle is
// open at most; it is opened for writing (created when missing), positioned
// at its end, written with one call per message and closed at the end of a
// calculation. Errors are ignored.
#pragma once

#include <cstdint>

namespace dlv::platform {

// An open log file, or kNoLog.
using LogFileHandle = std::intptr_t;
inline constexpr LogFileHandle kNoLog = 0;

// Opens `path` for writing at its end; kNoLog when it cannot be opened.
LogFileHandle open_log_file(const char* path);
// Writes `length` bytes in one write call at the current position; the
// outcome is not checked.
void write_log_file(LogFileHandle handle, const char* bytes, std::int32_t length);
void close_log_file(LogFileHandle handle);

}  // namespace dlv::platform
