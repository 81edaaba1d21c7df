#include "fluids/crude_samples.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Blend {
  double mu = -7.0, bo = -7.0, rs = -7.0;
};

Blend set_at(int set, double p, double key) {
  Blend b;
  dlv::interpolate_sample_set(dlv::crude_sample_table, b.mu, b.bo, b.rs, p, key,
                              dlv::crude_sample_sets[set]);
  return b;
}

Blend properties(std::int32_t set, double p, double t, double key) {
  Blend b;
  dlv::crude_sample_properties(p, t, set, key, b.mu, b.bo, b.rs);
  return b;
}

TEST(CrudeSampleTable, SixSamplesEachFallFrom5015To15Psia) {
  for (const dlv::CrudeSampleSet& s : dlv::crude_sample_sets) {
    for (auto [begin, end] :
         {std::pair{s.first_begin, s.first_end}, std::pair{s.second_begin, s.second_end}}) {
      EXPECT_EQ(dlv::crude_sample_table[begin][0], 5015.0);
      EXPECT_EQ(dlv::crude_sample_table[end][0], 15.0);
      EXPECT_EQ(dlv::crude_sample_table[end][2], 0.0);
      for (int r = begin + 1; r <= end; ++r) {
        EXPECT_LT(dlv::crude_sample_table[r][0], dlv::crude_sample_table[r - 1][0]) << r;
      }
    }
  }
  EXPECT_EQ(dlv::crude_sample_sets[2].second_end, dlv::kCrudeSampleRows - 1);
  // Spot rows as tabulated, including the 1.12 of the second sample at 2815 psia.
  EXPECT_EQ(dlv::crude_sample_table[19][1], 1.12);
  EXPECT_EQ(dlv::crude_sample_table[81][0], 1215.0);
  EXPECT_EQ(dlv::crude_sample_table[86][3], 10.29);
}

TEST(InterpolateSampleSet, KeysSelectTheSamplesAndPressureIsLinear) {
  const Blend row3 = set_at(0, 3015.0, 6630.0);  // the first sample's third row
  EXPECT_NEAR(row3.bo, 1.215, 1e-15);
  EXPECT_EQ(row3.rs, 429.0);
  EXPECT_NEAR(row3.mu, 2.92, 1e-15);
  const Blend second = set_at(0, 3015.0, 6340.0);  // midway between 3215 and 2815
  EXPECT_NEAR(second.bo, 0.5 * (1.217 + 1.12), 1e-15);
  EXPECT_EQ(second.rs, 436.0);
  const Blend mid = set_at(0, 3015.0, 6485.0);
  EXPECT_NEAR(mid.rs, 432.5, 1e-12);
  EXPECT_NEAR(set_at(0, 3015.0, 6920.0).rs, 422.0, 1e-12);  // keys beyond extrapolate
}

TEST(InterpolateSampleSet, EndSegmentsExtendBeyondTheSamplePressures) {
  const Blend low = set_at(0, 10.0, 6630.0);
  EXPECT_NEAR(low.rs, -1.55, 1e-12);
  EXPECT_NEAR(low.bo, 1.05 - 0.019 * 0.05, 1e-15);
  EXPECT_EQ(set_at(1, 5015.0, 5732.0).rs, 945.0);
  EXPECT_NEAR(set_at(0, 6015.0, 6630.0).rs, 809.0, 1e-12);
  EXPECT_NEAR(set_at(2, 6015.0, 6130.0).mu, 1.22 + (1.22 - 1.77), 1e-12);
}

TEST(CrudeSampleProperties, TemperatureCorrectionsAndUnknownSets) {
  const Blend at155 = properties(0, 3015.0, 155.0, 6630.0);
  EXPECT_EQ(at155.rs, 429.0);
  EXPECT_NEAR(properties(0, 3015.0, 205.0, 6630.0).rs, 429.0 * 0.9, 1e-12);
  EXPECT_LT(properties(0, 3015.0, 200.0, 6630.0).mu, properties(0, 3015.0, 100.0, 6630.0).mu);
  EXPECT_GT(at155.bo, 1.0);
  for (std::int32_t set : {-1, 3, INT_MIN, INT_MAX}) {
    const Blend b = properties(set, 3015.0, 155.0, 6630.0);
    EXPECT_EQ(b.mu, -7.0);
    EXPECT_EQ(b.bo, -7.0);
    EXPECT_EQ(b.rs, -7.0);
  }
  for (double bad : {kNaN, -1e300, 0.0, 1e300}) properties(1, bad, bad, bad);
}

TEST(FieldCrudeProperties, FvfIsContinuousAtTheBreakAndRsHasItsIntercept) {
  auto field = [](double p, double t) {
    Blend b;
    dlv::field_crude_properties(p, t, b.mu, b.bo, b.rs);
    return b;
  };
  const Blend atm = field(14.7, 150.0);
  EXPECT_EQ(atm.bo, 1.1095);
  EXPECT_EQ(atm.rs, 43.748);
  const double at_break = field(4320.0 + 14.7, 150.0).bo;
  EXPECT_NEAR(field(4320.0 + 14.7 + 1e-6, 150.0).bo, at_break, 1e-8);
  EXPECT_GT(field(8000.0, 150.0).bo, 0.0);
  EXPECT_LT(field(8000.0, 150.0).bo, at_break);  // the oil shrinks above the break
  for (double bad : {kNaN, -1e300, 0.0, 1e300}) field(bad, bad);
}

}  // namespace
