#include "completion/completion_losses.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "inflow/curve_utils.hpp"

namespace {

using Curve = std::array<double, 25>;

// Straight-line layer curve from pr down to p_end, q = j (pr - p).
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

// Gravel pack, liquid: kg darcies, 0.5 in tunnels, 12 spf over 20 ft, 3 in of gravel.
Table gravel_liquid(double kg, const Layer& c) {
  Table t;
  dlv::gravel_pack_loss_liquid(0, kg, 0.5, 12.0, 20.0, 3.0, 1.2, 1.0, 55.0, c.q.data(), c.p.data(),
                               t.r.data(), t.v.data(), t.count);
  return t;
}

// Pseudo-pressure table m(p) = 100 p^2 on 0..5000 psi.
struct Pseudo {
  std::array<double, 200> p{}, m{};
  std::int32_t n = 51;
  Pseudo() {
    for (int i = 0; i < n; ++i) p[i] = 100.0 * i, m[i] = 100.0 * p[i] * p[i];
  }
  double of(double x) const { return dlv::bisect_lookup(x, p.data(), m.data(), n); }
};

// Loss law q -> c q + d q^2 through two points of a table.
struct Law {
  double c, d;
  Law(const Table& t) {
    const double a1 = t.v[1] / t.r[1], a2 = t.v[2] / t.r[2];
    d = (a2 - a1) / (t.r[2] - t.r[1]), c = a1 - d * t.r[1];
  }
  double operator()(double q) const { return c * q + d * q * q; }
};

TEST(IntersectParabolas, NewtonFromTheMiddleMeetsLineAndParabola) {
  double x = 0.0, y = 0.0;  // 10 - x against x^2 / 10
  dlv::intersect_parabolas(0, 5, 10, 10, 5, 0, 0, 5, 10, 0, 2.5, 10, x, y);
  EXPECT_NEAR(x, 5.0 * (std::sqrt(5.0) - 1.0), 1e-6);
  EXPECT_NEAR(y, 10.0 - x, 1e-12);
}

TEST(IntersectParabolas, NineteenStepsWithoutConvergenceReturnTheLastStepAndPreviousOrdinate) {
  // x^2 / 2 against -x^2 / 2: the mean ordinate is 0, so the test never
  // passes, and each Newton step halves x from 3.
  double x = 0.0, y = 0.0;
  dlv::intersect_parabolas(1, 3, 5, 0.5, 4.5, 12.5, 1, 3, 5, -0.5, -4.5, -12.5, x, y);
  const double x19 = 3.0 / std::ldexp(1.0, 19), x18 = 2.0 * x19;
  EXPECT_NEAR(x, x19, 1e-3 * x19);
  EXPECT_NEAR(y, 0.5 * x18 * x18, 1e-3 * 0.5 * x18 * x18);
}

TEST(LiquidLossTable, LossBelowTheCurveKeepsTheLayerRates) {
  const Layer c(3000.0, 500.0, 1.0);
  const Table t = gravel_liquid(100.0, c);
  EXPECT_EQ(t.count, 25);
  EXPECT_EQ(t.r, c.q);
  EXPECT_EQ(t.v[0], 0.0);
  const Law law(t);
  EXPECT_GT(law.d, 0.0);
  for (int i = 3; i < 25; ++i) EXPECT_NEAR(t.v[i], law(c.q[i]), 1e-9 * t.v[i]) << i;

  Layer still(3000.0, 0.0, 0.0);  // no rates: zero rates and zero losses
  const Table z = gravel_liquid(100.0, still);
  for (int i = 0; i < 25; ++i) EXPECT_TRUE(z.r[i] == 0.0 && z.v[i] == 0.0) << i;
}

TEST(LiquidLossTable, CrossingBeforeTheFirstPointIntersectsCurveNodes012) {
  Layer c(3000.0, 0.0, 1.0);
  for (int i = 0; i < 25; ++i) {  // a Vogel-shaped curve, so the curve nodes matter
    const double x = c.p[i] / 3000.0;
    c.q[i] = 3000.0 * (1.0 - 0.2 * x - 0.8 * x * x);
  }
  const Table t = gravel_liquid(0.001, c);
  const double x = t.r[24];
  ASSERT_GT(x, 0.0);
  ASSERT_LT(x, c.q[1]);
  EXPECT_NEAR(t.v[24], dlv::lagrange3(c.q[0], c.q[1], c.q[2], c.p[0], c.p[1], c.p[2], x), 1e-9);
  const Law law(t);
  EXPECT_NEAR(law(x), t.v[24], 1e-4 * t.v[24]);
  for (int i = 1; i < 24; ++i) EXPECT_DOUBLE_EQ(t.r[i], x / c.q[24] * c.q[i]) << i;
}

TEST(LiquidLossTable, ExactEqualityEndsTheTableAtThatRate) {
  Layer c(1.0e9, 1.0e9 - 24.0, 100.0);  // rates 100 i, pressures far above any loss
  const double hit = gravel_liquid(100.0, c).v[10];
  for (int i = 10; i < 25; ++i) c.p[i] = hit * (24 - i) / 14.0;
  const Table t = gravel_liquid(100.0, c);
  EXPECT_EQ(t.r[24], 1000.0);
  EXPECT_EQ(t.v[24], hit);
  for (int i = 1; i < 24; ++i) EXPECT_DOUBLE_EQ(t.r[i], 1000.0 / 2400.0 * c.q[i]) << i;
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

struct GasLayer {
  Curve q{}, p{};
  GasLayer(double pr, double rate_step) {
    for (int i = 0; i < 25; ++i) p[i] = pr - i * pr / 24.0, q[i] = rate_step * i;
  }
};

TEST(GasLossTables, SmallLossesAreZeroInProportionalTablesButNotEquallySpaced) {
  const Pseudo pp;
  const GasLayer c(2000.0, 1.0);
  Table g, s, z;  // gravel pack, perforation skin, crushed zone
  dlv::gravel_pack_loss_gas(1, 1.0e6, 0.5, 12.0, 20.0, 3.0, 200.0, 0.7, 0.02, c.q.data(),
                            c.p.data(), g.r.data(), g.v.data(), g.m.data(), g.count, pp.p.data(),
                            pp.m.data(), pp.n);
  dlv::perforation_skin_loss_gas(1, 1.0e6, 1.0, 20.0, 0.5, 0.5, 2.0, 1.0e6, 100.0, 200.0, 0.7, 0.02,
                                 c.q.data(), c.p.data(), s.r.data(), s.v.data(), s.m.data(),
                                 s.count, pp.p.data(), pp.m.data(), pp.n);
  dlv::crushed_zone_loss_gas(1, 1.0e6, 12.0, 20.0, 0.5, 0.5, 12.0, 200.0, 0.7, 0.02, c.q.data(),
                             c.p.data(), z.r.data(), z.v.data(), z.m.data(), z.count, pp.p.data(),
                             pp.m.data(), pp.n);
  int small_z = 0;
  for (int i = 1; i < 25; ++i) {
    EXPECT_GT(g.m[i], 0.0) << i;  // the gravel pack keeps its small pseudo-pressure losses
    EXPECT_EQ(g.v[i], 0.0) << i;
    EXPECT_TRUE(s.v[i] == 0.0 || s.v[i] > 1.0) << i;
    if (i < 24) {
      EXPECT_TRUE(s.m[i] == 0.0 || s.m[i] > 1.0) << i;
    }
    if (z.v[i] > 0.0 && z.v[i] <= 1.0) ++small_z;
  }
  EXPECT_EQ(s.m[1], 0.0);
  EXPECT_GT(s.m[23], 1.0);
  EXPECT_EQ(small_z, 24);
  EXPECT_NEAR(z.r[24], z.r[12] * 2.0, 1e-9 * z.r[24]);  // equal rate steps
}

TEST(GasLossTables, GasInjectionRaisesPressureAtTheLayerRates) {
  const Pseudo pp;
  GasLayer c(2000.0, 100.0);
  for (int i = 0; i < 25; ++i) c.p[i] = 2000.0 + 50.0 * i;
  Table g, z, s1, s3;
  dlv::gravel_pack_loss_gas(3, 5.0, 0.5, 12.0, 20.0, 3.0, 200.0, 0.7, 0.02, c.q.data(), c.p.data(),
                            g.r.data(), g.v.data(), g.m.data(), g.count, pp.p.data(), pp.m.data(),
                            pp.n);
  dlv::crushed_zone_loss_gas(3, 50.0, 12.0, 20.0, 0.5, 0.5, 12.0, 200.0, 0.7, 0.02, c.q.data(),
                             c.p.data(), z.r.data(), z.v.data(), z.m.data(), z.count, pp.p.data(),
                             pp.m.data(), pp.n);
  for (const Table* t : {&g, &z}) {
    EXPECT_EQ(t->r, c.q);
    EXPECT_EQ(t->v[0], 0.0);
    for (int i = 1; i < 25; ++i) {
      EXPECT_GT(t->v[i], t->v[i - 1]) << i;
      EXPECT_NEAR(pp.of(c.p[i] + t->v[i]) - pp.of(c.p[i]), t->m[i], 1e-9 * pp.of(c.p[i])) << i;
    }
  }
  for (std::int32_t mode : {1, 3}) {  // the perforation skin model has no injection branch
    Table& t = mode == 1 ? s1 : s3;
    dlv::perforation_skin_loss_gas(mode, 50.0, 12.0, 20.0, 0.5, 0.5, 6.0, 50.0, 20.0, 200.0, 0.7,
                                   0.02, c.q.data(), c.p.data(), t.r.data(), t.v.data(), t.m.data(),
                                   t.count, pp.p.data(), pp.m.data(), pp.n);
  }
  EXPECT_EQ(s1.r, s3.r);
  EXPECT_EQ(s1.v, s3.v);
}

TEST(CompletionLosses, NonFiniteCoefficientsStillEndWithAFullTable) {
  const Pseudo pp;
  const Layer c(3000.0, 0.0, 1.0);
  Table t[5];
  t[0] = gravel_liquid(0.0, c);
  dlv::perforation_skin_loss_liquid(0, 0.0, 12.0, 20.0, 0.5, 0.5, 0.0, 50.0, 20.0, 1.2, 1.0, 55.0,
                                    c.q.data(), c.p.data(), t[1].r.data(), t[1].v.data(),
                                    t[1].count);
  dlv::gravel_pack_loss_gas(1, 0.0, 0.0, 12.0, 20.0, 3.0, 200.0, 0.7, 0.02, c.q.data(), c.p.data(),
                            t[2].r.data(), t[2].v.data(), t[2].m.data(), t[2].count, pp.p.data(),
                            pp.m.data(), pp.n);
  dlv::crushed_zone_loss_gas(1, 0.0, 0.0, 20.0, 0.5, 0.0, 0.0, 200.0, 0.7, 0.0, c.q.data(),
                             c.p.data(), t[3].r.data(), t[3].v.data(), t[3].m.data(), t[3].count,
                             pp.p.data(), pp.m.data(), pp.n);
  dlv::perforation_skin_loss_gas(1, 0.0, 0.0, 0.0, 0.5, 0.0, 0.0, 0.0, 20.0, 200.0, 0.7, 0.0,
                                 c.q.data(), c.p.data(), t[4].r.data(), t[4].v.data(),
                                 t[4].m.data(), t[4].count, pp.p.data(), pp.m.data(), 100000);
  for (const Table& x : t) EXPECT_TRUE(x.count == 25 && x.r[0] == 0.0 && x.v[0] == 0.0);
}

}  // namespace
