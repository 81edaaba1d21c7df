#include "fluids/center_word.hpp"

#include <cstdint>
#include <cstring>

namespace dlv {

char centre_buffer[12] = {};

char* center_word(const char* word, std::int32_t width) {
  constexpr std::int64_t kCapacity = sizeof centre_buffer - 1;  // keeps the terminator
  std::memset(centre_buffer, 0, sizeof centre_buffer);
  if (word == nullptr) word = "";

  // Wide arithmetic: no width or length can overflow the padding count.
  const auto length = static_cast<std::int64_t>(std::strlen(word));
  const std::int64_t pad = (static_cast<std::int64_t>(width) - length) / 2 - 1;
  std::int64_t at = 0;
  for (std::int64_t i = 0; i < pad && at < kCapacity; ++i) centre_buffer[at++] = ' ';
  for (std::int64_t i = 0; word[i] != '\0' && at < kCapacity; ++i) centre_buffer[at++] = word[i];
  return centre_buffer;
}

}  // namespace dlv
