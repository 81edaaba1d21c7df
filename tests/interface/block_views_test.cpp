// The block views against raw host arrays: every field at the slot or byte
// the host fills.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "interface/blocks.hpp"

namespace {

// A raw block of `slots` doubles.
struct Raw {
  std::vector<double> d;
  explicit Raw(std::size_t slots) : d(slots) {
    for (std::size_t i = 0; i < slots; ++i) d[i] = static_cast<double>(i);
  }
  double* at(std::size_t slot) { return d.data() + slot; }
  void put_i32(std::size_t byte, std::int32_t v) {
    std::memcpy(reinterpret_cast<unsigned char*>(d.data()) + byte, &v, sizeof v);
  }
  std::int32_t get_i32(std::size_t byte) const {
    std::int32_t v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(d.data()) + byte, sizeof v);
    return v;
  }
  void put_u8(std::size_t byte, std::uint8_t v) {
    std::memcpy(reinterpret_cast<unsigned char*>(d.data()) + byte, &v, sizeof v);
  }
};

// Each pair: the address a view gives and the first slot of the field.
#define SLOT(view_expr, slot) std::make_pair<const double*, std::size_t>(view_expr, slot)

template <typename Pairs>
void expect_slots(Raw& raw, const Pairs& pairs) {
  for (const auto& [address, slot] : pairs) EXPECT_EQ(address, raw.at(slot)) << "slot " << slot;
}

TEST(BlockViews, LayerFluidsFieldsAtTheirSlots) {
  Raw raw(1426);
  const dlv::LayerFluids f{raw.d.data()};
  const std::pair<const double*, std::size_t> fields[] = {
      SLOT(f.api_gravity().data(), 25),
      SLOT(f.water_cut().data(), 75),
      SLOT(f.liquid_yield().data(), 125),
      SLOT(f.water_sg().data(), 175),
      SLOT(f.gas_sg().data(), 225),
      SLOT(f.oil_sg().data(), 275),
      SLOT(f.producing_gor().data(), 325),
      SLOT(f.oil_viscosity().data(), 375),
      SLOT(f.water_viscosity().data(), 425),
      SLOT(f.liquid_viscosity().data(), 475),
      SLOT(f.gas_viscosity().data(), 525),
      SLOT(f.oil_fvf().data(), 575),
      SLOT(f.water_fvf().data(), 625),
      SLOT(f.liquid_fvf().data(), 675),
      SLOT(f.liquid_density().data(), 725),
      SLOT(f.oil_fraction().data(), 775),
      SLOT(f.bubble_point().data(), 825),
      SLOT(f.solution_gor().data(), 900),
      SLOT(f.total_compressibility().data(), 950),
      SLOT(f.gas_z_factor().data(), 1000),
      SLOT(f.sample_key().data(), 1075),
  };
  expect_slots(raw, fields);
  EXPECT_EQ(f.water_cut().size(), 50u);
  EXPECT_EQ(f.water_cut()[49], 124.0);

  raw.put_i32(0, 4);
  EXPECT_EQ(f.fluid_type(), 4);
  for (int L : {0, 1, 49}) {
    raw.put_i32(875 * 8 + 4 * L, 100 + L);
    raw.put_i32(1050 * 8 + 4 * L, 200 + L);
    raw.put_i32(1125 * 8 + 4 * L, 300 + L);
    raw.put_i32(1150 * 8 + 4 * L, 400 + L);
    raw.put_i32(1175 * 8 + 4 * L, 500 + L);
    EXPECT_EQ(f.bubble_point_given(L), 100 + L);
    EXPECT_EQ(f.sample_set(L), 200 + L);
    EXPECT_EQ(f.rs_correlation(L), 300 + L);
    EXPECT_EQ(f.fvf_correlation(L), 400 + L);
    EXPECT_EQ(f.viscosity_correlation(L), 500 + L);
  }
  raw.put_i32(1425 * 8 + 4, 77);
  f.set_viscosity_mixing_rule(2);
  EXPECT_EQ(raw.get_i32(1425 * 8), 2);
  EXPECT_EQ(f.viscosity_mixing_rule(), 2);
  EXPECT_EQ(raw.get_i32(1425 * 8 + 4), 77);  // the rest of the slot untouched
  EXPECT_EQ(raw.d[1424], 1424.0);
}

