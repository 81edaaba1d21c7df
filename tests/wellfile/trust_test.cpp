// Wells the methods cannot compute are refused with their JSON path; results
// that carry the library's floors, sentinels or log messages say so; the
// document reader refuses a key given twice.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "wellfile/wellfile.hpp"

namespace wf = dlv::wellfile;
using wf::json;

namespace {

// One base well per method family; a case patches it (JSON merge patch).
json base(const std::string& family) {
  if (family == "darcy_vogel")
    return json::parse(R"({"mode": "oil_production", "method": "darcy_vogel",
      "layers": [{"reservoir_pressure": 3000, "layer_temperature": 180, "api_gravity": 35,
        "gas_sg": 0.7, "producing_gor": 400, "permeability": 30, "thickness": 50,
        "drainage_radius": 1490, "wellbore_radius": 0.354}]})");
  if (family == "vogel")
    return json::parse(R"({"mode": "oil_production", "method": "vogel",
      "fluid": {"fluid_type": "none"},
      "layers": [{"reservoir_pressure": 2000, "bubble_point": 1500}],
      "tests": [{"test_rate": 500, "test_pressure": 1500}]})");
  if (family == "two_test")
    return json::parse(R"({"mode": "oil_production", "method": "vogel_two_test",
      "fluid": {"fluid_type": "none"}, "layers": [{"reservoir_pressure": 2500}],
      "tests": [{"test_rate": 600, "test_pressure": 2000}, {"test_rate": 1100, "test_pressure": 1400}]})");
  if (family == "backpressure")
    return json::parse(R"({"mode": "gas_production", "method": "backpressure_fit",
      "layers": [{"reservoir_pressure": 2000, "layer_temperature": 200, "gas_sg": 0.65}],
      "tests": [{"test_rate": 2000, "test_pressure": 1900}, {"test_rate": 6000, "test_pressure": 1620}]})");
  if (family == "horizontal")
    return json::parse(R"({"mode": "oil_production", "method": "horizontal",
      "layers": [{"reservoir_pressure": 2800, "layer_temperature": 180, "api_gravity": 33,
        "gas_sg": 0.7, "producing_gor": 350, "permeability": 20, "perm_y": 20, "perm_z": 4,
        "thickness": 60, "wellbore_radius": 0.3, "well_start_y": 300, "well_length": 2000,
        "box_length_y": 2640, "well_position_x": 1320, "box_width_x": 2640, "well_elevation_z": 30}]})");
  if (family == "fractured")
    return json::parse(R"({"mode": "oil_production", "method": "fractured",
      "layers": [{"reservoir_pressure": 4000, "layer_temperature": 220, "api_gravity": 40,
        "gas_sg": 0.75, "producing_gor": 800, "total_compressibility": 1.5e-05, "permeability": 0.5,
        "thickness": 60, "drainage_radius": 1490, "wellbore_radius": 0.354,
        "fracture_half_length": 300, "porosity": 0.12, "production_time": 180,
        "fracture_width": 0.25, "fracture_permeability": 100000}]})");
  if (family == "rate_test")
    return json::parse(R"({"mode": "oil_production", "method": "rate_test",
      "fluid": {"fluid_type": "none"}, "layers": [{"reservoir_pressure": 2200}],
      "rate_test": {"ratetest_pressures": [2200, 1900, 1500, 1000],
                    "ratetest_liquid_rates": [0, 400, 850, 1300]}})");
  if (family == "water_injection")
    return json::parse(R"({"mode": "water_injection", "method": "skin",
      "layers": [{"reservoir_pressure": 2500, "layer_temperature": 150, "permeability": 50,
        "thickness": 40, "drainage_radius": 1000, "wellbore_radius": 0.354, "skin": 3,
        "second_skin": -2, "break_pressure": 4000, "max_injection_rate": 20000}]})");
  if (family == "darcy_gas")
    return json::parse(R"({"mode": "gas_production", "method": "darcy_nondarcy",
      "layers": [{"reservoir_pressure": 3000, "layer_temperature": 210, "gas_sg": 0.65,
        "permeability": 5, "thickness": 40, "drainage_radius": 1490, "wellbore_radius": 0.354}]})");
  if (family == "gas_injection")
    return json::parse(R"({"mode": "gas_injection", "method": "coefficients_pressure",
      "well": {"injection_coefficients": [[0, 0], [2, 4]]},
      "layers": [{"reservoir_pressure": 2000, "layer_temperature": 180, "gas_sg": 0.65,
        "break_pressure": 3000, "max_injection_rate": 30000}]})");
  return json();
}

