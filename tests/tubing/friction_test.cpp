#include "tubing/friction.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using dlv::chen_darcy_factor;
using dlv::chen_fanning_factor;
using dlv::colebrook_darcy_factor;
using dlv::moody_darcy_factor;

// Colebrook and Chen factors computed independently in double precision
// (Colebrook converged to 1e-14), as Darcy and Fanning factors.
TEST(FrictionFactor, ColebrookAndChenMatchIndependentValues) {
  struct Row {
    double reynolds, roughness, colebrook, chen, colebrook_fanning, chen_fanning;
  };
  const Row rows[] = {
      {35700, 0.001, 0.025243, 0.025322, 0.0063107, 0.0063304},
      {542000, 0.0006, 0.018196, 0.018226, 0.0045490, 0.0045565},
      {100000, 0.0001, 0.018514, 0.018553, 0.0046285, 0.0046382},
      {100000, 0, 0.017990, 0.018006, 0.0044974, 0.0045014},
      {1000000, 0.001, 0.019943, 0.019952, 0.0049859, 0.0049881},
      {4000, 0.05, 0.076987, 0.076928, 0.0192467, 0.0192321},
  };
  for (const Row& r : rows) {
    const double colebrook = colebrook_darcy_factor(r.reynolds, r.roughness);
    EXPECT_NEAR(colebrook, r.colebrook, 5e-7) << r.reynolds;
    EXPECT_NEAR(dlv::moody_fanning_factor(r.reynolds, r.roughness), r.colebrook_fanning, 5e-8);
    EXPECT_NEAR(chen_darcy_factor(r.reynolds, r.roughness), r.chen, 5e-7) << r.reynolds;
    EXPECT_NEAR(chen_fanning_factor(r.reynolds, r.roughness), r.chen_fanning, 5e-8);
    EXPECT_LT(std::fabs(chen_darcy_factor(r.reynolds, r.roughness) / colebrook - 1.0), 0.0035);
  }
  // Smooth pipe, as compared with the Beggs and Brill smooth-pipe factor.
  for (auto [reynolds, f] : {std::pair{1e4, 0.030883}, {1e5, 0.017990}, {1e6, 0.011645}}) {
    EXPECT_NEAR(colebrook_darcy_factor(reynolds, 0.0), f, 5e-7) << reynolds;
  }
}

// The Colebrook factor satisfies its equation, 1/sqrt(f) = -2 log10(eps/3.7 +
// 2.51/(N_Re sqrt(f))), to 1e-12 relative across the turbulent range.
TEST(FrictionFactor, ColebrookSolvesItsEquation) {
  for (double reynolds : {4000.0, 3e4, 1e5, 1e6, 1e7, 1e8}) {
    for (double e : {0.0, 1e-5, 2.5e-4, 0.001, 0.01, 0.05}) {
      const double x = 1.0 / std::sqrt(colebrook_darcy_factor(reynolds, e));
      const double rhs = -2.0 * std::log10(e / 3.7 + 2.51 / reynolds * x);
      EXPECT_LE(std::fabs(x - rhs), 1e-12 * x) << reynolds << " " << e;
    }
  }
}

TEST(FrictionFactor, LaminarBelow2000AndStraightLineTo4000) {
  EXPECT_DOUBLE_EQ(moody_darcy_factor(1000.0, 0.001), 0.064);
  // Continuous at both ends of the transition zone.
  EXPECT_NEAR(moody_darcy_factor(1999.9999, 0.01), 0.032, 1e-8);
  EXPECT_DOUBLE_EQ(moody_darcy_factor(2000.0, 0.01), 0.032);
  EXPECT_NEAR(moody_darcy_factor(3999.9999, 0.05), 0.076987, 5e-7);
  EXPECT_DOUBLE_EQ(moody_darcy_factor(4000.0, 0.05), colebrook_darcy_factor(4000.0, 0.05));
  // Half way: the mean of 0.032 and the Colebrook factor at 4000.
  EXPECT_NEAR(moody_darcy_factor(3000.0, 0.05), (0.032 + 0.076987) / 2.0, 3e-7);
  // Chen keeps no laminar branch: 0.15 at N_Re = 100 where 64/N_Re is 0.64.
  EXPECT_NEAR(chen_darcy_factor(100.0, 0.0), 0.15, 0.005);
}

TEST(FrictionFactor, EdgesClampOrFailWithoutLooping) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(moody_darcy_factor(0.0, 0.001), 0.0);  // no flow, no friction
  EXPECT_EQ(moody_darcy_factor(-5.0, 0.001), 0.0);
  EXPECT_EQ(moody_darcy_factor(1e5, 0.3), moody_darcy_factor(1e5, 0.05));
  EXPECT_EQ(chen_darcy_factor(1e5, 0.3), chen_darcy_factor(1e5, 0.05));
  for (double bad : {nan, inf, -inf}) {
    EXPECT_TRUE(std::isnan(moody_darcy_factor(bad, 0.001)));
    EXPECT_TRUE(std::isnan(moody_darcy_factor(1e5, bad)));
    EXPECT_TRUE(std::isnan(chen_darcy_factor(bad, 0.001)));
    EXPECT_TRUE(std::isnan(colebrook_darcy_factor(1e5, bad)));
    EXPECT_TRUE(std::isnan(dlv::fully_rough_darcy_factor(bad)));
  }
  EXPECT_TRUE(std::isnan(moody_darcy_factor(1e5, -1e-4)));
  EXPECT_TRUE(std::isnan(chen_darcy_factor(0.0, 0.001)));
  EXPECT_TRUE(std::isnan(chen_darcy_factor(1.0, 0.0)));  // no positive logarithm argument
}

// The dry-gas factor of Guo's gas-well examples at eps/D = 0.0006.
TEST(FrictionFactor, FullyRoughNikuradse) {
  EXPECT_NEAR(dlv::fully_rough_darcy_factor(0.0006), 0.0173970, 5e-8);
  EXPECT_EQ(dlv::fully_rough_darcy_factor(0.0), 0.0);
}

}  // namespace
