#include "fluids/oil_fvf.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "support/log_capture.hpp"

namespace {

// One layer's inputs; the outputs start at a marker value.
struct Calfvf {
  double t = 200.0, p = 3000.0, api = 35.0, gg = 0.8, sg100 = 0.85, pb = 2000.0, rp = 600.0,
         rs = 400.0;
  std::int32_t code = 0;
  double co = -7.0, bo = -7.0, bw = -7.0;
  std::int32_t ierr = -7;
  Calfvf& run() {
    dlv::calfvf({t, p, api, gg, sg100, pb, rp, rs}, code, co, bo, bw, ierr);
    return *this;
  }
  std::array<double, 4> row() const { return {bo, co, bw, double(ierr)}; }
};
using Row = std::array<double, 4>;

TEST(Calfvf, FailedChecksLogInOrderAndLeaveBoAtItsStart) {
  Calfvf all{501.0, -1.0, 5.0, 1.51, 1.6, 300001.0, -1.0, 400.0, 4};  // every input bad
  Calfvf standing_pb{.pb = 6000.0, .code = 1}, standing_rp{.pb = 1000.0, .rp = 50.0, .code = 1};
  Calfvf api_first{.api = 101.0, .pb = 6000.0, .code = 1};  // the Standing limits wait
  Calfvf sg100{.sg100 = 1.6};
  EXPECT_EQ(fluids_test::logged([&] {
              for (Calfvf* c : {&all, &standing_pb, &standing_rp, &api_first, &sg100}) c->run();
            }),
            fluids_test::expected_log("calfvf_checks"));
  for (const Calfvf& c : {all, standing_pb, standing_rp, api_first, sg100}) {
    EXPECT_EQ(c.row(), (Row{1.1, -7, -7, 1}));
  }
}

TEST(Calfvf, WorkedValuesOfEachCorrelation) {
  // Standing, saturated. The gravity ratio is raised to 0.5 with pow; a sqrt is
  // one place off here with glibc's correctly rounded pow. The Windows
  // runtime's pow differs in the last place.
  const double standing =
      Calfvf{.p = 1000.0, .api = 30.0, .gg = 0.7996, .rs = 350.0, .code = 1}.run().bo;
#ifdef _WIN32
  EXPECT_NEAR(standing, 1.2339181923781788, 1e-12);
#else
  EXPECT_EQ(standing, 1.2339181923781788);
#endif
  const Calfvf vb = Calfvf{}.run();  // Vasquez and Beggs, undersaturated
  EXPECT_NEAR(vb.bo, 1.3328409655542577, 1e-12);
  EXPECT_NEAR(vb.co, 1.14845e-05, 1e-17);
  EXPECT_NEAR(vb.bw, 1.02641, 1e-14);
  EXPECT_NEAR((Calfvf{180.0, 1500.0, 40.0, 0.75, 0.85, 2000.0, 600.0, 300.0, 2}.run().bo),
              1.1617604434686373, 1e-12);  // Glaso, saturated
  const Calfvf zero = Calfvf{.t = 60.0, .p = 0.0, .pb = 0.0}.run();
  EXPECT_EQ((std::array{zero.bw, zero.co}), (std::array{1.0, 0.0}));
  EXPECT_TRUE(std::isfinite(zero.bo));
}

// At the bubble point the saturated factor holds unshrunk; above it Bo falls
// with pressure, by no more than exp(-10); it never drops below 1.0.
TEST(Calfvf, ShrinkageAboveTheBubblePoint) {
  for (std::int32_t code = 0; code <= 2; ++code) {
    auto run = [code](double p) { return Calfvf{.p = p, .rs = 600.0, .code = code}.run(); };
    const Calfvf below = run(1999.0), at = run(2000.0), above = run(4000.0);
    EXPECT_EQ((std::array{below.co, at.bo}), (std::array{0.0, below.bo})) << code;
    EXPECT_GT(at.co, 0.0);
    EXPECT_LT(above.bo, at.bo);
  }
  const Calfvf saturated = Calfvf{.p = 500.0, .pb = 1000.0, .rp = 5e7, .rs = 5e7}.run();
  const Calfvf squeezed = Calfvf{.p = 2e6, .pb = 1000.0, .rp = 5e7, .rs = 1e6}.run();
  EXPECT_EQ(squeezed.bo, saturated.bo * std::exp(-10.0));
  EXPECT_EQ((Calfvf{.t = 0.0, .p = 1000.0, .api = 6.0, .rp = 0.0, .rs = 0.0}.run().bo), 1.0);
  // Code 3 has no saturated factor: 1.1 below the bubble point, 1.0 above.
  const Calfvf none_below = Calfvf{.p = 1000.0, .code = 3}.run();
  EXPECT_EQ(none_below.row(),
            (Row{1.1, 0.0, 1.0 + 0.00012 * 140.0 + 1e-6 * (140.0 * 140.0) - 3.33e-6 * 1000.0, 0}));
  EXPECT_EQ((Calfvf{.code = 3}.run().bo), 1.0);
}

}  // namespace
