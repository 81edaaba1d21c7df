// Bad well files: each kind of problem is reported with its JSON path and the
// expected unit and range, and nothing is computed.
#include <gtest/gtest.h>

#include "wellfile/wellfile.hpp"

namespace wf = dlv::wellfile;
using wf::json;

namespace {

json vogel_well() {
  return json::parse(R"({
    "mode": "oil_production", "method": "vogel",
    "fluid": {"fluid_type": "none"},
    "layers": [{"reservoir_pressure": 2400, "bubble_point": 1900}],
    "tests": [{"test_rate": 1000, "test_pressure": 1800}]})");
}

}  // namespace

TEST(WellFileChecks, MalformedJsonNamesLineAndColumn) {
  json doc;
  const auto problems =
      wf::parse_well_text("{\n  \"mode\": \"oil_production\",\n  \"layers\": [1,]\n}", doc);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].message.find("malformed JSON at line 3, column 16"), std::string::npos)
      << problems[0].message;
}

TEST(WellFileChecks, TheExampleWellIsClean) {
  EXPECT_TRUE(wf::validate_well(vogel_well()).empty());
}

TEST(WellFileChecks, EachKindOfBadInputIsReportedAtItsPath) {
  struct Case {
    const char* what;
    const char* patch;  // JSON merge patch applied to the clean Vogel well
    const char* path;
    const char* message;   // part of the message
    const char* expected;  // part of the expected text
  };
  const Case cases[] = {
      {"unknown key", R"({"layers": [{"reservoir_presure": 2400}]})", "layers[0].reservoir_presure",
       "did you mean \"reservoir_pressure\"", ""},
      {"unknown top key", R"({"wel": {}})", "wel", "did you mean \"well\"", ""},
      {"wrong type", R"({"layers": [{"reservoir_pressure": "2400"}]})",
       "layers[0].reservoir_pressure", "wrong type: string", "a number in psi gauge, 0 to 30000"},
      {"out of range", R"({"layers": [{"reservoir_pressure": 2400, "water_cut": 35}]})",
       "layers[0].water_cut", "value 35 is out of range", "in fraction, 0 to 1"},
      {"integer expected", R"({"layers": [{"reservoir_pressure": 2400, "rs_correlation": 1.5}]})",
       "layers[0].rs_correlation", "not a whole number", "an integer, 0 to 4"},
      {"unknown name", R"({"fluid": {"fluid_type": "black_oil"}})", "fluid.fluid_type",
       "unknown name \"black_oil\"", "one of none, correlations"},
      {"unknown method", R"({"method": "vogle"})", "method", "unknown method for oil_production",
       "one of darcy_nondarcy"},
      {"missing test", R"({"tests": []})", "tests", "0 tests given; required by method vogel",
       "at least 1 tests"},
      {"missing field", R"({"layers": [{"bubble_point": 1900}]})", "layers[0].reservoir_pressure",
       "missing; required by method vogel in oil_production", "psi gauge, 0 to 30000"},
      {"missing well field", R"({"method": "pi_line", "tests": null})", "well.productivity_index",
       "missing; required by method pi_line", "STB/d/psi"},
      {"single curve, two layers",
       R"({"layers": [{"reservoir_pressure": 2400}, {"reservoir_pressure": 2000}]})", "layers",
       "computes one curve from layer 0; 2 layers given", "exactly 1 layer"},
      {"fluid by correlations needs its inputs", R"({"fluid": null})", "layers[0].api_gravity",
       "required by fluid_type correlations", "degAPI"},
      {"completion model needs its data", R"({"completion": {"completion_model": "gravel_pack"}})",
       "layers[0].gravel_permeability", "required by completion_model gravel_pack", "darcy"},
      {"array too long", R"({"well": {"level_reading": [1, 2, 3]}})", "well.level_reading",
       "more than the block holds", "at most 2 numbers"},
      {"rate test columns differ",
       R"({"method": "rate_test", "tests": null, "rate_test": {"ratetest_pressures": [2400, 0], "ratetest_liquid_rates": [0]}})",
       "rate_test", "columns of different lengths", ""},
  };
  for (const Case& c : cases) {
    json doc = vogel_well();
    doc.merge_patch(json::parse(c.patch));
    const auto problems = wf::validate_well(doc);
    bool found = false;
    for (const auto& p : problems)
      found = found || (p.path == c.path && p.message.find(c.message) != std::string::npos &&
                        p.expected.find(c.expected) != std::string::npos);
    EXPECT_TRUE(found) << c.what << "; got:\n"
                       << [&] {
                            std::string s;
                            for (const auto& p : problems) s += "  " + p.text() + "\n";
                            return s;
                          }();
  }
}

TEST(WellFileChecks, CountsBeyondTheBlocksAreRefused) {
  struct Case {
    const char* key;
    std::size_t count;
    const char* message;
  };
  for (const Case& c : {Case{"layers", 51, "51 layers given"},
                        Case{"tests", 101, "101 tests given, more than the block holds"}}) {
    json doc = vogel_well();
    json item = c.key == std::string("layers") ? json{{"reservoir_pressure", 2000}}
                                               : json{{"test_rate", 1}, {"test_pressure", 1}};
    doc[c.key] = json::array();
    for (std::size_t i = 0; i < c.count; ++i) doc[c.key].push_back(item);
    const auto problems = wf::validate_well(doc);
    ASSERT_FALSE(problems.empty()) << c.key;
    EXPECT_EQ(problems[0].path, c.key);
    EXPECT_NE(problems[0].message.find(c.message), std::string::npos) << problems[0].message;
  }
  json doc = vogel_well();
  doc["rate_test"]["ratetest_pressures"] = std::vector<double>(26, 1.0);
  const auto problems = wf::validate_well(doc);
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems[0].path, "rate_test.ratetest_pressures");
  EXPECT_EQ(problems[0].expected.find("an array of at most 25 numbers"), 0u);
}

TEST(WellFileChecks, NothingIsComputedForABadWell) {
  json doc = vogel_well();
  doc["layers"][0]["reservoir_pressure"] = -5;
  const wf::RunOutcome out = wf::run_well(doc);
  ASSERT_EQ(out.problems.size(), 1u);
  EXPECT_EQ(out.problems[0].text(),
            "layers[0].reservoir_pressure: value -5 is out of range (expected a number in psi "
            "gauge, 0 to 30000)");
  EXPECT_TRUE(out.result.is_null());
}

TEST(WellFileChecks, QuickCurvesCheckTheirOptions) {
  EXPECT_EQ(wf::run_quick_vogel(2400, 1000, 2600, 0).problems.at(0).path, "test_pressure");
  EXPECT_EQ(wf::run_quick_pi(2400, -1).problems.at(0).path, "productivity_index");
  const wf::RunOutcome ok = wf::run_quick_pi(3000, 2.5);
  ASSERT_TRUE(ok.problems.empty());
  EXPECT_EQ(ok.result["summary"]["maximum_rate"].get<double>(), 7500.0);
}
