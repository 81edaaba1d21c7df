// The tubing object of a well file: each bad value is reported at its JSON
// path with its unit and range, and a good one reads back as given.
#include "wellfile/tubing_document.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "dlv/dlv_layout.h"

namespace wf = dlv::wellfile;
using wf::json;

namespace {

json oil_well_with_tubing() {
  return json::parse(R"({
    "mode": "oil_production", "method": "vogel",
    "fluid": {"fluid_type": "none"},
    "layers": [{"reservoir_pressure": 2400, "bubble_point": 1900}],
    "tests": [{"test_rate": 1000, "test_pressure": 1800}],
    "tubing": {"correlation": "hagedorn_brown", "wellhead_pressure": 200,
               "wellhead_temperature": 80, "bottomhole_temperature": 180, "depth": 9700,
               "inside_diameter": 1.995}})");
}

}  // namespace

TEST(TubingObject, ACompleteObjectIsCleanAndReadsBack) {
  const json doc = oil_well_with_tubing();
  EXPECT_TRUE(wf::validate_well(doc).empty());
  const auto tubing_input = wf::read_tubing(doc);
  ASSERT_TRUE(tubing_input.has_value());
  EXPECT_EQ(tubing_input->correlation, dlv::Correlation::kHagedornBrown);
  EXPECT_EQ(tubing_input->depth, 9700);
  EXPECT_EQ(tubing_input->roughness, 0.0006);  // the default of new steel tubing
  EXPECT_TRUE(tubing_input->payne);
  EXPECT_FALSE(tubing_input->surface_tension.has_value());
}

TEST(TubingObject, EachBadValueIsReportedAtItsPath) {
  struct Case {
    const char* patch;  // JSON merge patch of the tubing object
    const char* path;
    const char* message;  // part of the message
  };
  const Case cases[] = {
      {R"({"inside_diameter": 0})", "tubing.inside_diameter", "out of range"},
      {R"({"inside_diameter": -1})", "tubing.inside_diameter", "out of range"},
      {R"({"roughness": 1.2})", "tubing.roughness", "beyond half the inside diameter"},
      {R"({"wellhead_temperature": -500})", "tubing.wellhead_temperature", "below absolute zero"},
      {R"({"bottomhole_temperature": -459.67})", "tubing.bottomhole_temperature",
       "below absolute zero"},
      {R"({"correlation": "orkiszewski"})", "tubing.correlation", "unknown correlation"},
      {R"({"correlation": "gray"})", "tubing.correlation", "use hagedorn_brown or beggs_brill"},
      {R"({"correlation": "cullender_smith"})", "tubing.correlation", "does not fit this mode"},
      {R"({"depth": null})", "tubing.depth", "missing"},
      {R"({"depht": 9700})", "tubing.depht", "unknown key"},
      {R"({"payne": 1})", "tubing.payne", "wrong type"},
      {R"({"fluid": "mud"})", "tubing.fluid", "unknown fluid"},
      {R"({"survey": [[0, 0], [5000, 5000], [4000, 6000]]})", "tubing.survey[2]",
       "measured depth does not increase"},
      {R"({"survey": [[0, 0], [5000, 5100]]})", "tubing.survey[1]", "vertical depth changes"},
      {R"({"survey": [[0, 0], [5000, 4900]]})", "tubing.depth", "beyond the survey"},
      {R"({"survey": [[100, 0], [9700, 9000]]})", "tubing.survey[0]", "starts at the wellhead"},
      {R"({"survey": [[0, 0], [9700, 9000]], "inclination": 10})", "tubing.inclination",
       "given with a survey"},
  };
  for (const Case& c : cases) {
    json doc = oil_well_with_tubing();
    doc["tubing"].merge_patch(json::parse(c.patch));
    const auto problems = wf::validate_well(doc);
    bool found = false;
    for (const auto& p : problems)
      found = found || (p.path == c.path && p.message.find(c.message) != std::string::npos);
    EXPECT_TRUE(found) << c.patch << " gave "
                       << (problems.empty() ? "nothing" : problems[0].text());
  }
}

TEST(TubingObject, GasWellsTakeGasCorrelations) {
  json doc = json::parse(R"({
    "mode": "gas_production", "method": "backpressure_given",
    "well": {"backpressure_c": 0.01, "backpressure_n": 0.8},
    "layers": [{"reservoir_pressure": 2000, "layer_temperature": 200, "gas_sg": 0.65}],
    "tubing": {"correlation": "gray", "wellhead_pressure": 500, "wellhead_temperature": 90,
               "bottomhole_temperature": 170, "depth": 8000, "inside_diameter": 2.441}})");
  for (const char* ok : {"gray", "average_temperature_z", "cullender_smith", "beggs_brill"}) {
    doc["tubing"]["correlation"] = ok;
    EXPECT_TRUE(wf::check_tubing(doc, DLV_MODE_GAS_PRODUCTION).empty()) << ok;
  }
  doc["tubing"]["correlation"] = "hagedorn_brown";
  EXPECT_FALSE(wf::check_tubing(doc, DLV_MODE_GAS_PRODUCTION).empty());
}
