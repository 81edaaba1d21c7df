#include "inflow/injection.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

using Curve = std::array<double, 25>;

// Radial injectivities of water (bbl/d/psi) and gas (Mscf/d/psi^2) with
// k = 100 md, h = 20 ft, re = 1000 ft, rw = 0.5 ft.
double water_j(double mu, double bw, double s) {
  return 0.00708 * 100.0 * 20.0 / (mu * bw * (std::log(0.472 * 1000.0 / 0.5) + s));
}
double gas_j(double mu, double z, double t, double s) {
  return 0.000703 * 100.0 * 20.0 / (mu * z * (t + 460.0) * (std::log(0.472 * 1000.0 / 0.5) + s));
}

struct Skin {
  Curve q{}, p{};
  void run(std::int32_t fluid, double viscosity, double pr, double pbk, double qmax) {
    dlv::injection_skin_curve(fluid, 100.0, 20.0, pr, viscosity, 1.0, 0.9, 150.0, 62.0, 0.7, 1000.0,
                              0.0, 0.0, 5.0, pbk, qmax, q.data(), p.data());
  }
};

TEST(InjectionSkinCurve, WaterBreaksOnGridNode12AndExtendsAlongTheSecondLine) {
  Skin c;
  c.run(2, 0.0, 2000.0, 2600.0, 1.0e5);  // zero viscosity counts as 1 cp, zero rw as 0.5 ft
  const double j1 = water_j(1.0, 1.0, 0.0), j2 = water_j(1.0, 1.0, 5.0);
  EXPECT_EQ(c.p[0], 2000.0);
  EXPECT_EQ(c.q[0], 0.0);
  EXPECT_EQ(c.p[12], 2600.0);
  EXPECT_NEAR(c.q[6], 300.0 * j1, 1e-12 * c.q[6]);
  EXPECT_NEAR(c.q[12], 600.0 * j1, 1e-12 * c.q[12]);  // the break node itself is on J1
  EXPECT_NEAR(c.q[23] - c.q[12], 550.0 * j2, 1e-9 * c.q[23]);
  EXPECT_EQ(c.q[24], 1.0e5);
  EXPECT_NEAR((c.q[24] - c.q[12]) / (c.p[24] - 2600.0), j2, 1e-12 * j2);

  Skin low;  // a maximum below the grid end leaves index 24 on the grid
  low.run(2, 1.0, 2000.0, 2600.0, 10.0);
  EXPECT_EQ(low.p[24], 3200.0);
  EXPECT_NEAR(low.q[24], c.q[12] + 600.0 * j2, 1e-9 * low.q[24]);
}

TEST(InjectionSkinCurve, GasFillsTo23AndExtendsOrRepeatsPoint23) {
  Skin c;
  c.run(0, 0.02, 2000.0, 2600.0, 1.0e5);
  const double j1 = gas_j(0.02, 0.9, 150.0, 0.0), j2 = gas_j(0.02, 0.9, 150.0, 5.0);
  const double qb = (2600.0 * 2600.0 - 2000.0 * 2000.0) * j1;
  EXPECT_NEAR(c.q[12], qb, 1e-12 * qb);
  EXPECT_NEAR(c.q[20], qb + (3000.0 * 3000.0 - 2600.0 * 2600.0) * j2, 1e-12 * c.q[20]);
  EXPECT_EQ(c.q[24], 1.0e5);
  EXPECT_NEAR((1.0e5 - qb) / (c.p[24] * c.p[24] - 2600.0 * 2600.0), j2, 1e-12 * j2);

  Skin low;
  low.run(0, 0.02, 2000.0, 2600.0, 10.0);
  EXPECT_EQ(low.q[24], low.q[23]);
  EXPECT_EQ(low.p[24], low.p[23]);
}

