// dlv_cal against a stand-in traverse library found ahead of libPTRAV.so on
// the library path: every call's entry point, order and arguments, and the
// curves that come back.
#include <dlfcn.h>
#include <gtest/gtest.h>

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
  auto b = Blocks::oil_well(2);
  b->set_method(0);
  auto single = Blocks::oil_well(1);  // layer 0 on its own, no coupling
  single->set_method(0);
  ASSERT_EQ(single->run(cal), 1);
  ASSERT_TRUE(calls().empty());

  b->well[DLV_WELL_RECORD_REFERENCE_DEPTH] = 7000.0;  // reference depth
  b->well[DLV_WELL_RECORD_LAYER_DEPTH] = 8000.0;      // layer 0 below it
  b->well[DLV_WELL_RECORD_LAYER_DEPTH + 1] = 6500.0;  // layer 1 above it
  ASSERT_EQ(b->run(cal), 1);
  const auto log = calls();

  std::size_t k = 0;
  for (int L = 0; L < 2; ++L) {
    SCOPED_TRACE(L);
    const bool deeper = L == 0;
    ASSERT_LT(k + 1, log.size());
    EXPECT_EQ(log[k].ordinal, 15);
    EXPECT_EQ(log[k++].args[0], deeper ? 8000.0 : 7000.0);
    EXPECT_EQ(log[k].ordinal, 16);
    EXPECT_EQ(log[k++].args[0], deeper ? 7000.0 : 6500.0);
    for (int i = 0; i < 25; ++i) {
      SCOPED_TRACE(i);
      // The layer curves as they were before the coupling.
      const double rate = b->traverse_curves[L * 25 + i];
      const double start = b->traverse_curves[DLV_CURVES_PRESSURE + L * DLV_POINTS + i];
      if (L == 0) {
        EXPECT_EQ(rate, single->rate(0)[i]);
        EXPECT_EQ(start, single->pressure(0)[i]);
      }
      // The composite rewrites rates and pressures of the layer curves onto
      // its grid afterwards; the drawdowns keep what the coupling wrote.
      if (!(start > 0.0)) {  // no traverse from a zero pressure
        EXPECT_EQ(b->drawdown(L)[i], 0.0);
        continue;
      }
      ASSERT_LT(k, log.size());
      const FakeCall& c = log[k++];
      EXPECT_EQ(c.ordinal, 1);
      // The shut-in point is sent at rate 10; the segment flags are 0 and n - 1.
      EXPECT_EQ(std::vector<double>(c.args, c.args + 9),
                (std::vector<double>{start, rate == 0.0 ? 10.0 : rate, 0.2 * 100.0, 500.0,
                                     deeper ? 1.0 : 0.0, 0.0, 1.0, 1.0, deeper ? 0.0 : 11.0}));
      const double referred = start + (deeper ? -100.0 : 100.0);
      if (referred > 0.0) {
        EXPECT_EQ(b->drawdown(L)[i], start - referred);
        EXPECT_EQ(b->traverse_curves[DLV_CURVES_DRAWDOWN + L * DLV_POINTS + i], start - referred);
      } else {  // 14.7 after point 0: a failed point
        EXPECT_EQ(b->drawdown(L)[i], 0.0);
        EXPECT_EQ(b->traverse_curves[DLV_CURVES_DRAWDOWN + L * DLV_POINTS + i], start);
      }
    }
  }
  EXPECT_EQ(k, log.size());
  // The composite starts between the referred pressures of the two layers.
  EXPECT_GT(b->summary[DLV_SUMMARY_PRESSURE], b->traverse_curves[DLV_CURVES_PRESSURE] - 100.0);
  EXPECT_LT(b->summary[DLV_SUMMARY_PRESSURE],
            b->traverse_curves[DLV_CURVES_PRESSURE + DLV_POINTS] + 100.0);
}

TEST_F(TraverseDropIn, WaterInjectionCallsTheTubingChangeForEachTakingPoint) {
  auto fill = [](Blocks& w) {
    w.mode = 2;
    w.set_water_injection_method(0);
    for (int L = 0; L < 2; ++L) {
      w.well[DLV_WELL_RECORD_BREAK_PRESSURE + L] = 4000.0;          // break pressure
      w.well[DLV_WELL_RECORD_MAX_INJECTION_RATE + L] = 5000.0;      // maximum rate
      w.well[DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH + L] = -1.0;  // no tubing traverse
    }
  };
  auto single = Blocks::oil_well(1);  // layer 0 on its own
  fill(*single);
  ASSERT_EQ(single->run(cal), 1);
  auto plain = Blocks::oil_well(2);
  fill(*plain);
  auto b = std::make_unique<Blocks>(*plain);
  ASSERT_EQ(plain->run(cal), 1);
  ASSERT_TRUE(calls().empty());  // -1: the layers take no part
  b->well[DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH] = 5000.0;
  ASSERT_EQ(b->run(cal), 1);

  const auto log = calls();
  ASSERT_EQ(log.size(), 25u);  // layer 0 only
  for (int i = 0; i < 25; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(std::vector<double>(log[i].args, log[i].args + 11),
              (std::vector<double>{single->rate(0)[i], 0.0, 5000.0, 2.441, 1.0, 460.0, 0.7, 1.0,
                                   -1.0, single->pressure(0)[i], 1.0 + i}));  // status from 1, kept
  }
  // The composite is built from layer 0 raised by the tubing change.
  EXPECT_NE(b->summary[DLV_SUMMARY_PRESSURE + 12], plain->summary[DLV_SUMMARY_PRESSURE + 12]);
}

}  // namespace
