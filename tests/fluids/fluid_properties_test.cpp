#include "fluids/fluid_properties.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

namespace lay = dlv::layout;

struct Mixed {
  double bo, bw, fvf = -7.0, mu = -7.0, rho = -7.0;
};

// Oil of 10 cp and gravity sg_o, water of 1 cp and gravity 1.05.
Mixed mix(double fw, std::int32_t rule, double bo = 1.2, double bw = 1.0, double sg_o = 0.85) {
  Mixed m{bo, bw};
  dlv::mix_liquid_properties({fw, 10.0, 1.0, sg_o, 1.05}, rule, m.bo, m.bw, m.fvf, m.mu, m.rho);
  return m;
}

TEST(MixLiquidProperties, ViscosityRulesAndVolumeFactorsRaisedAfterUse) {
  // Rule 7 is unknown and writes no viscosity; without water the oil's holds under any rule.
  // Rule 2 takes the middle form from 25 % to 75 % water cut, both included.
  const double cases[][3] = {{0.1, 2, 9.91},     {0.9, 2, 1.09},    {0.5, 2, 5.5},
                             {0.25, 2, 7.6375},  {0.75, 2, 3.3625}, {0.5, 0, 5.5},
                             {0.5, 1, 1 / 0.55}, {0.5, 7, -7.0},    {0.0, 7, 10.0}};
  for (const auto& c : cases) {
    EXPECT_NEAR(mix(c[0], static_cast<std::int32_t>(c[1])).mu, c[2], 1e-14) << c[0] << ' ' << c[1];
  }
  const Mixed m = mix(0.5, 0, 0.9);  // the liquid factor takes Bo before it is raised
  EXPECT_EQ(m.fvf, 0.95);
  EXPECT_EQ(m.bo, 1.0);
  EXPECT_DOUBLE_EQ(m.rho, 62.4 * 0.5 * 0.85 + 62.4 * 1.05 * 0.5);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_DOUBLE_EQ(mix(1.0, 2, 0.0, 1.05, nan).rho, 62.4);  // the oil term is left out
}

// Host blocks of one well whose layer L holds an oil by Standing's correlations.
struct Well {
  std::vector<double> fluids = std::vector<double>(lay::fluids::min_slots, 0.0);
  std::vector<double> tables = std::vector<double>(lay::tables::total_bytes / 8, 0.0);
  std::vector<double> sep = {100.0, 60.0}, well = std::vector<double>(lay::well::min_slots, 0.0);
  std::int32_t error = -7;
  dlv::LayerFluids f() { return {fluids.data()}; }
  static void put(std::vector<double>& block, std::size_t slot, int i, std::int32_t v) {
    dlv::detail::store_i32(block.data(), dlv::detail::i32_byte(slot, i), v);
  }
  explicit Well(std::int32_t type = 1, int L = 0) {
    put(fluids, 0, 0, type);
    put(fluids, lay::fluids::rs_correlation, L, 1);
    put(fluids, lay::fluids::fvf_correlation, L, 1);
    f().api_gravity()[L] = 35.0;
    f().gas_sg()[L] = 0.8;
    f().producing_gor()[L] = 600.0;
    f().water_cut()[L] = 0.2;
    well[lay::well::layer_temperature + L] = 200.0;
    well[lay::well::reservoir_pressure + L] = 3000.0;
  }
  // Switches on table k, over one temperature and two pressures, equal to the pressure.
  void pressure_table(int k) {
    namespace t = lay::tables;
    tables[k * t::table_slots + t::pressures + 1] = 10000.0;
    tables[k * t::table_slots + t::values + t::kTemperatureCapacity] = 10000.0;
    put(tables, k * t::table_slots + t::counts, 0, 1);
    put(tables, k * t::table_slots + t::counts, 1, 2);
    put(tables, t::use_flags, k, 1);
  }
  Well& run(std::int32_t mode, std::int32_t L = 0) {
    dlv::layer_fluid_properties({tables.data()}, L, f(), {sep.data()}, {well.data()}, mode, error,
                                0);
    return *this;
  }
};

TEST(LayerFluidProperties, OilByCorrelationsTakesPercentCutsAndKeepsAGivenBubblePoint) {
  Well w;
  w.f().water_cut()[0] = 30.0;
  w.f().gas_sg()[0] = 2.0;  // calrs and calfvf refuse it; the fault ends in the log
  w.run(0);
  EXPECT_EQ((std::array{double(w.error), w.f().oil_fvf()[0], w.f().oil_sg()[0]}),
            (std::array{0.0, 1.1, 141.5 / 166.5}));
  EXPECT_NEAR(w.f().oil_fraction()[0], 0.7, 1e-15);
  const double computed = Well().run(0).f().bubble_point()[0];
  Well given;  // a saved bubble point of 0 does not count
  Well::put(given.fluids, lay::fluids::bubble_point_given, 0, 1);
  given.f().water_cut()[0] = 1.0;  // a fraction already
  given.f().bubble_point()[0] = 2500.0;
  const double kept = given.run(0).f().bubble_point()[0];
  given.f().bubble_point()[0] = 0.0;
  EXPECT_EQ((std::array{kept, given.f().water_cut()[0], given.run(0).f().bubble_point()[0]}),
            (std::array{2500.0, 1.0, computed}));
}

TEST(LayerFluidProperties, TablesReplaceCorrelationsAndThePressureIsCappedAfterRs) {
  Well w(4, 3);
  for (int k : {0, 1, 4}) w.pressure_table(k);
  w.well[lay::well::reservoir_pressure + 3] = 25000.0;
  const dlv::LayerFluids f = w.run(0, 3).f();
  EXPECT_EQ(w.error, 0);
  EXPECT_NEAR(f.solution_gor()[3], 25014.7, 1e-9);
  EXPECT_NEAR(f.oil_fvf()[3], 22500.0, 1e-9);
  EXPECT_NEAR(f.oil_viscosity()[3], 22500.0, 1e-9);
  EXPECT_EQ(f.water_viscosity()[3], f.oil_viscosity()[3]);
}

TEST(LayerFluidProperties, BuiltInCrudesAndOtherModesFillTheirFixedValues) {
  Well samples(2), field(3);
  samples.f().sample_key()[0] = 6630.0;
  samples.f().producing_gor()[0] = 1000.0;
  field.well[lay::well::reservoir_pressure] = 25000.0;  // not capped
  // Bubble point, gas, oil and water gravities and the water volume factor.
  for (auto [w, want] : {std::pair{&samples, std::array{3000.0, 0.678, 0.91, 1.02, 1.02}},
                         std::pair{&field, std::array{25000.0, 0.678, 0.89, 1.07, 1.07}}}) {
    const dlv::LayerFluids f = w->run(0).f();
    EXPECT_EQ((std::array{f.bubble_point()[0], f.gas_sg()[0], f.oil_sg()[0], f.water_sg()[0],
                          f.water_fvf()[0]}),
              want);
  }
  for (std::int32_t mode : {1, 2, 3}) {
    Well w;
    w.f().oil_fvf()[1] = 1.3;
    const dlv::LayerFluids f = w.run(mode).run(mode, 1).f();
    EXPECT_EQ((std::array{f.oil_fvf()[0], f.oil_fvf()[1], f.oil_sg()[0], f.water_fvf()[0],
                          f.liquid_fvf()[0], f.liquid_density()[0]}),
              (std::array{1.07, 1.3, 0.89, 1.07, 1.02, 1.02}))
        << mode;
    EXPECT_EQ(f.liquid_viscosity()[0], f.water_viscosity()[0]);
  }
}

}  // namespace
