// Well file <-> blocks: every field both ways (the example wells map back to
// themselves in golden_test), positions read back through the typed block
// views, and the notes on inputs the library adjusts.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <tuple>
#include <vector>

#include "blocks/blocks.hpp"
#include "dlv/dlv_layout.h"
#include "wellfile/fields.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/wellfile.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using wellfile_test::read_json;
using wf::json;

namespace {

// A distinct in-range value for field f, element i: never its default, never 0.
double sample(const wf::Field& f, int i) {
  if (f.kind == wf::Kind::named) return f.names[f.names.size() - 1].code;
  const double span = f.max - f.min;
  double v = f.min + span * (0.25 + 0.01 * (i % 7)) / (span > 1e4 ? 1e3 : 1.0);
  if (f.kind == wf::Kind::integer) v = f.max - (i % static_cast<int>(f.max - f.min));
  if (v == 0 || v == f.default_value) v = f.max;
  return v;
}

json value_of(const wf::Field& f, int i) {
  return f.kind == wf::Kind::integer ? json(static_cast<int>(sample(f, i))) : json(sample(f, i));
}

// A document that sets every field of the map (three layers, five tests,
// four rate-test rows, the two property tables of data/property_tables.json).
json every_field_document() {
  json doc = {{"mode", "oil_production"}, {"method", "darcy_vogel"}};
  json layers = json::array(), tests = json::array();
  for (int L = 0; L < 3; ++L) layers.push_back(json::object());
  for (int i = 0; i < 5; ++i) tests.push_back(json::object());
  for (const wf::Field& f : wf::all_fields()) {
    using G = wf::Group;
    if (f.group == G::layer) {
      for (int L = 0; L < 3; ++L) layers[L][f.name] = value_of(f, L);
      continue;
    }
    if (f.group == G::test) {
      for (int i = 0; i < 5; ++i) tests[i][f.name] = sample(f, i);
      continue;
    }
    // The object of each group, in the order of wf::Group (layers and tests above).
    const char* keys[] = {"well",  "",          "",           "rate_test",
                          "fluid", "separator", "completion", "traverse"};
    const char* key = keys[static_cast<int>(f.group)];
    json value;
    if (f.kind == wf::Kind::named) {
      value = f.names[f.names.size() - 1].name;
    } else if (std::string(f.name) == "injection_coefficients") {
      value = json::array();
      for (int k = 0; k < 4; ++k) value.push_back({sample(f, 2 * k), sample(f, 2 * k + 1)});
    } else if (f.group == G::rate_test) {
      value = json::array();
      for (int i = 0; i < 4; ++i) value.push_back(sample(f, i));
    } else if (f.count > 1) {
      value = json::array();
      for (int i = 0; i < f.count; ++i) value.push_back(sample(f, i));
    } else {
      value = value_of(f, 0);
    }
    doc[key][f.name] = value;
  }
  doc["layers"] = layers;
  doc["tests"] = tests;
  doc["fluid"]["tables"] = read_json("tests/wellfile/data/property_tables.json")["tables"];
  return doc;
}

std::int32_t i32_at(const std::vector<double>& block, std::size_t byte) {
  std::int32_t v;
  std::memcpy(&v, reinterpret_cast<const unsigned char*>(block.data()) + byte, 4);
  return v;
}

constexpr std::vector<double> wf::Blocks::*kEveryBlock[] = {
    &wf::Blocks::layer_fluids,      &wf::Blocks::fluid_tables,    &wf::Blocks::separator,
    &wf::Blocks::layer_curves,      &wf::Blocks::well_record,     &wf::Blocks::completion,
    &wf::Blocks::completion_curves, &wf::Blocks::traverse_curves, &wf::Blocks::traverse,
    &wf::Blocks::summary,           &wf::Blocks::results};

}  // namespace

