#include "fluids/center_word.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(CenterWord, PadsHalfTheSpareWidthLessOneAndCutsAtElevenCharacters) {
  const struct {
    const char* word;
    std::int32_t width;
    std::string want;
  } cases[] = {
      {"ab", 10, "   ab"},
      {"ab", 9, "  ab"},  // 7 / 2 truncates to 3
      {"abc", 4, "abc"},
      {"abcdef", INT_MIN, "abcdef"},
      {nullptr, 6, "  "},
      {"abcdefghijklmnop", 0, "abcdefghijk"},
      {"abcdef", 18, "     abcdef"},
      {"abcdef", 20, "      abcde"},  // padding kept, word cut
      {"ab", INT_MAX, std::string(11, ' ')},
      {"x", 5, " x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dlv::center_word(c.word, c.width), dlv::centre_buffer);
    EXPECT_EQ(dlv::centre_buffer, c.want) << c.width;
  }
  for (int i = 2; i < 12; ++i) EXPECT_EQ(dlv::centre_buffer[i], '\0');  // old result cleared
}

}  // namespace
