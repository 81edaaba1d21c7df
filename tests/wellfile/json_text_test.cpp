// The compact JSON text of documents: exact text, hand-written.
#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>

#include "wellfile/wellfile.hpp"

namespace wf = dlv::wellfile;

namespace {

TEST(CompactText, WritesEachKindOfValue) {
  struct Case {
    wf::json value;
    const char* text;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {wf::json(2.0), "2.0"},  // a whole float keeps its point
      {wf::json(-0.0), "-0.0"},
      {wf::json(0.1), "0.1"},
      {wf::json(1.0 / 3.0), "0.3333333333333333"},
      {wf::json(2750.5), "2750.5"},
      {wf::json(1e300), "1e+300"},
      {wf::json(5e-324), "5e-324"},
      {wf::json(nan), "null"},
      {wf::json(std::numeric_limits<double>::infinity()), "null"},
      {wf::json(7), "7"},
      {wf::json(-12), "-12"},
      {wf::json(true), "true"},
      {wf::json(nullptr), "null"},
      {wf::json("a \"b\" \\ c\n\t\x01"), R"("a \"b\" \\ c\n\t\u0001")"},
      {wf::json("2000 \u2192 2750 psi"), "\"2000 \u2192 2750 psi\""},
      {wf::json::array(), "[]"},
      {wf::json::object(), "{}"},
  };
  for (const Case& c : cases) EXPECT_EQ(wf::compact_text(c.value), c.text) << c.text;
}

TEST(CompactText, KeepsTheOrderOfKeysAndNesting) {
  wf::json doc = wf::json::object();
  doc["z"] = 1;
  doc["a"] = wf::json::array({1.5, nullptr, "x"});
  doc["m"] = wf::json::object({{"k", false}});
  EXPECT_EQ(wf::compact_text(doc), R"({"z":1,"a":[1.5,null,"x"],"m":{"k":false}})");
}

}  // namespace
