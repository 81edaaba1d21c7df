#include "fluids/solution_gor.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "fluids/log.hpp"

namespace {

// Runs f with a fresh diagnostic log open and returns what it wrote.
std::string logged(auto f) {
  const std::string path = testing::TempDir() + "calrs_" +
                           testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
  std::remove(path.c_str());
  dlv::log_handle = dlv::platform::open_log_file(path.c_str());
  f();
  dlv::platform::close_log_file(dlv::log_handle);
  dlv::log_handle = dlv::platform::kNoLog;
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// One layer's inputs; the outputs start at a marker value.
struct Calrs {
  double p = 2000.0, t = 180.0, gg = 0.75, psep = 114.7, tsep = 80.0, api = 35.0;
  double qo = 1.0, qw = 0.0, rp = 500.0;
  std::int32_t code = 1;
  double rs = -7.0, rsw = -7.0, gd = -7.0, gf = -7.0, sg100 = -7.0, pb = -7.0;
  std::int32_t ierr = -7;
  Calrs& run() {
    dlv::calrs(p, t, gg, psep, tsep, api, qo, qw, rp, rs, rsw, gd, gf, sg100, pb, code, ierr);
    return *this;
  }
  bool gravities_are(double g) const { return sg100 == g && gd == g && gf == g; }
};

TEST(Calrs, GasWellAndGaslessOilTakeTheirShortCuts) {
  Calrs gas{.t = 900.0, .rp = 1e6};  // unchecked, and the bubble point is not limited
  EXPECT_EQ(logged([&] { gas.run(); }), "");
  EXPECT_TRUE(gas.ierr == 0 && gas.rs == 1e6 && gas.pb == 1e5 && gas.rsw == -7.0);
  EXPECT_TRUE(gas.gravities_are(0.75));
  const Calrs none = Calrs{.rp = 0.0}.run();
  EXPECT_TRUE(none.rs == 0.0 && none.rsw == 0.0 && none.pb == 2000.0 && none.gravities_are(0.75));
}

TEST(Calrs, FailedChecksLogInOrderAndOnlyTheBubblePointLimitRuns) {
  Calrs c{.p = 50000.5,
          .t = -60.0,
          .gg = 1.5,
          .psep = -1.0,
          .tsep = 501.0,
          .api = 5.0,
          .qo = -1.0,
          .qw = -1.0,
          .rp = -1.0,
          .code = 5};
  c.pb = 200000.0;
  EXPECT_EQ(logged([&] { c.run(); }),
            "Out of range input value for (pressure) in calrs()\r\n"
            "Temperature out of range in calrs()\r\n"
            "Out of range input value for (specific gravity) in calrs()\r\n"
            "Out of range input value for (separator pressure) in calrs()\r\n"
            "Out of range input value for (separator temperature) in calrs()\r\n"
            "Out of range input value for (API gravity) in calrs()\r\n"
            "Out of range input value for (oil flow rate) in calrs()\r\n"
            "Out of range input value for (water flow rate) in calrs()\r\n"
            "Out of range input value for (solution gas/oil ratio) in calrs()\r\n"
            "Out of range input value for (sol. gas/oil ratio correlation) in calrs()\r\n");
  EXPECT_TRUE(c.ierr == 1 && c.pb == 50000.5 && c.rs == -7.0 && c.rsw == -7.0);
  EXPECT_TRUE(c.gravities_are(-7.0));
  EXPECT_EQ((Calrs{.gg = 0.55, .api = 100.0}.run().ierr), 0);
  // Code 4 computes nothing; a bubble point above 2 p falls back to max(p, Rp / 10).
  Calrs four{.code = 4};
  four.pb = 5000.0;
  EXPECT_TRUE(four.run().rs == -7.0 && four.gd == -7.0 && four.sg100 == 0.75 && four.pb == 2000.0);
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
  // Lasater below the chart (straight line), with API above 51.1.
  EXPECT_NEAR((Calrs{.p = 50.0, .t = 100.0, .gg = 0.7, .api = 60.0, .code = 0}.run().rs),
              16.333483001424614, 1e-12 * 16.33);
  // Vasquez and Beggs refer the gravity to a 100 psig separator.
  EXPECT_NEAR((Calrs{.gg = 0.8, .psep = 300.0, .code = 2}.run().sg100), 0.85529668326045594, 1e-14);
}

TEST(SplitProducedGas, WaterTakesWhatTheOilLeavesOver) {
  double rs, rsw, gd, gf;
  auto split = [&](double p, double t, double qw, double rs_in) {
    rs = rs_in;
    dlv::split_produced_gas(p, t, 0.8, 114.7, 80.0, 35.0, 0.5, qw, 500.0, rs, rsw, gd, gf);
    return rsw;
  };
  EXPECT_EQ(split(1000.0, 160.0, 0.5, 100.0), 7.4);  // a node; rows are pressures
  EXPECT_TRUE(gd == 0.95 - 3.5715e-6 * 35.0 * 100.0 && gf >= 0.55 && gf <= 0.8);
  EXPECT_EQ(split(20000.0, 400.0, 0.5, 100.0), 56.9);  // held at the table's end
  EXPECT_EQ(split(3000.0, 80.0, 0.5, 499.0), 1.0);     // (250 - 249.5) / 0.5
  EXPECT_EQ(split(3000.0, 80.0, 0.0, 800.0), 0.0);     // no water
  EXPECT_TRUE(rs == 500.0 && gf == 0.8);               // Rs <= Rp, no free gas
  rs = 100.0;  // light dissolved gas leaves heavy free gas, capped at the total
  dlv::split_produced_gas(1000.0, 160.0, 1.2, 114.7, 80.0, 35.0, 1.0, 0.0, 500.0, rs, rsw, gd, gf);
  EXPECT_EQ(gf, 1.2);
}

TEST(Calrs, NonFiniteAndZeroInputsRunThrough) {
  for (double v : {std::numeric_limits<double>::quiet_NaN(), 1e308 * 10.0, -1e308 * 10.0, 0.0}) {
    for (int field = 0; field < 9 * 5; ++field) {
      Calrs c{.code = field / 9};
      double* inputs[] = {&c.p, &c.t, &c.gg, &c.psep, &c.tsep, &c.api, &c.qo, &c.qw, &c.rp};
      *inputs[field % 9] = v;
      EXPECT_TRUE(c.run().ierr == 0 || c.ierr == 1);
    }
  }
}

}  // namespace
