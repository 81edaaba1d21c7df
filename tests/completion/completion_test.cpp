// The completion losses of each model, and the stage that applies them to
// every layer of a well.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "completion/completion_losses.hpp"
#include "completion/completion_stage.hpp"
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

namespace lay = dlv::layout;

// A well of n layers on blocks of the host's sizes. Every layer: 0.5 in
// shots, 4 spf over 20 ft, 3 in of gravel at 50 D, 6 in tunnels with a 0.4 in
// crushed zone of 5 md, 50 md over 30 ft; B 1.2, 1 cp, 55 lb/ft3; gas at
// 200 F, gravity 0.7, 0.02 cp. Curves at rates 100 i and pressures 1e9 - i
// (liquid) or 4000 - i (gas), far from where the loss uses them up.
// Pseudo-pressures m(p) = 100 p^2 in steps of 100 psi.
struct Well {
  std::array<double, lay::completion::min_slots> completion{};
  std::array<double, lay::curves::total_slots> curves{}, out{};
  std::array<double, lay::well::min_slots> record{};
  std::array<double, 1426> fluids{};
  std::array<double, 200> pp{}, pm{};
  dlv::CompletionBlock cb{completion.data()};
  dlv::CurveTables layer{curves.data()}, result{out.data()};
  dlv::WellRecord w{record.data()};
  dlv::LayerFluids f{fluids.data()};
  std::int32_t mode;

  Well(std::int32_t layers, std::int32_t model, std::int32_t calc_mode) : mode(calc_mode) {
    out.fill(7.0);
    std::memcpy(completion.data(), &model, 4);
    std::memcpy(reinterpret_cast<char*>(record.data()) + lay::well::layer_count_byte, &layers, 4);
    cb.shot_density_factor() = 1.0;
    const double field[8] = {50, 5, 0.4, 4, 0.5, 20, 3, 6};  // kg .. lp, in the block's order
    for (int L = 0; L < lay::kLayers; ++L) {
      for (int j = 0; j < 8; ++j)
        completion[lay::completion::gravel_permeability + 50 * j + L] = field[j];
      w.permeability()[L] = 50.0, w.thickness()[L] = 30.0, w.layer_temperature()[L] = 200.0;
      f.liquid_fvf()[L] = 1.2, f.liquid_viscosity()[L] = 1.0, f.liquid_density()[L] = 55.0;
      f.gas_sg()[L] = 0.7, f.gas_viscosity()[L] = 0.02;
      for (int i = 0; i < 25; ++i) {
        layer.rate(L)[i] = 100.0 * i, layer.pressure(L)[i] = (mode % 2 ? 4000.0 : 1e9) - i;
      }
    }
    for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = 100.0 * pp[i] * pp[i];
  }
  void run() {
    dlv::apply_completion_losses(cb, layer, w, mode, result, f, {pp.data(), pm.data(), 51});
  }
  // Scales every completion, formation and fluid field of layer L.
  void scale(int L, double s) {
    for (int j = 0; j < 8; ++j) completion[lay::completion::gravel_permeability + 50 * j + L] *= s;
    for (auto a : {w.permeability(), w.thickness(), w.layer_temperature(), f.liquid_fvf(),
                   f.liquid_viscosity(), f.liquid_density(), f.gas_sg(), f.gas_viscosity()}) {
      a[L] *= s;
    }
  }
  double m(double p) const { return dlv::bisect_lookup(p, pp.data(), pm.data(), 51); }
  double p_of(double m) const { return dlv::bisect_lookup_inverse(m, pp.data(), pm.data(), 51); }
};

TEST(ApplyCompletionLosses, WorkedLossForEveryModelAndModeOnTheLayerRates) {
  // Loss at 1000 per day worked by hand from the coefficients of the six
  // routines: psi for a liquid, pseudo-pressure units for a gas.
  const double worked[2][3] = {{116.59188141550811, 936.8051896952392, 921.3222215203601},
                               {2979032.8788137785, 9030994.561251258, 5646568.258728389}};
  for (std::int32_t mode : {0, 1, 2, 3}) {
    for (int model : {1, 2, 3}) {
      Well x(2, model, mode);
      x.scale(0, 1.5);  // layer 1 keeps the worked values
      x.run();
      const double l = worked[mode % 2][model - 1], p = x.layer.pressure(1)[10];
      // A gas injecting (not through model 3) takes the rise needed to inject.
      const double pseudo =
          mode == 3 && model != 3 ? x.p_of(x.m(p) + l) - p : p - x.p_of(x.m(p) - l);
      EXPECT_NEAR(x.result.drawdown(1)[10], mode % 2 ? pseudo : l, 1e-12 * l) << mode << model;
      for (int L = 0; L < 2; ++L) {
        const auto q = x.layer.rate(L), p = x.layer.pressure(L), v = x.result.drawdown(L);
        for (int i = 0; i < 25; ++i) {
          EXPECT_EQ(x.result.rate(L)[i], q[i]) << mode << model << L << i;
          EXPECT_EQ(x.result.pressure(L)[i], mode >= 2 ? p[i] + v[i] : p[i] - v[i]) << mode << i;
        }
      }
    }
  }
}

