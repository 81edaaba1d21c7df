#include "composite/traverse_coupling.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/traverse_library.hpp"

namespace {

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
