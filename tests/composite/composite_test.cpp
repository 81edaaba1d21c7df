// The composite curve of a well's layers and its summary columns, the traverse
// library on its own, and the coupling that refers each layer's curve through
// it to the reference depth.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <vector>

#include "composite/composite_curves.hpp"
#include "composite/traverse_coupling.hpp"
#include "platform/traverse_library.hpp"
#include "ptrav.h"
#include "support/near.hpp"

namespace {

using Pressures = std::function<double(int)>;
using Rates = std::function<double(double)>;

Pressures falling(double pr) {
  return [pr](int i) { return pr - i * (pr / 24.0); };
}
// Falling from pr, the first step without width.
Pressures flat_start(double pr) {
  return [pr](int i) { return i == 0 ? pr : pr - (i - 1) * (pr / 24.0); };
}
Pressures rising(double pr) {
  return [pr](int i) { return pr + 100.0 * i; };
}
Rates line(double pr, double j) {
  return [pr, j](double p) { return j * (pr - p); };
}

// A well of two layers (pressures p(i), rates q(p)), its fluids and the
// summary columns.
struct Well {
  std::array<double, 3750> curves{};
  std::array<double, 1426> fluids{};
  std::array<double, 50> cut{}, gor{};
  std::array<double, 150> summary{};
  dlv::WellSummary s{summary.data()};
  double *p = s.pressure(), *q = s.rate(), *wc = s.water_cut(), *gl = s.gas_liquid(),
         *sg = s.water_sg();
  dlv::CurveTables t{curves.data()};
  Well(Pressures p0, Rates q0, Pressures p1, Rates q1) {
    for (int i = 0; i < 25; ++i) {
      t.pressure(0)[i] = p0(i), t.rate(0)[i] = q0(p0(i));
      t.pressure(1)[i] = p1(i), t.rate(1)[i] = q1(p1(i));
      t.drawdown(0)[i] = -7.0;
    }
  }
  double& water_sg(int L) { return fluids[DLV_LAYER_FLUIDS_WATER_SG + L]; }
  void run(bool gas) {
    const std::int32_t n = 2;
    auto routine = gas ? dlv::composite_gas_curve : dlv::composite_liquid_curve;
    routine(t, dlv::LayerFluids{fluids.data()}, cut.data(), gor.data(), n, s);
  }
};

TEST(CompositeCurve, CommonGridFromTheSignChangeOfTheTotalRate) {
  const Rates none = line(0.0, 0.0);
  auto step = [](double p) { return p < 3250 ? -1.0 : (p < 3350 ? 1.0 : 201.0); };
  auto inject = [](double p) { return 2.0 * p - 2500.0; };
  const double last = 3304.0 - 9.0 / (9.84 / 96.0);
  struct Case {
    const char* name;
    int routines;  // 1 liquid, 2 gas, 3 both
    Pressures p0, p1;
    Rates q0, q1, total;
    double first, step, last;
  } const cases[] = {
      // Equal reservoir pressures: the full grid of layer 0.
      {"equal", 1, falling(3000), falling(3000), line(3000, 1), line(3000, 2), line(3000, 3), 3000,
       -125, 0},
      // Equal pressures at points 0 and 1 of layer 0 make a production grid, down to 0.
      {"flat start", 1, flat_start(3000), flat_start(3000), line(3000, 1), line(3000, 1), nullptr,
       3000, -125, 0},
      // Layer 1 takes fluid above 2000: the total 7000 - 3p is zero at 2333.3.
      {"crossflow", 1, falling(3000), falling(2000), line(3000, 1), line(2000, 2),
       [](double p) { return 7000.0 - 3.0 * p; }, 7000.0 / 3.0, -7000.0 / 72.0, 0},
      // Injection: preliminary grid 1000 + 96 i, the total 2p - 2500 turns
      // positive at 1288 and its line gives 1250; the grid ends at 3400.
      {"inject", 3, rising(1000), rising(1500), line(1000, -1), line(1500, -1), inject, 1250,
       2150.0 / 24, 3400},
      // No positive total: a liquid starts at the lowest end pressure, a gas at 0.
      {"no sign", 1, rising(1000), rising(1600), none, none, none, 3400, 100, 3400},
      {"no sign gas", 2, rising(1000), rising(1600), none, none, none, 0, 100, 2400},
      // Negative everywhere: the grid collapses onto its lowest pressure.
      {"all negative", 3, falling(3000), falling(3000), line(3000, 1),
       [](double) { return -5000.0; }, [](double p) { return -2000.0 - p; }, 0, 0, 0},
      // The first positive total at point 24 (3304: 9.0; 3208: -0.84): the
      // line of the last segment (the rates there are not a line in p).
      {"last point", 1, rising(1000), rising(1000), step, none, nullptr, last, (3400 - last) / 24,
       3400},
  };
  for (int run = 0; run < 2 * int(std::size(cases)); ++run) {
    const Case& c = cases[run / 2];
    const bool gas = run % 2;
    if (!(c.routines & (1 << run % 2))) continue;
    Well w(c.p0, c.q0, c.p1, c.q1);
    w.run(gas);
    SCOPED_TRACE(gas ? "gas" : "liquid");
    EXPECT_NEAR(w.p[0], c.first, 1e-9) << c.name;
    EXPECT_NEAR(w.p[24], c.last, 1e-9) << c.name;
    for (int k = 0; k < 25; ++k) {
      if (k > 0 && k < 24) {
        EXPECT_NEAR(w.p[k] - w.p[k - 1], c.step, 1e-9) << c.name << k;
      }
      if (c.total) {
        EXPECT_NEAR(w.q[k], k ? c.total(w.p[k]) : std::max(0.0, c.total(w.p[k])), 1e-9) << c.name;
      }
      for (int L : {0, 1}) EXPECT_EQ(w.t.pressure(L)[k], w.p[k]) << c.name << k;
      // The rewritten layers add up to the total, which reads 0 at point 0 when negative.
      const double sum = w.t.rate(0)[k] + w.t.rate(1)[k];
      EXPECT_NEAR(k ? sum : std::max(0.0, sum), w.q[k], 1e-9) << c.name << k;
      EXPECT_EQ(w.t.drawdown(0)[k], -7.0);  // drawdowns stay on the old grids
    }
  }
}

TEST(CompositeLiquidColumns, OilFreePointsMixedPointsAndClamps) {
  // Layer 0 water only; layer 1 oil, taking fluid above 2000.
  Well w(falling(3000), line(3000, 1.0), falling(2000), line(2000, 0.1));
  w.cut[0] = 1.0, w.gor[1] = 800.0, w.water_sg(0) = 1.03, w.water_sg(1) = 1.15;
  w.run(false);
  for (int k = 1; k < 25; ++k) {
    const bool oil = w.p[k] < 2000.0;
    EXPECT_DOUBLE_EQ(w.gl[k], oil ? 800.0 : 0.0) << k;
    EXPECT_DOUBLE_EQ(w.sg[k], oil ? 1.03 : 1.0) << k;
  }
  const double water = 3000.0 - w.p[24], oil = 0.1 * (2000.0 - w.p[24]);
  EXPECT_NEAR(w.wc[24], water / (water + oil), 1e-12);
  Well r(falling(3000), line(3000, 1.0), falling(2000), line(2000, 2.0));
  r.cut[1] = 1.0;  // water taken in above 2000: a negative cut, clamped
  r.run(false);
  for (int k = 0; k < 25; ++k) EXPECT_GE(r.wc[k], 0.0) << k;

  Well d(falling(3000), line(3000, 1.0), falling(3000), line(3000, 1.0));  // oil, no water
  d.gor[0] = d.gor[1] = 2000000.0, d.water_sg(0) = 1.5;
  d.run(false);
  for (int k = 0; k < 25; ++k) EXPECT_EQ(d.gl[k], 1000000.0);
  EXPECT_EQ((std::array{d.sg[0], d.sg[1]}), (std::array{1.2, 1.5}));  // layer 0's, bounded at 0
  Well z(falling(3000), line(3000, 0.0), falling(3000), line(3000, 0.0));  // no flow at all
  z.run(false);
  EXPECT_EQ((std::vector<double>{z.wc[0], z.gl[0], z.sg[0]}),
            (std::vector<double>{1, 0, 1}));  // point 1's values
}

// A water layer and a Vogel oil layer (2000 stb/d open flow) on the grid
// 3000 - 125 k, by hand: the raw cut (3000 - p) / (3000 - p + q_o(p)), point 0
// extrapolated along the total rate, points 0 to 19 the mean of five.
TEST(CompositeLiquidColumns, WaterCutSmoothedOverPointsZeroToNineteen) {
  Well w(falling(3000), line(3000, 1.0), falling(3000),
         [](double p) { return 2000.0 * (1.0 - 0.2 * p / 3000 - 0.8 * p * p / 9e6); });
  w.cut[0] = 1.0;
  w.run(false);
  const int k[] = {0, 1, 10, 19, 20, 24};
  const double cut[] = {0.465422082138145, 0.468851762804844, 0.517378114372288,
                        0.577112835532223, 0.569620253164557, 0.6};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(w.wc[k[i]], cut[i], 1e-14) << k[i];
}

TEST(CompositeGasColumns, LiquidGasRatioUntouchedPointZeroAndLayersTakingGas) {
  Well w(falling(3000), line(3000, 1.0), falling(3000), line(3000, 1.0));
  w.gor = {50.0, 100.0}, w.cut = {0.2, 0.5};  // liquid yields, bbl/MMscf
  w.water_sg(0) = 1.0, w.water_sg(1) = 1.2, w.sg[0] = 42.0, w.wc[0] = w.gl[0] = 9.0;
  w.run(true);
  EXPECT_EQ((std::vector<double>{w.sg[0], w.wc[0], w.gl[0]}), (std::vector<double>{42, 0, 0}));
  for (int k = 1; k < 25; ++k) {
    expect_near({w.gl[k], w.wc[k], w.sg[k]}, {0.075, 0.4, (0.01 * 1.0 + 0.05 * 1.2) / 0.06}, 1e-15,
                std::to_string(k));
  }
  Well x(falling(3000), line(3000, 1.0), falling(2000), line(2000, 2.0));
  x.gor = {50.0, 100.0}, x.cut = {0.0, 0.5};  // the only water: layer 1, taking gas at point 1
  x.run(true);
  expect_near({x.wc[1], x.sg[1], x.gl[1]}, {0.0, 1.0, x.t.rate(0)[1] / 1000.0 * 50.0 / x.q[1]},
              1e-15);
}

TEST(CompositeGasColumns, ZeroRateOfTheReferenceLimitsTheSourcePoints) {
  // The gas routine reads only points 0..5 of each curve, the liquid one all.
  for (bool gas : {false, true}) {
    Well w(
        falling(3000), [](double p) { return p > 2300.0 ? 3000.0 - p : 0.0; }, falling(3000),
        line(3000, 1.0));
    w.run(gas);
    // The gas routine resamples nothing from point 6 on.
    EXPECT_EQ((std::array{w.q[5], w.q[6], w.q[24]}),
              (std::array{2.0 * 625.0, gas ? 0.0 : 750.0, gas ? 0.0 : 3000.0}));
  }
}

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

// Every call into the fake traverse library: its ordinal, its arguments
// (ordinal 6 also the status it saw) and the record as it was then.
struct Call {
  int ordinal;
  std::vector<double> args;
  std::vector<unsigned char> bytes;
  dlv::TraverseRecord record() { return {bytes.data()}; }
};
std::vector<Call> calls;
std::function<double(double start)> traverse_result;

void record_call(int ordinal, void* record, std::vector<double> args) {
  const auto* b = static_cast<unsigned char*>(record);
  calls.push_back({ordinal, std::move(args), std::vector<unsigned char>(b, b + 12888)});
}

// The depth set-up leaves `segments` segments (3 unless a test says) and, at
// offset 3328, the deeper depth less 5000.
std::int32_t segments = 3;
void setup(int ordinal, void* record, double depth) {
  record_call(ordinal, record, {depth});
  dlv::TraverseRecord{record}.set_i32(10952, segments);
  if (ordinal == 15) dlv::TraverseRecord{record}.set_f64(3328, depth - 5000.0);
}

const dlv::platform::TraverseEntryPoints kFake{
    [](void* record, double* result, void* a, void* b, void* c, std::int32_t options, char* text) {
      record_call(1, record, {double(options)});
      EXPECT_STREQ(text, "");
      // The blocks arrive zero-filled and have their full sizes (ASan checks).
      const std::size_t sizes[] = {70416, 45000, 11232};
      void* blocks[] = {a, b, c};
      for (int k = 0; k < 3; ++k) {
        auto* bytes = static_cast<unsigned char*>(blocks[k]);
        EXPECT_EQ(calls.size() == 3 ? bytes[sizes[k] - 1] : 0, 0) << k;
        std::memset(bytes, 0xAB, sizes[k]);
      }
      *result = traverse_result(calls.back().record().get_f64(104));
    },
    [](void* record, double top, double depth, double id, double sg, double rankine, double mu,
       std::int32_t phase, std::int32_t direction, double p, double* result, std::int32_t* status) {
      record_call(
          6, record,
          {top, depth, id, sg, rankine, mu, double(phase), double(direction), p, double(*status)});
      *status = 5;
      *result = 100.0 + calls.back().record().first_rate();
    },
    [](void* record, double depth) { setup(15, record, depth); },
    [](void* record, double depth) { setup(16, record, depth); }};

struct Coupling : ::testing::Test {
  std::array<double, 2008> well{};
  std::array<double, 1426> fluids{};
  std::array<double, 1611> block{};  // 12888 bytes
  std::array<double, 3750> traverse{}, layer{};
  dlv::WellRecord w{well.data()};
  dlv::LayerFluids f{fluids.data()};
  dlv::TraverseRecord tb{block.data()};
  dlv::CurveTables tc{traverse.data()}, lc{layer.data()};
  void SetUp() override {
    calls.clear();
    segments = 3;
    dlv::platform::substitute_traverse_library = &kFake;
    layers(2);
    tb.set_i32(10964, 7);
    tb.set_i32(12592, 77);
    for (int L = 0; L < 4; ++L) {
      for (int i = 0; i < 25; ++i) tc.rate(L)[i] = 100.0 * i, tc.pressure(L)[i] = 3000.0 - 100 * i;
    }
  }
  void TearDown() override { dlv::platform::substitute_traverse_library = nullptr; }
  void layers(std::int32_t n) { std::memcpy(reinterpret_cast<char*>(well.data()) + 16, &n, 4); }
  void refer() { dlv::refer_curves_to_reference_depth(w, f, tb, tc, lc); }
};

TEST_F(Coupling, DepthSetUpFlagsAndRecordFieldsPerLayer) {
  layers(4);
  w.reference_depth() = 4000.0;
  struct {
    double depth, direction_at_setup, direction, last_flag;
  } const cases[] = {
      {5000.0, 1, 1, 1},  // deeper, offset 3328 at 0: flag 1
      {4000.0, 7, 0, 1},  // exactly at the reference: the shallow branch, set afterwards
      {6000.0, 1, 1, 0},  // deeper, offset 3328 above 0: flag 0
      {3000.0, 7, 0, 1},  // shallower
  };
  for (int L = 0; L < 4; ++L) {
    w.layer_depth()[L] = cases[L].depth;
    f.water_cut()[L] = 0.25 * L, f.producing_gor()[L] = 650.0 + L, f.liquid_yield()[L] = 40.0 + L;
  }
  traverse_result = [](double start) { return start - 1000.0; };
  refer();
  ASSERT_EQ(calls.size(), 4u * 27u);
  for (int L = 0; L < 4; ++L) {
    Call* c = &calls[27 * L];
    EXPECT_EQ((std::vector<double>{double(c[0].ordinal), c[0].args[0], double(c[1].ordinal),
                                   c[1].args[0], double(c[0].record().get_i32(10964))}),
              (std::vector<double>{15, std::max(cases[L].depth, 4000.0), 16,
                                   std::min(cases[L].depth, 4000.0), cases[L].direction_at_setup}));
    const dlv::TraverseRecord r = c[2].record();  // point 0: a zero rate goes as 10.0
    EXPECT_EQ((std::vector<double>{double(c[2].ordinal), c[2].args[0], double(r.get_i32(10964)),
                                   double(r.segment_flag(2)), double(r.segment_flag(0)),
                                   r.first_rate(), r.get_f64(16), r.get_f64(72), r.get_f64(104)}),
              (std::vector<double>{1, 0, cases[L].direction, cases[L].last_flag, cases[L].last_flag,
                                   10, 25.0 * L, 650.0 + L, 3000}))
        << L;
    EXPECT_EQ(c[3].record().first_rate(), 100.0);
    for (int i = 0; i < 25; ++i) {
      EXPECT_EQ(lc.pressure(L)[i], tc.pressure(L)[i] - 1000.0);
      EXPECT_EQ(lc.drawdown(L)[i], 1000.0);
      EXPECT_EQ(tc.drawdown(L)[i], 1000.0);
    }
  }
  EXPECT_EQ(tb.get_i32(12592), 0);
  EXPECT_EQ(tb.get_i32(10964), 7);  // the template itself is not worked on
  calls.clear();  // record types 1 and 3 send the rate second and the liquid yield first
  tb.set_i32(10944, 3);
  refer();
  EXPECT_EQ(calls[30].record().get_f64(8), 100.0);
  EXPECT_EQ(calls[30].record().first_rate(), 41.0);
}

// The last segment's flag is written inside the record whatever segment
// count the depth set-up leaves: a count below 1 flags segment 0, one beyond
// the 480 flags of the record flags the record's last. The first segment
// takes the same flag.
TEST_F(Coupling, SegmentCountOutsideTheRecordIsHeldInsideIt) {
  w.reference_depth() = 4000.0;
  w.layer_depth()[0] = 3000.0;  // shallower: the last segment's flag is 1
  traverse_result = [](double start) { return start; };
  const std::int32_t flagged[][2] = {{3, 2},     {1, 0},     {0, 0},       {-4, 0},
                                     {480, 479}, {481, 479}, {100000, 479}};
  for (const auto& [count, index] : flagged) {
    calls.clear();
    segments = count;
    refer();
    const dlv::TraverseRecord r = calls[2].record();  // at the first traverse call
    EXPECT_EQ(r.segment_flag(index), 1) << count;
    EXPECT_EQ(r.segment_flag(0), 1) << count;
  }
}

TEST_F(Coupling, FailedPointsRepeatThePreviousRateAndRisesAreSmoothed) {
  w.reference_depth() = 100.0;
  tc.pressure(0)[6] = 0.0, tc.pressure(0)[7] = -50.0;  // no call: pressure 0, drawdown = start
  traverse_result = [](double start) {
    if (start == 3000.0 || start == 2500.0) return 14.7;
    if (start == 2700.0) return 99999.0;
    return start == 600.0 ? 5000.0 : start - 1000.0;
  };
  refer();
  EXPECT_EQ(calls.size(), 4u + 50u - 2u);
  for (int i : {3, 5}) {  // failed: previous rate, pressure 0
    EXPECT_EQ((std::vector<double>{lc.rate(0)[i], lc.drawdown(0)[i], tc.drawdown(0)[i]}),
              (std::vector<double>{tc.rate(0)[i - 1], 0.0, tc.pressure(0)[i]}));
  }
  // 14.7 accepted at point 0; 1900 at point 1 rises above it; a rise is smoothed to a
  // fall of 14.7 / 50, except at point 24.
  const auto p = lc.pressure(0);
  const double step = 14.7 / 50.0;
  EXPECT_EQ((std::vector<double>{p[0], lc.drawdown(0)[0], p[1], p[3], p[4], p[13], p[24],
                                 lc.drawdown(0)[7] + tc.drawdown(0)[7]}),
            (std::vector<double>{14.7, 3000.0 - 14.7, 14.7 - step, 0.0, -step, p[12] - step, 5000.0,
                                 -100.0}));
}

TEST_F(Coupling, InjectionTraverseByLayerDepth) {
  std::array<double, 3750> destination{};
  dlv::CurveTables dc{destination.data()};
  layers(3);
  for (int i = 0; i < 25; ++i) {
    tc.rate(2)[i] = 7.0, tc.pressure(2)[i] = 500.0 + i, dc.pressure(1)[i] = -3.0;
  }
  std::copy_n(std::array{2000.0, -1.0, 0.0}.begin(), 3, w.injection_traverse_depth().begin());
  for (int run = 0; run < 2; ++run) {
    calls.clear();
    dlv::apply_injection_traverse(tb, w, dc, tc);
    ASSERT_EQ(calls.size(), 25u);
    EXPECT_EQ(calls[0].args[9], 1.0);  // status 1 at the start of every run
    const std::vector<double> args{0.0, 2000.0, 2.441, 1.0, 460.0, 0.7, 1.0, -1.0, 2800.0, 5.0};
    EXPECT_EQ(calls[2].args, args);  // status not reset between calls
    EXPECT_EQ(calls[2].record().first_rate(), 200.0);
  }
  EXPECT_EQ(tb.get_f64(0), 2400.0);  // the rates go into the host's block itself
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(dc.pressure(0)[i], tc.pressure(0)[i] + 100.0 + 100.0 * i);
    EXPECT_EQ(
        (std::vector<double>{dc.pressure(1)[i], tc.rate(1)[i], tc.rate(2)[i], dc.pressure(2)[i]}),
        (std::vector<double>{-3.0, 100.0 * i, 0.0, 500.0 + i}))
        << i;
  }
}

}  // namespace
