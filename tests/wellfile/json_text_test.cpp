// The compact JSON text of documents: exact text, hand-written (the cases of
// data/compact_text.json; numbers JSON has no text for here).
#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>

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
