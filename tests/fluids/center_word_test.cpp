#include "fluids/center_word.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

std::string centre(const char* word, std::int32_t width) {
  char* r = dlv::center_word(word, width);
  EXPECT_EQ(r, dlv::centre_buffer);
  EXPECT_EQ(r[11], '\0');
  return r;
}

TEST(CenterWord, PadsHalfTheSpareWidthLessOne) {
  EXPECT_EQ(centre("ab", 10), "   ab");  // (10 - 2) / 2 - 1 = 3
  EXPECT_EQ(centre("ab", 9), "  ab");    // 7 / 2 truncates to 3
  EXPECT_EQ(centre("abc", 7), " abc");
  EXPECT_EQ(centre("abc", 6), "abc");  // pad 0
  EXPECT_EQ(centre("abc", 4), "abc");  // pad -1
  EXPECT_EQ(centre("", 6), "  ");
  EXPECT_EQ(centre(nullptr, 6), "  ");
}

TEST(CenterWord, WordLongerThanWidthIsUnpadded) {
  EXPECT_EQ(centre("abcdef", 2), "abcdef");
  EXPECT_EQ(centre("abcdef", -100), "abcdef");
  EXPECT_EQ(centre("abcdef", INT_MIN), "abcdef");
}

TEST(CenterWord, EachCallReplacesThePreviousResult) {
  centre("a-long-word", 0);
  EXPECT_EQ(centre("x", 5), " x");
  for (int i = 2; i < 12; ++i) EXPECT_EQ(dlv::centre_buffer[i], '\0') << i;
}

TEST(CenterWord, ResultIsCutAfterElevenCharacters) {
  EXPECT_EQ(centre("abcdefghijk", 0), "abcdefghijk");  // exactly 11 fits
  EXPECT_EQ(centre("abcdefghijklmnop", 0), "abcdefghijk");
  EXPECT_EQ(centre("abcdef", 16), "    abcdef");   // pad 4: 10 characters
  EXPECT_EQ(centre("abcdef", 18), "     abcdef");  // pad 5: 11 characters
  EXPECT_EQ(centre("abcdef", 20), "      abcde");  // pad 6: padding kept, word cut
  EXPECT_EQ(centre("ab", INT_MAX), std::string(11, ' '));
}

}  // namespace