TEST(InjectionSkinCurve, BreakPressureAtOrBelowPrUsesTheHalfPressureGrid) {
  Skin w;  // water: grid node 1 is the break node, the second line follows from node 2
  w.run(2, 1.0, 2400.0, 1000.0, 0.0);
  const double j2w = water_j(1.0, 1.0, 5.0);
  EXPECT_EQ(w.p[1], 2500.0);
  EXPECT_NEAR(w.q[1], 100.0 * water_j(1.0, 1.0, 0.0), 1e-12 * w.q[1]);
  for (int k = 2; k < 25; ++k) {
    EXPECT_NEAR(w.q[k], w.q[1] + (w.p[k] - 1000.0) * j2w, 1e-9 * w.q[k]) << k;
  }
  Skin g;  // gas: no grid point within 1 psi, so the second line starts at node 1 from 0
  g.run(0, 0.02, 2400.0, 2400.0, 1.0e9);
  const double j2g = gas_j(0.02, 0.9, 150.0, 5.0);
  for (int k = 1; k < 24; ++k) {
    EXPECT_NEAR(g.q[k], (g.p[k] * g.p[k] - 2400.0 * 2400.0) * j2g, 1e-9 * g.q[k]) << k;
  }
  EXPECT_NEAR(g.p[24] * g.p[24], 1.0e9 / j2g + 2400.0 * 2400.0, 1e-9 * g.p[24] * g.p[24]);
}

struct Coefficient {
  Curve q, p;
  std::array<double, 200> pp{}, pm{};
  std::int32_t n = 0;
  Coefficient() {
    q.fill(-7.0), p.fill(-7.0);
    for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = pp[i] * pp[i];  // m(p) = p^2
    n = 51;
  }
  void run(std::int32_t mode, std::int32_t method, double c1, double c2, double qmax) {
    dlv::injection_coefficient_curve(mode, method, 2000.0, 150.0, 0.7, 2600.0, c1, c2, qmax,
                                     q.data(), p.data(), pp.data(), pm.data(), n, 0);
  }
};

TEST(InjectionCoefficientCurve, PressureFormLinesAndEndPoint) {
  Coefficient c;
  c.run(2, 1, 2.0, 0.5, 2000.0);  // water ignores the method
  EXPECT_EQ(c.q[12], 1200.0);
  EXPECT_EQ(c.q[23], 1475.0);
  EXPECT_EQ(c.q[24], 2000.0);
  EXPECT_EQ(c.p[24], 4200.0);  // (2000 - 1200) / 0.5 + 2600

  Coefficient flat;  // C2 = 0: no extension
  flat.run(3, 2, 2.0, 0.0, 1.0e6);
  EXPECT_EQ(flat.q[23], 1200.0);
  EXPECT_EQ(flat.q[24], flat.q[23]);
  EXPECT_EQ(flat.p[24], flat.p[23]);

  Coefficient other;  // gas method 1: only the shut-in point
  other.run(3, 1, 2.0, 0.5, 2000.0);
  EXPECT_EQ(other.p[0], 2000.0);
  EXPECT_EQ(other.q[0], 0.0);
  for (int i = 1; i < 25; ++i) EXPECT_EQ(other.q[i], -7.0);
}

TEST(InjectionCoefficientCurve, PseudoPressureOfSquaresMatchesSquaredForm) {
  Coefficient sq, ps;
  sq.run(3, 3, 1.0e-3, 5.0e-4, 6000.0);
  ps.run(3, 4, 1.0e-3, 5.0e-4, 6000.0);
  for (int i = 0; i < 25; ++i) {
    EXPECT_NEAR(ps.q[i], sq.q[i], 1e-9 * sq.q[24]) << i;
    EXPECT_NEAR(ps.p[i], sq.p[i], 1e-4 * sq.p[i]) << i;
  }
  EXPECT_NEAR(sq.q[12], 2760.0, 1e-9);
  EXPECT_EQ(sq.q[24], 6000.0);
  EXPECT_NEAR(sq.p[24] * sq.p[24], 2600.0 * 2600.0 + (6000.0 - sq.q[12]) / 5.0e-4, 1e-6);

  Coefficient clamp;  // grid points past the table's last pressure take its end value
  clamp.n = 29;       // table up to 2800 psi
  clamp.run(3, 4, 1.0e-3, 5.0e-4, 0.0);
  for (int i = 17; i < 24; ++i) EXPECT_EQ(clamp.q[i], clamp.q[16]) << i;
}

}  // namespace