TEST(ApplyCompletionLosses, GasProductionThresholdsSpacingAndEndPressure) {
  for (int model : {1, 2, 3}) {
    Well x(1, model, 1), c(1, model, 1);
    x.run();
    const auto v = x.result.drawdown(0);
    EXPECT_LT(v[1], 1.0) << model;  // about 0.2 psi at 100, 9 psi at 2400
    EXPECT_GT(v[24], 1.0) << model;
    for (int i = 1; i < 25; ++i) {  // the crushed zone drops no loss; the others those below 1
      EXPECT_TRUE(v[i] > (model == 2 ? 0.0 : 1.0) || (model != 2 && v[i] == 0.0))
          << model << ' ' << i << ": " << v[i];
    }
    for (int i = 0; i < 25; ++i) {  // rates 10 i^2 from 2000 psi down to 0: a crossing
      c.layer.rate(0)[i] = 10.0 * i * i, c.layer.pressure(0)[i] = 2000.0 - i * 2000.0 / 24.0;
    }
    c.run();
    const auto r = c.result.rate(0);
    EXPECT_NEAR(c.result.pressure(0)[24], 0.0, 40.0) << model;  // the loss takes the whole pressure
    EXPECT_LT(r[24], 5760.0) << model;
    for (int i = 1; i < 25; ++i) {  // the crushed zone on equal rate steps, the others proportional
      EXPECT_NEAR(r[i], model == 2 ? i * r[24] / 24.0 : r[24] * i * i / 576.0, 1e-9 * r[24]) << i;
    }
  }
}

TEST(ApplyCompletionLosses, FloorsAreWrittenBackForEveryLayerBeforeTheLossRuns) {
  for (int model : {2, 3}) {
    Well x(2, model, 0), floored(2, model, 0);
    x.cb.shot_density_factor() = 0.0;  // every layer at 0.1 shots per foot
    for (int L : {0, 1, 2}) {
      x.cb.perforated_interval()[L] = 0.0, x.cb.perforation_diameter()[L] = -1.0;
      x.cb.gravel_permeability()[L] = 0.0;  // not an input of models 2 and 3, floored all the same
      floored.cb.perforated_interval()[L] = 0.1, floored.cb.perforation_diameter()[L] = 0.001;
      floored.cb.gravel_permeability()[L] = 0.01, floored.cb.shot_density()[L] = 0.1;
      if (model == 2) x.cb.crushed_zone_permeability()[L] = -1.0;  // floored by model 2 alone
      if (model == 2) floored.cb.crushed_zone_permeability()[L] = L < 2 ? 0.001 : -1.0;
    }
    x.run();
    floored.run();
    EXPECT_EQ(x.out, floored.out);
    for (int L : {0, 1, 2}) {  // the shot density itself stays
      EXPECT_EQ((std::vector<double>{x.cb.perforated_interval()[L], x.cb.perforation_diameter()[L],
                                     x.cb.gravel_permeability()[L], x.cb.shot_density()[L],
                                     x.cb.crushed_zone_permeability()[L]}),
                (std::vector<double>{L < 2 ? 0.1 : 0.0, L < 2 ? 0.001 : -1.0, L < 2 ? 0.01 : 0.0,
                                     4.0, floored.cb.crushed_zone_permeability()[L]}))
          << L;
    }
    const auto first = x.out;
    x.run();  // a second call sees the replaced values
    EXPECT_EQ(x.out, first);
  }
}

TEST(ApplyCompletionLosses, ModelZeroWritesNothingAtAll) {
  Well zero(2, 0, 0);
  zero.cb.perforated_interval()[0] = 0.0;
  const auto block = zero.completion;
  zero.run();
  EXPECT_EQ(zero.completion, block);
  EXPECT_EQ(std::count(zero.out.begin(), zero.out.end(), 7.0), 3750);
}

}  // namespace
