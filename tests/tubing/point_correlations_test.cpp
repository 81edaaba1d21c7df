#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

#include "tubing/beggs_brill.hpp"
#include "tubing/correlation.hpp"
#include "tubing/gray.hpp"
#include "tubing/hagedorn_brown.hpp"

namespace {

using dlv::Correlation;
using dlv::FlowPattern;
using dlv::FlowPoint;
using dlv::Gradient;

// Flow points are written in the field order of FlowPoint: v_sL, v_sg (ft/s),
// rho_L, rho_g (lbm/ft3), mu_L, mu_g (cp), sigma (dyn/cm), d, eps (in),
// angle (degrees), p (psia), w (lbm/d).

constexpr Correlation kPointCorrelations[] = {
    Correlation::kNoSlip, Correlation::kBeggsBrill, Correlation::kHagedornBrown,
    Correlation::kHagedornBrownOriginal, Correlation::kGray};

// Takacs, Gas Lift Manual: the Beggs and Brill example point (2.441 in
// tubing, 0.0006 in roughness, 346.6 psig).
FlowPoint takacs_point(double inclination = 90.0) {
  return {0.79, 1.93, 49.9, 1.79, 3.0, 0.02, 8.0, 2.441, 0.0006, inclination, 361.3};
}

// Guo et al., Petroleum Production Engineering, Example 4.4 spreadsheet: the
// top node at 200 psia and 80 F (1.995 in tubing, eps/D 0.0006).
FlowPoint guo_top_node() {
  return {2.269301, 2.236425, 52.88809,       0.724119, 4.55,  0.009354,
          30.0,     1.995,    0.0006 * 1.995, 90.0,     200.0, 228145.0};
}

struct Near {
  const char* what;
  double actual, expected, tolerance;
};
void expect_near(std::initializer_list<Near> checks) {
  for (const Near& c : checks) EXPECT_NEAR(c.actual, c.expected, c.tolerance) << c.what;
}

TEST(CorrelationNames, RoundTripAndPointKinds) {
  for (int i = 0; i <= static_cast<int>(Correlation::kCullenderSmith); ++i) {
    const auto c = static_cast<Correlation>(i);
    EXPECT_EQ(dlv::correlation_from_name(dlv::correlation_name(c)), c);
  }
  EXPECT_EQ(dlv::correlation_name(Correlation::kHagedornBrownOriginal), "hagedorn_brown_original");
  EXPECT_FALSE(dlv::correlation_from_name("Beggs_Brill").has_value());
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
  EXPECT_EQ(g.holdup, g.no_slip_holdup);
  expect_near({{"lambda_L", g.no_slip_holdup, 0.290441, 5e-7},
               {"elevation", g.elevation, 0.109466, 5e-7},
               {"friction", g.friction, 0.0017587, 5e-8},
               {"total", g.total, 0.111225, 5e-7}});
  // The whole-well methods have no point gradient: they give the no-slip one.
  EXPECT_EQ(dlv::point_gradient(Correlation::kCullenderSmith, takacs_point()).total, g.total);
}

// One phase alone and no flow, the same for every point correlation. Water
// injected down the tubing, by hand: 3000 bbl/d of 63.648 lbm/ft3 water,
// 0.6 cp, 2.992 in: v = 3.99307 ft/s, N_Re = 157153, f = 0.0176948, friction
// 0.00777258 psi/ft against a hydrostatic 0.442 psi/ft.
TEST(SinglePhase, EveryCorrelationBypassesItsMap) {
  const FlowPoint water{3.99307, 0.0, 63.648, 0.0, 0.6, 0.0, 0.0, 2.992, 0.0006, -90.0, 1500.0};
  FlowPoint gas = takacs_point(30.0);
  gas.superficial_liquid_velocity = 0.0;
  FlowPoint still = takacs_point(45.0);
  still.superficial_liquid_velocity = still.superficial_gas_velocity = 0.0;
  FlowPoint still_gas = still;
  still_gas.liquid_density = 0.0;
  const double sin45 = std::sqrt(0.5);
  for (Correlation c : kPointCorrelations) {
    const Gradient w = dlv::point_gradient(c, water);
    const Gradient g = dlv::point_gradient(c, gas);
    const Gradient s = dlv::point_gradient(c, still);
    EXPECT_TRUE(w.ok) << dlv::correlation_name(c);
    EXPECT_EQ(
        (std::vector<FlowPattern>{w.pattern, g.pattern, s.pattern}),
        (std::vector<FlowPattern>{FlowPattern::kLiquid, FlowPattern::kGas, FlowPattern::kStatic}));
    EXPECT_EQ((std::vector<double>{w.holdup, g.holdup, s.friction}),
              (std::vector<double>{1.0, 0.0, 0.0}));
    EXPECT_EQ(g.total, g.elevation + g.friction);  // no acceleration term
    expect_near(
        {{"water elevation", w.elevation, -63.648 / 144.0, 1e-12},
         {"water friction", w.friction, 0.00777258, 2e-8},  // v to 6 digits
         {"gas elevation", g.elevation, 1.79 * 0.5 / 144.0, 1e-12},
         {"static liquid", s.total, 49.9 * sin45 / 144.0, 1e-12},
         {"static gas", dlv::point_gradient(c, still_gas).total, 1.79 * sin45 / 144.0, 1e-12}});
  }
}

// Bad input fails with total 0; extreme but finite input either fails or
// gives finite numbers throughout.
TEST(PointGradient, BadOrExtremeInputNeverGivesNaN) {
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
                          &FlowPoint::pressure,
                          &FlowPoint::mass_rate,
                          &FlowPoint::inclination};
  for (Correlation c : kPointCorrelations) {
    for (Field field : fields) {
      for (double bad : {nan, inf, -inf, -1.0, 91.0}) {
        FlowPoint p = takacs_point();
        p.*field = bad;
        const Gradient g = dlv::point_gradient(c, p);
        if ((field == &FlowPoint::inclination) == (bad == 91.0 || !std::isfinite(bad))) {
          EXPECT_FALSE(g.ok) << dlv::correlation_name(c) << " " << bad;
          EXPECT_EQ(g.total, 0.0);
        }
      }
      for (double value : {0.0, 1e-300, 1e-12, 1e-3, 1e3, 1e12, 1e300}) {
        for (double angle : {90.0, 0.0, -30.0}) {
          FlowPoint p = takacs_point(angle);
          if (field != &FlowPoint::inclination) p.*field = value;
          const Gradient g = dlv::point_gradient(c, p);
          if (!g.ok) continue;
          for (double x : {g.elevation, g.friction, g.total, g.mixture_density}) {
            EXPECT_TRUE(std::isfinite(x)) << dlv::correlation_name(c) << " " << value;
          }
          EXPECT_GE(g.holdup, 0.0);
          EXPECT_LE(g.holdup, 1.0);
        }
      }
    }
    // No pipe, no pressure, a flowing phase without density or viscosity.
    for (Field field : {&FlowPoint::inside_diameter, &FlowPoint::pressure,
                        &FlowPoint::liquid_density, &FlowPoint::gas_viscosity}) {
      FlowPoint p = takacs_point();
      p.*field = 0.0;
      EXPECT_FALSE(dlv::point_gradient(c, p).ok) << dlv::correlation_name(c);
    }
  }
}

