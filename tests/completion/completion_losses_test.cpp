#include "completion/completion_losses.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "numerics/curve_utils.hpp"

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

// Gravel pack, liquid: 0.5 in shots, 4 spf over 20 ft, 3 in of gravel at kg
// darcies; B 1.2, 1 cp, 55 lb/ft3.
Table gravel(double kg, const Layer& c) {
  Table t;
  dlv::gravel_pack_loss_liquid(0, kg, {4.0, 20.0, 0.5, 0.0, 0.0, 3.0}, {1.2, 1.0, 55.0},
                               {c.q.data(), c.p.data()},
                               {t.r.data(), t.v.data(), nullptr, t.count});
  return t;
}

TEST(CompletionLosses, EndRateSearchCases) {
  const Table z = gravel(100.0, Layer(3000.0, 0.0, 0.0));  // no rates: all zero
  EXPECT_EQ(z.count, 25);
  EXPECT_EQ((std::array{z.r, z.v}), (std::array{Curve{}, Curve{}}));

  // Straight line p = 3000 - q against the quadratic loss C q + D q^2: with
  // kg 1 D a crossing past point 2, with kg 1e4 D one at the last point, each
  // at the root of D q^2 + (C + 1) q = 3000.
  const Layer line(3000.0, 0.0, 1.0);
  for (double kg : {1.0, 1e4}) {
    const Table s = gravel(kg, line);
    const double af = 0.109083, c = 0.0739475 * 1.2 * 3.0 / kg / af + 1.0;
    const double d = 7.5905e-14 * 316230.0 / std::sqrt(kg) * 1.44 * 55.0 * 3.0 / (af * af);
    EXPECT_NEAR(s.r[24], (std::sqrt(c * c + 4.0 * d * 3000.0) - c) / (2.0 * d), 0.05) << kg;
    EXPECT_NEAR(s.v[24], 3000.0 - s.r[24], 1e-9);
    for (int i = 1; i < 24; ++i) EXPECT_DOUBLE_EQ(s.r[i], s.r[24] / 3000.0 * line.q[i]) << i;
  }

  Layer v(3000.0, 0.0, 1.0);  // a Vogel curve; the loss exceeds it already at point 1
  for (int i = 0; i < 25; ++i)
    v.q[i] = 3000.0 * (1.0 - v.p[i] / 15000.0 - 0.8 * v.p[i] / 3000.0 * v.p[i] / 3000.0);
  const Table j1 = gravel(0.001, v);
  ASSERT_LT(std::abs(j1.r[24] - v.q[1] / 2.0), v.q[1] / 2.0) << j1.r[24];  // in (0, q[1])
  EXPECT_NEAR(j1.v[24], dlv::lagrange3(v.q[0], v.q[1], v.q[2], v.p[0], v.p[1], v.p[2], j1.r[24]),
              1e-9);

  Layer e(1.0e9, 1.0e9 - 24.0, 100.0);  // rates 100 i; point 10 made exactly equal to its loss
  const double hit = gravel(50.0, e).v[10];
  for (int i = 11; i < 25; ++i) e.p[i] = hit * (24 - i) / 14.0;
  e.p[10] = hit;
  const Table h = gravel(50.0, e);
  EXPECT_EQ((std::array{h.r[24], h.v[24]}), (std::array{1000.0, hit}));
  for (int i = 1; i < 24; ++i) EXPECT_DOUBLE_EQ(h.r[i], 1000.0 / 2400.0 * e.q[i]) << i;
}

TEST(CompletionLosses, CrushedZoneLiquidSubstitutes999ForUnusableGeometry) {
  const Layer c(3000.0, 0.0, 1.0);
  Table t;
  double kc = 5.0;  // with no tunnel length both coefficients become 999
  dlv::crushed_zone_loss_liquid(0, kc, {12.0, 20.0, 0.5, 0.5, 0.0, 0.0}, {1.2, 1.0, 55.0},
                                {c.q.data(), c.p.data()},
                                {t.r.data(), t.v.data(), nullptr, t.count});
  for (int i = 1; i < 24; ++i) EXPECT_EQ(t.v[i], 999.0 * t.r[i] + 999.0 * (t.r[i] * t.r[i])) << i;
}

TEST(CompletionLosses, PerforationSkinGasDropsPseudoPressureLossesOfAtMostOne) {
  std::array<double, 200> pp{}, pm{};
  for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = 100.0 * pp[i] * pp[i];
  Layer c(2000.0, 0.0, 0.0);
  for (int i = 0; i < 25; ++i) c.q[i] = 0.001 * i;  // pseudo-pressure losses of about 0.18 i
  Table s;
  dlv::perforation_skin_loss_gas(1, 1e6, {4.0, 20.0, 0.5, 0.4, 6.0, 0.0}, {50.0, 30.0},
                                 {200.0, 0.7, 0.02}, {c.q.data(), c.p.data()},
                                 {s.r.data(), s.v.data(), s.m.data(), s.count},
                                 {pp.data(), pm.data(), 51});
  EXPECT_EQ((std::array{s.m[1], s.m[5]}), (std::array{0.0, 0.0}));
  EXPECT_GT(std::min(s.m[6], s.m[23]), 1.0) << s.m[6] << ' ' << s.m[23];
  auto m = [&](int j) { return dlv::bisect_lookup(c.p[j], pp.data(), pm.data(), 51); };
  // The crossing at the last point ends on the curve's own parabola.
  EXPECT_NEAR(s.m[24], dlv::lagrange3(c.q[22], c.q[23], c.q[24], m(22), m(23), m(24), s.r[24]),
              1e-9 * s.m[24]);
}

}  // namespace
