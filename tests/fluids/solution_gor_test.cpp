#include "fluids/solution_gor.hpp"

#include <gtest/gtest.h>

#include <array>

#include "support/log_capture.hpp"

namespace {

// One layer's inputs; the outputs start at a marker value.
struct Calrs {
  double p = 2000.0, t = 180.0, gg = 0.75, psep = 114.7, tsep = 80.0, api = 35.0;
  double qo = 1.0, qw = 0.0, rp = 500.0;
  std::int32_t code = 1;
  double rs = -7.0, rsw = -7.0, gd = -7.0, gf = -7.0, sg100 = -7.0, pb = -7.0;
  std::int32_t ierr = -7;
  Calrs& run() {
    dlv::ProducedGasSplit gas{rs, rsw, gd, gf};
    dlv::calrs({p, t, gg, psep, tsep, api, qo, qw, rp}, code, gas, sg100, pb, ierr);
    rs = gas.solution_gor, rsw = gas.solution_gwr, gd = gas.dissolved_gas_sg, gf = gas.free_gas_sg;
    return *this;
  }
  // Every output as one row: Rs, Rsw, the three gravities, pb, ierr.
  std::array<double, 7> row() const { return {rs, rsw, sg100, gd, gf, pb, double(ierr)}; }
};
using Row = std::array<double, 7>;

TEST(Calrs, FailedChecksLogInOrderAndOnlyTheBubblePointLimitRuns) {
  Calrs c{50000.5, -60.0, 1.5, -1.0, 501.0, 5.0, -1.0, -1.0, -1.0, 5};  // every input bad
  c.pb = 200000.0;
  Calrs gas{.t = 900.0, .rp = 1e6};  // a gas well is not checked
  EXPECT_EQ(fluids_test::logged([&] { c.run(), gas.run(); }),
            fluids_test::expected_log("calrs_checks"));
  EXPECT_EQ(c.row(), (Row{-7, -7, -7, -7, -7, 50000.5, 1}));
  EXPECT_EQ((Calrs{.gg = 0.55, .api = 100.0}.run().ierr), 0);
  // The gas well keeps Rp, and its bubble point Rp / 10 escapes the 2 p limit.
  EXPECT_EQ(gas.row(), (Row{1e6, -7, 0.75, 0.75, 0.75, 1e5, 0}));
}

TEST(Calrs, ShortCutsAndTheBubblePointLimit) {
  const Calrs none = Calrs{.rp = 0.0}.run();  // no gas
  EXPECT_EQ(none.row(), (Row{0, 0, 0.75, 0.75, 0.75, 2000, 0}));
  Calrs four{.code = 4};  // computes nothing; a bubble point above 2 p becomes max(p, Rp / 10)
  four.pb = 5000.0;
  EXPECT_EQ(four.run().row(), (Row{-7, -7, 0.75, -7, -7, 2000, 0}));
  EXPECT_EQ((Calrs{.p = 100.0, .rp = 5000.0}.run().pb), 500.0);  // Standing's own pb
}

// With the gas gravity at the 0.56 floor of the dissolved-gas gravity, the
// bubble point of an oil holding exactly Rs(p) is p again: each bubble-point
// form inverts its Rs form.
TEST(Calrs, BubblePointOfTheSaturatedRatioIsThePressure) {
  const double tolerance[] = {1e-3, 1.5e-3, 1e-12, 2e-6};  // Lasater, Standing, V&B, Glaso
  for (std::int32_t code = 0; code <= 3; ++code) {
    for (double p : {300.0, 1500.0, 4000.0}) {
      Calrs c{.p = p, .gg = 0.56, .api = 15.0, .rp = 900000.0, .code = code};
      c.rp = c.run().rs;
      EXPECT_NEAR(c.run().pb, p, tolerance[code] * p) << "code " << code << " p " << p;
    }
  }
  // Lasater below the chart (straight line) with API above 51.1; Vasquez and
  // Beggs refer the gravity to a 100 psig separator.
  EXPECT_NEAR((Calrs{.p = 50.0, .t = 100.0, .gg = 0.7, .api = 60.0, .code = 0}.run().rs),
              16.333483001424614, 1e-12 * 16.33);
  EXPECT_NEAR((Calrs{.gg = 0.8, .psep = 300.0, .code = 2}.run().sg100), 0.85529668326045594, 1e-14);
  EXPECT_EQ((Calrs{.gg = 0.8, .code = 2}.run().sg100), 0.8);
}

TEST(SplitProducedGas, WaterTakesWhatTheOilLeavesOver) {
  double rs = 0.0, rsw = 0.0, gd = 0.0, gf = 0.0;
  auto split = [&](double p, double t, double qw, double rs_in, double gg = 0.8, double qo = 0.5,
                   double api = 35.0) {
    rs = rs_in;
    dlv::ProducedGasSplit gas{rs, rsw, gd, gf};
    dlv::split_produced_gas({p, t, gg, 114.7, 80.0, api, qo, qw, 500.0}, gas);
    rs = gas.solution_gor, rsw = gas.solution_gwr, gd = gas.dissolved_gas_sg, gf = gas.free_gas_sg;
    return rsw;
  };
  EXPECT_EQ(split(1000.0, 160.0, 0.5, 100.0), 7.4);  // a node; rows are pressures
  EXPECT_EQ(gd, 0.95 - 3.5715e-6 * 35.0 * 100.0);
  split(1000.0, 160.0, 0.0, 100.0, 0.8, 0.5, 16.0);  // the dissolved gravity just above its
  EXPECT_DOUBLE_EQ(gd, 28.5 / 50.0 - 3.5715e-6 * 16.0 * 100.0);  // 0.56 floor, then on it
  split(1000.0, 160.0, 0.0, 100.0, 0.8, 0.5, 10.0);
  EXPECT_EQ(gd, 0.56);
  EXPECT_EQ(split(20000.0, 400.0, 0.5, 100.0), 56.9);  // held at the table's end
  EXPECT_EQ(split(3000.0, 80.0, 0.5, 499.0), 1.0);     // (250 - 249.5) / 0.5
  EXPECT_EQ(split(3000.0, 80.0, 0.0, 800.0), 0.0);     // Rs <= Rp, no free gas
  EXPECT_EQ((std::array{rs, gf}), (std::array{500.0, 0.8}));
  split(1000.0, 160.0, 0.0, 100.0, 1.2, 1.0);  // light dissolved gas leaves heavy free gas,
  EXPECT_EQ(gf, 1.2);                          // capped at the total
}

}  // namespace