TEST(BlockViews, FluidTablesTablesCountsAndFlags) {
  Raw raw(45000 / 8);
  const dlv::FluidTables t{raw.d.data()};
  for (int k : {0, 1, 4, 6, 7, 9}) {
    const dlv::PropertyTable tab = t.table(k);
    const std::size_t first = 562 * static_cast<std::size_t>(k);
    EXPECT_EQ(tab.temperatures(), raw.at(first));
    EXPECT_EQ(tab.pressures(), raw.at(first + 10));
    EXPECT_EQ(tab.values(), raw.at(first + 60));
    EXPECT_EQ(tab.values()[3 * 10 + 2], static_cast<double>(first + 92));  // row 3, column 2
    raw.put_i32((first + 560) * 8, 10 - k);
    raw.put_i32((first + 560) * 8 + 4, 50 - k);
    EXPECT_EQ(tab.temperature_count(), 10 - k);
    EXPECT_EQ(tab.pressure_count(), 50 - k);
  }
  // Ten int32 flags fill the last 40 bytes; only the value 1 selects a table.
  for (int k = 0; k < 10; ++k) raw.put_i32(44960 + 4 * k, k == 4 ? 1 : (k == 6 ? 2 : 0));
  for (int k = 0; k < 10; ++k) EXPECT_EQ(t.use_table(k), k == 4) << k;
}

TEST(BlockViews, SmallBlocksAtTheirSlots) {
  Raw sep(2);
  const dlv::SeparatorConditions s{sep.d.data()};
  EXPECT_EQ(&s.pressure(), sep.at(0));
  EXPECT_EQ(&s.temperature(), sep.at(1));

  Raw curves(3750);
  const dlv::CurveTables c{curves.d.data()};
  EXPECT_EQ(c.rate(), curves.at(0));
  EXPECT_EQ(c.pressure(), curves.at(1250));
  EXPECT_EQ(c.drawdown(), curves.at(2500));
  EXPECT_EQ(c.rate(3).data(), curves.at(75));
  EXPECT_EQ(c.pressure(49).data(), curves.at(1250 + 1225));
  EXPECT_EQ(c.drawdown(49)[24], 3749.0);

  Raw sum(150);
  const dlv::WellSummary w{sum.d.data()};
  const std::pair<const double*, std::size_t> cols[] = {
      SLOT(w.rate(), 0),       SLOT(w.pressure(), 25),    SLOT(w.drawdown(), 50),
      SLOT(w.water_cut(), 75), SLOT(w.gas_liquid(), 100), SLOT(w.water_sg(), 125),
  };
  expect_slots(sum, cols);

  Raw res(250);
  const dlv::LayerResults r{res.d.data()};
  res.put_i32(4, 99);
  r.set_result_status(0);
  EXPECT_EQ(res.get_i32(0), 0);
  EXPECT_EQ(res.get_i32(4), 99);
  r.set_flow_regime_flag(0, 1);
  r.set_flow_regime_flag(49, 1);
  EXPECT_EQ(res.get_i32(25 * 8), 1);
  EXPECT_EQ(res.get_i32(25 * 8 + 49 * 4), 1);
  EXPECT_EQ(r.flow_regime_flag(49), 1);
  EXPECT_EQ(res.d[50], 50.0);  // the int32 array ends inside slot 49
  const std::pair<const double*, std::size_t> per_layer[] = {
      SLOT(r.effective_radius_ratio().data(), 50),
      SLOT(r.fracture_conductivity().data(), 100),
      SLOT(r.dimensionless_time().data(), 150),
      SLOT(r.result_bubble_point().data(), 200),
  };
  expect_slots(res, per_layer);
}

