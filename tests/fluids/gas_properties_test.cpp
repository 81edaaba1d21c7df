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
double z_reduced(double tpr, double ppr) {
  return z_of(tpr * (169.0 + 314.0 * 0.7) - 460.0, ppr * (708.75 - 57.5 * 0.7), 0.7);
}

TEST(ClampToRange, RaisesThenLowersAndStoresTheResult) {
  double v = 0.7;
  EXPECT_EQ(dlv::clamp_to_range(0.001, v, 0.6), 0.6);
  EXPECT_EQ(v, 0.6);
  v = 0.0005;
  EXPECT_EQ(dlv::clamp_to_range(0.001, v, 0.6), 0.001);
  EXPECT_EQ(v, 0.001);
  v = kNaN;
  EXPECT_TRUE(std::isnan(dlv::clamp_to_range(0.001, v, 0.6)));
}

TEST(Zfachy, ConvergesAt1000PsiaAndFallsBackToOneWhenNewtonFails) {
  EXPECT_NEAR(z_of(150.0, 1000.0, 0.7), 0.88210, 5e-5);
  EXPECT_EQ(z_of(150.0, 14.7, 0.7), 1.0);  // root below the density floor
  EXPECT_EQ(z_of(150.0, 0.0, 0.7), 1.0);   // density goes negative
  for (double bad : {kNaN, kInf, -kInf, -500.0}) {
    EXPECT_EQ(z_of(150.0, bad, 0.7), 1.0) << bad;
    EXPECT_TRUE(std::isfinite(z_of(bad, 1000.0, 0.7))) << bad;
    EXPECT_TRUE(std::isfinite(z_of(150.0, 1000.0, bad))) << bad;
  }
  EXPECT_TRUE(std::isfinite(z_of(-460.0, 1000.0, 0.0)));
}

TEST(Zfachy, MatchesStandingKatzChartWithinTwoPercent) {
  struct Reading {
    double tpr, ppr, z;
  };
  for (const Reading& r :
       {Reading{1.2, 1.0, 0.78}, Reading{1.3, 2.0, 0.68}, Reading{1.5, 1.0, 0.90},
        Reading{1.5, 2.0, 0.82}, Reading{1.5, 3.0, 0.77}, Reading{1.5, 5.0, 0.81},
        Reading{1.7, 4.0, 0.86}, Reading{2.0, 1.0, 0.97}, Reading{2.0, 3.0, 0.94},
        Reading{2.0, 6.0, 0.99}}) {
    EXPECT_NEAR(z_reduced(r.tpr, r.ppr), r.z, 0.02 * r.z) << r.tpr << " " << r.ppr;
  }
}

TEST(Zfachy, BelowReducedTemperature101HoldsTemperatureAndFloorsZ) {
  EXPECT_EQ(z_reduced(0.8, 0.5), z_reduced(1.0, 0.5));
  EXPECT_NE(z_reduced(1.02, 0.5), z_reduced(1.0, 0.5));
  EXPECT_EQ(z_reduced(1.0, 1.1), 0.21);  // the converged root is 0.2096
}

TEST(GasViscosity, LeeGonzalezEakinWithinThreePercentOfPublishedValue) {
  // Natural gas of molecular weight 20.85 at 140 F and 2000 psia: 0.0173 cp.
  double mu = 0.0;
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
    std::memcpy(table + t::counts, &temperatures, 4);
    std::memcpy(reinterpret_cast<char*>(table + t::counts) + 4, &pressures, 4);
    const std::int32_t on = 1;
    std::memcpy(reinterpret_cast<char*>(block.data() + t::use_flags) + 4 * k, &on, 4);
  }
  dlv::FluidTables view() const { return {block.data()}; }
};

struct PseudoPressures {
  std::vector<double> p = std::vector<double>(200, -7.0), m = std::vector<double>(200, -7.0);
  std::int32_t count = -7;
  double mu = -7.0, z = -7.0;
  void run(const Tables& tables, double pressure, double t = 150.0, double g = 0.7) {
    dlv::gas_properties(tables.view(), pressure, t, g, count, p.data(), m.data(), mu, z);
  }
};

TEST(GasProperties, ConstantTabulatedGasIntegratesExactly) {
  Tables tables;
  tables.put(6, 1, 1, 0.8);
  tables.put(7, 1, 1, 0.02);
  PseudoPressures pp;
  pp.run(tables, 0.0);
  EXPECT_EQ(pp.count, 51);
  EXPECT_EQ(pp.mu, 0.02);
  EXPECT_EQ(pp.z, 0.8);
  for (int k = 0; k <= 50; ++k) {
    EXPECT_EQ(pp.p[k], 2.0 * k);
    const double abs = 2.0 * k + 14.7;  // 2P/(mu z) is linear: Simpson is exact
    EXPECT_NEAR(pp.m[k], (abs * abs - 14.7 * 14.7) / 0.016, 1e-9 * pp.m[50]) << k;
  }
  EXPECT_EQ(pp.p[51], -7.0);
  EXPECT_EQ(pp.m[51], -7.0);
}

TEST(GasProperties, EmptyZTableIsFlooredInsideTheIntegralOnly) {
  Tables tables;
  tables.put(6, 0, 0, 0.0);  // switched on but empty: z = 0.0
  tables.put(7, 1, 1, 0.02);
  PseudoPressures pp;
  pp.run(tables, 0.0);
  EXPECT_EQ(pp.z, 0.0);
  const double f0 = 2.0 * 14.7 / 0.1 / 0.02, fm = 2.0 * 15.7 / 0.21 / 0.02,
               f1 = 2.0 * 16.7 / 0.1 / 0.02;
  EXPECT_DOUBLE_EQ(pp.m[1], 2.0 * (f0 + 4.0 * fm + f1) / 6.0);
}

TEST(GasProperties, CorrelationTableRisesAndBadInputsStayInBounds) {
  Tables none;
  PseudoPressures pp;
  pp.run(none, 2000.0);
  EXPECT_EQ(pp.p[50], 2100.0);
  EXPECT_EQ(pp.z, z_of(150.0, 2014.7, 0.7));
  for (int k = 1; k <= 50; ++k) EXPECT_GT(pp.m[k], pp.m[k - 1]);
  Tables over;
  over.put(6, 11, 51, 0.9);  // counts beyond the capacities read nothing
  over.put(7, 10, 51, 0.02);
  for (double bad : {kNaN, kInf, -kInf, -14.7, -1e6, 0.0}) {
    for (const Tables* t : {&none, &over}) {
      PseudoPressures q;
      q.run(*t, bad, bad, bad);
      EXPECT_EQ(q.count, 51);
      EXPECT_EQ(q.p[51], -7.0);
      EXPECT_EQ(q.m[199], -7.0);
    }
  }
}

}  // namespace
