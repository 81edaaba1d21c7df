#include "inflow/darcy_vogel.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

struct Curve {
  std::array<double, 25> q{}, p{};
  double pr = 0.0;
};
// h 50 ft, re 1490 ft, B 1.2; k 100 md, rw 0.328 ft, 1 cp give J = 3.847074.
Curve dv(double pr, double pb, double w, double k = 100.0, double skin = 0.0,
         double mu_liquid = 1.0) {
  Curve c;
  c.pr = pr;
  dlv::darcy_vogel_curve(k, 50.0, 1490.0, 0.328, skin, 1.2, mu_liquid, c.pr, pb, w, 1.0, 0.0,
                         c.q.data(), c.p.data(), 0);
  return c;
}
const double kJ = 3.8470742623722507;  // textbook Darcy index of this layer
double v(double x) { return 1.0 - 0.2 * x - 0.8 * x * x; }

TEST(DarcyVogelCurve, DarcyIndexCompositeNodeAndWaterLine) {
  const Curve line = dv(2400.0, 0.0, 0.0);  // pb = 0: the end point keeps the 0.01 floor
  for (int k = 0; k < 25; ++k) EXPECT_NEAR(line.q[k], kJ * k * 100.0 + (k == 24) * 0.01, 1e-8);
  const Curve on = dv(2400.0, 1900.0, 0.0), moved = dv(2400.0, 1950.0, 0.0);
  EXPECT_TRUE(on.p[5] == 1900.0 && on.p[6] == 1800.0 && moved.p[5] == 1950.0);
  EXPECT_NEAR(on.q[6], 500.0 * kJ + 1900.0 * kJ / 1.8 * v(18.0 / 19.0), 1e-9);
  EXPECT_NEAR(moved.q[5], 450.0 * kJ, 1e-9);
  // Half water at half the viscosity: Jw = J. The floor precedes f_o.
  EXPECT_NEAR(dv(2400.0, 3000.0, 0.5, 100.0, 0.0, 0.5).q[12],
              0.5 * 2400.0 * kJ / 1.8 * v(0.5) + kJ * 1200.0, 1e-9);
  EXPECT_NEAR(dv(2400.0, 3000.0, 0.5, 1e-9).q[24], 0.005, 1e-7);
}

TEST(DarcyVogelCurve, SentinelRaisedPressureAndBadInput) {
  const Curve neg = dv(2400.0, 1900.0, 0.2, 100.0, -9.0);  // L < 0
  for (int k = 0; k < 25; ++k) EXPECT_EQ(neg.q[k], k == 0 ? 0.0 : dlv::invalid_rate);
  EXPECT_TRUE(neg.p[5] == 1900.0 && neg.p[6] == 1800.0);
  const Curve zero = dv(0.0, 1900.0, 0.0);  // raised to 1 psi and written back
  EXPECT_TRUE(zero.pr == 1.0 && zero.p[0] == 1.0 && zero.p[24] == 0.0);
  for (const Curve& c : {dv(2400.0, 1900.0, 0.3, 100.0, 0.0, 0.0), dv(2400.0, 1900.0, 0.3, -1.0),
                         dv(2400.0, 1900.0, 0.3, 100.0, -std::log(0.472 * 1490.0 / 0.328))}) {
    EXPECT_TRUE(c.p[0] == 2400.0 && c.q[0] == 0.0 && c.p[23] == 100.0);  // no crash, grid kept
  }
}

}  // namespace
