#include "completion/completion_losses.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "inflow/curve_utils.hpp"

namespace {

using Curve = std::array<double, 25>;

// Layer curve from pr down to p_end with rates j (pr - p).
struct Layer {
  Curve q{}, p{};
  Layer(double pr, double p_end, double j) {
    for (int i = 0; i < 25; ++i) p[i] = pr - i * (pr - p_end) / 24.0, q[i] = j * (pr - p[i]);
  }
};

struct Table {
  Curve r{}, v{}, m{};
  std::int32_t count = 0;
};

// Gravel pack, liquid: 0.5 in tunnels, 12 spf over 20 ft, 3 in of gravel.
Table gravel(double kg, const Layer& c) {
  Table t;
  dlv::gravel_pack_loss_liquid(0, kg, 0.5, 12.0, 20.0, 3.0, 1.2, 1.0, 55.0, c.q.data(), c.p.data(),
                               t.r.data(), t.v.data(), t.count);
  return t;
}

// Pseudo-pressure table m(p) = 100 p^2 on 0..5000 psi.
struct Pseudo {
  std::array<double, 200> p{}, m{};
  Pseudo() {
    for (int i = 0; i <= 50; ++i) p[i] = 100.0 * i, m[i] = 100.0 * p[i] * p[i];
  }
  double of(double x) const { return dlv::bisect_lookup(x, p.data(), m.data(), 51); }
};

TEST(IntersectParabolas, NineteenStepsWithoutConvergenceReturnTheLastStepAndPreviousOrdinate) {
  // x^2 / 2 against -x^2 / 2: the mean ordinate is 0, so the test never
  // passes, and each Newton step halves x from 3.
  double x = 0.0, y = 0.0;
  dlv::intersect_parabolas(1, 3, 5, 0.5, 4.5, 12.5, 1, 3, 5, -0.5, -4.5, -12.5, x, y);
  const double x19 = 3.0 / std::ldexp(1.0, 19), x18 = 2.0 * x19;
  EXPECT_NEAR(x, x19, 1e-3 * x19);
  EXPECT_NEAR(y, 0.5 * x18 * x18, 1e-3 * 0.5 * x18 * x18);
}

TEST(LiquidLossTable, EndRateSearchCases) {
  const Layer high(3000.0, 500.0, 1.0);  // loss below the curve everywhere: the layer's rates
  const Table t = gravel(100.0, high);
  EXPECT_TRUE(t.count == 25 && t.r == high.q && t.v[0] == 0.0 && t.v[24] > 0.0);
  const Table z = gravel(100.0, Layer(3000.0, 0.0, 0.0));  // no rates: all zero
  for (int i = 0; i < 25; ++i) EXPECT_TRUE(z.r[i] == 0.0 && z.v[i] == 0.0) << i;

  Layer v(3000.0, 0.0, 1.0);  // a Vogel curve; the loss exceeds it already at point 1
  for (int i = 0; i < 25; ++i)
    v.q[i] = 3000.0 * (1.0 - v.p[i] / 15000.0 - 0.8 * v.p[i] / 3000.0 * v.p[i] / 3000.0);
  const Table c = gravel(0.001, v);
  const double x = c.r[24];
  ASSERT_TRUE(x > 0.0 && x < v.q[1]);
  EXPECT_NEAR(c.v[24], dlv::lagrange3(v.q[0], v.q[1], v.q[2], v.p[0], v.p[1], v.p[2], x), 1e-9);
  for (int i = 1; i < 24; ++i) EXPECT_DOUBLE_EQ(c.r[i], x / v.q[24] * v.q[i]) << i;

  Layer e(1.0e9, 1.0e9 - 24.0, 100.0);  // rates 100 i; point 10 made exactly equal to its loss
  const double hit = gravel(100.0, e).v[10];
  for (int i = 10; i < 25; ++i) e.p[i] = hit * (24 - i) / 14.0;
  const Table h = gravel(100.0, e);
  EXPECT_TRUE(h.r[24] == 1000.0 && h.v[24] == hit);
  for (int i = 1; i < 24; ++i) EXPECT_DOUBLE_EQ(h.r[i], 1000.0 / 2400.0 * e.q[i]) << i;
}

TEST(CrushedZoneLossLiquid, FloorsPermeabilityInPlaceAndSubstitutes999) {
  const Layer c(3000.0, 0.0, 1.0);
  Table t;
  double kc = -5.0;  // with no tunnel length both coefficients become 999
  dlv::crushed_zone_loss_liquid(0, kc, 12.0, 20.0, 0.5, 0.5, 0.0, 1.2, 1.0, 55.0, c.q.data(),
                                c.p.data(), t.r.data(), t.v.data(), t.count);
  EXPECT_EQ(kc, 0.001);
  for (int i = 1; i < 24; ++i) EXPECT_EQ(t.v[i], 999.0 * t.r[i] + 999.0 * (t.r[i] * t.r[i])) << i;
}

TEST(GasLossTables, SmallLossesAreZeroInProportionalTablesButNotEquallySpaced) {
  const Pseudo pp;
  Layer c(2000.0, 0.0, 0.0);
  for (int i = 0; i < 25; ++i) c.q[i] = i;
  Table g, s, z;  // gravel pack, perforation skin, crushed zone
  dlv::gravel_pack_loss_gas(1, 1.0e6, 0.5, 12.0, 20.0, 3.0, 200.0, 0.7, 0.02, c.q.data(),
                            c.p.data(), g.r.data(), g.v.data(), g.m.data(), g.count, pp.p.data(),
                            pp.m.data(), 51);
  dlv::perforation_skin_loss_gas(1, 1.0e6, 1.0, 20.0, 0.5, 0.5, 2.0, 1.0e6, 100.0, 200.0, 0.7, 0.02,
                                 c.q.data(), c.p.data(), s.r.data(), s.v.data(), s.m.data(),
                                 s.count, pp.p.data(), pp.m.data(), 51);
  dlv::crushed_zone_loss_gas(1, 1.0e6, 12.0, 20.0, 0.5, 0.5, 12.0, 200.0, 0.7, 0.02, c.q.data(),
                             c.p.data(), z.r.data(), z.v.data(), z.m.data(), z.count, pp.p.data(),
                             pp.m.data(), 51);
  for (int i = 1; i < 25; ++i) {
    EXPECT_TRUE(g.m[i] > 0.0 && g.v[i] == 0.0) << i;  // gravel keeps small pseudo-pressure losses
    EXPECT_TRUE(s.v[i] == 0.0 || s.v[i] > 1.0) << i;
    EXPECT_TRUE(i == 24 || s.m[i] == 0.0 || s.m[i] > 1.0) << i;
    EXPECT_TRUE(z.v[i] > 0.0 && z.v[i] <= 1.0) << i;
  }
  EXPECT_TRUE(s.m[1] == 0.0 && s.m[23] > 1.0);
  EXPECT_NEAR(z.r[24], z.r[12] * 2.0, 1e-9 * z.r[24]);  // equal rate steps
}

TEST(GasLossTables, GasInjectionRaisesPressureAtTheLayerRates) {
  const Pseudo pp;
  Layer c(2000.0, 3200.0, 0.0);
  for (int i = 0; i < 25; ++i) c.q[i] = 100.0 * i;
  Table g, z, s1, s3;
  dlv::gravel_pack_loss_gas(3, 5.0, 0.5, 12.0, 20.0, 3.0, 200.0, 0.7, 0.02, c.q.data(), c.p.data(),
                            g.r.data(), g.v.data(), g.m.data(), g.count, pp.p.data(), pp.m.data(),
                            51);
  dlv::crushed_zone_loss_gas(3, 50.0, 12.0, 20.0, 0.5, 0.5, 12.0, 200.0, 0.7, 0.02, c.q.data(),
                             c.p.data(), z.r.data(), z.v.data(), z.m.data(), z.count, pp.p.data(),
                             pp.m.data(), 51);
  for (const Table* t : {&g, &z}) {
    EXPECT_TRUE(t->r == c.q && t->v[0] == 0.0);
    for (int i = 1; i < 25; ++i) {
      EXPECT_GT(t->v[i], t->v[i - 1]) << i;
      EXPECT_NEAR(pp.of(c.p[i] + t->v[i]) - pp.of(c.p[i]), t->m[i], 1e-9 * pp.of(c.p[i])) << i;
    }
  }
  for (Table* t : {&s1, &s3}) {  // the perforation skin model has no injection branch
    dlv::perforation_skin_loss_gas(
        t == &s1 ? 1 : 3, 50.0, 12.0, 20.0, 0.5, 0.5, 6.0, 50.0, 20.0, 200.0, 0.7, 0.02, c.q.data(),
        c.p.data(), t->r.data(), t->v.data(), t->m.data(), t->count, pp.p.data(), pp.m.data(), 51);
  }
  EXPECT_TRUE(s1.r == s3.r && s1.v == s3.v);
}

TEST(CompletionLosses, NonFiniteCoefficientsStillEndWithAFullTable) {
  const Pseudo pp;  // zero permeability, length and viscosity; an oversized table count
  const Layer c(3000.0, 0.0, 1.0);
  Table t[2];
  t[0] = gravel(0.0, c);
  dlv::perforation_skin_loss_gas(1, 0.0, 0.0, 0.0, 0.5, 0.0, 0.0, 0.0, 20.0, 200.0, 0.7, 0.0,
                                 c.q.data(), c.p.data(), t[1].r.data(), t[1].v.data(),
                                 t[1].m.data(), t[1].count, pp.p.data(), pp.m.data(), 100000);
  for (const Table& x : t) EXPECT_TRUE(x.count == 25 && x.r[0] == 0.0 && x.v[0] == 0.0);
}

}  // namespace
