#include <windows.h>

#include "platform/log_file.hpp"

namespace dlv::platform {

// CreateFileA does not wait for a named pipe: a busy or missing pipe fails
// at once. Anything that opens but is not a disk file (a pipe with a server,
// a console, a device) is closed again, since a write to it could wait for
// the other end.
LogFileHandle open_log_file(const char* path) {
  HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return kNoLog;
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    return kNoLog;
  }
  // The high half of the distance is passed so that the move to the end also
  // succeeds on a log of 4 GiB or more (without it the pointer would stay at
  // the start and the messages would overwrite the file's first bytes).
  LONG high = 0;
  SetFilePointer(h, 0, &high, FILE_END);
  return reinterpret_cast<LogFileHandle>(h);
}

void write_log_file(LogFileHandle handle, const char* bytes, std::int32_t length) {
  if (handle == kNoLog || length <= 0) return;
  DWORD written = 0;
  WriteFile(reinterpret_cast<HANDLE>(handle), bytes, static_cast<DWORD>(length), &written,
            nullptr);  // a failed or short write is lost silently
}

void close_log_file(LogFileHandle handle) {
  if (handle != kNoLog) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace dlv::platform
