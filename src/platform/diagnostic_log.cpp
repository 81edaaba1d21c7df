#include "platform/diagnostic_log.hpp"

#include <cstdint>
#include <cstring>

namespace dlv {

platform::LogFileHandle log_handle = platform::kNoLog;

void write_log(const char* message) {
  if (log_handle == platform::kNoLog) return;
  const auto length = static_cast<std::int32_t>(std::strlen(message));
  if (length == 0) return;
  platform::write_log_file(log_handle, message, length);
}

}  // namespace dlv
