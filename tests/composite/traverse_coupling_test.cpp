#include "composite/traverse_coupling.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/traverse_library.hpp"

namespace {

// One call into the fake traverse library, with the record as it was then.
struct Call {
  int ordinal = 0;
  double depth = 0.0, first_rate = 0.0, second_rate = 0.0, cut = 0.0, gor = 0.0, start = 0.0;
  std::int32_t direction = 0, flag0 = 0, flag2 = 0, status = 0;
  std::vector<double> args;
};

struct Fake {
  std::vector<Call> calls;
  double setup_value = 1.0;                    // the double at offset 3328
  std::function<double(double start)> result;  // ordinal 1
  std::int32_t* status_seen = nullptr;
} fake;

Call snapshot(int ordinal, void* record) {
  const dlv::TraverseRecord r{record};
  Call c;
  c.ordinal = ordinal;
  c.first_rate = r.get_f64(0);
  c.second_rate = r.get_f64(8);
  c.cut = r.get_f64(16);
  c.gor = r.get_f64(72);
  c.start = r.get_f64(104);
  c.direction = r.get_i32(10964);
  c.flag0 = r.segment_flag(0);
  c.flag2 = r.segment_flag(2);
  return c;
}

void setup(int ordinal, void* record, double depth) {
  Call c = snapshot(ordinal, record);
  c.depth = depth;
  fake.calls.push_back(c);
  dlv::TraverseRecord{record}.set_i32(10952, 3);
  dlv::TraverseRecord{record}.set_f64(3328, fake.setup_value);
}

const dlv::platform::TraverseEntryPoints kFake{
    [](void* record, double* result, void* a, void* b, void* c, std::int32_t options, char* text) {
      fake.calls.push_back(snapshot(1, record));
      // The blocks have their full sizes and arrive zero-filled.
      EXPECT_EQ(options, 0);
      EXPECT_STREQ(text, "");
      const std::size_t sizes[] = {70416, 45000, 11232};
      void* blocks[] = {a, b, c};
      for (int k = 0; k < 3; ++k) {
        auto* bytes = static_cast<unsigned char*>(blocks[k]);
        if (fake.calls.size() <= 3) {
          EXPECT_EQ(bytes[sizes[k] - 1], 0);
        }
        std::memset(bytes, 0xAB, sizes[k]);
      }
      *result = fake.result(fake.calls.back().start);
    },
    [](void* record, double top, double depth, double id, double sg, double rankine, double mu,
       std::int32_t phase, std::int32_t direction, double p, double* result, std::int32_t* status) {
      Call c = snapshot(6, record);
      c.status = *status;
      c.args = {top, depth, id, sg, rankine, mu, double(phase), double(direction), p};
      fake.calls.push_back(c);
      *status = 5;
      *result = 100.0 + c.first_rate;
    },
    [](void* record, double depth) { setup(15, record, depth); },
    [](void* record, double depth) { setup(16, record, depth); }};

struct Coupling : ::testing::Test {
  std::array<double, 2008> well{};
  std::array<double, 1426> fluids{};
  std::array<double, 1611> block{};  // 12888 bytes
  std::array<double, 3750> traverse{}, layer{};
  dlv::TraverseRecord tb{block.data()};
  dlv::CurveTables tc{traverse.data()}, lc{layer.data()};
  void SetUp() override {
    fake = Fake{};
    dlv::platform::substitute_traverse_library = &kFake;
    const std::int32_t layers = 2;
    std::memcpy(reinterpret_cast<char*>(well.data()) + 16, &layers, 4);
    tb.set_i32(10964, 7);
    tb.set_i32(12592, 77);
    for (int L = 0; L < 2; ++L) {
      for (int i = 0; i < 25; ++i) {
        tc.rate(L)[i] = 100.0 * i;
        tc.pressure(L)[i] = 3000.0 - 100.0 * i;
      }
    }
  }
  void TearDown() override { dlv::platform::substitute_traverse_library = nullptr; }
  void refer() {
    dlv::refer_curves_to_reference_depth(dlv::WellRecord{well.data()},
                                         dlv::LayerFluids{fluids.data()}, tb, tc, lc);
  }
};

TEST_F(Coupling, OrdinalsDepthsAndRecordFieldsPerLayer) {
  dlv::WellRecord w{well.data()};
  w.reference_depth() = 4000.0;
  w.layer_depth()[0] = 5000.0;  // deeper than the reference
  w.layer_depth()[1] = 4000.0;  // exactly at it: first branch
  dlv::LayerFluids f{fluids.data()};
  f.water_cut()[1] = 0.25;
  f.producing_gor()[1] = 650.0;
  f.liquid_yield()[1] = 40.0;
  fake.result = [](double start) { return start - 1000.0; };
  refer();
  ASSERT_EQ(fake.calls.size(), 54u);
  EXPECT_EQ(fake.calls[0].ordinal, 15);
  EXPECT_EQ(fake.calls[0].depth, 5000.0);
  EXPECT_EQ(fake.calls[0].direction, 1);  // set before the set-up
  EXPECT_EQ(fake.calls[1].ordinal, 16);
  EXPECT_EQ(fake.calls[1].depth, 4000.0);
  EXPECT_EQ(fake.calls[2].flag2, 0);  // 3328 holds 1.0 > 0
  EXPECT_EQ(fake.calls[27].ordinal, 15);
  EXPECT_EQ(fake.calls[27].depth, 4000.0);
  EXPECT_EQ(fake.calls[27].direction, 7);  // template value until after the set-up
  EXPECT_EQ(fake.calls[28].depth, 4000.0);
  const Call& c = fake.calls[29];  // layer 1, point 0
  EXPECT_EQ(c.ordinal, 1);
  EXPECT_EQ(c.direction, 0);
  EXPECT_EQ(c.flag2, 1);
  EXPECT_EQ(c.flag0, 1);
  EXPECT_EQ(c.first_rate, 10.0);  // a zero rate is sent as 10.0
  EXPECT_EQ(c.gor, 650.0);
  EXPECT_EQ(c.cut, 25.0);
  EXPECT_EQ(c.start, 3000.0);
  EXPECT_EQ(fake.calls[30].first_rate, 100.0);
  EXPECT_EQ(tb.get_i32(12592), 0);
  EXPECT_EQ(tb.get_i32(10964), 7);  // the template itself is not worked on
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(lc.pressure(1)[i], tc.pressure(1)[i] - 1000.0);
    EXPECT_EQ(lc.drawdown(1)[i], 1000.0);
    EXPECT_EQ(tc.drawdown(1)[i], 1000.0);
  }
  // Record types 1 and 3 send the rate second and the liquid yield first.
  fake.calls.clear();
  tb.set_i32(10944, 3);
  refer();
  EXPECT_EQ(fake.calls[30].second_rate, 100.0);
  EXPECT_EQ(fake.calls[30].first_rate, 40.0);
}

