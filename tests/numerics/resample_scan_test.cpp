#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "numerics/curve_utils.hpp"

namespace {

using Column = std::array<double, 25>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The resampling with every scan started from the first source point: the
// results that the shortened scans must reproduce bit for bit.
void full_scan(const double* x, const double* y, const double* xt, double* yt, std::int32_t n) {
  const std::int32_t m = n < 25 ? n : 25;
  if (m < 2) return;
  const std::int32_t last = m - 1;
  const double s = x[0] > x[last] ? -1.0 : 1.0;
  for (int j = 0; j < 25; ++j) {
    const double t = xt[j];
    bool done = false;
    for (std::int32_t i = 0; i < m && !done; ++i) {
      const double d = s * (x[i] - t);
      if (d < 0.0) continue;
      done = true;
      if (d == 0.0) {
        yt[j] = y[i];
      } else if (s > 0.0 && t > x[last]) {
        yt[j] = y[last] + (t - x[last]) * (y[last] - y[last - 1]) / (x[last] - x[last - 1]);
      } else if (s > 0.0 && t < x[0]) {
        yt[j] = y[0] + (t - x[0]) * (y[1] - y[0]) / (x[1] - x[0]);
      } else {
        const std::int32_t k = i < 1 ? 1 : i;
        yt[j] = y[k] + (t - x[k]) * (y[k] - y[k - 1]) / (x[k] - x[k - 1]);
      }
    }
    if (!done && m == 25) yt[j] = y[24] + (t - x[24]) * (y[24] - y[23]) / (x[24] - x[23]);
  }
}

Column line(double start, double step) {
  Column c{};
  for (int k = 0; k < 25; ++k) c[k] = start + step * k;
  return c;
}

struct Case {
  const char* name;
  Column x, xt;
  std::int32_t n;
  std::vector<std::pair<int, double>> x_edits, xt_edits;
};

TEST(ResampleCurve, ShortenedScansGiveTheFullScansResultsBitForBit) {
  const Column falling = line(3000.0, -120.0), rising = line(0.0, 120.0);
  const Column grid_falling = line(3100.0, -131.0), grid_rising = line(-50.0, 131.0);
  Column zigzag = falling, mixed = grid_falling;
  for (int k = 1; k < 25; k += 3) zigzag[k] = falling[k] + 300.0, mixed[k] = 4000.0 - mixed[k];
  const Case cases[] = {
      {"falling source, falling targets", falling, grid_falling, 25, {}, {}},
      {"falling source, rising targets", falling, grid_rising, 25, {}, {}},
      {"rising source, rising targets", rising, grid_rising, 25, {}, {}},
      {"rising source, falling targets", rising, grid_falling, 25, {}, {}},
      {"targets back and forth", falling, mixed, 25, {}, {}},
      {"unordered source", zigzag, grid_falling, 25, {}, {}},
      {"targets on the source points", falling, falling, 25, {}, {}},
      {"repeated source points", falling, grid_falling, 25, {{5, 2400.0}, {6, 2400.0}}, {}},
      {"short curve, targets past its end", falling, grid_falling, 9, {}, {}},
      {"short rising curve", rising, grid_rising, 12, {}, {}},
      {"one point: nothing written", falling, grid_falling, 1, {}, {}},
      {"not-a-number and infinite targets",
       falling,
       grid_falling,
       25,
       {},
       {{3, kNaN}, {4, 2000.0}, {9, kInf}, {10, -kInf}, {11, 1500.0}}},
      {"not-a-number and infinite source points",
       falling,
       grid_falling,
       25,
       {{7, kNaN}, {15, -kInf}},
       {}},
      {"infinite end point", rising, grid_rising, 25, {{24, kInf}}, {{20, kInf}}},
      {"signed zeros", line(2400.0, -100.0), line(0.0, 0.0), 25, {}, {{2, -0.0}, {5, -0.0}}},
  };
  for (const Case& c : cases) {
    Column x = c.x, xt = c.xt, y{};
    for (const auto& [k, v] : c.x_edits) x[k] = v;
    for (const auto& [k, v] : c.xt_edits) xt[k] = v;
    for (int k = 0; k < 25; ++k) y[k] = 5.0 * k * k + 0.25 * k;
    Column want, got;
    want.fill(-7.0), got.fill(-7.0);
    full_scan(x.data(), y.data(), xt.data(), want.data(), c.n);
    dlv::resample_curve(x.data(), y.data(), xt.data(), got.data(), c.n);
    for (int j = 0; j < 25; ++j) {
      EXPECT_EQ(std::memcmp(&want[j], &got[j], sizeof(double)), 0)
          << c.name << ", target " << j << ": " << want[j] << " vs " << got[j];
    }
  }
}

}  // namespace
