#include "fluids/gas_properties.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double z_of(double t, double p, double g) {
  double z = -7.0;
  dlv::zfachy(t, p, g, z);
  return z;
}

// z at reduced conditions for a 0.7 gas (Tpc 388.8 R, ppc 668.5 psia).
double z_reduced(double tpr, double ppr) { return z_of(tpr * 388.8 - 460.0, ppr * 668.5, 0.7); }

TEST(Zfachy, ConvergesAt1000PsiaAndFallsBackToOneWhenNewtonFails) {
  double v = 0.7;
  EXPECT_EQ(dlv::clamp_to_range(0.001, v, 0.6), 0.6);
  EXPECT_EQ(v, 0.6);
  EXPECT_NEAR(z_of(150.0, 1000.0, 0.7), 0.88210, 5e-5);
  EXPECT_EQ(z_of(150.0, 14.7, 0.7), 1.0);  // root below the density floor
  EXPECT_EQ(z_of(150.0, 0.0, 0.7), 1.0);   // density goes negative
  for (double bad : {kNaN, kInf, -kInf, -500.0}) {
    EXPECT_EQ(z_of(150.0, bad, 0.7), 1.0) << bad;
    EXPECT_TRUE(std::isfinite(z_of(bad, 1000.0, 0.7)) && std::isfinite(z_of(150.0, 1000.0, bad)));
  }
}

TEST(Zfachy, MatchesStandingKatzChartWithinTwoPercent) {
  const double readings[][3] = {
      {1.2, 1.0, 0.78}, {1.3, 2.0, 0.68}, {1.5, 1.0, 0.90}, {1.5, 2.0, 0.82}, {1.5, 3.0, 0.77},
      {1.5, 5.0, 0.81}, {1.7, 4.0, 0.86}, {2.0, 1.0, 0.97}, {2.0, 3.0, 0.94}, {2.0, 6.0, 0.99}};
  for (const auto& r : readings) EXPECT_NEAR(z_reduced(r[0], r[1]), r[2], 0.02 * r[2]) << r[0];
  // At and below Tpr 1.01 the temperature no longer counts; z is floored at 0.21.
  EXPECT_EQ(z_reduced(0.8, 0.5), z_reduced(1.0, 0.5));
  EXPECT_EQ(z_reduced(1.0, 1.1), 0.21);  // the converged root is 0.2096
}

TEST(GasViscosity, LeeGonzalezEakinWithinThreePercentOfPublishedValue) {
  double mu = 0.0;  // natural gas of molecular weight 20.85, 140 F, 2000 psia: 0.0173 cp
  dlv::gas_viscosity(140.0, 0.72, 2000.0, mu);
  EXPECT_NEAR(mu, 0.0173, 0.03 * 0.0173);
}

// A fluid-table block with single-value tables switched on.
struct Tables {
  std::vector<double> block = std::vector<double>(dlv::layout::tables::total_bytes / 8, 0.0);
  void put(int k, std::int32_t temperatures, std::int32_t pressures, double value) {
    namespace t = dlv::layout::tables;
    double* table = block.data() + k * t::table_slots;
    table[t::values] = value;
    const std::int32_t counts[2] = {temperatures, pressures}, on = 1;
    std::memcpy(table + t::counts, counts, 8);
    std::memcpy(reinterpret_cast<char*>(block.data() + t::use_flags) + 4 * k, &on, 4);
  }
};

struct PseudoPressures {
  std::vector<double> p = std::vector<double>(200, -7.0), m = std::vector<double>(200, -7.0);
  std::int32_t count = -7;
  double mu = -7.0, z = -7.0;
  PseudoPressures(const Tables& tables, double pressure, double t = 150.0, double g = 0.7) {
    dlv::gas_properties({tables.block.data()}, pressure, t, g, count, p.data(), m.data(), mu, z);
  }
};

TEST(GasProperties, TabulatedGasIntegratesExactlyAndZIsFlooredInsideTheIntegralOnly) {
  Tables tables;
  tables.put(6, 1, 1, 0.8);
  tables.put(7, 1, 1, 0.02);
  PseudoPressures pp(tables, 0.0);
  EXPECT_TRUE(pp.count == 51 && pp.mu == 0.02 && pp.z == 0.8);
  for (int k = 0; k <= 50; ++k) {
    EXPECT_EQ(pp.p[k], 2.0 * k);
    const double abs = 2.0 * k + 14.7;  // 2P/(mu z) is linear: Simpson is exact
    EXPECT_NEAR(pp.m[k], (abs * abs - 14.7 * 14.7) / 0.016, 1e-9 * pp.m[50]) << k;
  }
  EXPECT_EQ(pp.m[51], -7.0);
  tables.put(6, 0, 0, 0.0);  // switched on but empty: z = 0.0, 0.1 at the grid, 0.21 between
  PseudoPressures floored(tables, 0.0);
  EXPECT_EQ(floored.z, 0.0);
  const double f0 = 2 * 14.7 / 0.1 / 0.02, fm = 2 * 15.7 / 0.21 / 0.02, f1 = 2 * 16.7 / 0.1 / 0.02;
  EXPECT_DOUBLE_EQ(floored.m[1], 2.0 * (f0 + 4.0 * fm + f1) / 6.0);
}

TEST(GasProperties, CorrelationTableRisesAndBadInputsStayInBounds) {
  Tables none, over;
  PseudoPressures pp(none, 2000.0);
  EXPECT_EQ(pp.p[50], 2100.0);
  EXPECT_EQ(pp.z, z_of(150.0, 2014.7, 0.7));
  for (int k = 1; k <= 50; ++k) EXPECT_GT(pp.m[k], pp.m[k - 1]);
  over.put(6, 11, 51, 0.9);  // counts beyond the capacities read nothing
  over.put(7, 10, 51, 0.02);
  for (double bad : {kNaN, kInf, -kInf, -14.7, -1e6, 0.0}) {
    for (const Tables* t : {&none, &over}) {
      PseudoPressures q(*t, bad, bad, bad);
      EXPECT_TRUE(q.count == 51 && q.p[51] == -7.0 && q.m[199] == -7.0);
    }
  }
}

}  // namespace
