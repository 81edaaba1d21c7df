#include "fluids/fluid_properties.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <vector>

namespace {

namespace lay = dlv::layout;

struct Mix {
  double fw, bo = 1.2, bw = 1.0, mu_o = 10.0, mu_w = 1.0, sg_o = 0.85, sg_w = 1.05;
  double fvf = -7.0, mu = -7.0, rho = -7.0;
  Mix& run(std::int32_t rule) {
    dlv::mix_liquid_properties(fw, bo, bw, mu_o, mu_w, sg_o, sg_w, fvf, mu, rho, rule);
    return *this;
  }
};

double mixed(double fw, std::int32_t rule) { return Mix{.fw = fw}.run(rule).mu; }

TEST(MixLiquidProperties, ViscosityRulesAndVolumeFactorsRaisedAfterUse) {
  EXPECT_NEAR(mixed(0.1, 2), 9.91, 1e-14);
  EXPECT_NEAR(mixed(0.9, 2), 1.09, 1e-14);
  EXPECT_NEAR(mixed(0.5, 2), 5.5, 1e-14);
  EXPECT_NEAR(mixed(0.5, 0), 5.5, 1e-14);
  EXPECT_NEAR(mixed(0.5, 1), 1.0 / 0.55, 1e-14);
  EXPECT_EQ(mixed(0.5, 7), -7.0);                            // an unknown rule writes none
  EXPECT_EQ((Mix{.fw = 0.0, .mu_w = 0.0}.run(1).mu), 10.0);  // no water: the oil alone
  Mix m{.fw = 0.5, .bo = 0.9};
  m.run(0);
  EXPECT_NEAR(m.fvf, 0.95, 1e-15);
  EXPECT_EQ(m.bo, 1.0);
  EXPECT_DOUBLE_EQ(m.rho, 62.4 * 0.5 * 0.85 + 62.4 * 1.05 * 0.5);
  Mix water{.fw = 1.0, .bo = 0.0, .bw = 1.05, .sg_o = std::numeric_limits<double>::quiet_NaN()};
  EXPECT_DOUBLE_EQ(water.run(2).rho, 62.4 * 1.05 / 1.05);  // the oil term is left out
}

// Host blocks of one well; layer L holds an oil by Standing's correlations.
struct Well {
  std::vector<double> fluids = std::vector<double>(lay::fluids::min_slots, 0.0);
  std::vector<double> tables = std::vector<double>(lay::tables::total_bytes / 8, 0.0);
  std::vector<double> sep = {100.0, 60.0};
  std::vector<double> well = std::vector<double>(lay::well::min_slots, 0.0);
  std::int32_t error = -7;

