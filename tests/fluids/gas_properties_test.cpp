#include "fluids/gas_properties.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
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
  EXPECT_EQ((std::array{dlv::clamp_to_range(0.001, v, 0.6), dlv::clamp_to_range(0.001, w, 0.6)}),
            (std::array{0.6, 0.001}));
  EXPECT_EQ((std::array{v, w}), (std::array{0.6, 0.001}));  // written back
}

// Within 3 % of the published 0.0173 cp (natural gas of molecular weight
// 20.85, 140 F, 2000 psia), and by hand at the gas's z: K = (9.4 + 0.02 M)
// T^1.5 / (209 + 19 M + T), X = 3.5 + 986 / T + 0.01 M, Y = 2.4 - 0.2 X and
// the density p M / (10.72 z T) lb/ft3 in g/cm3.
TEST(GasViscosity, LeeGonzalezEakinByHandAndNearThePublishedValue) {
  double mu = 0.0;
  dlv::gas_viscosity(140.0, 0.72, 2000.0, mu);
  EXPECT_NEAR(mu, 0.0173, 0.03 * 0.0173);
  const double m = 29.0 * 0.72, t = 600.0,
               rho = 2000.0 * m / (10.72 * z_of(140.0, 2000.0, 0.72) * t);
  const double k = (9.4 + 0.02 * m) * std::pow(t, 1.5) / (209.0 + 19.0 * m + t),
               x = 3.5 + 986.0 / t + 0.01 * m;
  EXPECT_NEAR(mu, 1e-4 * k * std::exp(x * std::pow(rho / 62.4, 2.4 - 0.2 * x)), 1e-12 * mu);
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
    dlv::gas_properties({block.data()}, {pressure, t, g}, count, p.data(), m.data(), mu, z);
    return *this;
  }
};

TEST(GasProperties, TabulatedGasIntegratesExactlyAndZIsFlooredInsideTheIntegralOnly) {
  Gas gas;
  gas.put(6, 1, 1, 0.8);
  gas.put(7, 1, 1, 0.02);
  gas.run(0.0);
  EXPECT_EQ((std::array{double(gas.count), gas.mu, gas.z, gas.m[51]}),
            (std::array{51.0, 0.02, 0.8, -7.0}));
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
  EXPECT_EQ((std::array{gas.p[50], gas.z}), (std::array{2100.0, z_of(150.0, 2014.7, 0.7)}));
  for (int k = 1; k <= 50; ++k) EXPECT_GT(gas.m[k], gas.m[k - 1]);
}

// The layer's z and viscosity at pressure + 14.7 psia without the table: z
// from its table when that is on, the viscosity always with the correlation's z.
TEST(LayerGasProperties, PointValuesWithoutTheTable) {
  for (const bool z_table : {false, true}) {
    Gas gas;
    if (z_table) gas.put(6, 1, 1, 0.8);
    dlv::PseudoPressureSource source;
    dlv::layer_gas_properties({gas.block.data()}, 850.0, 185.0, 0.81, source, gas.count, gas.mu,
                              gas.z);
    double mu = 0.0;
    dlv::gas_viscosity(185.0, 0.81, 864.7, mu);
    EXPECT_EQ((std::array{double(gas.count), gas.p[0], gas.z, gas.mu, source.top_pressure}),
              (std::array{51.0, -7.0, z_table ? 0.8 : z_of(185.0, 864.7, 0.81), mu, 950.0}));
  }
}

}  // namespace