// A JSON merge patch that merges arrays of objects element by element, so
// that {"layers": [{"skin": -10}]} changes one field of layer 0.
void merge(json& target, const json& patch) {
  if (patch.is_object() && target.is_object()) {
    for (const auto& [k, v] : patch.items()) {
      if (v.is_null())
        target.erase(k);
      else if (target.contains(k))
        merge(target[k], v);
      else
        target[k] = v;
    }
  } else if (patch.is_array() && target.is_array() && patch.size() == target.size() &&
             !patch.empty() && patch[0].is_object()) {
    for (std::size_t i = 0; i < patch.size(); ++i) merge(target[i], patch[i]);
  } else {
    target = patch;
  }
}

json patched(const std::string& family, const char* patch) {
  json doc = base(family);
  merge(doc, json::parse(patch));
  return doc;
}

}  // namespace

TEST(InconsistentWells, AreRefusedAtTheirPathWithTheReason) {
  struct Case {
    const char* family;
    const char* patch;
    const char* path;
    const char* message;  // part of the message
  };
  // ln(0.472 * 1490 / 0.354) = 7.594: a skin of -10 leaves -2.406.
  const Case cases[] = {
      {"darcy_vogel", R"({"layers": [{"skin": -10}]})", "layers[0].skin",
       "radial-flow term ln(0.472 re/rw) + skin = -2.405786"},
      {"darcy_vogel", R"({"layers": [{"drainage_radius": 0.3}]})", "layers[0].drainage_radius",
       "not larger than the wellbore radius 0.354 ft"},
      {"darcy_vogel", R"({"layers": [{"permeability": 0}]})", "layers[0].permeability",
       "divides by permeability"},
      {"darcy_vogel", R"({"layers": [{"thickness": 0}]})", "layers[0].thickness", "divides by"},
      {"darcy_vogel", R"({"layers": [{"wellbore_radius": 0}]})", "layers[0].wellbore_radius",
       "divides by"},
      {"darcy_vogel", R"({"fluid": {"fluid_type": "none"}})", "fluid.fluid_type",
       "leaves the oil viscosity at 0"},
      {"darcy_gas", R"({"fluid": {"fluid_type": "none"}})", "fluid.fluid_type",
       "no gas viscosity and z for the pseudo-pressure table"},
      {"vogel", R"({"tests": [{"test_rate": 500, "test_pressure": 2500}]})",
       "tests[0].test_pressure", "at or above the reservoir pressure 2000 psi"},
      {"vogel", R"({"tests": [{"test_rate": 500, "test_pressure": 2000}]})",
       "tests[0].test_pressure", "shows no drawdown"},
      {"vogel", R"({"tests": [{"test_rate": 0, "test_pressure": 1500}]})", "tests[0].test_rate",
       "shows no inflow"},
      {"vogel", R"({"layers": [{"reservoir_pressure": 2000, "bubble_point": null}]})",
       "layers[0].bubble_point", "straight line, not Vogel's"},
      {"two_test",
       R"({"tests": [{"test_rate": 600, "test_pressure": 2000}, {"test_rate": 1100, "test_pressure": 2000}]})",
       "tests", "equal test pressures"},
      {"two_test",
       R"({"tests": [{"test_rate": 600, "test_pressure": 1400}, {"test_rate": 1100, "test_pressure": 2000}]})",
       "tests", "higher rate has the higher flowing pressure"},
      {"backpressure",
       R"({"tests": [{"test_rate": 2000, "test_pressure": 1900}, {"test_rate": 6000, "test_pressure": 2000}]})",
       "tests[1].test_pressure", "at or above the reservoir pressure"},
      {"backpressure", R"({"well": {"deliverability_test_type": "isochronal"}})",
       "well.deliverability_test_type", "stabilized point"},
      {"backpressure",
       R"({"tests": [{"test_rate": 2000, "test_pressure": 1800}, {"test_rate": 6000, "test_pressure": 1800}]})",
       "tests", "do not define a line"},
      // pr^2 - p^2 = 390000 and 760000; rates 1000 and 1000 (760000/390000)^3 give n = 3.
      {"backpressure",
       R"({"tests": [{"test_rate": 1000, "test_pressure": 1900}, {"test_rate": 7400.4, "test_pressure": 1800}]})",
       "tests", "exponent n = 3.0"},
      {"horizontal", R"({"layers": [{"well_elevation_z": 60}]})", "layers[0].well_elevation_z",
       "not inside the layer"},
      {"horizontal", R"({"layers": [{"well_length": 2400}]})", "layers[0].well_length",
       "ends beyond the box"},
      {"horizontal", R"({"layers": [{"perm_z": 0}]})", "layers[0].perm_z", "divides by"},
      {"fractured", R"({"layers": [{"fracture_half_length": 1500}]})",
       "layers[0].fracture_half_length", "beyond the drainage radius"},
      {"fractured", R"({"layers": [{"total_compressibility": 0}]})",
       "layers[0].total_compressibility", "total compressibility"},
      {"fractured", R"({"well": {"rate_multiplier": 0.5}})", "well.rate_multiplier",
       "would be ignored"},
      {"rate_test",
       R"({"rate_test": {"ratetest_pressures": [2200, 1900, 1950, 1000],
                         "ratetest_liquid_rates": [0, 400, 850, 1300]}})",
       "rate_test.ratetest_pressures[2]", "does not fall"},
      {"water_injection", R"({"layers": [{"second_skin": -8}]})", "layers[0].second_skin",
       "non-positive"},
      {"water_injection", R"({"layers": [{"break_pressure": 2000}]})", "layers[0].break_pressure",
       "not above the reservoir pressure"},
      {"gas_injection", R"({"well": {"injection_coefficients": [[0, 0], [0, 4]]}})",
       "well.injection_coefficients[1][0]", "takes no fluid"},
      {"darcy_vogel",
       R"({"completion": {"completion_model": "gravel_pack"},
           "layers": [{"gravel_permeability": 0, "gravel_tunnel_length": 3, "shot_density": 12,
                       "perforation_diameter": 0.5, "perforated_interval": 30}]})",
       "layers[0].gravel_permeability", "divides by gravel_permeability"},
  };
  for (const Case& c : cases) {
    const json doc = patched(c.family, c.patch);
    SCOPED_TRACE(std::string(c.family) + " " + c.patch);
    EXPECT_TRUE(wf::validate_well(base(c.family)).empty())
        << wf::validate_well(base(c.family))[0].text();
    const wf::RunOutcome out = wf::run_well(doc);
    ASSERT_FALSE(out.problems.empty());
    EXPECT_EQ(out.problems[0].path, c.path) << out.problems[0].text();
    EXPECT_NE(out.problems[0].message.find(c.message), std::string::npos) << out.problems[0].text();
  }
}

