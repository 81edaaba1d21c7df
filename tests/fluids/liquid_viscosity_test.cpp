#include "fluids/liquid_viscosity.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "support/log_capture.hpp"

namespace {

// One layer's inputs; the outputs start at a marker value.
struct Liqvis {
  double t = 150.0, api = 30.0, rs = 200.0, p = 3000.0, pb = 2000.0;
  std::int32_t code = 0;
  double dead = -7.0, oil = -7.0, water = -7.0;
  std::int32_t ierr = -7;
  Liqvis& run() {
    dlv::liqvis({t, api, rs, p, pb}, code, dead, oil, water, ierr);
    return *this;
  }
};

TEST(Liqvis, FailedChecksLogInOrderAndWriteOnlyTheWaterViscosity) {
  Liqvis all{.t = 600.0, .api = 80.5, .rs = -1.0, .p = -1.0, .pb = 0.0, .code = 3};
  Liqvis rs_low{.rs = 0.5}, p_high{.p = 50001.0};  // Beggs and Robinson's own limits
  EXPECT_EQ(fluids_test::logged([&] {
              for (Liqvis* c : {&all, &rs_low, &p_high}) c->run();
            }),
            fluids_test::expected_log("liqvis_checks"));
  for (const Liqvis& c : {all, rs_low, p_high}) {
    EXPECT_EQ((std::array{c.dead, c.oil, double(c.ierr)}), (std::array{-7.0, -7.0, 1.0}));
    EXPECT_GT(c.water, 0.0);
  }
  EXPECT_EQ((Liqvis{.api = 80.0}.run().ierr), 0);
  EXPECT_EQ((Liqvis{.rs = 0.5, .p = 60000.0, .code = 2}.run().ierr), 0);  // unchecked form
}

TEST(Liqvis, WorkedValuesAndTheStrictUndersaturatedTest) {
  // {dead oil, oil, water} of the two correlations, undersaturated.
  const Liqvis br = Liqvis{}.run(), glaso = Liqvis{.code = 1}.run();
  const double want[][3] = {{5.0912159788667664, 2.1481423333748051, 0.46322147107907424},
                            {4.265219985591111, 1.8806916890945133, 0.46322147107907424}};
  for (int i = 0; i < 2; ++i) {
    const Liqvis& c = i == 0 ? br : glaso;
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR((std::array{c.dead, c.oil, c.water})[k], want[i][k], 1e-12) << i << k;
  }
  // Gas thins the oil; compression above the bubble point, not at it, thickens it.
  const Liqvis below = Liqvis{.p = 1999.0}.run(), at = Liqvis{.p = 2000.0}.run();
  EXPECT_LT(below.oil, below.dead);
  EXPECT_EQ(at.oil, below.oil);
  EXPECT_GT(br.oil, at.oil);
}

}  // namespace
