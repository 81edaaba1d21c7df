#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tubing/beggs_brill.hpp"
#include "tubing/correlation.hpp"
#include "tubing/gray.hpp"
#include "tubing/hagedorn_brown.hpp"

namespace {

using dlv::Correlation;
using dlv::FlowPattern;
using dlv::FlowPoint;
using dlv::Gradient;

// Takacs, Gas Lift Manual: the Beggs and Brill example point (vertical,
// 2.441 in tubing, 0.0006 in roughness, 346.6 psig).
FlowPoint takacs_point(double inclination = 90.0) {
  FlowPoint p;
  p.superficial_liquid_velocity = 0.79;
  p.superficial_gas_velocity = 1.93;
  p.liquid_density = 49.9;
  p.gas_density = 1.79;
  p.liquid_viscosity = 3.0;
  p.gas_viscosity = 0.02;
  p.surface_tension = 8.0;
  p.inside_diameter = 2.441;
  p.roughness = 0.0006;
  p.inclination = inclination;
  p.pressure = 361.3;
  return p;
}

constexpr Correlation kPointCorrelations[] = {
    Correlation::kNoSlip, Correlation::kBeggsBrill, Correlation::kHagedornBrown,
    Correlation::kHagedornBrownOriginal, Correlation::kGray};

TEST(CorrelationNames, RoundTripAndPointKinds) {
  for (int i = 0; i <= static_cast<int>(Correlation::kCullenderSmith); ++i) {
    const auto c = static_cast<Correlation>(i);
    EXPECT_EQ(dlv::correlation_from_name(dlv::correlation_name(c)), c);
  }
  EXPECT_EQ(dlv::correlation_name(Correlation::kHagedornBrownOriginal), "hagedorn_brown_original");
  EXPECT_FALSE(dlv::correlation_from_name("Beggs_Brill").has_value());
  EXPECT_FALSE(dlv::correlation_from_name("").has_value());
  EXPECT_TRUE(dlv::is_point_correlation(Correlation::kGray));
  EXPECT_FALSE(dlv::is_point_correlation(Correlation::kCullenderSmith));
  EXPECT_FALSE(dlv::is_point_correlation(Correlation::kPoettmannCarpenter));
  EXPECT_STREQ(dlv::flow_pattern_name(FlowPattern::kIntermittent), "intermittent");
}

// The homogeneous mixture on the Takacs inputs, by hand: lambda_L = 0.290441,
// rho_ns = 15.76313, mu_ns = 0.885515, N_Re = 14655.6, f = 0.0284247.
TEST(NoSlip, TakacsPointByHand) {
  const Gradient g = dlv::point_gradient(Correlation::kNoSlip, takacs_point());
  ASSERT_TRUE(g.ok);
  EXPECT_EQ(g.pattern, FlowPattern::kHomogeneous);
  EXPECT_NEAR(g.no_slip_holdup, 0.290441, 1e-6);
  EXPECT_EQ(g.holdup, g.no_slip_holdup);
  EXPECT_NEAR(g.elevation, 0.109466, 1e-6);
  EXPECT_NEAR(g.friction, 0.0017587, 1e-7);
  EXPECT_NEAR(g.total, 0.111225, 1e-6);
  EXPECT_EQ(g.acceleration, 0.0);
  // The whole-well methods have no point gradient: they give the no-slip one.
  EXPECT_EQ(dlv::point_gradient(Correlation::kCullenderSmith, takacs_point()).total, g.total);
}

// One phase alone and no flow, the same for every point correlation. Water
// injection by hand: 3000 bbl/d of 63.648 lbm/ft3 water, 0.6 cp, 2.992 in,
// 0.0006 in: v = 3.99307 ft/s, N_Re = 157153, f = 0.0176948, friction
// 0.00777258 psi/ft, hydrostatic 0.442 psi/ft.
TEST(SinglePhase, EveryCorrelationBypassesItsMap) {
  FlowPoint water;
  water.superficial_liquid_velocity = 3.99307;
  water.liquid_density = 63.648;
  water.liquid_viscosity = 0.6;
  water.inside_diameter = 2.992;
  water.roughness = 0.0006;
  water.inclination = -90.0;  // injected down the tubing
  water.pressure = 1500.0;
  FlowPoint gas = takacs_point(30.0);
  gas.superficial_liquid_velocity = 0.0;
  FlowPoint still = takacs_point(45.0);
  still.superficial_liquid_velocity = still.superficial_gas_velocity = 0.0;
  FlowPoint still_gas = still;
  still_gas.liquid_density = 0.0;
  const double sin45 = std::sqrt(0.5);
  for (Correlation c : kPointCorrelations) {
    const Gradient w = dlv::point_gradient(c, water);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.pattern, FlowPattern::kLiquid);
    EXPECT_EQ(w.holdup, 1.0);
    EXPECT_NEAR(w.elevation, -63.648 / 144.0, 1e-12);
    EXPECT_NEAR(w.friction, 0.00777258, 2e-8);  // v rounded to 6 digits
    EXPECT_EQ(w.kinetic_energy_factor, 0.0);
    const Gradient g = dlv::point_gradient(c, gas);
    EXPECT_EQ(g.pattern, FlowPattern::kGas);
    EXPECT_EQ(g.holdup, 0.0);
    EXPECT_NEAR(g.elevation, 1.79 * 0.5 / 144.0, 1e-12);
    EXPECT_EQ(g.total, g.elevation + g.friction);  // no acceleration term
    const Gradient s = dlv::point_gradient(c, still);
    EXPECT_EQ(s.pattern, FlowPattern::kStatic);
    EXPECT_EQ(s.friction, 0.0);
    EXPECT_NEAR(s.total, 49.9 * sin45 / 144.0, 1e-12);
    EXPECT_NEAR(dlv::point_gradient(c, still_gas).total, 1.79 * sin45 / 144.0, 1e-12);
  }
}

