#include "completion/completion_stage.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "completion/completion_losses.hpp"
#include "inflow/curve_utils.hpp"

namespace {

namespace lay = dlv::layout;

// A well of n layers on blocks of exactly the host's sizes. Layer L has an
// oil straight line (rate (1 + L)(pr - p), pr = 3000) or a gas curve
// (rate 1e-3 (1 + L)(pr^2 - p^2), pr = 2000) from pr down to 0.
struct Well {
  std::vector<double> completion = std::vector<double>(lay::completion::min_slots);
  std::vector<double> separator = std::vector<double>(2);
  std::vector<double> curves = std::vector<double>(lay::curves::total_slots);
  std::vector<double> record = std::vector<double>(lay::well::min_slots);
  std::vector<double> out = std::vector<double>(lay::curves::total_slots, 7.0);
  std::vector<double> fluids = std::vector<double>(1426);
  std::array<double, 200> pp{}, pm{};

  dlv::CompletionBlock cb() { return {completion.data()}; }
  dlv::CurveTables layer() { return {curves.data()}; }
  dlv::CurveTables result() { return {out.data()}; }

  Well(std::int32_t layers, std::int32_t model, bool gas) {
    std::memcpy(completion.data(), &model, 4);
    std::memcpy(reinterpret_cast<unsigned char*>(record.data()) + lay::well::layer_count_byte,
                &layers, 4);
    cb().shot_density_factor() = 1.0;
    const dlv::LayerFluids f{fluids.data()};
    const dlv::WellRecord w{record.data()};
    for (int L = 0; L < lay::kLayers; ++L) {
      cb().gravel_permeability()[L] = 50.0, cb().crushed_zone_permeability()[L] = 5.0;
      cb().crushed_zone_thickness()[L] = 0.4, cb().shot_density()[L] = 4.0;
      cb().perforation_diameter()[L] = 0.5, cb().perforated_interval()[L] = 20.0;
      cb().gravel_tunnel_length()[L] = 3.0, cb().perforation_length()[L] = 6.0;
      w.permeability()[L] = 50.0, w.thickness()[L] = 20.0, w.layer_temperature()[L] = 200.0;
      f.liquid_fvf()[L] = 1.2, f.liquid_viscosity()[L] = 1.0, f.liquid_density()[L] = 55.0;
      f.gas_sg()[L] = 0.7, f.gas_viscosity()[L] = 0.02;
      const double pr = gas ? 2000.0 : 3000.0;
      for (int i = 0; i < 25; ++i) {
        const double p = pr - i * pr / 24.0;
        layer().pressure(L)[i] = p;
        layer().rate(L)[i] = gas ? 1.0e-3 * (1.0 + L) * (pr * pr - p * p) : (1.0 + L) * (pr - p);
      }
    }
    for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = 100.0 * pp[i] * pp[i];
  }
  void run(std::int32_t mode) {
    dlv::apply_completion_losses(cb(), {separator.data()}, layer(), {record.data()}, mode, result(),
                                 {fluids.data()}, pp.data(), pm.data(), 51);
  }
};

TEST(ApplyCompletionLosses, FloorsAreWrittenBackForEveryLayerAndSeenByASecondCall) {
  Well w(2, 3, false), floored(2, 3, false);
  for (int L : {0, 1, 2}) {
    w.cb().perforated_interval()[L] = 0.0, w.cb().perforation_diameter()[L] = -1.0;
    w.cb().gravel_permeability()[L] = 0.0;  // not a model 3 input, floored all the same
  }
  w.cb().shot_density_factor() = 0.0;
  for (int L : {0, 1}) {
    floored.cb().perforated_interval()[L] = 0.1, floored.cb().perforation_diameter()[L] = 0.001;
    floored.cb().gravel_permeability()[L] = 0.01, floored.cb().shot_density()[L] = 0.1;
  }
  w.run(0);
  floored.run(0);
  for (int L : {0, 1}) {
    EXPECT_TRUE(w.cb().perforated_interval()[L] == 0.1 &&
                w.cb().perforation_diameter()[L] == 0.001 &&
                w.cb().gravel_permeability()[L] == 0.01);
  }
  EXPECT_EQ(w.cb().perforated_interval()[2], 0.0);  // beyond layer_count
  EXPECT_EQ(w.out, floored.out);                    // factor 0 acts as 0.1 shots per foot
  const std::vector<double> first = w.out;
  w.run(0);
  EXPECT_EQ(w.out, first);
}

TEST(ApplyCompletionLosses, InjectionKeepsTheLayerRatesAndAddsTheLoss) {
  Well w(2, 2, false), g(2, 1, true);  // water with model 2, gas with model 1
  for (int i = 0; i < 25; ++i) {
    w.layer().pressure(0)[i] = g.layer().pressure(1)[i] = 2000.0 + 50.0 * i;
    w.layer().rate(0)[i] = g.layer().rate(1)[i] = 100.0 * i;
  }
  w.cb().crushed_zone_permeability()[0] = 0.0;
  std::array<double, 25> r{}, v{};
  std::int32_t n = 0;
  double kc = 0.001;
  dlv::crushed_zone_loss_liquid(2, kc, 4.0, 20.0, 0.4, 0.5, 6.0, 1.2, 1.0, 55.0,
                                w.layer().rate(0).data(), w.layer().pressure(0).data(), r.data(),
                                v.data(), n);
  w.run(2);
  g.run(3);
  EXPECT_EQ(w.cb().crushed_zone_permeability()[0], 0.001);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(w.result().drawdown(0)[i], v[i]);
    for (auto [x, L] : {std::pair{&w, 0}, std::pair{&g, 1}}) {
      const double loss = x->result().drawdown(L)[i];
      EXPECT_EQ(x->result().rate(L)[i], x->layer().rate(L)[i]);
      EXPECT_EQ(x->result().pressure(L)[i], x->layer().pressure(L)[i] + loss);
      EXPECT_TRUE(i == 0 ? loss == 0.0 : loss > x->result().drawdown(L)[i - 1]) << i;
    }
  }
}

