// dlv_cal against a stand-in traverse library found ahead of libPTRAV.so on
// the library path: every call's entry point, order and arguments, and the
// curves that come back.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "support/host_library.hpp"

namespace {

using host::Blocks;

struct FakeCall {
  int ordinal;
  double args[12];
};
using CallsFn = const FakeCall* (*)(int*);
using ResetFn = void (*)();

class TraverseDropIn : public ::testing::Test {
 protected:
  void SetUp() override {
    cal = host::symbol<host::CalFn>("dlv_cal");
    ASSERT_NE(cal, nullptr);
    // The traverse library that libDLV.so brought in, by its soname.
    void* ptrav = dlopen("libPTRAV.so.1", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(ptrav, nullptr);
    calls_fn = reinterpret_cast<CallsFn>(dlsym(ptrav, "fake_ptrav_calls"));
    reset_fn = reinterpret_cast<ResetFn>(dlsym(ptrav, "fake_ptrav_reset"));
    ASSERT_NE(calls_fn, nullptr) << "the stand-in libPTRAV.so is not on the library path";
    reset_fn();
  }
  std::vector<FakeCall> calls() const {
    int n = 0;
    const FakeCall* c = calls_fn(&n);
    return std::vector<FakeCall>(c, c + n);
  }
  host::CalFn cal = nullptr;
  CallsFn calls_fn = nullptr;
  ResetFn reset_fn = nullptr;
};

TEST_F(TraverseDropIn, CouplingRefersEachLayerThroughTheLibrary) {
  auto b = Blocks::oil_well(2), single = Blocks::oil_well(1);  // layer 0 alone: no coupling
  b->set_method(0), single->set_method(0);
  ASSERT_EQ(single->run(cal), 1);
  ASSERT_TRUE(calls().empty());
  b->well[DLV_WELL_RECORD_REFERENCE_DEPTH] = 7000.0;
  b->well[DLV_WELL_RECORD_LAYER_DEPTH] = 8000.0;      // layer 0 below it
  b->well[DLV_WELL_RECORD_LAYER_DEPTH + 1] = 6500.0;  // layer 1 above it
  ASSERT_EQ(b->run(cal), 1);
  const auto log = calls();
  std::size_t k = 0;
  auto curve = [&](int slot, int L) { return b->traverse_curves + slot + L * DLV_POINTS; };
  for (int L = 0; L < 2; ++L) {
    const bool deeper = L == 0;
    ASSERT_LT(k + 1, log.size());
    EXPECT_EQ((std::vector<double>{double(log[k].ordinal), log[k].args[0],
                                   double(log[k + 1].ordinal), log[k + 1].args[0]}),
              (std::vector<double>{15, deeper ? 8000.0 : 7000.0, 16, deeper ? 7000.0 : 6500.0}))
        << L;
    k += 2;
    for (int i = 0; i < 25; ++i) {
      // The layer curves as they were before the coupling (layer 0: as if alone); the
      // composite rewrites their rates and pressures, the drawdowns keep the coupling's.
      const double rate = curve(DLV_CURVES_RATE, L)[i], start = curve(DLV_CURVES_PRESSURE, L)[i];
      if (L == 0) {
        EXPECT_EQ((std::array{rate, start}),
                  (std::array{single->rate(0)[i], single->pressure(0)[i]}))
            << i;
      }
      const double referred = start + (deeper ? -100.0 : 100.0);
      const double drawdown = referred > 0.0 ? start - referred : 0.0;  // else failed: 14.7
      EXPECT_EQ(b->drawdown(L)[i], start > 0.0 ? drawdown : 0.0) << L << ' ' << i;
      if (!(start > 0.0)) continue;  // no traverse from a zero pressure
      EXPECT_EQ(curve(DLV_CURVES_DRAWDOWN, L)[i], referred > 0.0 ? drawdown : start) << L << i;
      ASSERT_LT(k, log.size());
      const FakeCall& c = log[k++];
      EXPECT_EQ(c.ordinal, 1) << L << ' ' << i;
      // The shut-in point is sent at rate 10; the cut in percent, the gas/oil ratio and the
      // direction as the well gives them.
      EXPECT_EQ(std::vector<double>(c.args, c.args + 5),
                (std::vector<double>{start, rate == 0.0 ? 10.0 : rate, 0.2 * 100.0, 500.0,
                                     deeper ? 1.0 : 0.0}))
          << L << ' ' << i;
    }
  }
  EXPECT_EQ(k, log.size());
  // The composite starts between the referred pressures of the two layers.
  EXPECT_GT(b->summary[DLV_SUMMARY_PRESSURE], curve(DLV_CURVES_PRESSURE, 0)[0] - 100.0);
  EXPECT_LT(b->summary[DLV_SUMMARY_PRESSURE], curve(DLV_CURVES_PRESSURE, 1)[0] + 100.0);
}

TEST_F(TraverseDropIn, WaterInjectionCallsTheTubingChangeForEachTakingPoint) {
  // Break pressure 4000, maximum rate 5000, no tubing traverse (-1) in every layer.
  std::unique_ptr<Blocks> w[] = {Blocks::oil_well(1), Blocks::oil_well(2), nullptr};
  for (int n : {0, 1}) {
    w[n]->mode = 2;
    w[n]->set_water_injection_method(0);
    for (int L = 0; L < 2; ++L) {
      w[n]->well[DLV_WELL_RECORD_BREAK_PRESSURE + L] = 4000.0;
      w[n]->well[DLV_WELL_RECORD_MAX_INJECTION_RATE + L] = 5000.0;
      w[n]->well[DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH + L] = -1.0;
    }
  }
  w[2] = std::make_unique<Blocks>(*w[1]);
  w[2]->well[DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH] = 5000.0;  // layer 0 only
  for (int n : {0, 1}) ASSERT_EQ(w[n]->run(cal), 1);
  ASSERT_TRUE(calls().empty());
  ASSERT_EQ(w[2]->run(cal), 1);
  const auto log = calls();
  ASSERT_EQ(log.size(), 25u);
  for (int i = 0; i < 25; ++i) {  // layer 0 as if alone; the status from 1, kept between calls
    EXPECT_EQ(std::vector<double>(log[i].args, log[i].args + 11),
              (std::vector<double>{w[0]->rate(0)[i], 0.0, 5000.0, 2.441, 1.0, 460.0, 0.7, 1.0, -1.0,
                                   w[0]->pressure(0)[i], 1.0 + i}))
        << i;
  }
  // The composite is built from layer 0 raised by the tubing change.
  EXPECT_NE(w[2]->summary[DLV_SUMMARY_PRESSURE + 12], w[1]->summary[DLV_SUMMARY_PRESSURE + 12]);
}

}  // namespace
