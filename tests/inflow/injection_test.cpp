#include "inflow/injection.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Curve = std::array<double, 25>;

// k = 100 md, h = 20 ft, re = 1000 ft, mu = 1 cp (water, given as 0) or 0.02 cp
// (gas), z = 0.9, T = 150 F, skin 0 below and 5 above the break pressure;
// rw = 0 counts as 0.5 ft.
struct Skin {
  Curve q{}, p{};
  double j1, j2;
  Skin(std::int32_t fluid, double pr, double pbk, double qmax) {
    dlv::injection_skin_curve(fluid, {100.0, 20.0, 1000.0, 0.0, 0.0}, pr,
                              {fluid == 2 ? 0.0 : 0.02, 1.0, 0.9, 150.0, 62.0, 0.7},
                              {5.0, pbk, qmax}, {q.data(), p.data()});
    const double f = fluid == 2 ? 0.00708 * 2000.0 : 0.000703 * 2000.0 / (0.02 * 0.9 * 610.0);
    j1 = f / std::log(944.0), j2 = f / (std::log(944.0) + 5.0);
  }
};

TEST(InjectionSkinCurve, BreakNodeSecondLineAndEndPoint) {
  const Skin w(2, 2000.0, 2600.0, 1.0e5), wl(2, 2000.0, 2600.0, 10.0);
  EXPECT_EQ((std::array{w.p[0], w.q[0], w.p[12], w.q[24]}),
            (std::array{2000.0, 0.0, 2600.0, 1.0e5}));
  EXPECT_NEAR(w.q[12], 600.0 * w.j1, 1e-12 * w.q[12]);  // the break node is on the first line
  EXPECT_NEAR(w.q[23] - w.q[12], 550.0 * w.j2, 1e-9 * w.q[23]);
  EXPECT_NEAR((w.q[24] - w.q[12]) / (w.p[24] - 2600.0), w.j2, 1e-12 * w.j2);
  EXPECT_EQ(wl.p[24], 3200.0);  // a low maximum leaves the grid end
  EXPECT_LT(wl.q[24], 1.0e5);
  const Skin g(0, 2000.0, 2600.0, 1.0e5), gl(0, 2000.0, 2600.0, 10.0);
  const double qb = (2600.0 * 2600.0 - 2000.0 * 2000.0) * g.j1;
  EXPECT_NEAR(g.q[12], qb, 1e-12 * qb);
  EXPECT_NEAR((1.0e5 - qb) / (g.p[24] * g.p[24] - 2600.0 * 2600.0), g.j2, 1e-12 * g.j2);
  EXPECT_EQ((std::array{gl.q[24], gl.p[24]}), (std::array{gl.q[23], gl.p[23]}));  // point 23 again
  // Steps of 1.5 psi: node 13 lies outside the 1-psi window of the break and
  // stays on the second line.
  const Skin gs(0, 2000.0, 2018.0, 1.0e9);
  const double dq = (2019.5 * 2019.5 - 2018.0 * 2018.0) * gs.j2;
  EXPECT_EQ((std::array{gs.p[12], gs.p[13]}), (std::array{2018.0, 2019.5}));
  EXPECT_NEAR(gs.q[13] - gs.q[12], dq, 1e-9 * dq);
  // Break pressure at or below pr: the half-pressure grid. Water breaks on
  // node 1; gas never meets the 1-psi window and runs on the second line.
  const Skin wb(2, 2400.0, 1000.0, 0.0), gb(0, 2400.0, 2400.0, 1.0e9);
  EXPECT_EQ(wb.p[1], 2500.0);
  EXPECT_NEAR(wb.q[1], 100.0 * wb.j1, 1e-12 * wb.q[1]);
  EXPECT_NEAR(gb.p[24] * gb.p[24], 1.0e9 / gb.j2 + 2400.0 * 2400.0, 1e-9 * gb.p[24] * gb.p[24]);
}

// pr = 2000, pbk = 2600; pseudo-pressure table m(p) = p^2 on 0..5000 psi.
struct Coefficient {
  Curve q, p;
  std::array<double, 200> pp{}, pm{};
  Coefficient(std::int32_t mode, std::int32_t method, double c2, double qmax, std::int32_t n = 51) {
    q.fill(-7.0), p.fill(-7.0);
    for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = pp[i] * pp[i];
    dlv::injection_coefficient_curve(mode, method, 2000.0, {2600.0, 2.0, c2, qmax},
                                     {q.data(), p.data()}, {pp.data(), pm.data(), n}, 0);
  }
};

TEST(InjectionCoefficientCurve, ThreeFormsEndPointsAndClampedTable) {
  const Coefficient c(2, 1, 0.5, 2000.0), flat(3, 2, 0.0, 1.0e6);  // water ignores the method
  EXPECT_EQ((std::array{c.q[12], c.q[23], c.q[24], c.p[24]}),
            (std::array{1200.0, 1475.0, 2000.0, 4200.0}));
  EXPECT_EQ((std::array{flat.q[24], flat.q[23], flat.p[24]}),
            (std::array{1200.0, 1200.0, flat.p[23]}));
  const Coefficient other(3, 1, 0.5, 2000.0);  // gas method 1: the shut-in point only
  EXPECT_EQ((std::array{other.p[0], other.q[0], other.q[1], other.p[24]}),
            (std::array{2000.0, 0.0, -7.0, -7.0}));
  const Coefficient sq(3, 3, 1.0, 2.0e7), ps(3, 4, 1.0, 2.0e7);
  for (int i = 0; i < 25; ++i) {  // pseudo-pressures of squares: the squared form again
    EXPECT_NEAR(ps.q[i], sq.q[i], 0.02) << i;
    EXPECT_NEAR(ps.p[i], sq.p[i], 0.5) << i;
  }
  EXPECT_EQ((std::array{sq.q[12], sq.q[24]}), (std::array{2.0 * (2600.0 * 2600.0 - 4e6), 2.0e7}));
  EXPECT_NEAR(sq.p[24] * sq.p[24], 2600.0 * 2600.0 + (2.0e7 - sq.q[12]), 1e-6);
  const Coefficient clamp(3, 4, 1.0, 0.0, 29);  // table only up to 2800 psi
  for (int i = 17; i < 24; ++i) EXPECT_EQ(clamp.q[i], clamp.q[16]) << i;
}

}  // namespace