TEST(Fallbacks, ResultsOnTheLibrarysFloorsAndLogSaySo) {
  struct Case {
    const char* what;
    json doc;
    const char* note;  // part of a fall-back note
  };
  // Vogel with water cut 1: q (1 - 1) / V = 0, floored at 0.01.
  json wet = patched("vogel", R"({"layers": [{"bubble_point": 2000, "water_cut": 1}]})");
  // Correlations with no producing GOR: Rs = 0, below the range of Beggs and Robinson.
  json no_gor = patched(
      "two_test",
      R"({"fluid": null, "layers": [{"layer_temperature": 175, "api_gravity": 36, "gas_sg": 0.72,
          "bubble_point": 2100}]})");
  // A fracture of low conductivity in stabilized flow keeps the wellbore radius, and the
  // skin -8 against ln(0.472 * 1490 / 0.354) = 7.594 gives Darcy-Vogel's invalid curve.
  json fractured = patched(
      "fractured", R"({"layers": [{"permeability": 1000, "production_time": 10000, "skin": -8}]})");
  const Case cases[] = {
      {"Vogel maximum floored", wet, "Vogel's maximum oil rate floored at 0.01 STB/d"},
      {"the library's log", no_gor,
       "layers[0] fluid properties, library log: Solution gas/oil ratio out of range for Beggs "
       "and Robinson in liqvis()"},
      {"invalid curve sentinel", fractured, "layers[0].curve.rate: -9999.9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const wf::RunOutcome out = wf::run_well(c.doc);
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    std::string all;
    for (const std::string& f : out.fallbacks) all += f + "\n";
    EXPECT_NE(all.find(c.note), std::string::npos) << all;
    EXPECT_EQ(out.result["fallbacks"].size(), out.fallbacks.size());
  }
  // A clean well has none.
  EXPECT_TRUE(wf::run_well(base("vogel")).fallbacks.empty());
}

