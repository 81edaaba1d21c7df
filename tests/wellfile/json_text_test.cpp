// The compact JSON text of documents: exact text, hand-written (the cases of
// data/compact_text.json; numbers JSON has no text for here).
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

TEST(CompactText, WritesEachKindOfValueKeepingTheOrderOfKeys) {
  for (const json& c : data_file("compact_text.json")["cases"]) {
    EXPECT_EQ(wf::compact_text(json::parse(c["document"].get<std::string>())), c["text"])
        << c["document"];
  }
  EXPECT_EQ(wf::compact_text(json(std::numeric_limits<double>::quiet_NaN())), "null");
  EXPECT_EQ(wf::compact_text(json(std::numeric_limits<double>::infinity())), "null");
}

// A number's text is std::to_chars' shortest text (".0" after a whole
// number): at the edges of plain and exponent notation, of subnormals and of
// the largest double, and for numbers of random bits and of random size.
TEST(CompactText, NumbersAreTheShortestTextsOfStdToChars) {
  std::vector<double> values;
  std::istringstream edges(
      "0 -0 1 -2.5 0.1 1e-4 1.5e-4 1e-5 1e15 1e16 1e22 1.2e21 123456789012345680000 5e-324 "
      "2.2250738585072009e-308 1.7976931348623157e308 1e100 1e-100 9007199254740993 "
      "666.6666666666666");
  for (std::string text; edges >> text;) values.push_back(std::strtod(text.c_str(), nullptr));
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> power(-30, 30);
  std::uniform_real_distribution<double> unit(1, 10);
  for (int k = 0; k < 300000; ++k) {
    const double v = std::bit_cast<double>(rng());
    if (std::isfinite(v)) values.push_back(v);
    values.push_back(unit(rng) * std::pow(10.0, power(rng)));
    values.push_back(std::round(unit(rng) * 1e4) / 64);
  }
  int wrong = 0;
  for (const double v : values) {
    char buf[40];
    std::string want(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    if (want.find_first_of(".e") == std::string::npos) want += ".0";
    if (wf::compact_text(json(v)) != want && ++wrong < 10)
      ADD_FAILURE() << want << " written " << wf::compact_text(json(v));
  }
  EXPECT_EQ(wrong, 0);
}