TEST(PointGradient, BadInputFailsCleanly) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  using Field = double FlowPoint::*;
  const Field fields[] = {&FlowPoint::superficial_liquid_velocity,
                          &FlowPoint::superficial_gas_velocity,
                          &FlowPoint::liquid_density,
                          &FlowPoint::gas_density,
                          &FlowPoint::liquid_viscosity,
                          &FlowPoint::gas_viscosity,
                          &FlowPoint::surface_tension,
                          &FlowPoint::inside_diameter,
                          &FlowPoint::roughness,
                          &FlowPoint::inclination,
                          &FlowPoint::pressure,
                          &FlowPoint::mass_rate};
  for (Correlation c : kPointCorrelations) {
    for (Field field : fields) {
      for (double bad : {nan, inf, -inf, -1.0}) {
        FlowPoint p = takacs_point();
        p.*field = bad;
        if (field == &FlowPoint::inclination && bad == -1.0) continue;  // a valid angle
        const Gradient g = dlv::point_gradient(c, p);
        EXPECT_FALSE(g.ok) << dlv::correlation_name(c) << " " << bad;
        EXPECT_EQ(g.total, 0.0);
      }
    }
    // A pipe without diameter, no pressure, a flowing phase without density.
    for (Field field : {&FlowPoint::inside_diameter, &FlowPoint::pressure,
                        &FlowPoint::liquid_density, &FlowPoint::gas_viscosity}) {
      FlowPoint p = takacs_point();
      p.*field = 0.0;
      EXPECT_FALSE(dlv::point_gradient(c, p).ok) << dlv::correlation_name(c);
    }
    FlowPoint steep = takacs_point(91.0);
    EXPECT_FALSE(dlv::point_gradient(c, steep).ok);
  }
}

