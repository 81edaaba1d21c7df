// The block views against raw host arrays: every field at the slot or byte
// where the host puts it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
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
  Raw raw(1426);
  const dlv::LayerFluids f{raw.d.data()};
  // clang-format off
  raw.expect({{f.api_gravity().data(), 25}, {f.water_cut().data(), 75},
      {f.liquid_yield().data(), 125}, {f.water_sg().data(), 175}, {f.gas_sg().data(), 225},
      {f.oil_sg().data(), 275}, {f.producing_gor().data(), 325}, {f.oil_viscosity().data(), 375},
      {f.water_viscosity().data(), 425}, {f.liquid_viscosity().data(), 475},
      {f.gas_viscosity().data(), 525}, {f.oil_fvf().data(), 575}, {f.water_fvf().data(), 625},
      {f.liquid_fvf().data(), 675}, {f.liquid_density().data(), 725},
      {f.oil_fraction().data(), 775}, {f.bubble_point().data(), 825},
      {f.solution_gor().data(), 900}, {f.total_compressibility().data(), 950},
      {f.gas_z_factor().data(), 1000}, {f.sample_key().data(), 1075}});
  // clang-format on
  raw.put(0, 4);
  EXPECT_EQ(f.fluid_type(), 4);
  for (int L : {0, 49}) {
    for (int slot : {875, 1050, 1125, 1150, 1175}) raw.put(slot * 8 + 4 * L, slot + L);
    EXPECT_EQ(f.bubble_point_given(L), 875 + L);
    EXPECT_EQ(f.sample_set(L), 1050 + L);
    EXPECT_EQ(f.rs_correlation(L), 1125 + L);
    EXPECT_EQ(f.fvf_correlation(L), 1150 + L);
    EXPECT_EQ(f.viscosity_correlation(L), 1175 + L);
  }
  raw.put(1425 * 8 + 4, 77);
  f.set_viscosity_mixing_rule(2);
  EXPECT_EQ(raw.get(1425 * 8), 2);
  EXPECT_EQ(raw.get(1425 * 8 + 4), 77);  // only the first four bytes written
}

TEST(BlockViews, FluidTables) {
  Raw raw(45000 / 8);
  const dlv::FluidTables t{raw.d.data()};
  for (int k : {0, 9}) {
    const dlv::PropertyTable tab = t.table(k);
    raw.expect({{tab.temperatures(), 562 * k},
                {tab.pressures(), 562 * k + 10},
                {tab.values(), 562 * k + 60}});
    raw.put((562 * k + 560) * 8, 10 - k);
    raw.put((562 * k + 560) * 8 + 4, 50 - k);
    EXPECT_EQ(tab.temperature_count(), 10 - k);
    EXPECT_EQ(tab.pressure_count(), 50 - k);
  }
  for (int k = 0; k < 10; ++k) raw.put(44960 + 4 * k, k == 4 ? 1 : (k == 6 ? 2 : 0));
  for (int k = 0; k < 10; ++k) EXPECT_EQ(t.use_table(k), k == 4) << k;
}

TEST(BlockViews, CurvesSummaryResultsSeparatorCompletion) {
  Raw c(3750), s(150), r(250), sep(2), comp(402);
  const dlv::CurveTables ct{c.d.data()};
  const dlv::WellSummary ws{s.d.data()};
  const dlv::LayerResults lr{r.d.data()};
  const dlv::SeparatorConditions sc{sep.d.data()};
  const dlv::CompletionBlock cb{comp.d.data()};
  // clang-format off
  c.expect({{ct.rate(), 0}, {ct.pressure(), 1250}, {ct.drawdown(), 2500},
      {ct.rate(3).data(), 75}, {ct.pressure(49).data(), 2475}, {&ct.drawdown(49)[24], 3749}});
  s.expect({{ws.rate(), 0}, {ws.pressure(), 25}, {ws.drawdown(), 50}, {ws.water_cut(), 75},
      {ws.gas_liquid(), 100}, {ws.water_sg(), 125}});
  r.expect({{lr.effective_radius_ratio().data(), 50}, {lr.fracture_conductivity().data(), 100},
      {lr.dimensionless_time().data(), 150}, {lr.result_bubble_point().data(), 200}});
  sep.expect({{&sc.pressure(), 0}, {&sc.temperature(), 1}});
  comp.expect({{&cb.shot_density_factor(), 1}, {cb.gravel_permeability().data(), 2},
      {cb.crushed_zone_permeability().data(), 52}, {cb.crushed_zone_thickness().data(), 102},
      {cb.shot_density().data(), 152}, {cb.perforation_diameter().data(), 202},
      {cb.perforated_interval().data(), 252}, {cb.gravel_tunnel_length().data(), 302},
      {cb.perforation_length().data(), 352}});
  // clang-format on
  r.put(4, 99);
  lr.set_result_status(0);
  lr.set_flow_regime_flag(49, 1);
  EXPECT_EQ(r.get(4), 99);
  EXPECT_EQ(r.get(25 * 8 + 49 * 4), 1);
  comp.put(0, 3);
  EXPECT_EQ(cb.completion_model(), 3);
}

