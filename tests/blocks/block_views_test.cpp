// The block views against raw host arrays: every field at the slot or byte
// where the host puts it.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "blocks/blocks.hpp"

namespace {

struct Raw {
  std::vector<double> d;
  explicit Raw(std::size_t slots) : d(slots) {}
  unsigned char* bytes() { return reinterpret_cast<unsigned char*>(d.data()); }
  void put(std::size_t byte, std::int32_t v) { std::memcpy(bytes() + byte, &v, 4); }
  std::int32_t get(std::size_t byte) {
    std::int32_t v;
    std::memcpy(&v, bytes() + byte, 4);
    return v;
  }
  // Each field's first element against its documented first slot.
  void expect(std::initializer_list<std::pair<const double*, int>> fields) {
    for (const auto& [at, slot] : fields) EXPECT_EQ(at - d.data(), slot);
  }
};

TEST(BlockViews, LayerFluids) {
  Raw raw(DLV_LAYER_FLUIDS_SLOTS);
  const dlv::LayerFluids f{raw.d.data()};
  raw.put(DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE, 4);
  EXPECT_EQ(f.fluid_type(), 4);
  using Code = std::int32_t (dlv::LayerFluids::*)(int) const;
  const std::pair<int, Code> codes[] = {
      {DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE, &dlv::LayerFluids::bubble_point_given},
      {DLV_LAYER_FLUIDS_SAMPLE_SET_BYTE, &dlv::LayerFluids::sample_set},
      {DLV_LAYER_FLUIDS_RS_CORRELATION_BYTE, &dlv::LayerFluids::rs_correlation},
      {DLV_LAYER_FLUIDS_FVF_CORRELATION_BYTE, &dlv::LayerFluids::fvf_correlation},
      {DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION_BYTE, &dlv::LayerFluids::viscosity_correlation}};
  for (int L : {0, 49}) {
    for (const auto& [byte, code] : codes) raw.put(byte + 4 * L, byte + L);
    for (const auto& [byte, code] : codes) EXPECT_EQ((f.*code)(L), byte + L) << byte;
  }
  raw.put(DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE + 4, 77);
  f.set_viscosity_mixing_rule(DLV_MIXING_PHASE_INVERSION);
  EXPECT_EQ(raw.get(DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE), DLV_MIXING_PHASE_INVERSION);
  EXPECT_EQ(raw.get(DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE + 4),
            77);  // only the first four bytes written
}

TEST(BlockViews, FluidTables) {
  Raw raw(DLV_FLUID_TABLES_SLOTS);
  const dlv::FluidTables t{raw.d.data()};
  for (int k : {0, 9}) {
    const dlv::PropertyTable tab = t.table(k);
    const int at = DLV_FLUID_TABLE_SLOTS * k;
    raw.expect({{tab.temperatures(), at + DLV_FLUID_TABLE_TEMPERATURES},
                {tab.pressures(), at + DLV_FLUID_TABLE_PRESSURES},
                {tab.values(), at + DLV_FLUID_TABLE_VALUES}});
    raw.put(at * 8 + DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE, 10 - k);
    raw.put(at * 8 + DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE, 50 - k);
    EXPECT_EQ(tab.temperature_count(), 10 - k);
    EXPECT_EQ(tab.pressure_count(), 50 - k);
  }
  for (int k = 0; k < 10; ++k)
    raw.put(DLV_FLUID_TABLES_USE_TABLE_BYTE + 4 * k, k == 4 ? 1 : (k == 6 ? 2 : 0));
  for (int k = 0; k < 10; ++k) EXPECT_EQ(t.use_table(k), k == 4) << k;
}

TEST(BlockViews, CurvesSummaryResultsCompletion) {
  Raw c(DLV_CURVE_BLOCK_SLOTS), s(DLV_WELL_SUMMARY_SLOTS), r(DLV_LAYER_RESULTS_SLOTS),
      comp(DLV_COMPLETION_SLOTS);
  const dlv::CurveTables ct{c.d.data()};
  const dlv::WellSummary ws{s.d.data()};
  const dlv::LayerResults lr{r.d.data()};
  const dlv::CompletionBlock cb{comp.d.data()};
  // clang-format off
  constexpr int P = DLV_POINTS;
  c.expect({{ct.rate(), DLV_CURVES_RATE}, {ct.pressure(), DLV_CURVES_PRESSURE},
      {ct.drawdown(), DLV_CURVES_DRAWDOWN}, {ct.rate(3).data(), DLV_CURVES_RATE + 3 * P},
      {ct.pressure(49).data(), DLV_CURVES_PRESSURE + 49 * P},
      {&ct.drawdown(49)[24], DLV_CURVES_DRAWDOWN + 49 * P + 24}});
  s.expect({{ws.rate(), DLV_SUMMARY_RATE}, {ws.pressure(), DLV_SUMMARY_PRESSURE}, {ws.drawdown(), DLV_SUMMARY_DRAWDOWN}, {ws.water_cut(), DLV_SUMMARY_WATER_CUT},
      {ws.gas_liquid(), DLV_SUMMARY_GAS_LIQUID}, {ws.water_sg(), DLV_SUMMARY_WATER_SG}});
  // clang-format on
  r.put(DLV_RESULTS_RESULT_STATUS_BYTE + 4, 99);
  lr.set_result_status(0);
  lr.set_flow_regime_flag(49, 1);
  EXPECT_EQ(r.get(DLV_RESULTS_RESULT_STATUS_BYTE + 4), 99);
  EXPECT_EQ(r.get(DLV_RESULTS_FLOW_REGIME_FLAG_BYTE + 49 * 4), 1);
  comp.put(DLV_COMPLETION_COMPLETION_MODEL_BYTE, 3);
  EXPECT_EQ(cb.completion_model(), 3);
}

TEST(BlockViews, WellRecord) {
  Raw raw(DLV_WELL_RECORD_SLOTS);
  const dlv::WellRecord w{raw.d.data()};
  using Code = std::int32_t (dlv::WellRecord::*)() const;
  const std::pair<int, Code> codes[] = {
      {DLV_WELL_RECORD_METHOD_CODE_BYTE, &dlv::WellRecord::method_code},
      {DLV_WELL_RECORD_GAS_METHOD_BYTE, &dlv::WellRecord::gas_method},
      {DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE, &dlv::WellRecord::gas_injection_method},
      {DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE, &dlv::WellRecord::water_injection_method},
      {DLV_WELL_RECORD_LAYER_COUNT_BYTE, &dlv::WellRecord::layer_count},
      {DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE, &dlv::WellRecord::deliverability_test_type},
      {DLV_WELL_RECORD_TEST_COUNT_BYTE, &dlv::WellRecord::test_count},
      {DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE, &dlv::WellRecord::ratetest_row_count}};
  for (const auto& [byte, code] : codes) raw.put(byte, 1000 + byte);
  raw.put(DLV_WELL_RECORD_TEST_COUNT_BYTE + 4, -1);
  for (const auto& [byte, code] : codes) EXPECT_EQ((w.*code)(), 1000 + byte) << byte;
  raw.bytes()[DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE] = 1;
  EXPECT_EQ(w.backpressure_c_given(), 1);
  EXPECT_EQ(w.backpressure_n_given(), 0);
  // clang-format off
  raw.expect({{w.test_rate(), DLV_WELL_RECORD_TEST_RATE}, {w.test_pressure(), DLV_WELL_RECORD_TEST_PRESSURE},
      {w.test_shutin_pressure(), DLV_WELL_RECORD_TEST_SHUTIN_PRESSURE}, {w.surface_term_factors(), DLV_WELL_RECORD_SURFACE_TERM_FACTORS},
      {w.level_test_rate(), DLV_WELL_RECORD_LEVEL_TEST_RATE}, {w.level_reading(), DLV_WELL_RECORD_LEVEL_READING},
      {w.injection_coefficients(0), DLV_WELL_RECORD_INJECTION_COEFFICIENTS}, {w.injection_coefficients(3), DLV_WELL_RECORD_INJECTION_COEFFICIENTS + 6},
      {w.ratetest_pressures(), DLV_WELL_RECORD_RATETEST_PRESSURES}, {w.ratetest_liquid_rates(), DLV_WELL_RECORD_RATETEST_LIQUID_RATES},
      {w.ratetest_gas_rates(), DLV_WELL_RECORD_RATETEST_GAS_RATES}, {w.ratetest_water_rates(), DLV_WELL_RECORD_RATETEST_WATER_RATES}});
  // clang-format on
}

// The per-layer and scalar views are written out from each field's name
// (DLV_LAYER_FIELD, DLV_SCALAR_FIELD); they stay on the host's slots because
// every slot constant of the layout is the field-map macro of its own name,
// DLV_<BLOCK>_<NAME> or its _BYTE, and each namespace names one block.
TEST(BlockViews, EveryLayoutConstantIsTheFieldMapMacroOfItsName) {
  std::ifstream in(DLV_SOURCE_DIR "/src/blocks/block_layout.hpp");
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  const std::regex item(R"(namespace (\w+) \{|std::size_t (\w+) =\s*(DLV_\w+);)");
  const std::set<std::string> sizes = {"min_slots", "total_slots", "table_slots", "use_flags"};
  std::map<std::string, std::set<std::string>> blocks;
  std::string space;
  for (std::sregex_iterator m(text.begin(), text.end(), item), end; m != end; ++m) {
    if ((*m)[1].matched) space = (*m)[1];
    if ((*m)[1].matched || sizes.count((*m)[2]) != 0) continue;
    const std::string name = (*m)[2];
    std::string tail = "_", macro = (*m)[3];
    for (char c : name) tail += static_cast<char>(std::toupper(c));
    if (macro.ends_with("_BYTE") && !tail.ends_with("_BYTE")) macro.resize(macro.size() - 5);
    const std::size_t cut = macro.size() > tail.size() ? macro.size() - tail.size() : 0;
    EXPECT_EQ(macro.substr(cut), tail) << space << "::" << name;
    blocks[space].insert(macro.substr(0, cut));
  }
  EXPECT_EQ(blocks.size(), 9u);
  for (const auto& [space, prefixes] : blocks) EXPECT_EQ(prefixes.size(), 1u) << space;
}

// The traverse record's other fields sit at the bytes of the traverse library's record.
TEST(BlockViews, TraverseRecordBytes) {
  Raw raw(DLV_TRAVERSE_SLOTS);
  const dlv::TraverseRecord t{raw.d.data()};
  t.set_first_rate(1.0);
  t.set_second_rate(2.0);
  t.set_water_cut_percent(3.0);
  t.set_gas_oil_ratio(4.0);
  t.set_start_pressure(5.0);
  raw.d[3328 / 8] = 6.0;
  const int at[] = {0, 8, 16, 72, 104, 3328};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(raw.d[at[i] / 8], i + 1.0) << at[i];
  EXPECT_EQ(t.depth_setup_value(), 6.0);
  raw.put(DLV_TRAVERSE_RECORD_TYPE_BYTE, 3);
  raw.put(DLV_TRAVERSE_SUPPRESS_FLUID_ERRORS_BYTE, 1);
  raw.put(DLV_TRAVERSE_SEGMENT_COUNT_BYTE, 6);
  EXPECT_EQ(t.record_type(), 3);
  EXPECT_EQ(t.suppress_fluid_errors(), 1);
  EXPECT_EQ(t.segment_count(), 6);
  t.set_direction_flag(1);
  t.set_segment_flag(5, 1);
  raw.put(12592, 9);
  t.set_template_reset(0);
  EXPECT_EQ(raw.get(10964), 1);
  EXPECT_EQ(raw.get(10968 + 20), 1);
  EXPECT_EQ(raw.get(12592), 0);
}

}  // namespace