// Beggs and Brill on the Takacs point at several angles, with and without the
// Payne factors: the published answer (pattern intermittent, lambda_L 0.290,
// N_FR 1.130, H_L(0) 0.435, C 0.2305, H_L 0.465, 0.170 psi/ft, no Payne) and
// its recomputation by hand with the Colebrook f_n at every angle.
TEST(BeggsBrill, TakacsPointAtEveryAngle) {
  struct Row {
    double angle;
    bool payne;
    double c, psi, holdup, total, tolerance;
  };
  const Row rows[] = {
      {90, false, 0.230512, 1.068967, 0.465139, 0.170376, 5e-7},
      {90, true, 0.230512, 1.068967, 0.429788, 0.158589, 5e-7},
      {45, false, 0.23051, 1.15371, 0.50201, 0.12975, 5e-6},
      {45, true, 0.23051, 1.15371, 0.46386, 0.12091, 5e-6},
      {0, false, 0.23051, 1.0, 0.43513, 0.00255, 5e-6},
      {-45, false, 1.45598, 0.02910, 0.01266, -0.00958, 5e-6},  // downhill coefficients
      {-45, true, 1.45598, 0.02910, 0.00867, -0.00878, 5e-6},
      {-90, true, 1.45598, 0.56438, 0.16822, -0.06497, 5e-6},
  };
  for (const Row& r : rows) {
    const FlowPoint point = takacs_point(r.angle);
    const dlv::BeggsBrillHoldup h = dlv::beggs_brill_holdup(point, r.payne);
    EXPECT_EQ(h.pattern, FlowPattern::kIntermittent);
    EXPECT_NEAR(h.no_slip_holdup, 0.290441, 5e-7);
    EXPECT_NEAR(h.froude, 1.130437, 5e-7);
    const dlv::BeggsBrillPatternHoldup ph = dlv::beggs_brill_pattern_holdup(
        h.pattern, h.no_slip_holdup, h.froude, h.liquid_velocity_number, r.angle);
    EXPECT_NEAR(ph.horizontal, 0.435129, 5e-7);
    EXPECT_NEAR(ph.coefficient, r.c, r.tolerance) << r.angle;
    EXPECT_NEAR(ph.factor, r.psi, r.tolerance) << r.angle;
    const Gradient g = dlv::point_gradient(Correlation::kBeggsBrill, point, {.payne = r.payne});
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(g.pattern, FlowPattern::kIntermittent);
    EXPECT_NEAR(g.holdup, r.holdup, r.tolerance) << r.angle << r.payne;
    EXPECT_NEAR(g.total, r.total, r.tolerance) << r.angle << r.payne;
    if (r.angle == 0.0) {
      EXPECT_EQ(g.elevation, 0.0);
    }
  }
  // The vertical point without Payne, term by term, and as published.
  const Gradient g =
      dlv::point_gradient(Correlation::kBeggsBrill, takacs_point(), {.payne = false});
  EXPECT_NEAR(dlv::beggs_brill_holdup(takacs_point(), false).liquid_velocity_number, 2.419544,
              5e-7);
  EXPECT_NEAR(g.mixture_density, 24.16782, 5e-6);
  EXPECT_NEAR(g.elevation, 0.167832, 5e-7);
  EXPECT_NEAR(g.friction, 0.0025307, 5e-8);
  EXPECT_NEAR(g.kinetic_energy_factor, 7.58e-5, 5e-8);
  EXPECT_NEAR(g.total, 0.170, 0.0005);
  EXPECT_NEAR(g.total - g.acceleration, 0.170363, 5e-7);
}

// A point in the transition band, by hand: each pattern's holdup with its own
// coefficients, weighted A = (L3 - N_FR) / (L3 - L2) = 0.19021.
TEST(BeggsBrill, TransitionInterpolatesTheTwoPatterns) {
  FlowPoint p;
  p.superficial_liquid_velocity = 0.5;
  p.superficial_gas_velocity = 1.5;
  p.liquid_density = 55.0;
  p.gas_density = 2.0;
  p.liquid_viscosity = 1.0;
  p.gas_viscosity = 0.015;
  p.surface_tension = 25.0;
  p.inside_diameter = 2.441;
  p.roughness = 0.0006;
  p.pressure = 500.0;
  const dlv::BeggsBrillHoldup h = dlv::beggs_brill_holdup(p, false);
  ASSERT_EQ(h.pattern, FlowPattern::kTransition);
  EXPECT_NEAR(h.froude, 0.61118, 5e-6);
  EXPECT_NEAR(h.transition_weight, 0.19021, 5e-6);
  const double expected[][4] = {{0.52243, 1.57089, 1.46999, 0.76797},
                                {0.40588, 0.40510, 1.12120, 0.45507}};
  const FlowPattern patterns[] = {FlowPattern::kSegregated, FlowPattern::kIntermittent};
  for (int i = 0; i < 2; ++i) {
    const auto ph = dlv::beggs_brill_pattern_holdup(patterns[i], 0.25, h.froude,
                                                    h.liquid_velocity_number, 90.0);
    EXPECT_NEAR(ph.horizontal, expected[i][0], 5e-6);
    EXPECT_NEAR(ph.coefficient, expected[i][1], 5e-6);
    EXPECT_NEAR(ph.factor, expected[i][2], 5e-6);
    EXPECT_NEAR(ph.inclined, expected[i][3], 5e-6);
  }
  const Gradient g = dlv::point_gradient(Correlation::kBeggsBrill, p, {.payne = false});
  EXPECT_EQ(g.pattern, FlowPattern::kTransition);
  EXPECT_NEAR(g.holdup, 0.51459, 5e-6);
  EXPECT_NEAR(g.mixture_density, 29.2731, 5e-5);
  EXPECT_NEAR(g.total, 0.20425, 5e-6);
}

