#include "composite/traverse_coupling.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "platform/traverse_library.hpp"

namespace {

// One call into the fake traverse library: its arguments (ordinal 6 also
// the status it saw) and the record fields as they were then.
struct Call {
  int ordinal;
  std::vector<double> args;
  double first_rate, second_rate, cut, gor, start;
  std::int32_t direction, flag0, flag2;
};

struct Fake {
  std::vector<Call> calls;
  std::function<double(double start)> result;  // of ordinal 1
} fake;

void record_call(int ordinal, void* record, std::vector<double> args) {
  const dlv::TraverseRecord r{record};
  fake.calls.push_back(Call{ordinal, std::move(args), r.get_f64(0), r.get_f64(8), r.get_f64(16),
                            r.get_f64(72), r.get_f64(104), r.get_i32(10964), r.segment_flag(0),
                            r.segment_flag(2)});
}

void setup(int ordinal, void* record, double depth) {
  record_call(ordinal, record, {depth});
  dlv::TraverseRecord{record}.set_i32(10952, 3);  // three segments
  dlv::TraverseRecord{record}.set_f64(3328, 1.0);
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
        EXPECT_TRUE(fake.calls.size() != 3 || bytes[sizes[k] - 1] == 0) << k;
        std::memset(bytes, 0xAB, sizes[k]);
      }
      *result = fake.result(fake.calls.back().start);
    },
    [](void* record, double top, double depth, double id, double sg, double rankine, double mu,
       std::int32_t phase, std::int32_t direction, double p, double* result, std::int32_t* status) {
      record_call(
          6, record,
          {top, depth, id, sg, rankine, mu, double(phase), double(direction), p, double(*status)});
      *status = 5;
      *result = 100.0 + fake.calls.back().first_rate;
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
  using V = std::vector<double>;
  auto head = [](const Call& c) { return V{double(c.ordinal), c.args[0], double(c.direction)}; };
  EXPECT_EQ(head(fake.calls[0]), (V{15, 5000, 1}));  // direction set before the set-up
  EXPECT_EQ(head(fake.calls[1]), (V{16, 4000, 1}));
  EXPECT_EQ(fake.calls[2].flag2, 0);                  // 3328 holds 1.0 > 0
  EXPECT_EQ(head(fake.calls[27]), (V{15, 4000, 7}));  // the template's value until set
  EXPECT_EQ(head(fake.calls[28]), (V{16, 4000, 7}));
  const Call& c = fake.calls[29];  // layer 1, point 0: options 0, a zero rate sent as 10.0
  EXPECT_EQ(head(c), (V{1, 0, 0}));
  EXPECT_EQ((V{double(c.flag0), double(c.flag2), c.first_rate, c.gor, c.cut, c.start}),
            (V{1, 1, 10, 650, 25, 3000}));
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
  for (int i : {3, 5}) {  // failed: previous rate, pressure 0
    EXPECT_EQ((std::vector<double>{lc.rate(0)[i], lc.drawdown(0)[i], tc.drawdown(0)[i]}),
              (std::vector<double>{tc.rate(0)[i - 1], 0.0, tc.pressure(0)[i]}));
  }
  const double step = 14.7 / 50.0;
  EXPECT_EQ(lc.pressure(0)[1], 14.7 - step);  // 1900 rises above point 0
  EXPECT_EQ(lc.pressure(0)[3], 0.0);
  EXPECT_EQ(lc.pressure(0)[4], 0.0 - step);
  EXPECT_EQ(lc.drawdown(0)[6] + tc.drawdown(0)[6], -100.0);
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
    EXPECT_EQ(fake.calls[0].args[9], 1.0);  // status 1 at the start of every run
    const std::vector<double> args{0.0, 2000.0, 2.441, 1.0, 460.0, 0.7, 1.0, -1.0, 2800.0, 5.0};
    EXPECT_EQ(fake.calls[2].args, args);  // status not reset between calls
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