TEST(BlockViews, WellRecordIntegersShareSlots) {
  Raw raw(2008);
  const dlv::WellRecord w{raw.d.data()};
  const std::int32_t ints[] = {3, 6, 2, 1, 7, 2};  // slots 0..2, two per slot
  for (int i = 0; i < 6; ++i) raw.put_i32(4 * static_cast<std::size_t>(i), ints[i]);
  EXPECT_EQ(w.method_code(), 3);
  EXPECT_EQ(w.gas_method(), 6);
  EXPECT_EQ(w.gas_injection_method(), 2);
  EXPECT_EQ(w.water_injection_method(), 1);
  EXPECT_EQ(w.layer_count(), 7);
  EXPECT_EQ(w.deliverability_test_type(), 2);
  EXPECT_EQ(dlv::layers(w), 7);

  raw.put_i32(407 * 8, 12);
  raw.put_i32(407 * 8 + 4, -1);
  EXPECT_EQ(w.test_count(), 12);

  raw.put_i32(2007 * 8, 25);
  raw.put_u8(2007 * 8 + 4, 1);
  raw.put_u8(2007 * 8 + 5, 0);
  EXPECT_EQ(w.ratetest_row_count(), 25);
  EXPECT_EQ(w.backpressure_c_given(), 1);
  EXPECT_EQ(w.backpressure_n_given(), 0);
  raw.put_u8(2007 * 8 + 4, 0);
  raw.put_u8(2007 * 8 + 5, 1);
  EXPECT_EQ(w.backpressure_c_given(), 0);
  EXPECT_EQ(w.backpressure_n_given(), 1);
  EXPECT_EQ(w.ratetest_row_count(), 25);

  raw.put_i32(16, -3);
  EXPECT_EQ(dlv::layers(w), 0);
  raw.put_i32(16, 51);
  EXPECT_EQ(dlv::layers(w), 50);
}

TEST(BlockViews, WellRecordFieldsAtTheirSlots) {
  Raw raw(2008);
  const dlv::WellRecord w{raw.d.data()};
  const std::pair<const double*, std::size_t> fields[] = {
      SLOT(w.layer_temperature().data(), 3),
      SLOT(w.permeability().data(), 53),
      SLOT(w.thickness().data(), 103),
      SLOT(w.drainage_radius().data(), 153),
      SLOT(w.wellbore_radius().data(), 203),
      SLOT(w.skin().data(), 253),
      SLOT(w.reservoir_pressure().data(), 303),
      SLOT(w.test_rate(), 408),
      SLOT(w.test_pressure(), 508),
      SLOT(w.test_shutin_pressure(), 608),
      SLOT(&w.backpressure_c(), 710),
      SLOT(&w.backpressure_n(), 711),
      SLOT(&w.productivity_index(), 712),
      SLOT(&w.level_gradient(), 713),
      SLOT(w.surface_term_factors(), 714),
      SLOT(w.level_test_rate(), 717),
      SLOT(w.level_reading(), 719),
      SLOT(w.perm_y().data(), 722),
      SLOT(w.perm_z().data(), 772),
      SLOT(w.drainage_area().data(), 822),
      SLOT(w.well_start_y().data(), 872),
      SLOT(w.box_length_y().data(), 972),
      SLOT(w.well_position_x().data(), 1022),
      SLOT(w.box_width_x().data(), 1072),
      SLOT(w.well_elevation_z().data(), 1122),
      SLOT(w.well_length().data(), 1172),
      SLOT(w.fracture_half_length().data(), 1247),
      SLOT(w.porosity().data(), 1297),
      SLOT(w.production_time().data(), 1347),
      SLOT(w.fracture_width().data(), 1397),
      SLOT(w.fracture_permeability().data(), 1447),
      SLOT(&w.rate_multiplier(), 1497),
      SLOT(&w.non_darcy_coefficient(), 1498),
      SLOT(w.injection_coefficients(0), 1548),
      SLOT(w.injection_coefficients(3), 1554),
      SLOT(w.break_pressure().data(), 1556),
      SLOT(w.max_injection_rate().data(), 1606),
      SLOT(w.second_skin().data(), 1656),
      SLOT(w.injection_traverse_depth().data(), 1706),
      SLOT(w.layer_depth().data(), 1756),
      SLOT(&w.reference_depth(), 1906),
      SLOT(w.ratetest_pressures(), 1907),
      SLOT(w.ratetest_liquid_rates(), 1932),
      SLOT(w.ratetest_gas_rates(), 1957),
      SLOT(w.ratetest_water_rates(), 1982),
  };
  expect_slots(raw, fields);
  EXPECT_EQ(w.reservoir_pressure()[49], 352.0);
  EXPECT_EQ(w.ratetest_water_rates()[24], 2006.0);
}

