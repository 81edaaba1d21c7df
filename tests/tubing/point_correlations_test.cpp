#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tubing/correlation.hpp"
#include "tubing/no_slip.hpp"

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

}  // namespace