TEST(WellFileMapping, EveryFieldValidatesAndRoundTrips) {
  const json doc = every_field_document();
  const auto problems = wf::validate_well(doc);
  for (const auto& p : problems) ADD_FAILURE() << p.text();
  ASSERT_TRUE(problems.empty());
  const json back = wf::from_blocks(wf::to_blocks(doc));
  EXPECT_EQ(nlohmann::json::parse(back.dump()), nlohmann::json::parse(doc.dump())) << back.dump(1);
}

// Blocks a well ran on, refilled with another well and zeroed only where the
// first well used them (its layers of the curve blocks, fluid_tables when it
// gave tables), are the fresh blocks of the second well, slot for slot: the
// calculation writes no curve beyond the well's layers.
TEST(WellFileMapping, RefilledBlocksAreFreshBlocks) {
  std::vector<json> wells;
  for (const auto& e :
       std::filesystem::directory_iterator(wellfile_test::kSource / "examples/wells"))
    wells.push_back(read_json(e.path()));
  wells.push_back(every_field_document());
  ASSERT_GT(wells.size(), 20u);
  for (const json& first : wells) {
    wf::Blocks used = wf::run_well(first).blocks;
    const wf::UsedBlocks extent{!wf::fills_tables(first), static_cast<int>(first["layers"].size())};
    for (const json& second : wells) {
      wf::Blocks b = used;
      wf::refill_blocks(second, b, extent);
      const wf::Blocks fresh = wf::to_blocks(second);
      for (const auto block : kEveryBlock)
        ASSERT_EQ((b.*block), (fresh.*block))
            << first.value("description", "") << " then " << second.value("description", "");
      ASSERT_EQ(b.calc_mode, fresh.calc_mode);
    }
  }
}

// Each kind of field (arrays per layer and per test, pairs, counts, given flags,
// names, tables) lands where the library's own views read it; the field table's
// positions are checked against the C field map in tests/blocks.
TEST(WellFileMapping, FieldsLandWhereTheBlockViewsReadThem) {
  const json doc = every_field_document();
  wf::Blocks b = wf::to_blocks(doc);
  dlv::WellRecord w{b.well_record.data()};
  dlv::LayerFluids lf{b.layer_fluids.data()};
  dlv::CompletionBlock cb{b.completion.data()};
  dlv::FluidTables ft{b.fluid_tables.data()};
  dlv::SeparatorConditions sep{b.separator.data()};
  const json& L1 = doc["layers"][1];
  EXPECT_EQ(w.method_code(), DLV_OIL_METHOD_DARCY_VOGEL);
  EXPECT_EQ(w.layer_count(), 3);
  EXPECT_EQ(w.test_count(), 5);
  EXPECT_EQ(w.ratetest_row_count(), 4);
  EXPECT_EQ(w.backpressure_c_given(), 1);
  EXPECT_EQ(w.backpressure_n_given(), 1);
  EXPECT_EQ(w.deliverability_test_type(), DLV_TEST_MODIFIED_ISOCHRONAL);
  EXPECT_EQ(w.reservoir_pressure()[1], L1["reservoir_pressure"].get<double>());
  EXPECT_EQ(w.test_shutin_pressure()[4], doc["tests"][4]["test_shutin_pressure"].get<double>());
  EXPECT_EQ(w.injection_coefficients(3)[1],
            doc["well"]["injection_coefficients"][3][1].get<double>());
  EXPECT_EQ(w.surface_term_factors()[1], doc["well"]["surface_term_factors"][1].get<double>());
  EXPECT_EQ(w.ratetest_water_rates()[3], doc["rate_test"]["ratetest_water_rates"][3].get<double>());
  EXPECT_EQ(lf.fluid_type(), DLV_FLUID_CORRELATIONS_4);
  EXPECT_EQ(lf.viscosity_mixing_rule(), DLV_MIXING_PHASE_INVERSION);
  EXPECT_EQ(lf.water_cut()[1], L1["water_cut"].get<double>());
  EXPECT_EQ(lf.bubble_point_given(2), 1);
  EXPECT_EQ(lf.bubble_point_given(3), 0);
  EXPECT_EQ(lf.viscosity_correlation(1), L1["viscosity_correlation"].get<int>());
  EXPECT_EQ(cb.completion_model(), DLV_COMPLETION_PERFORATION_SKINS);
  EXPECT_EQ(cb.perforation_length()[1], L1["perforation_length"].get<double>());
  EXPECT_EQ(sep.temperature(), doc["separator"]["separator_temperature"].get<double>());
  EXPECT_TRUE(ft.use_table(DLV_TABLE_OIL_FVF));
  EXPECT_TRUE(ft.use_table(DLV_TABLE_GAS_VISCOSITY));
  EXPECT_FALSE(ft.use_table(DLV_TABLE_SOLUTION_GOR));
  EXPECT_EQ(ft.table(DLV_TABLE_OIL_FVF).temperature_count(), 2);
  EXPECT_EQ(ft.table(DLV_TABLE_OIL_FVF).pressure_count(), 3);
  EXPECT_EQ(ft.table(DLV_TABLE_OIL_FVF).values()[2 * DLV_FLUID_TABLE_TEMPERATURE_CAPACITY + 1],
            1.33);
  dlv::TraverseRecord tr{b.traverse.data()};
  EXPECT_EQ(tr.segment_count(), doc["traverse"]["segment_count"].get<int>());
}