TEST(BlockViews, CompletionBlockFieldsAtTheirSlots) {
  Raw raw(402);
  const dlv::CompletionBlock c{raw.d.data()};
  raw.put_i32(0, 3);
  raw.put_i32(4, 8);
  EXPECT_EQ(c.completion_model(), 3);
  const std::pair<const double*, std::size_t> fields[] = {
      SLOT(&c.shot_density_factor(), 1),
      SLOT(c.gravel_permeability().data(), 2),
      SLOT(c.crushed_zone_permeability().data(), 52),
      SLOT(c.crushed_zone_thickness().data(), 102),
      SLOT(c.shot_density().data(), 152),
      SLOT(c.perforation_diameter().data(), 202),
      SLOT(c.perforated_interval().data(), 252),
      SLOT(c.gravel_tunnel_length().data(), 302),
      SLOT(c.perforation_length().data(), 352),
  };
  expect_slots(raw, fields);
  EXPECT_EQ(c.perforation_length()[49], 401.0);
}

TEST(BlockViews, TraverseRecordFieldsAtTheirBytes) {
  Raw raw(12888 / 8);
  const dlv::TraverseRecord t{raw.d.data()};
  auto f64 = [&](std::size_t byte) { return raw.d[byte / 8]; };
  t.set_first_rate(1.5);
  t.set_second_rate(2.5);
  t.set_water_cut_percent(35.0);
  t.set_gas_oil_ratio(500.0);
  t.set_start_pressure(2400.0);
  EXPECT_EQ(f64(0), 1.5);
  EXPECT_EQ(t.first_rate(), 1.5);
  EXPECT_EQ(f64(8), 2.5);
  EXPECT_EQ(f64(16), 35.0);
  EXPECT_EQ(f64(72), 500.0);
  EXPECT_EQ(f64(104), 2400.0);
  EXPECT_EQ(t.depth_setup_value(), 416.0);  // slot 3328 / 8 = 416

  raw.put_i32(10944, 3);
  raw.put_i32(10948, 1);
  raw.put_i32(10952, 6);
  EXPECT_EQ(t.record_type(), 3);
  EXPECT_EQ(t.suppress_fluid_errors(), 1);
  EXPECT_EQ(raw.get_i32(2737 * 4), 1);  // element 2737 in 32-bit elements
  EXPECT_EQ(t.segment_count(), 6);
  t.set_direction_flag(1);
  EXPECT_EQ(raw.get_i32(10964), 1);
  t.set_segment_flag(5, 1);
  EXPECT_EQ(raw.get_i32(10968 + 20), 1);
  EXPECT_EQ(t.segment_flag(5), 1);
  raw.put_i32(12592, 9);
  t.set_template_reset(0);
  EXPECT_EQ(raw.get_i32(12592), 0);
}

#undef SLOT

}  // namespace
