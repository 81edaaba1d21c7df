#include "fluids/gas_properties.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

double z_of(double t, double p, double g) {
  double z = -7.0;
  dlv::zfachy(t, p, g, z);
  return z;
}

// z at reduced conditions for a 0.7 gas (Tpc 388.8 R, ppc 668.5 psia).
double z_reduced(double tpr, double ppr) { return z_of(tpr * 388.8 - 460.0, ppr * 668.5, 0.7); }

TEST(Zfachy, MatchesStandingKatzChartAndFallsBackToOneWhenNewtonFails) {
  const double readings[][3] = {
      {1.2, 1.0, 0.78}, {1.3, 2.0, 0.68}, {1.5, 1.0, 0.90}, {1.5, 2.0, 0.82}, {1.5, 3.0, 0.77},
      {1.5, 5.0, 0.81}, {1.7, 4.0, 0.86}, {2.0, 1.0, 0.97}, {2.0, 3.0, 0.94}, {2.0, 6.0, 0.99}};
  for (const auto& r : readings) EXPECT_NEAR(z_reduced(r[0], r[1]), r[2], 0.02 * r[2]) << r[0];
  // At and below Tpr 1.01 the temperature no longer counts; z is floored at 0.21.
  EXPECT_EQ(z_reduced(0.8, 0.5), z_reduced(1.0, 0.5));
  EXPECT_EQ(z_reduced(1.0, 1.1), 0.21);  // the converged root is 0.2096
  // The root lies below the density floor at 14.7 psia; at 0 the density goes negative.
  for (double p : {14.7, 0.0, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(z_of(150.0, p, 0.7), 1.0) << p;
  }
  double v = 0.7, w = 0.0005;
  EXPECT_TRUE(dlv::clamp_to_range(0.001, v, 0.6) == 0.6 && v == 0.6);
  EXPECT_TRUE(dlv::clamp_to_range(0.001, w, 0.6) == 0.001 && w == 0.001);
}

TEST(GasViscosity, LeeGonzalezEakinWithinThreePercentOfPublishedValue) {
  double mu = 0.0;  // natural gas of molecular weight 20.85, 140 F, 2000 psia: 0.0173 cp
  dlv::gas_viscosity(140.0, 0.72, 2000.0, mu);
  EXPECT_NEAR(mu, 0.0173, 0.03 * 0.0173);
}

// The library's own z and viscosity, recorded with their inputs (F, psia,
// gas gravity): the same values to 1e-12 on every platform.
TEST(GasProperties, RecordedDeviationFactorsAndViscosities) {
  const double recorded[][5] = {{150.0, 1000.0, 0.7, 0.8820957091508923, 0.013745950965802686},
                                {240.0, 3500.0, 0.85, 0.85996482553719344, 0.024866626155755314},
                                {80.0, 400.0, 0.6, 0.94219788492044865, 0.011734089606289471},
                                {300.0, 7000.0, 1.1, 1.1974626323088651, 0.048322147501970357}};
  for (const auto& r : recorded) {
    double mu = 0.0;
    dlv::gas_viscosity(r[0], r[2], r[1], mu);
    EXPECT_NEAR(z_of(r[0], r[1], r[2]), r[3], 1e-12 * r[3]) << r[1];
    EXPECT_NEAR(mu, r[4], 1e-12 * r[4]) << r[1];
  }
}

// gas_properties on a fluid-table block whose tables 6 (z) and 7 (viscosity)
// may hold a single value; the table arrays start at a marker value.
struct Gas {
  std::vector<double> block = std::vector<double>(dlv::layout::tables::total_bytes / 8, 0.0);
  std::vector<double> p = std::vector<double>(200, -7.0), m = std::vector<double>(200, -7.0);
  std::int32_t count = -7;
  double mu = -7.0, z = -7.0;
  void put(int k, std::int32_t temperatures, std::int32_t pressures, double value) {
    namespace t = dlv::layout::tables;
    double* table = block.data() + k * t::table_slots;
    table[t::values] = value;
    const std::int32_t counts[2] = {temperatures, pressures}, on = 1;
    std::memcpy(table + t::counts, counts, 8);
    std::memcpy(reinterpret_cast<char*>(block.data() + t::use_flags) + 4 * k, &on, 4);
  }
  Gas& run(double pressure, double t = 150.0, double g = 0.7) {
    dlv::gas_properties({block.data()}, pressure, t, g, count, p.data(), m.data(), mu, z);
    return *this;
  }
};

TEST(GasProperties, TabulatedGasIntegratesExactlyAndZIsFlooredInsideTheIntegralOnly) {
  Gas gas;
  gas.put(6, 1, 1, 0.8);
  gas.put(7, 1, 1, 0.02);
  gas.run(0.0);
  EXPECT_TRUE(gas.count == 51 && gas.mu == 0.02 && gas.z == 0.8 && gas.m[51] == -7.0);
  for (int k = 0; k <= 50; ++k) {
    EXPECT_EQ(gas.p[k], 2.0 * k);
    const double abs = 2.0 * k + 14.7;  // 2P/(mu z) is linear: Simpson is exact
    EXPECT_NEAR(gas.m[k], (abs * abs - 14.7 * 14.7) / 0.016, 1e-9 * gas.m[50]) << k;
  }
  gas.put(6, 0, 0, 0.0);  // switched on but empty: z = 0.0, 0.1 at the grid, 0.21 between
  EXPECT_EQ(gas.run(0.0).z, 0.0);
  const double f0 = 2 * 14.7 / 0.1 / 0.02, fm = 2 * 15.7 / 0.21 / 0.02, f1 = 2 * 16.7 / 0.1 / 0.02;
  EXPECT_DOUBLE_EQ(gas.m[1], 2.0 * (f0 + 4.0 * fm + f1) / 6.0);
}

TEST(GasProperties, CorrelationTableRisesToAHundredPsiAboveThePressure) {
  Gas gas;
  gas.run(2000.0);
  EXPECT_TRUE(gas.p[50] == 2100.0 && gas.z == z_of(150.0, 2014.7, 0.7));
  for (int k = 1; k <= 50; ++k) EXPECT_GT(gas.m[k], gas.m[k - 1]);
}

}  // namespace