TEST(WellFileMapping, ModeAndMethodCodesByName) {
  // The mode and method, the calculation mode and the method's byte and code.
  const std::tuple<const char*, const char*, int, std::size_t, int> cases[] = {
      {"oil_production", "rate_test", DLV_MODE_OIL_PRODUCTION, DLV_WELL_RECORD_METHOD_CODE_BYTE,
       DLV_OIL_METHOD_RATE_TEST},
      {"gas_production", "backpressure_fit", DLV_MODE_GAS_PRODUCTION,
       DLV_WELL_RECORD_GAS_METHOD_BYTE, DLV_GAS_METHOD_BACKPRESSURE_FIT},
      {"gas_injection", "coefficients_squared_pressure", DLV_MODE_GAS_INJECTION,
       DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE, DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED},
      {"water_injection", "coefficients", DLV_MODE_WATER_INJECTION,
       DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE, DLV_WATER_INJECTION_METHOD_COEFFICIENTS}};
  for (const auto& [mode, method, calc_mode, method_byte, code] : cases) {
    const json doc = {{"mode", mode}, {"method", method}, {"layers", {json::object()}}};
    const wf::Blocks b = wf::to_blocks(doc);
    EXPECT_EQ(b.calc_mode, calc_mode) << method;
    EXPECT_EQ(i32_at(b.well_record, method_byte), code) << method;
    EXPECT_EQ(wf::from_blocks(b)["method"], method);
  }
}

TEST(WellFileNotes, AValueLeftOutAndReplacedIsMarkedNotGiven) {
  // Gas production gives layer 1 the temperature of layer 0.
  json doc = {{"mode", "gas_production"}, {"method", "darcy_nondarcy"}};
  json layer = {{"reservoir_pressure", 2000}, {"layer_temperature", 200}, {"gas_sg", 0.65},
                {"permeability", 5},          {"thickness", 30},          {"drainage_radius", 1000},
                {"wellbore_radius", 0.3}};
  doc["layers"] = {layer, layer};
  doc["layers"][1].erase("layer_temperature");
  // The check asks for it: a file cannot leave it out.
  const auto problems = wf::validate_well(doc);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].path, "layers[1].layer_temperature");
  doc["layers"][1]["layer_temperature"] = 0;
  const wf::RunOutcome out = wf::run_well(doc);
  ASSERT_EQ(out.notes.size(), 1u);
  EXPECT_EQ(out.notes[0].text(), "layers[1].layer_temperature: 0 \u2192 200 degF");
}