// Beggs and Brill on the Takacs point at several angles, with and without the
// Payne factors: published (no Payne) intermittent flow, lambda_L 0.290,
// N_FR 1.130, H_L(0) 0.435, C 0.2305, H_L 0.465, 0.170 psi/ft; every row
// recomputed by hand with the Colebrook f_n, lambda_L 0.290441, N_FR 1.130437,
// H_L(0) 0.435129.
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
      {0, false, 0.23051, 1.0, 0.43513, 0.00255, 5e-6},         // C from the uphill row
      {-45, false, 1.45598, 0.02910, 0.01266, -0.00958, 5e-6},  // downhill coefficients
      {-45, true, 1.45598, 0.02910, 0.00867, -0.00878, 5e-6},
      {-90, true, 1.45598, 0.56438, 0.16822, -0.06497, 5e-6},
  };
  for (const Row& r : rows) {
    const FlowPoint point = takacs_point(r.angle);
    const dlv::BeggsBrillHoldup h = dlv::beggs_brill_holdup(point, r.payne);
    const dlv::BeggsBrillPatternHoldup ph = dlv::beggs_brill_pattern_holdup(
        h.pattern, h.no_slip_holdup, h.froude, h.liquid_velocity_number, r.angle);
    const Gradient g = dlv::point_gradient(Correlation::kBeggsBrill, point, {.payne = r.payne});
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(h.pattern, FlowPattern::kIntermittent);
    EXPECT_EQ(g.pattern, h.pattern);
    SCOPED_TRACE(r.angle);
    expect_near({{"lambda_L", h.no_slip_holdup, 0.290441, 5e-7},
                 {"N_FR", h.froude, 1.130437, 5e-7},
                 {"H_L(0)", ph.horizontal, 0.435129, 5e-7},
                 {"C", ph.coefficient, r.c, r.tolerance},
                 {"psi", ph.factor, r.psi, r.tolerance},
                 {"H_L", g.holdup, r.holdup, r.tolerance},
                 {"total", g.total, r.total, r.tolerance}});
    if (r.angle == 0.0) {
      EXPECT_EQ(g.elevation, 0.0);  // horizontal: no elevation term
    }
  }
  const Gradient g =
      dlv::point_gradient(Correlation::kBeggsBrill, takacs_point(), {.payne = false});
  expect_near({{"N_LV", dlv::beggs_brill_holdup(takacs_point(), false).liquid_velocity_number,
                2.419544, 5e-7},
               {"elevation", g.elevation, 0.167832, 5e-7},
               {"friction", g.friction, 0.0025307, 5e-8},
               {"E_k", g.kinetic_energy_factor, 7.58e-5, 5e-8},
               {"without E_k", g.total - g.acceleration, 0.170363, 5e-7},
               {"Takacs", g.total, 0.170, 5e-4}});
}