// The layer's z and viscosity without the table, then the table from the
// recorded inputs, against gas_properties in one go; the correlation values
// against the exported point routines. The viscosity always takes the
// correlation's z, also when z comes from its table.
TEST(LayerGasProperties, RecordedTableAndPointValuesMatchTheEagerOnesBitForBit) {
  struct Tables {
    bool z, mu;
  };
  for (const Tables on : {Tables{false, false}, Tables{true, false}, Tables{false, true}}) {
    for (const double pressure : {0.0, 850.0, 3200.0, 9000.0}) {
      Gas eager;
      if (on.z) eager.put(6, 1, 1, 0.8);
      if (on.mu) eager.put(7, 1, 1, 0.02);
      Gas lazy = eager;
      eager.run(pressure, 185.0, 0.81);

      dlv::PseudoPressureSource source;
      lazy.count = -7;
      dlv::layer_gas_properties({lazy.block.data()}, pressure, 185.0, 0.81, source, lazy.count,
                                lazy.mu, lazy.z);
      EXPECT_EQ(lazy.count, 51);
      EXPECT_EQ(lazy.p[0], -7.0);  // nothing of the table written yet
      dlv::build_pseudo_pressure_table(source, lazy.p.data(), lazy.m.data(), lazy.count,
                                       {lazy.block.data()});
      EXPECT_EQ(std::memcmp(&eager.mu, &lazy.mu, 8), 0) << pressure;
      EXPECT_EQ(std::memcmp(&eager.z, &lazy.z, 8), 0) << pressure;
      EXPECT_EQ(std::memcmp(eager.p.data(), lazy.p.data(), 200 * 8), 0) << pressure;
      EXPECT_EQ(std::memcmp(eager.m.data(), lazy.m.data(), 200 * 8), 0) << pressure;

      double z = 0.0, mu = 0.0;
      const double abs = pressure + 14.7, t = 185.0, g = 0.81;
      dlv::zfachy(t, abs, g, z);
      dlv::gas_viscosity(t, g, abs, mu);
      EXPECT_EQ(lazy.z, on.z ? 0.8 : z) << pressure;
      EXPECT_EQ(lazy.mu, on.mu ? 0.02 : mu) << pressure;
    }
  }
}
