#include "fluids/crude_samples.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

struct Props {
  double mu = -7.0, bo = -7.0, rs = -7.0;
};

Props set_at(int set, double p, double key) {
  Props b;
  dlv::interpolate_sample_set(dlv::crude_sample_table, b.mu, b.bo, b.rs, p, key,
                              dlv::crude_sample_sets[set]);
  return b;
}

Props properties(std::int32_t set, double p, double t, double key = 6630.0) {
  Props b;
  dlv::crude_sample_properties(p, t, set, key, b.mu, b.bo, b.rs);
  return b;
}

Props field(double p, double t) {
  Props b;
  dlv::field_crude_properties(p, t, b.mu, b.bo, b.rs);
  return b;
}

TEST(CrudeSamples, KeysSelectSamplesAndPressureIsLinearWithEndSegmentsExtended) {
  const Props row3 = set_at(0, 3015.0, 6630.0);  // the first sample's third row
  EXPECT_NEAR(row3.bo, 1.215, 1e-15);
  EXPECT_EQ(row3.rs, 429.0);
  EXPECT_NEAR(row3.mu, 2.92, 1e-15);
  const Props second = set_at(0, 3015.0, 6340.0);  // midway between 3215 and 2815 psia
  EXPECT_NEAR(second.bo, 0.5 * (1.217 + 1.12), 1e-15);
  EXPECT_EQ(second.rs, 436.0);
  EXPECT_NEAR(set_at(0, 3015.0, 6920.0).rs, 422.0, 1e-12);  // keys beyond extrapolate
  EXPECT_NEAR(set_at(0, 10.0, 6630.0).rs, -1.55, 1e-12);    // along the last two rows
  EXPECT_EQ(set_at(1, 5015.0, 5732.0).rs, 945.0);
  EXPECT_NEAR(set_at(0, 6015.0, 6630.0).rs, 809.0, 1e-12);  // along the first two rows
  EXPECT_NEAR(set_at(2, 6015.0, 6130.0).mu, 1.22 + (1.22 - 1.77), 1e-12);
  EXPECT_EQ(dlv::crude_sample_table[86][3], 10.29);
}

TEST(CrudeSamples, TemperatureCorrectionsAndUnknownSets) {
  EXPECT_EQ(properties(0, 3015.0, 155.0).rs, 429.0);
  EXPECT_NEAR(properties(0, 3015.0, 205.0).rs, 429.0 * 0.9, 1e-12);
  EXPECT_LT(properties(0, 3015.0, 200.0).mu, properties(0, 3015.0, 100.0).mu);
  for (std::int32_t set : {-1, 3, INT_MIN, INT_MAX}) {
    const Props b = properties(set, 3015.0, 155.0);
    EXPECT_TRUE(b.mu == -7.0 && b.bo == -7.0 && b.rs == -7.0) << set;
  }
}

TEST(FieldCrude, FvfIsContinuousAtTheBreakAndShrinksAboveIt) {
  EXPECT_EQ(field(14.7, 150.0).bo, 1.1095);
  EXPECT_EQ(field(14.7, 150.0).rs, 43.748);
  const double at_break = field(4320.0 + 14.7, 150.0).bo;
  EXPECT_NEAR(field(4320.0 + 14.7 + 1e-6, 150.0).bo, at_break, 1e-8);
  EXPECT_LT(field(8000.0, 150.0).bo, at_break);
  EXPECT_GT(field(8000.0, 150.0).bo, 1.0);
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), -1e300, 0.0, 1e300}) {
    field(bad, bad);
    properties(1, bad, bad, bad);
  }
}

}  // namespace