// A point in the transition band, by hand: each pattern's holdup with its own
// coefficients, weighted A = (L3 - N_FR) / (L3 - L2) = 0.19021. Then critical
// flow at a low pressure.
TEST(BeggsBrill, TransitionInterpolatesAndCriticalFlowFails) {
  FlowPoint p{0.5, 1.5, 55.0, 2.0, 1.0, 0.015, 25.0, 2.441, 0.0006, 90.0, 500.0};
  const dlv::BeggsBrillHoldup h = dlv::beggs_brill_holdup(p, false);
  ASSERT_EQ(h.pattern, FlowPattern::kTransition);
  const Gradient g = dlv::point_gradient(Correlation::kBeggsBrill, p, {.payne = false});
  EXPECT_EQ(g.pattern, FlowPattern::kTransition);
  expect_near({{"N_FR", h.froude, 0.61118, 5e-6},
               {"A", h.transition_weight, 0.19021, 5e-6},
               {"H_L", g.holdup, 0.51459, 5e-6},
               {"rho_s", g.mixture_density, 29.2731, 5e-5},
               {"total", g.total, 0.20425, 5e-6}});
  const double expected[][4] = {{0.52243, 1.57089, 1.46999, 0.76797},
                                {0.40588, 0.40510, 1.12120, 0.45507}};
  const FlowPattern patterns[] = {FlowPattern::kSegregated, FlowPattern::kIntermittent};
  for (int i = 0; i < 2; ++i) {
    const auto ph = dlv::beggs_brill_pattern_holdup(patterns[i], 0.25, h.froude,
                                                    h.liquid_velocity_number, 90.0);
    expect_near({{"H_L(0)", ph.horizontal, expected[i][0], 5e-6},
                 {"C", ph.coefficient, expected[i][1], 5e-6},
                 {"psi", ph.factor, expected[i][2], 5e-6},
                 {"H_L", ph.inclined, expected[i][3], 5e-6}});
  }
  p.superficial_gas_velocity = 300.0;
  p.pressure = 20.0;
  const Gradient critical = dlv::point_gradient(Correlation::kBeggsBrill, p);
  EXPECT_FALSE(critical.ok);
  EXPECT_GE(critical.kinetic_energy_factor, 0.95);
  EXPECT_EQ(critical.total, 0.0);
}

// The chart fits as Guo's spreadsheet writes them, evaluated by hand.
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