TEST(ApplyCompletionLosses, ProductionCurveEndsNearZeroPressureBelowTheLayerCurve) {
  for (std::int32_t mode : {0, 1}) {
    for (std::int32_t model : {1, 2, 3}) {
      Well w(3, model, mode == 1);
      w.run(mode);
      for (int L = 0; L < 3; ++L) {
        const auto q = w.layer().rate(L), p = w.layer().pressure(L);
        const auto r = w.result().rate(L), pc = w.result().pressure(L);
        EXPECT_TRUE(r[0] == 0.0 && pc[0] == p[0] && r[24] < q[24]);
        // Liquid ends on zero; a gas end point rests on pseudo-pressures
        // interpolated in the 51-entry table, which near zero pressure is a
        // difference of some psi.
        EXPECT_NEAR(pc[24], 0.0, (mode == 0 ? 1e-9 : 0.02) * p[0]) << mode << model << L;
        for (int i = 1; i < 25; ++i) {
          EXPECT_GT(r[i], r[i - 1]);
          EXPECT_LE(pc[i], dlv::bisect_lookup_inverse(r[i], p.data(), q.data(), 25) + 1e-9)
              << mode << model << L << " " << i;
        }
      }
    }
  }
}

TEST(ApplyCompletionLosses, ModelZeroWritesNothingUnknownCodesCarryTheCurveWithoutLoss) {
  Well zero(2, 0, false);
  zero.cb().perforated_interval()[0] = 0.0;
  const std::vector<double> block = zero.completion;
  zero.run(0);
  EXPECT_EQ(zero.completion, block);
  EXPECT_EQ(zero.out, std::vector<double>(lay::curves::total_slots, 7.0));
  for (auto [model, mode] : {std::pair{7, 0}, std::pair{-1, 1}, std::pair{2, 5}}) {
    Well w(60, model, false);  // the count is held at the 50 layer slots
    w.run(mode);
    EXPECT_TRUE(std::equal(w.out.begin(), w.out.begin() + 2500, w.curves.begin()));
    EXPECT_EQ(std::count(w.out.begin() + 2500, w.out.end(), 0.0), 1250);
  }
}

}  // namespace
