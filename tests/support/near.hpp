// Checks a row of values against the expected ones within one absolute
// tolerance, naming the position of each value that is off.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>

inline void expect_near(std::initializer_list<double> actual,
                        std::initializer_list<double> expected, double tolerance,
                        const std::string& label = "") {
  ASSERT_EQ(actual.size(), expected.size()) << label;
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual.begin()[i], expected.begin()[i], tolerance) << label << " value " << i;
  }
}