// The spreadsheet's top node, its groups recomputed by hand (Y below 0.012,
// Chen at N_Re = 11719 with d in inches); the modified form at the same point
// by hand: same holdup, Colebrook at N_Re = 140628 with D in ft.
TEST(HagedornBrown, GuoSpreadsheetTopNode) {
  const FlowPoint p = guo_top_node();
  const auto g = dlv::hagedorn_brown_groups(p, dlv::HagedornBrownForm::kSpreadsheet);
  const Gradient original = dlv::point_gradient(Correlation::kHagedornBrownOriginal, p);
  const Gradient modified = dlv::point_gradient(Correlation::kHagedornBrown, p);
  ASSERT_TRUE(original.ok);
  ASSERT_TRUE(modified.ok);
  EXPECT_EQ(original.pattern, FlowPattern::kSlug);
  EXPECT_EQ(modified.pattern, FlowPattern::kSlug);
  expect_near({{"N_LV", g.liquid_velocity_number, 5.067631, 5e-6},
               {"N_D", g.diameter_number, 26.68122, 5e-5},
               {"N_L", g.viscosity_number, 0.020699, 5e-7},
               {"CN_L", g.viscosity_correction, 0.002745, 5e-7},
               {"X", g.x, 2.68e-4, 5e-7},
               {"H_L/psi", g.holdup_ratio, 0.508899, 5e-6},
               {"Y", g.y, 0.001015, 5e-7},
               {"psi", g.psi, 0.995163, 5e-7},
               {"H_L", original.holdup, 0.506437, 5e-6},
               {"rho_s", original.mixture_density, 27.14191, 5e-5},
               {"spreadsheet", original.total, 0.199321, 5e-6},
               {"modified H_L", modified.holdup, 0.506437, 5e-6},
               {"modified friction", modified.friction, 0.0070556, 5e-7},
               {"modified", modified.total, 0.195541, 5e-6}});
}

// The modified form's guards and Griffith's bubble flow, by hand.
TEST(HagedornBrown, ModifiedGuardsAndBubbleFlow) {
  FlowPoint p = guo_top_node();
  p.superficial_gas_velocity = 0.3;  // lambda_g 0.1168 below L_B = 0.13
  const Gradient bubble = dlv::point_gradient(Correlation::kHagedornBrown, p);
  EXPECT_EQ(bubble.pattern, FlowPattern::kBubble);
  expect_near({{"H_L", bubble.holdup, 0.908994, 5e-6},
               {"friction", bubble.friction, 0.00774731, 5e-8},  // N_Re 6635.3 on mu_L
               {"total", bubble.total, 0.342059, 5e-6}});
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
  EXPECT_GE(dlv::point_gradient(Correlation::kHagedornBrown, p).holdup, 0.05 / 0.11);
  EXPECT_LT(dlv::point_gradient(Correlation::kHagedornBrownOriginal, p).holdup, 0.05 / 0.11);
}

// Gray on a gas-condensate point worked by hand, and its limit at no liquid.
TEST(Gray, HandWorkedPointAndDryGasLimit) {
  FlowPoint p{0.10, 10.0, 50.0, 3.5, 0.5, 0.015, 20.0, 2.441, 0.0006, 90.0, 1000.0};
  const dlv::GrayGroups g = dlv::gray_groups(p);
  const Gradient gradient = dlv::point_gradient(Correlation::kGray, p);
  ASSERT_TRUE(gradient.ok);
  EXPECT_EQ(gradient.pattern, FlowPattern::kMist);
  expect_near({{"A", g.holdup_exponent, -4.098206, 5e-7},
               {"k_e/D", g.relative_roughness, 0.0152912, 5e-8},
               {"f", g.friction_factor, 0.0440719, 5e-8},
               {"H_L", gradient.holdup, 0.0263390, 5e-8},
               {"elevation", gradient.elevation, 0.0328109, 5e-8},
               {"friction", gradient.friction, 0.0094463, 5e-8},
               {"E_k", gradient.kinetic_energy_factor, 8.63361e-5, 5e-11},
               {"total", gradient.total, 0.042257 / (1.0 - 8.63361e-5), 5e-7}});
  // As the liquid vanishes the holdup tends to e^A = 0.013329, not 0; with
  // no liquid at all the point is single-phase gas.
  for (auto [v_sl, holdup] : {std::pair{0.01, 0.015292}, {1e-3, 0.013554}, {1e-6, 0.013329}}) {
    p.superficial_liquid_velocity = v_sl;
    EXPECT_NEAR(dlv::point_gradient(Correlation::kGray, p).holdup, holdup, 5e-6) << v_sl;
  }
  p.superficial_liquid_velocity = 0.0;
  const Gradient dry = dlv::point_gradient(Correlation::kGray, p);
  EXPECT_EQ(dry.pattern, FlowPattern::kGas);
  EXPECT_EQ(dry.holdup, 0.0);
}

}  // namespace
