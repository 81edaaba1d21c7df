#include <fcntl.h>
#include <unistd.h>

#include "platform/log_file.hpp"

namespace dlv::platform {

// A file descriptor is kept as descriptor + 1 so that kNoLog (0) never
// names an open file.
LogFileHandle open_log_file(const char* path) {
  const int fd = ::open(path, O_WRONLY | O_CREAT, 0644);
  if (fd < 0) return kNoLog;
  ::lseek(fd, 0, SEEK_END);
  return static_cast<LogFileHandle>(fd) + 1;
}

void write_log_file(LogFileHandle handle, const char* bytes, std::int32_t length) {
  if (handle == kNoLog || length <= 0) return;
  const ssize_t written = ::write(static_cast<int>(handle - 1), bytes, static_cast<size_t>(length));
  (void)written;  // a failed or short write is lost silently
}

void close_log_file(LogFileHandle handle) {
  if (handle != kNoLog) ::close(static_cast<int>(handle - 1));
}

}  // namespace dlv::platform