TEST_F(Coupling, FailedPointsRepeatThePreviousRateAndRisesAreSmoothed) {
  dlv::WellRecord w{well.data()};
  w.reference_depth() = 100.0;
  tc.pressure(0)[6] = -50.0;  // no call: pressure 0, drawdown = start
  fake.result = [](double start) {
    if (start == 3000.0) return 14.7;
    if (start == 2700.0) return 99999.0;
    if (start == 2500.0) return 14.7;
    if (start == 600.0) return 5000.0;
    return start - 1000.0;
  };
  refer();
  EXPECT_EQ(fake.calls.size(), 4u + 50u - 1u);
  EXPECT_EQ(lc.pressure(0)[0], 14.7);  // accepted at point 0
  EXPECT_EQ(lc.drawdown(0)[0], 3000.0 - 14.7);
  for (int i : {3, 5}) {
    EXPECT_EQ(lc.rate(0)[i], tc.rate(0)[i - 1]);
    EXPECT_EQ(lc.drawdown(0)[i], 0.0);
    EXPECT_EQ(tc.drawdown(0)[i], tc.pressure(0)[i]);
  }
  const double step = 14.7 / 50.0;
  EXPECT_EQ(lc.pressure(0)[1], 14.7 - step);  // 1900 rises above point 0
  EXPECT_EQ(lc.pressure(0)[3], 0.0);
  EXPECT_EQ(lc.pressure(0)[4], 0.0 - step);
  EXPECT_EQ(lc.drawdown(0)[6], -50.0);
  EXPECT_EQ(tc.drawdown(0)[6], -50.0);
  EXPECT_EQ(lc.pressure(0)[13], lc.pressure(0)[12] - step);
  EXPECT_EQ(lc.pressure(0)[24], 5000.0);  // point 24 is not smoothed
}

TEST_F(Coupling, InjectionTraverseByLayerDepth) {
  dlv::WellRecord w{well.data()};
  std::array<double, 3750> destination{};
  dlv::CurveTables dc{destination.data()};
  const std::int32_t layers = 3;
  std::memcpy(reinterpret_cast<char*>(well.data()) + 16, &layers, 4);
  for (int i = 0; i < 25; ++i) {
    tc.rate(2)[i] = 7.0;
    tc.pressure(2)[i] = 500.0 + i;
    dc.pressure(1)[i] = -3.0;
  }
  w.injection_traverse_depth()[0] = 2000.0;
  w.injection_traverse_depth()[1] = -1.0;
  w.injection_traverse_depth()[2] = 0.0;
  for (int run = 0; run < 2; ++run) {
    fake.calls.clear();
    dlv::apply_injection_traverse(tb, w, dc, tc);
    ASSERT_EQ(fake.calls.size(), 25u);
    EXPECT_EQ(fake.calls[0].status, 1);  // 1 at the start of every run
    EXPECT_EQ(fake.calls[1].status, 5);  // and not reset between calls
    const std::vector<double> args{0.0, 2000.0, 2.441, 1.0, 460.0, 0.7, 1.0, -1.0, 2800.0};
    EXPECT_EQ(fake.calls[2].args, args);
    EXPECT_EQ(fake.calls[2].first_rate, 200.0);
  }
  EXPECT_EQ(tb.get_f64(0), 2400.0);  // the rates go into the host's block itself
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(dc.pressure(0)[i], tc.pressure(0)[i] + 100.0 + 100.0 * i);
    EXPECT_EQ(dc.pressure(1)[i], -3.0);
    EXPECT_EQ(tc.rate(1)[i], 100.0 * i);
    EXPECT_EQ(tc.rate(2)[i], 0.0);
    EXPECT_EQ(dc.pressure(2)[i], 500.0 + i);
  }
}

}  // namespace