TEST(BeggsBrill, CriticalFlowFails) {
  FlowPoint p = takacs_point();
  p.superficial_gas_velocity = 300.0;
  p.pressure = 20.0;  // E_k well above 0.95
  const Gradient g = dlv::point_gradient(Correlation::kBeggsBrill, p);
  EXPECT_FALSE(g.ok);
  EXPECT_GE(g.kinetic_energy_factor, 0.95);
  EXPECT_EQ(g.total, 0.0);
}

// The chart fits of Hagedorn and Brown as Guo's spreadsheet writes them,
// evaluated by hand.
TEST(HagedornBrown, ChartFitValues) {
  const double cnl[][2] = {{0.002, 0.002057}, {0.005, 0.002000}, {0.01, 0.002162},
                           {0.02, 0.002704},  {0.05, 0.004475},  {0.1, 0.007014},
                           {0.2, 0.010106},   {0.4, 0.011082},   {0.5, 0.01036}};
  for (const auto& r : cnl) {
    EXPECT_NEAR(dlv::hagedorn_brown_viscosity_correction(r[0]), r[1], 5e-6) << r[0];
  }
  const double ratio[][2] = {{1e-5, 0.13764}, {3e-5, 0.19146}, {1e-4, 0.32694}, {3e-4, 0.53243},
                             {1e-3, 0.79710}, {3e-3, 0.97366}, {1e-2, 0.91801}};
  for (const auto& r : ratio) EXPECT_NEAR(dlv::hagedorn_brown_holdup_ratio(r[0]), r[1], 5e-6);
  const double psi[][2] = {{0, 0.99516},    {0.005, 0.99516}, {0.01, 0.99516}, {0.02, 1.14865},
                           {0.03, 1.36925}, {0.05, 1.69555},  {0.07, 1.76849}, {0.09, 1.85823}};
  for (const auto& r : psi) EXPECT_NEAR(dlv::hagedorn_brown_psi(r[0]), r[1], 5e-6) << r[0];
}

// Guo et al., Petroleum Production Engineering, Example 4.4 spreadsheet: the
// top node at 200 psia and 80 F, its intermediates recomputed by hand. The
// modified form at the same point: Colebrook at N_Re = 140628 (D in ft).
FlowPoint guo_top_node() {
  FlowPoint p;
  p.superficial_liquid_velocity = 2.269301;
  p.superficial_gas_velocity = 2.236425;
  p.liquid_density = 52.88809;
  p.gas_density = 0.724119;
  p.liquid_viscosity = 4.55;
  p.gas_viscosity = 0.009354;
  p.surface_tension = 30.0;
  p.inside_diameter = 1.995;
  p.roughness = 0.0006 * 1.995;
  p.pressure = 200.0;
  p.mass_rate = 228145.0;
  return p;
}

