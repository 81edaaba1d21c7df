#include "ptrav.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

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
  template <class T = double>
  T get(int off) {
    T v;
    std::memcpy(&v, bytes.data() + off, sizeof v);
    return v;
  }
  // Pressure at the other end of deep..shallow, starting deep when up.
  double traverse(double start, double deep, double shallow, bool up) {
    ptrav_setup_deep(bytes.data(), deep);
    ptrav_setup_shallow(bytes.data(), shallow);
    set<std::int32_t>(PTRAV_DIRECTION, up ? 1 : 0);
    set(PTRAV_START_PRESSURE, start);
    double result = -1.0;
    ptrav_traverse(bytes.data(), &result, work.data(), nullptr, nullptr, 0, text);
    return result;
  }
};

TEST(PtravSetup, SegmentsAndShallowDepth) {
  Record r;
  // Reached through DLV's own table of the linked library.
  const auto& lib = dlv::platform::traverse_library();
  lib.setup_deep(r.bytes.data(), 5000.0);
  lib.setup_shallow(r.bytes.data(), 0.0);
  EXPECT_EQ(r.get<std::int32_t>(PTRAV_SEGMENT_COUNT), 50);
  EXPECT_EQ(r.get(PTRAV_SHALLOW_DEPTH), 0.0);
  r.traverse(1000.0, 4000.0, 4000.0, false);
  EXPECT_EQ(r.get<std::int32_t>(PTRAV_SEGMENT_COUNT), 1);
  r.traverse(1000.0, 1e9, 0.0, false);
  EXPECT_EQ(r.get<std::int32_t>(PTRAV_SEGMENT_COUNT), PTRAV_MAX_SEGMENTS);
}

TEST(PtravTraverse, StaticWaterColumnIsHydrostatic) {
  Record r;
  r.set(PTRAV_WATER_CUT, 100.0);
  const double gradient = 62.4 * 1.07 / 144.0;
  EXPECT_NEAR(r.traverse(1000.0, 5000.0, 0.0, false), 1000.0 + gradient * 5000.0, 1e-9);
  EXPECT_NEAR(r.traverse(3000.0, 5000.0, 1000.0, true), 3000.0 - gradient * 4000.0, 1e-9);
  EXPECT_EQ(r.work[0], 5000.0);  // profile from the starting end
  EXPECT_EQ(r.work[2 * 40 + 1], r.traverse(3000.0, 5000.0, 1000.0, true));
  EXPECT_STREQ(r.text, "");
  EXPECT_EQ(r.traverse(500.0, 5000.0, 0.0, true), PTRAV_COLUMN_EMPTY);
}

TEST(PtravTraverse, StaticGasColumnMatchesRealGasDensity) {
  Record r;
  r.set<std::int32_t>(PTRAV_RECORD_TYPE, 1);
  r.set(PTRAV_SURFACE_TEMPERATURE, 150.0);
  r.set(PTRAV_TEMPERATURE_GRADIENT, 1e-9);
  // 2000 psia, 610 R, gas gravity 0.7: z = 0.83 from the Standing-Katz chart.
  const double rho = 28.97 * 0.7 * 2000.0 / (0.83 * 10.7316 * 610.0);
  EXPECT_NEAR(r.traverse(1985.3, 100.0, 0.0, false) - 1985.3, rho / 144.0 * 100.0, 0.15);
}

TEST(PtravTraverse, FlowingMixtureLayoutsAgreeAndDirectionsInvert) {
  Record liquid, gas;
  liquid.set(PTRAV_RATE_1, 800.0);  // STB/d of oil
  liquid.set(PTRAV_GAS_OIL_RATIO, 1250.0);
  gas.set<std::int32_t>(PTRAV_RECORD_TYPE, 3);
  gas.set(PTRAV_RATE_1, 800.0);   // bbl/MMscf
  gas.set(PTRAV_RATE_2, 1000.0);  // Mscf/d
  const double down = liquid.traverse(400.0, 8000.0, 0.0, false);
  EXPECT_NEAR(gas.traverse(400.0, 8000.0, 0.0, false), down, 1e-9 * down);
  EXPECT_NEAR(liquid.traverse(down, 8000.0, 0.0, true), 400.0, 1.0);
  EXPECT_GT(down, 400.0 + 0.05 * 8000.0);  // heavier than the gas alone
  liquid.set(PTRAV_GAS_OIL_RATIO, 0.0);
  EXPECT_LT(down, liquid.traverse(400.0, 8000.0, 0.0, false));  // lighter than dead oil
  liquid.set(PTRAV_WATER_CUT, 150.0);
  EXPECT_EQ(liquid.traverse(400.0, 8000.0, 0.0, false), PTRAV_FAILED);
  EXPECT_STRNE(liquid.text, "");
}

// Darcy friction factor from the Colebrook equation, by iteration.
double colebrook(double re, double relative_roughness) {
  double f = 0.02;
  for (int k = 0; k < 50; ++k) {
    const double t = -2.0 * std::log10(relative_roughness / 3.7 + 2.51 / (re * std::sqrt(f)));
    f = 1.0 / (t * t);
  }
  return f;
}

TEST(PtravInjection, HydrostaticHeadLessTubingFriction) {
  Record r;
  double change = 0.0;
  std::int32_t status = 1;
  ptrav_injection_change(r.bytes.data(), 0.0, 5000.0, 2.441, 1.0, 460.0, 0.7, 1, -1, 0.0, &change,
                         &status);
  EXPECT_NEAR(change, 62.4 / 144.0 * 5000.0, 1e-9);
  EXPECT_EQ(status, 0);
  r.set(PTRAV_RATE_1, 2000.0);
  ptrav_injection_change(r.bytes.data(), 0.0, 5000.0, 2.441, 1.0, 460.0, 0.7, 1, -1, 0.0, &change,
                         &status);
  const double d = 2.441 / 12.0, v = 2000.0 * 5.615 / 86400.0 / (std::numbers::pi * d * d / 4.0);
  const double f = colebrook(1488.0 * 62.4 * v * d / 0.7, 0.0006 / 2.441);
  const double friction = f * 62.4 * v * v / (2.0 * 32.174 * d) / 144.0 * 5000.0;
  EXPECT_NEAR(62.4 / 144.0 * 5000.0 - change, friction, 0.02 * friction);
  ptrav_injection_change(r.bytes.data(), 0.0, 5000.0, 2.441, 1.0, 460.0, 0.7, 0, -1, 0.0, &change,
                         &status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(change, 0.0);
}

}  // namespace