TEST(BlockViews, WellRecord) {
  Raw raw(2008);
  const dlv::WellRecord w{raw.d.data()};
  for (int i = 0; i < 6; ++i) raw.put(4 * i, 10 + i);  // int32 pairs in slots 0..2
  EXPECT_EQ(w.method_code(), 10);
  EXPECT_EQ(w.gas_method(), 11);
  EXPECT_EQ(w.gas_injection_method(), 12);
  EXPECT_EQ(w.water_injection_method(), 13);
  EXPECT_EQ(w.layer_count(), 14);
  EXPECT_EQ(w.deliverability_test_type(), 15);
  raw.put(407 * 8, 12);
  raw.put(407 * 8 + 4, -1);
  EXPECT_EQ(w.test_count(), 12);
  raw.put(2007 * 8, 25);
  raw.bytes()[2007 * 8 + 4] = 1;  // backpressure_c_given, then backpressure_n_given
  EXPECT_EQ(w.ratetest_row_count(), 25);
  EXPECT_EQ(w.backpressure_c_given(), 1);
  EXPECT_EQ(w.backpressure_n_given(), 0);
  // clang-format off
  raw.expect({{w.layer_temperature().data(), 3}, {w.permeability().data(), 53},
      {w.thickness().data(), 103}, {w.drainage_radius().data(), 153},
      {w.wellbore_radius().data(), 203}, {w.skin().data(), 253},
      {w.reservoir_pressure().data(), 303}, {w.test_rate(), 408}, {w.test_pressure(), 508},
      {w.test_shutin_pressure(), 608}, {&w.backpressure_c(), 710}, {&w.backpressure_n(), 711},
      {&w.productivity_index(), 712}, {&w.level_gradient(), 713},
      {w.surface_term_factors(), 714}, {w.level_test_rate(), 717}, {w.level_reading(), 719},
      {w.perm_y().data(), 722}, {w.perm_z().data(), 772}, {w.drainage_area().data(), 822},
      {w.well_start_y().data(), 872}, {w.box_length_y().data(), 972},
      {w.well_position_x().data(), 1022}, {w.box_width_x().data(), 1072},
      {w.well_elevation_z().data(), 1122}, {w.well_length().data(), 1172},
      {w.fracture_half_length().data(), 1247}, {w.porosity().data(), 1297},
      {w.production_time().data(), 1347}, {w.fracture_width().data(), 1397},
      {w.fracture_permeability().data(), 1447}, {&w.rate_multiplier(), 1497},
      {&w.non_darcy_coefficient(), 1498}, {w.injection_coefficients(0), 1548},
      {w.injection_coefficients(3), 1554}, {w.break_pressure().data(), 1556},
      {w.max_injection_rate().data(), 1606}, {w.second_skin().data(), 1656},
      {w.injection_traverse_depth().data(), 1706}, {w.layer_depth().data(), 1756},
      {&w.reference_depth(), 1906}, {w.ratetest_pressures(), 1907},
      {w.ratetest_liquid_rates(), 1932}, {w.ratetest_gas_rates(), 1957},
      {w.ratetest_water_rates(), 1982}});
  // clang-format on
}

TEST(BlockViews, TraverseRecordBytes) {
  Raw raw(12888 / 8);
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
  raw.put(10944, 3);
  raw.put(2737 * 4, 1);  // suppress_fluid_errors: element 2737 in 32-bit elements
  raw.put(10952, 6);
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
