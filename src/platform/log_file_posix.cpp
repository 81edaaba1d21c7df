#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/log_file.hpp"

namespace dlv::platform {

// A file descriptor is kept as descriptor + 1 so that kNoLog (0) never
// names an open file. The open never waits: a FIFO without a reader fails
// at once, and anything that opens but is not a regular file (a FIFO with a
// reader, a terminal, a device) is closed again, since a write to it could
// wait for the other end.
LogFileHandle open_log_file(const char* path) {
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
  if (fd < 0) return kNoLog;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return kNoLog;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
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