TEST(HagedornBrown, GuoSpreadsheetTopNode) {
  const FlowPoint p = guo_top_node();
  const auto g = dlv::hagedorn_brown_groups(p, dlv::HagedornBrownForm::kSpreadsheet);
  EXPECT_NEAR(g.liquid_velocity_number, 5.067631, 5e-6);
  EXPECT_NEAR(g.gas_velocity_number, 4.994215, 5e-6);
  EXPECT_NEAR(g.diameter_number, 26.68122, 5e-5);
  EXPECT_NEAR(g.viscosity_number, 0.020699, 5e-7);
  EXPECT_NEAR(g.viscosity_correction, 0.002745, 5e-7);
  EXPECT_NEAR(g.x, 2.68e-4, 5e-7);
  EXPECT_NEAR(g.holdup_ratio, 0.508899, 5e-6);
  EXPECT_NEAR(g.y, 0.001015, 5e-7);
  EXPECT_NEAR(g.psi, 0.995163, 5e-7);
  EXPECT_NEAR(g.holdup, 0.506437, 5e-6);
  const Gradient original = dlv::point_gradient(Correlation::kHagedornBrownOriginal, p);
  ASSERT_TRUE(original.ok);
  EXPECT_EQ(original.pattern, FlowPattern::kSlug);
  EXPECT_NEAR(original.no_slip_holdup, 0.503648, 5e-7);
  EXPECT_NEAR(original.mixture_density, 27.14191, 5e-5);
  EXPECT_NEAR(original.total, 0.199321, 5e-6);
  EXPECT_EQ(original.acceleration, 0.0);
  const Gradient modified = dlv::point_gradient(Correlation::kHagedornBrown, p);
  EXPECT_EQ(modified.pattern, FlowPattern::kSlug);
  EXPECT_NEAR(modified.holdup, 0.506437, 5e-6);
  EXPECT_NEAR(modified.friction, 0.0070556, 5e-7);
  EXPECT_NEAR(modified.total, 0.195541, 5e-6);
}

// The modified form's guards and Griffith's bubble flow, by hand.
TEST(HagedornBrown, ModifiedGuardsAndBubbleFlow) {
  FlowPoint p = guo_top_node();
  p.superficial_gas_velocity = 0.3;  // lambda_g 0.1168 below L_B = 0.13
  const Gradient bubble = dlv::point_gradient(Correlation::kHagedornBrown, p);
  EXPECT_EQ(bubble.pattern, FlowPattern::kBubble);
  EXPECT_NEAR(bubble.holdup, 0.908994, 5e-6);
  EXPECT_NEAR(bubble.friction, 0.00774731, 5e-8);  // N_Re 6635.3 on the liquid viscosity
  EXPECT_NEAR(bubble.total, 0.342059, 5e-6);
  EXPECT_EQ(dlv::point_gradient(Correlation::kHagedornBrownOriginal, p).pattern,
            FlowPattern::kSlug);
  // Viscous liquid: CN_L takes N_L at 0.5, Y the number itself.
  p = guo_top_node();
  p.liquid_viscosity = 300.0;
  const auto guarded = dlv::hagedorn_brown_groups(p, dlv::HagedornBrownForm::kModified);
  const auto open = dlv::hagedorn_brown_groups(p, dlv::HagedornBrownForm::kSpreadsheet);
  EXPECT_GT(guarded.viscosity_number, 0.5);
  EXPECT_NEAR(guarded.viscosity_correction, 0.01036, 5e-6);
  EXPECT_NE(open.viscosity_correction, guarded.viscosity_correction);
  EXPECT_EQ(open.y, guarded.y);
  // Much gas: the no-slip holdup is the floor of the modified form only.
  p = guo_top_node();
  p.superficial_liquid_velocity = 0.05;
  p.superficial_gas_velocity = 0.06;
  const double lambda = 0.05 / 0.11;
  EXPECT_GE(dlv::point_gradient(Correlation::kHagedornBrown, p).holdup, lambda);
  EXPECT_LT(dlv::point_gradient(Correlation::kHagedornBrownOriginal, p).holdup, lambda);
}

