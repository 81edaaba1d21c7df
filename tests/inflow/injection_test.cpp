#include "inflow/injection.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

using Curve = std::array<double, 25>;
const double kLog = std::log(0.472 * 1000.0 / 0.5);  // re = 1000 ft, rw = 0.5 ft

// k = 100 md, h = 20 ft, mu = 1 cp (water, given as 0) or 0.02 cp (gas), z = 0.9,
// T = 150 F, skin 0 below and 5 above the break pressure; rw = 0 counts as 0.5 ft.
struct Skin {
  Curve q{}, p{};
  double j1, j2;
  Skin(std::int32_t fluid, double pr, double pbk, double qmax) {
    dlv::injection_skin_curve(fluid, 100.0, 20.0, pr, fluid == 2 ? 0.0 : 0.02, 1.0, 0.9, 150.0,
                              62.0, 0.7, 1000.0, 0.0, 0.0, 5.0, pbk, qmax, q.data(), p.data());
    const double f = fluid == 2 ? 0.00708 * 2000.0 : 0.000703 * 2000.0 / (0.02 * 0.9 * 610.0);
    j1 = f / kLog, j2 = f / (kLog + 5.0);
  }
};

TEST(InjectionSkinCurve, BreakNodeSecondLineAndEndPoint) {
  const Skin w(2, 2000.0, 2600.0, 1.0e5), wl(2, 2000.0, 2600.0, 10.0);
  EXPECT_TRUE(w.p[0] == 2000.0 && w.q[0] == 0.0 && w.p[12] == 2600.0);
  EXPECT_NEAR(w.q[12], 600.0 * w.j1, 1e-12 * w.q[12]);  // the break node is on the first line
  EXPECT_NEAR(w.q[23] - w.q[12], 550.0 * w.j2, 1e-9 * w.q[23]);
  EXPECT_EQ(w.q[24], 1.0e5);
  EXPECT_NEAR((w.q[24] - w.q[12]) / (w.p[24] - 2600.0), w.j2, 1e-12 * w.j2);
  EXPECT_TRUE(wl.p[24] == 3200.0 && wl.q[24] < 1.0e5);  // a low maximum leaves the grid end

  const Skin g(0, 2000.0, 2600.0, 1.0e5), gl(0, 2000.0, 2600.0, 10.0);
  const double qb = (2600.0 * 2600.0 - 2000.0 * 2000.0) * g.j1;
  EXPECT_NEAR(g.q[12], qb, 1e-12 * qb);
  EXPECT_NEAR(g.q[20], qb + (3000.0 * 3000.0 - 2600.0 * 2600.0) * g.j2, 1e-12 * g.q[20]);
  EXPECT_NEAR((1.0e5 - qb) / (g.p[24] * g.p[24] - 2600.0 * 2600.0), g.j2, 1e-12 * g.j2);
  EXPECT_TRUE(gl.q[24] == gl.q[23] && gl.p[24] == gl.p[23]);  // gas repeats point 23
}

TEST(InjectionSkinCurve, BreakPressureAtOrBelowPrUsesTheHalfPressureGrid) {
  const Skin w(2, 2400.0, 1000.0, 0.0);  // water breaks on grid node 1
  EXPECT_EQ(w.p[1], 2500.0);
  EXPECT_NEAR(w.q[1], 100.0 * w.j1, 1e-12 * w.q[1]);
  for (int k = 2; k < 25; ++k)
    EXPECT_NEAR(w.q[k], w.q[1] + (w.p[k] - 1000.0) * w.j2, 1e-9 * w.q[k]);
  const Skin g(0, 2400.0, 2400.0, 1.0e9);  // gas: no node within 1 psi, second line from 0
  for (int k = 1; k < 24; ++k) {
    EXPECT_NEAR(g.q[k], (g.p[k] * g.p[k] - 2400.0 * 2400.0) * g.j2, 1e-9 * g.q[k]);
  }
  EXPECT_NEAR(g.p[24] * g.p[24], 1.0e9 / g.j2 + 2400.0 * 2400.0, 1e-9 * g.p[24] * g.p[24]);
}

// pr = 2000, pbk = 2600; pseudo-pressure table m(p) = p^2 on 0..5000 psi.
struct Coefficient {
  Curve q, p;
  std::array<double, 200> pp{}, pm{};
  std::int32_t n = 51;
  Coefficient(std::int32_t mode, std::int32_t method, double c1, double c2, double qmax,
              std::int32_t entries = 51) {
    q.fill(-7.0), p.fill(-7.0);
    for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = pp[i] * pp[i];
    dlv::injection_coefficient_curve(mode, method, 2000.0, 150.0, 0.7, 2600.0, c1, c2, qmax,
                                     q.data(), p.data(), pp.data(), pm.data(), entries, 0);
  }
};

TEST(InjectionCoefficientCurve, PressureFormEndPointAndNoExtension) {
  const Coefficient c(2, 1, 2.0, 0.5, 2000.0);  // water ignores the method
  EXPECT_TRUE(c.q[12] == 1200.0 && c.q[23] == 1475.0 && c.q[24] == 2000.0);
  EXPECT_EQ(c.p[24], 4200.0);  // (2000 - 1200) / 0.5 + 2600
  const Coefficient flat(3, 2, 2.0, 0.0, 1.0e6);
  EXPECT_TRUE(flat.q[24] == 1200.0 && flat.q[23] == 1200.0 && flat.p[24] == flat.p[23]);
  const Coefficient other(3, 1, 2.0, 0.5, 2000.0);  // gas method 1: the shut-in point only
  EXPECT_TRUE(other.p[0] == 2000.0 && other.q[0] == 0.0 && other.q[1] == -7.0);
  EXPECT_TRUE(other.q[24] == -7.0 && other.p[24] == -7.0);
}

TEST(InjectionCoefficientCurve, PseudoPressureOfSquaresMatchesSquaredForm) {
  const Coefficient sq(3, 3, 1.0e-3, 5.0e-4, 6000.0), ps(3, 4, 1.0e-3, 5.0e-4, 6000.0);
  for (int i = 0; i < 25; ++i) {
    EXPECT_NEAR(ps.q[i], sq.q[i], 1e-9 * sq.q[24]) << i;
    EXPECT_NEAR(ps.p[i], sq.p[i], 1e-4 * sq.p[i]) << i;
  }
  EXPECT_TRUE(std::fabs(sq.q[12] - 2760.0) < 1e-9 && sq.q[24] == 6000.0);
  EXPECT_NEAR(sq.p[24] * sq.p[24], 2600.0 * 2600.0 + (6000.0 - sq.q[12]) / 5.0e-4, 1e-6);
  const Coefficient clamp(3, 4, 1.0e-3, 5.0e-4, 0.0, 29);  // table only up to 2800 psi
  for (int i = 17; i < 24; ++i) EXPECT_EQ(clamp.q[i], clamp.q[16]) << i;
}

}  // namespace
