// Bad well files: each kind of problem is reported with its JSON path and the
// expected unit and range, nothing is computed, and the document reader
// refuses malformed text. The cases and the wells they patch are in
// data/refusals.json.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "wellfile/run_outcome.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

json vogel_well() { return refusals()["wells"]["clean_vogel"]; }

}  // namespace

// Text given, or made of parts repeated; text nested more than 100 deep is refused unread.
TEST(DocumentReader, MalformedRepeatedOrTooDeepTextIsRefusedAtItsPlace) {
  for (const json& c : refusals()["malformed_text"]) {
    SCOPED_TRACE(c.dump());
    std::string text = c.value("text", "");
    for (const json& part : c.value("repeat", json::array())) {
      const std::string repeated = part[0];
      for (int k = part[1]; k > 0; --k) text += repeated;
    }
    json doc;
    const auto problems = wf::parse_well_text(text, doc);
    if (!c.contains("path")) {
      EXPECT_EQ(problems_text(problems), "");
      continue;
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].path, c["path"]);
    EXPECT_TRUE(doc.is_null());
    for (const json& part : c["parts"])
      EXPECT_NE(problems[0].message.find(part.get<std::string>()), std::string::npos)
          << problems[0].message;
  }
}

namespace {

// The same tree, value kinds included (nlohmann's == holds 5, 5u and 5.0
// equal, and 0.0 equal to -0.0; their text tells the rest apart).
bool same_tree(const json& a, const json& b) {
  if (a.type() != b.type() || a.size() != b.size() || a.dump() != b.dump()) return false;
  for (auto i = a.begin(), j = b.begin(); a.is_structured() && i != a.end(); ++i, ++j)
    if (!same_tree(*i, *j)) return false;
  return true;
}

}  // namespace

// Usable text reads as nlohmann's parser reads it, whichever parser read it:
// numbers at the edges of each kind, escapes, UTF-8 and every JSON file of
// the examples and the tests that the reader takes (some are bad on purpose).
TEST(DocumentReader, ReadsEveryUsableTextAsNlohmannReadsIt) {
  std::vector<std::string> texts = {"[]",
                                    "{}",
                                    " [[[], {}]]\n",
                                    "{\"a\" : [1, {\"b\": null}, true, false, \"x y\"]}",
                                    "\"a\\\"b\\u00e9\"",
                                    "[\"\xc3\xa9\"]",
                                    "\xef\xbb\xbf{\"bom\": 1}"};
  std::istringstream numbers(
      "0 -0 -0.0 -0e1 7 -7 1.5 1E2 1e-2 1e-400 -1e-400 0.1 9223372036854775807 "
      "9223372036854775808 -9223372036854775808 -9223372036854775809 18446744073709551615 "
      "18446744073709551616 123456789012345678901234567890 2.2250738585072011e-308 4.9e-324 "
      "1.7976931348623157e308");
  for (std::string number; numbers >> number;)
    texts.insert(texts.end(), {number, "{\"v\": [" + number + ", -1]}"});
  const std::size_t written = texts.size();
  for (const char* folder : {"examples", "tests"})
    for (const auto& e : fs::recursive_directory_iterator(kSource / folder))
      if (e.path().extension() == ".json")
        texts.push_back(read_text(fs::relative(e.path(), kSource)));
  EXPECT_GT(texts.size(), written + 40);
  for (std::size_t k = 0; k < texts.size(); ++k) {
    json doc;
    if (wf::parse_well_text(texts[k], doc).empty())
      EXPECT_TRUE(same_tree(doc, json::parse(texts[k]))) << texts[k];
    else
      EXPECT_GE(k, written) << texts[k];  // only a file may be refused
  }
}

// A case with a path is refused there with nothing computed; one without is clean.
TEST(WellFileChecks, EachKindOfBadInputIsReportedAtItsPath) {
  for (const char* section : {"input_problems", "inconsistent_wells"}) {
    for (const json& c : refusals()[section]) {
      SCOPED_TRACE(c.dump());
      const wf::RunOutcome out = run_case(c);
      if (!c.contains("path")) {
        EXPECT_EQ(problems_text(out.problems), "");
        continue;
      }
      EXPECT_TRUE(
          has_problem(out.problems, c["path"], c.value("message", ""), c.value("expected", "")))
          << problems_text(out.problems);
      EXPECT_TRUE(out.result.is_null());
      if (c.contains("text")) {
        EXPECT_EQ(out.problems.at(0).text(), c["text"]);
      }
    }
  }
}

TEST(WellFileChecks, NonFiniteTableNumbersAreRefused) {
  json doc = vogel_well();
  doc["fluid"]["tables"] = json::parse(
      R"([{"property": "oil_viscosity", "temperatures": [100], "pressures": [1000],
           "values": [[1.5]]}])");
  EXPECT_EQ(problems_text(wf::validate_well(doc)), "");
  doc["fluid"]["tables"][0]["values"][0][0] = NAN;
  const auto problems = wf::validate_well(doc);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].path, "fluid.tables[0].values[0][0]");
  doc["fluid"]["tables"][0]["values"][0][0] = 1.5;
  doc["fluid"]["tables"][0]["pressures"][0] = INFINITY;
  EXPECT_EQ(wf::validate_well(doc).at(0).path, "fluid.tables[0].pressures[0]");
}

TEST(QuickCurves, CheckTheirOptionsAndSayWhenVogelHasNoBubblePoint) {
  EXPECT_EQ(wf::run_quick_vogel(2400, 1000, 2600, 0).problems.at(0).path, "test_pressure");
  EXPECT_EQ(wf::run_quick_pi(3000, 2.5).result["summary"]["maximum_rate"].get<double>(), 7500.0);
  // pwf/pr = 0.75: V = 1 - 0.15 - 0.45 = 0.4, so qmax = 1000 / 0.4 = 2500 STB/d.
  const wf::RunOutcome out = wf::run_quick_vogel(2400, 1000, 1800, std::nullopt);
  ASSERT_TRUE(out.problems.empty());
  EXPECT_NEAR(out.result["summary"]["maximum_rate"].get<double>(), 2500.0, 1e-9);
  ASSERT_EQ(out.result["notes"].size(), 1u);
  EXPECT_NE(out.result["notes"][0].get<std::string>().find("Vogel's over the whole range"),
            std::string::npos);
  EXPECT_TRUE(wf::run_quick_vogel(2400, 1000, 1800, 1900.0).result["notes"].empty());
}

// Each thread gets the curve it asked for, never the other thread's.
TEST(QuickCurves, TwoThreadsDoNotMix) {
  auto worker = [](double pr, double pi, int* wrong) {
    for (int i = 0; i < 3000; ++i) {
      const wf::RunOutcome out = wf::run_quick_pi(pr, pi);
      if (out.result["summary"]["maximum_rate"].get<double>() != pr * pi) ++*wrong;
    }
  };
  int wrong_a = 0, wrong_b = 0;
  std::thread a(worker, 3000.0, 2.5, &wrong_a), b(worker, 1000.0, 0.5, &wrong_b);
  a.join();
  b.join();
  EXPECT_EQ(wrong_a, 0);
  EXPECT_EQ(wrong_b, 0);
}