TEST(Fallbacks, TheLogFileOfTheCallerKeepsItsTextAndGetsTheMessages) {
  const auto path = std::filesystem::temp_directory_path() / "dlv_trust_log.txt";
  std::ofstream(path) << "earlier text\n";
  json no_gor = patched(
      "two_test",
      R"({"fluid": null, "layers": [{"layer_temperature": 175, "api_gravity": 36, "gas_sg": 0.72,
          "bubble_point": 2100}]})");
  const wf::RunOutcome out = wf::run_well(no_gor, path.string().c_str());
  ASSERT_EQ(out.fallbacks.size(), 1u);  // the earlier text is not this call's
  std::ifstream in(path);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "earlier text");
  std::filesystem::remove(path);
}

TEST(DocumentReader, AKeyGivenTwiceIsRefusedAtItsPath) {
  const struct {
    const char* text;
    const char* path;
  } cases[] = {
      {R"({"mode": "oil_production", "mode": "gas_production"})", "mode"},
      {R"({"layers": [{"skin": 1}, {"skin": 1, "permeability": 2, "skin": 3}]})", "layers[1].skin"},
      {R"({"well": {"injection_coefficients": [[1, 2]], "reference_depth": 1},
           "tests": [{}, {"a": {"b": 1, "b": 2}}]})",
       "tests[1].a.b"},
  };
  for (const auto& c : cases) {
    json doc;
    const auto problems = wf::parse_well_text(c.text, doc);
    ASSERT_EQ(problems.size(), 1u) << c.text;
    EXPECT_EQ(problems[0].path, c.path);
    EXPECT_NE(problems[0].message.find("given twice"), std::string::npos);
  }
  json doc;
  EXPECT_TRUE(
      wf::parse_well_text(R"({"a": {"k": 1}, "b": {"k": 2}, "c": [{"k": 1}, {"k": 2}]})", doc)
          .empty());
}

TEST(QuickVogel, WithoutABubblePointIsVogelsCurveAndSaysSo) {
  // pwf/pr = 0.75: V = 1 - 0.15 - 0.45 = 0.4, so qmax = 1000 / 0.4 = 2500 STB/d.
  const wf::RunOutcome out = wf::run_quick_vogel(2400, 1000, 1800, std::nullopt);
  ASSERT_TRUE(out.problems.empty());
  EXPECT_NEAR(out.result["summary"]["maximum_rate"].get<double>(), 2500.0, 1e-9);
  ASSERT_EQ(out.result["notes"].size(), 1u);
  EXPECT_NE(out.result["notes"][0].get<std::string>().find("Vogel's over the whole range"),
            std::string::npos);
  EXPECT_TRUE(wf::run_quick_vogel(2400, 1000, 1800, 1900.0).result["notes"].empty());
}