// Gray on a gas-condensate point worked by hand, and its limit at no liquid.
TEST(Gray, HandWorkedPointAndDryGasLimit) {
  FlowPoint p;
  p.superficial_liquid_velocity = 0.10;
  p.superficial_gas_velocity = 10.0;
  p.liquid_density = 50.0;
  p.gas_density = 3.5;
  p.liquid_viscosity = 0.5;
  p.gas_viscosity = 0.015;
  p.surface_tension = 20.0;
  p.inside_diameter = 2.441;
  p.roughness = 0.0006;
  p.pressure = 1000.0;
  const dlv::GrayGroups g = dlv::gray_groups(p);
  EXPECT_NEAR(g.velocity_number, 2474.230, 5e-4);
  EXPECT_NEAR(g.diameter_number, 1403.998, 5e-4);
  EXPECT_NEAR(g.exponent, 0.0718961, 5e-8);
  EXPECT_NEAR(g.holdup_exponent, -4.098206, 5e-7);
  EXPECT_NEAR(g.relative_roughness, 0.0152912, 5e-8);
  EXPECT_NEAR(g.reynolds, 611422, 0.5);
  EXPECT_NEAR(g.friction_factor, 0.0440719, 5e-8);
  const Gradient gradient = dlv::point_gradient(Correlation::kGray, p);
  ASSERT_TRUE(gradient.ok);
  EXPECT_EQ(gradient.pattern, FlowPattern::kMist);
  EXPECT_NEAR(gradient.holdup, 0.0263390, 5e-8);
  EXPECT_NEAR(gradient.mixture_density, 4.724765, 5e-7);
  EXPECT_NEAR(gradient.elevation, 0.0328109, 5e-8);
  EXPECT_NEAR(gradient.friction, 0.0094463, 5e-8);
  EXPECT_NEAR(gradient.kinetic_energy_factor, 8.63361e-5, 5e-11);
  EXPECT_NEAR(gradient.total, 0.042257 / (1.0 - 8.63361e-5), 5e-7);
  // As the liquid vanishes the holdup tends to e^A = 0.013329, not 0; with
  // no liquid at all the point is single-phase gas.
  const double limit[][2] = {
      {0.01, 0.015292}, {1e-3, 0.013554}, {1e-4, 0.013352}, {1e-6, 0.013329}};
  for (const auto& r : limit) {
    p.superficial_liquid_velocity = r[0];
    EXPECT_NEAR(dlv::point_gradient(Correlation::kGray, p).holdup, r[1], 5e-6) << r[0];
  }
  p.superficial_liquid_velocity = 0.0;
  const Gradient dry = dlv::point_gradient(Correlation::kGray, p);
  EXPECT_EQ(dry.pattern, FlowPattern::kGas);
  EXPECT_EQ(dry.holdup, 0.0);
}

// Extreme but finite inputs: a correlation either fails or gives finite
// numbers throughout.
TEST(PointGradient, ExtremeInputsGiveFiniteNumbersOrFail) {
  using Field = double FlowPoint::*;
  const Field fields[] = {&FlowPoint::superficial_liquid_velocity,
                          &FlowPoint::superficial_gas_velocity,
                          &FlowPoint::liquid_density,
                          &FlowPoint::gas_density,
                          &FlowPoint::liquid_viscosity,
                          &FlowPoint::gas_viscosity,
                          &FlowPoint::surface_tension,
                          &FlowPoint::inside_diameter,
                          &FlowPoint::roughness,
                          &FlowPoint::pressure,
                          &FlowPoint::mass_rate};
  const double values[] = {0.0, 1e-300, 1e-12, 1e-3, 1e3, 1e12, 1e300};
  for (Correlation c : kPointCorrelations) {
    for (Field field : fields) {
      for (double value : values) {
        for (double angle : {90.0, 0.0, -90.0, -30.0}) {
          FlowPoint p = takacs_point(angle);
          p.*field = value;
          const Gradient g = dlv::point_gradient(c, p);
          if (!g.ok) continue;
          for (double x : {g.elevation, g.friction, g.acceleration, g.total, g.holdup,
                           g.no_slip_holdup, g.mixture_density, g.mixture_velocity}) {
            EXPECT_TRUE(std::isfinite(x)) << dlv::correlation_name(c) << " " << value;
          }
          EXPECT_TRUE(g.holdup >= 0.0 && g.holdup <= 1.0);
        }
      }
    }
  }
}

}  // namespace
