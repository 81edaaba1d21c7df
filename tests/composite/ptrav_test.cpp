#include "ptrav.h"

#include <gtest/gtest.h>

#include <array>
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

// Water at 100 bbl/d in 2.441-inch tubing over 5000 ft, by hand: the head
// 62.4 / 144 * 5000 psi less the friction, laminar (64 / N_Re) at a Reynolds
// number of 38 (1.68421, 11.1484 psi), Swamee-Jain from 2000 on (2050 here:
// 0.0508690, 0.336721 psi).
TEST(Ptrav, InjectionChangeIsTheHeadLessFriction) {
  const double d = 2.441 / 12.0, v = 100.0 * 5.615 / 86400.0 / (std::numbers::pi * d * d / 4.0);
  for (const auto& [re, expected] : {std::pair{38.0, 2155.518254084}, {2050.0, 2166.329946003}}) {
    Record r;
    r.set(PTRAV_RATE_1, 100.0);
    double change[2] = {};
    std::int32_t status[2] = {1, 1};
    for (int k = 0; k < 2; ++k) {  // water, then a phase other than water
      ptrav_injection_change(r.bytes.data(), 0.0, 5000.0, 2.441, 1.0, 460.0,
                             1488.0 * 62.4 * v * d / re, 1 - k, -1, 0.0, &change[k], &status[k]);
    }
    EXPECT_NEAR(change[0], expected, 1e-7) << re;
    EXPECT_EQ((std::vector<double>{double(status[0]), change[1], double(status[1])}),
              (std::vector<double>{0, 0, 2}))
        << re;
  }
}

}  // namespace