  dlv::LayerFluids f() { return {fluids.data()}; }
  static void put(std::vector<double>& block, std::size_t byte, std::int32_t v) {
    std::memcpy(reinterpret_cast<char*>(block.data()) + byte, &v, 4);
  }
  explicit Well(std::int32_t type = 1, int L = 0) {
    put(fluids, 0, type);
    f().api_gravity()[L] = 35.0;
    f().gas_sg()[L] = 0.8;
    f().producing_gor()[L] = 600.0;
    f().water_cut()[L] = 0.2;
    put(fluids, lay::fluids::rs_correlation * 8 + 4 * L, 1);
    put(fluids, lay::fluids::fvf_correlation * 8 + 4 * L, 1);
    well[lay::well::layer_temperature + L] = 200.0;
    well[lay::well::reservoir_pressure + L] = 3000.0;
  }
  // Table k over one temperature and two pressures, equal to the pressure.
  void pressure_table(int k) {
    namespace t = lay::tables;
    double* table = tables.data() + k * t::table_slots;
    table[t::pressures + 1] = 10000.0;
    table[t::values + t::kTemperatureCapacity] = 10000.0;
    put(tables, (k * t::table_slots + t::counts) * 8, 1);
    put(tables, (k * t::table_slots + t::counts) * 8 + 4, 2);
    put(tables, t::use_flags * 8 + 4 * k, 1);
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
  w.run(0);
  EXPECT_EQ(w.error, 0);
  EXPECT_NEAR(w.f().oil_fraction()[0], 0.7, 1e-15);
  EXPECT_EQ(w.f().oil_sg()[0], 141.5 / 166.5);
  EXPECT_TRUE(w.f().oil_fvf()[0] > 1.0 && w.f().oil_fvf()[0] < 2.0);
  EXPECT_TRUE(w.f().solution_gor()[0] > 0.0 && w.f().solution_gor()[0] <= 600.0);
  const double computed = Well().run(0).f().bubble_point()[0];
  EXPECT_GT(computed, 0.0);
  for (double saved : {2500.0, 0.0}) {
    Well given;
    given.f().water_cut()[0] = 1.0;  // a fraction already
    given.f().bubble_point()[0] = saved;
    Well::put(given.fluids, lay::fluids::bubble_point_given * 8, 1);
    given.run(0);
    EXPECT_EQ(given.f().water_cut()[0], 1.0);
    EXPECT_EQ(given.f().bubble_point()[0], saved > 0.0 ? saved : computed);
  }
}

TEST(LayerFluidProperties, TablesReplaceCorrelationsAndThePressureIsCappedAfterRs) {
  Well w(4, 3);
  for (int k : {0, 1, 4}) w.pressure_table(k);
  w.well[lay::well::reservoir_pressure + 3] = 25000.0;
  w.run(0, 3);
  EXPECT_EQ(w.error, 0);
  EXPECT_NEAR(w.f().solution_gor()[3], 25014.7, 1e-9);
  EXPECT_NEAR(w.f().oil_fvf()[3], 22500.0, 1e-9);
  EXPECT_NEAR(w.f().oil_viscosity()[3], 22500.0, 1e-9);
  EXPECT_EQ(w.f().water_viscosity()[3], w.f().oil_viscosity()[3]);
}

TEST(LayerFluidProperties, BuiltInCrudesAndOtherModesFillTheirFixedValues) {
  Well samples(2), field(3);
  samples.f().sample_key()[0] = 6630.0;
  samples.f().producing_gor()[0] = 1000.0;
  samples.run(0);
  EXPECT_EQ(samples.f().bubble_point()[0], 3000.0);
  EXPECT_TRUE(samples.f().gas_sg()[0] == 0.678 && samples.f().oil_sg()[0] == 0.91);
  field.well[lay::well::reservoir_pressure] = 25000.0;  // not capped
  EXPECT_EQ(field.run(0).f().bubble_point()[0], 25000.0);
  EXPECT_TRUE(field.f().water_sg()[0] == 1.07 && field.f().oil_sg()[0] == 0.89);
  for (std::int32_t mode : {1, 2, 3}) {
    Well w;
    w.f().oil_fvf()[1] = 1.3;
    w.run(mode).run(mode, 1);
    EXPECT_TRUE(w.f().oil_fvf()[0] == 1.07 && w.f().oil_fvf()[1] == 1.3);
    EXPECT_TRUE(w.f().oil_sg()[0] == 0.89 && w.f().water_fvf()[0] == 1.07);
    EXPECT_TRUE(w.f().liquid_fvf()[0] == 1.02 && w.f().liquid_density()[0] == 1.02);
    EXPECT_EQ(w.f().liquid_viscosity()[0], w.f().water_viscosity()[0]);
  }
}

TEST(LayerFluidProperties, FaultsEndInTheLogAndBadInputsAreSafe) {
  Well faulty;
  faulty.f().gas_sg()[0] = 2.0;  // calrs and calfvf refuse it
  EXPECT_EQ(faulty.run(0).error, 0);
  EXPECT_EQ(faulty.f().oil_fvf()[0], 1.1);
  for (std::int32_t L : {-1, 50, INT_MAX, INT_MIN}) {
    Well w;
    const std::vector<double> before = w.fluids;
    EXPECT_EQ(w.run(0, L).error, 0);
    EXPECT_EQ(std::memcmp(before.data(), w.fluids.data(), before.size() * 8), 0);
  }
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), -1e300, 0.0, 1e300}) {
    for (std::int32_t type : {0, 1, 2, 3, 4}) {
      Well w(type, 49);
      Well::put(w.fluids, lay::fluids::sample_set * 8 + 4 * 49, 1);
      for (double* v :
           {&w.well[lay::well::layer_temperature + 49], &w.well[lay::well::reservoir_pressure + 49],
            &w.f().gas_sg()[49], &w.f().api_gravity()[49], &w.f().water_cut()[49], &w.sep[0]}) {
        *v = bad;
      }
      w.pressure_table(4);
      for (std::int32_t mode : {0, 1, 7}) EXPECT_EQ(w.run(mode, 49).error, 0);
    }
  }
}

}  // namespace
