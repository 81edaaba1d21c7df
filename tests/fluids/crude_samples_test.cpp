#include "fluids/crude_samples.hpp"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>

namespace {

TEST(CrudeSamples, EachSampleIsLinearInPressureAndTheTwoAreBlendedInTheKey) {
  // {set, p, key, Rs}: a row of the first sample; midway between two rows of the
  // second; a key beyond the pair, and pressures below and above the rows,
  // extrapolate along the end segments.
  const double cases[][4] = {{0, 3015, 6630, 429}, {0, 3015, 6340, 436}, {0, 3015, 6920, 422},
                             {0, 10, 6630, -1.55}, {0, 6015, 6630, 809}, {1, 5015, 5732, 945},
                             {2, 3004, 6130, 487}};
  for (const auto& c : cases) {
    double mu, bo, rs;
    dlv::interpolate_sample_set(dlv::crude_sample_table, mu, bo, rs, c[1], c[2],
                                dlv::crude_sample_sets[static_cast<int>(c[0])]);
    EXPECT_NEAR(rs, c[3], 1e-12) << c[0] << ' ' << c[1] << ' ' << c[2];
  }
}

TEST(CrudeSamples, TemperatureCorrectionsAndUnknownSets) {
  double mu = -7.0, bo = -7.0, rs = -7.0;
  for (std::int32_t set : {-1, 3, INT_MIN}) {
    dlv::crude_sample_properties(3015.0, 155.0, set, 6630.0, mu, bo, rs);
  }
  EXPECT_EQ((std::array{mu, bo, rs}), (std::array{-7.0, -7.0, -7.0}));
  dlv::crude_sample_properties(3015.0, 155.0, 0, 6630.0, mu, bo, rs);  // Rs factor exactly 1
  EXPECT_EQ(rs, 429.0);
  EXPECT_NEAR(bo, 1.2037760138295002, 1e-14);
  EXPECT_NEAR(mu, 2.4402782748930627, 1e-13);
  dlv::crude_sample_properties(3015.0, 205.0, 0, 6630.0, mu, bo, rs);
  EXPECT_NEAR(rs, 429.0 * 0.9, 1e-12);
}

TEST(FieldCrude, WorkedValuesAndFvfContinuousAtTheBreak) {
  double mu, bo, rs, bo_above;
  dlv::field_crude_properties(14.7, 150.0, mu, bo, rs);
  EXPECT_EQ((std::array{bo, rs}), (std::array{1.1095, 43.748}));
  dlv::field_crude_properties(114.7, 120.87, mu, bo, rs);  // T^0.5 as pow, not sqrt
#ifdef _WIN32  // the Windows runtime's pow differs in the last place
  EXPECT_NEAR(mu, 3.5467943407265281, 1e-12);
#else
  EXPECT_EQ(mu, 3.5467943407265281);
#endif
  dlv::field_crude_properties(4320.0 + 14.7 + 1e-6, 150.0, mu, bo_above, rs);
  dlv::field_crude_properties(4320.0 + 14.7, 150.0, mu, bo, rs);
  EXPECT_NEAR(bo_above, bo, 1e-8);
  dlv::field_crude_properties(8000.0, 150.0, mu, bo_above, rs);
  EXPECT_LT(bo_above, bo);
  EXPECT_GT(bo_above, 1.0);
}

}  // namespace
