#include "fluids/center_word.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace {

TEST(CenterWord, PadsHalfTheSpareWidthLessOneAndCutsAtElevenCharacters) {
  using Case = std::tuple<const char*, std::int32_t, std::string>;
  // 9 - 2 = 7 halves to 3; past eleven characters the padding stays and the word is cut.
  for (const auto& [word, width, want] :
       {Case{"ab", 10, "   ab"}, Case{"ab", 9, "  ab"}, Case{"abc", 4, "abc"},
        Case{"abcdef", INT_MIN, "abcdef"}, Case{"abcdefghijklmnop", 0, "abcdefghijk"},
        Case{"abcdef", 20, "      abcde"}, Case{"ab", INT_MAX, std::string(11, ' ')}}) {
    EXPECT_EQ(dlv::center_word(word, width), dlv::centre_buffer);
    EXPECT_EQ(dlv::centre_buffer, want) << word << ' ' << width;
  }
}

}  // namespace
