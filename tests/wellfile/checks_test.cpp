// Bad well files: each kind of problem is reported with its JSON path and the
// expected unit and range, and nothing is computed.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

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

TEST(WellFileChecks, NestingDeeperThanAHundredIsRefusedBeforeReading) {
  const std::string open101(101, '['), close101(101, ']');
  const std::string quoted_brackets = std::string(200, '[') + "\\\" " + std::string(200, '{');
  struct Case {
    std::string text;
    const char* where;  // "" when the text reads
  };
  const Case cases[] = {
      {std::string(50'000'000, '['), "line 1, column 101"},  // 50 MB: refused, not read
      {open101.substr(1) + close101.substr(1), ""},
      {open101 + close101, "line 1, column 101"},
      {"{\"a\":\n" + open101 + close101 + "}", "line 2, column 100"},
      {"]]" + open101 + close101, "line 1, column 103"},  // a stray close does not count
      {R"({"description": ")" + quoted_brackets + "\"}", ""},
  };
  for (const Case& c : cases) {
    json doc;
    const auto problems = wf::parse_well_text(c.text, doc);
    if (*c.where == '\0') {
      EXPECT_TRUE(problems.empty()) << c.text.substr(0, 40) << ": " << problems[0].text();
      continue;
    }
    ASSERT_EQ(problems.size(), 1u) << c.text.substr(0, 40);
    EXPECT_NE(problems[0].message.find("nested more than 100 deep at " + std::string(c.where)),
              std::string::npos)
        << problems[0].message;
    EXPECT_TRUE(doc.is_null()) << c.text.substr(0, 40);
  }
}

TEST(WellFileChecks, ANumberBeyondADoubleIsADocumentProblem) {
  json doc;
  const auto problems = wf::parse_well_text(
      R"({"mode": "oil_production", "layers": [{"reservoir_pressure": 1e400}]})", doc);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].path, "");
  EXPECT_NE(problems[0].message.find("unreadable JSON"), std::string::npos) << problems[0].message;
  EXPECT_NE(problems[0].message.find("1e400"), std::string::npos) << problems[0].message;
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
      {"gas injection pair 2 not given",
       R"({"mode": "gas_injection", "method": "coefficients_squared_pressure", "tests": null,
           "well": {"injection_coefficients": [[2e-5, 4e-5]]}})",
       "well.injection_coefficients",
       "1 pairs given; method coefficients_squared_pressure reads "
       "pair 2",
       "at least 3 pairs"},
      {"gas injection pair 3 not given",
       R"({"mode": "gas_injection", "method": "coefficients_pseudo_pressure", "tests": null,
           "well": {"injection_coefficients": [[0, 0], [2e-5, 4e-5], [0, 0]]}})",
       "well.injection_coefficients", "reads pair 3 (gas pseudo-pressure form)", "at least 4"},
      {"gas injection pair 1 not given",
       R"({"mode": "gas_injection", "method": "coefficients_pressure", "tests": null,
           "well": {"injection_coefficients": [[2e-5, 4e-5]]}})",
       "well.injection_coefficients", "reads pair 1", "at least 2 pairs"},
      {"water injection pair 0 not given",
       R"({"mode": "water_injection", "method": "coefficients", "tests": null,
           "well": {"injection_coefficients": []}})",
       "well.injection_coefficients", "0 pairs given", "at least 1 pairs"},
      {"zero gas viscosity",
       R"({"fluid": {"tables": [{"property": "gas_viscosity", "temperatures": [100],
           "pressures": [1000], "values": [[0]]}]}})",
       "fluid.tables[0].values[0][0]", "value 0 is out of range", "in cp, above 0 to 10"},
      {"negative z factor",
       R"({"fluid": {"tables": [{"property": "gas_z_factor", "temperatures": [100, 200],
           "pressures": [1000], "values": [[0.9, -0.8]]}]}})",
       "fluid.tables[0].values[0][1]", "value -0.8 is out of range", "above 0 to 5"},
      {"oil fvf beyond its range",
       R"({"fluid": {"tables": [{"property": "oil_fvf", "temperatures": [100],
           "pressures": [1000], "values": [[50]]}]}})",
       "fluid.tables[0].values[0][0]", "out of range", "in RB/STB, above 0 to 10"},
      {"table pressure beyond the pressure range",
       R"({"fluid": {"tables": [{"property": "solution_gor", "temperatures": [100],
           "pressures": [1000, 40000], "values": [[100], [200]]}]}})",
       "fluid.tables[0].pressures[1]", "value 40000 is out of range", "in psia, 0 to 30000"},
      {"negative table pressure",
       R"({"fluid": {"tables": [{"property": "solution_gor", "temperatures": [100],
           "pressures": [-5], "values": [[100]]}]}})",
       "fluid.tables[0].pressures[0]", "out of range", "psia"},
      {"table temperature beyond its range",
       R"({"fluid": {"tables": [{"property": "solution_gor", "temperatures": [900],
           "pressures": [1000], "values": [[100]]}]}})",
       "fluid.tables[0].temperatures[0]", "value 900 is out of range", "in degF, -60 to 700"},
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

TEST(WellFileChecks, InjectionWellsWithTheirPairAreClean) {
  json gas = vogel_well();
  gas.merge_patch(json::parse(R"({"mode": "gas_injection", "method": "coefficients_pressure",
      "tests": null, "layers": [{"reservoir_pressure": 2400,
      "layer_temperature": 150, "gas_sg": 0.7, "break_pressure": 3000,
      "max_injection_rate": 5000}], "well": {"injection_coefficients": [[0, 0], [2e-5, 4e-5]]}})"));
  EXPECT_TRUE(wf::validate_well(gas).empty()) << wf::validate_well(gas)[0].text();
}

TEST(WellFileChecks, NonFiniteTableNumbersAreRefused) {
  json doc = vogel_well();
  doc["fluid"]["tables"] = json::parse(
      R"([{"property": "oil_viscosity", "temperatures": [100], "pressures": [1000],
           "values": [[1.5]]}])");
  EXPECT_TRUE(wf::validate_well(doc).empty());
  doc["fluid"]["tables"][0]["values"][0][0] = NAN;
  const auto problems = wf::validate_well(doc);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].path, "fluid.tables[0].values[0][0]");
  doc["fluid"]["tables"][0]["values"][0][0] = 1.5;
  doc["fluid"]["tables"][0]["pressures"][0] = INFINITY;
  EXPECT_EQ(wf::validate_well(doc).at(0).path, "fluid.tables[0].pressures[0]");
}

// Each thread gets the curve it asked for, never the other thread's.
TEST(WellFileChecks, QuickCurvesOfTwoThreadsDoNotMix) {
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
