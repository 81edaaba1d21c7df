#include "ptrav.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "platform/traverse_library.hpp"

namespace {

struct Record {
  std::array<unsigned char, PTRAV_RECORD_BYTES> bytes{};
  std::array<double, 70416 / 8> work{};
  char text[64] = "x";
  template <class T>
  void set(int off, T v) {
    std::memcpy(bytes.data() + off, &v, sizeof v);
  }
  // Pressure at the other end of deep..shallow, starting deep when up,
  // through DLV's table of the linked library.
  double traverse(double start, double deep, double shallow, bool up) {
    const auto& lib = dlv::platform::traverse_library();
    lib.setup_deep(bytes.data(), deep);
    lib.setup_shallow(bytes.data(), shallow);
    set<std::int32_t>(PTRAV_DIRECTION, up ? 1 : 0);
    set(PTRAV_START_PRESSURE, start);
    double result = -1.0;
    lib.traverse(bytes.data(), &result, work.data(), nullptr, nullptr, 0, text);
    return result;
  }
  std::int32_t segments() const {
    std::int32_t n;
    std::memcpy(&n, bytes.data() + PTRAV_SEGMENT_COUNT, 4);
    return n;
  }
};

TEST(Ptrav, StaticWaterColumnSegmentsAndFailures) {
  Record r;
  r.set(PTRAV_WATER_CUT, 100.0);
  const double gradient = 62.4 * 1.07 / 144.0;  // default water gravity
  EXPECT_NEAR(r.traverse(1000.0, 5000.0, 0.0, false), 1000.0 + gradient * 5000.0, 1e-9);
  EXPECT_EQ(r.segments(), 50);  // 100 ft segments
  const double up = r.traverse(3000.0, 5000.0, 1000.0, true);
  EXPECT_NEAR(up, 3000.0 - gradient * 4000.0, 1e-9);
  EXPECT_EQ(r.work[0], 5000.0);  // profile from the starting end
  EXPECT_EQ(r.work[2 * 40 + 1], up);
  EXPECT_STREQ(r.text, "");
  EXPECT_EQ(r.traverse(500.0, 5000.0, 0.0, true), PTRAV_COLUMN_EMPTY);
  r.traverse(1000.0, 4000.0, 4000.0, false);
  EXPECT_EQ(r.segments(), 1);
  r.traverse(1000.0, 1e9, 0.0, false);
  EXPECT_EQ(r.segments(), PTRAV_MAX_SEGMENTS);
  r.set(PTRAV_WATER_CUT, 150.0);
  EXPECT_EQ(r.traverse(1000.0, 5000.0, 0.0, false), PTRAV_FAILED);
  EXPECT_STRNE(r.text, "");
}

TEST(Ptrav, FlowingMixtureLayoutsAgreeAndDirectionsInvert) {
  Record liquid, gas;
  liquid.set(PTRAV_RATE_1, 800.0), liquid.set(PTRAV_GAS_OIL_RATIO, 1250.0);  // STB/d, scf/STB
  gas.set<std::int32_t>(PTRAV_RECORD_TYPE, 3);
  gas.set(PTRAV_RATE_1, 800.0), gas.set(PTRAV_RATE_2, 1000.0);  // bbl/MMscf, Mscf/d
  const double down = liquid.traverse(400.0, 8000.0, 0.0, false);
  EXPECT_NEAR(gas.traverse(400.0, 8000.0, 0.0, false), down, 1e-9 * down);
  EXPECT_NEAR(liquid.traverse(down, 8000.0, 0.0, true), 400.0, 1.0);
  EXPECT_GT(down, 400.0 + 0.05 * 8000.0);  // heavier than the gas alone
  liquid.set(PTRAV_GAS_OIL_RATIO, 0.0);
  EXPECT_LT(down, liquid.traverse(400.0, 8000.0, 0.0, false));  // lighter than dead oil
}

// Water at 100 bbl/d in 2.441-inch tubing: laminar friction at a Reynolds
// number of 38, Swamee-Jain from 2000 on (2050 here).
TEST(Ptrav, InjectionChangeIsTheHeadLessFriction) {
  const double d = 2.441 / 12.0, v = 100.0 * 5.615 / 86400.0 / (std::numbers::pi * d * d / 4.0);
  for (const double re : {38.0, 2050.0}) {
    Record r;
    r.set(PTRAV_RATE_1, 100.0);
    const double mu = 1488.0 * 62.4 * v * d / re;
    double change[2] = {};
    std::int32_t status[2] = {1, 1};
    for (int k = 0; k < 2; ++k) {  // water, then a phase other than water
      ptrav_injection_change(r.bytes.data(), 0.0, 5000.0, 2.441, 1.0, 460.0, mu, 1 - k, -1, 0.0,
                             &change[k], &status[k]);
    }
    const double t = std::log10(0.0006 / 2.441 / 3.7 + 5.74 / std::pow(re, 0.9));
    const double f = re < 2000.0 ? 64.0 / re : 0.25 / (t * t);
    const double friction = f * 62.4 * v * v / (2.0 * 32.174 * d) / 144.0 * 5000.0;
    EXPECT_NEAR(change[0], 62.4 / 144.0 * 5000.0 - friction, 1e-9) << re;
    EXPECT_EQ((std::vector<double>{double(status[0]), change[1], double(status[1])}),
              (std::vector<double>{0, 0, 2}))
        << re;
  }
}

}  // namespace
