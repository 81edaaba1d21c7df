#include "fluids/crude_samples.hpp"

#include <cmath>

#include "numerics/units.hpp"

namespace dlv {

const double crude_sample_table[kCrudeSampleRows][4] = {
    // sample 1, rows 0-14
    {5015.0, 1.296, 680.0, 2.35},
    {4015.0, 1.252, 551.0, 2.5},
    {3015.0, 1.215, 429.0, 2.92},
    {2815.0, 1.196, 400.0, 3.17},
    {2595.0, 1.186, 371.0, 3.52},
    {2315.0, 1.173, 333.0, 3.72},
    {2015.0, 1.159, 295.0, 4.02},
    {1715.0, 1.146, 255.0, 4.42},
    {1415.0, 1.132, 216.0, 4.93},
    {1115.0, 1.118, 175.0, 5.78},
    {815.0, 1.104, 134.0, 6.33},
    {515.0, 1.089, 92.0, 7.32},
    {215.0, 1.075, 48.0, 8.75},
    {115.0, 1.069, 31.0, 9.9},
    {15.0, 1.05, 0.0, 13.02},
    // sample 2, rows 15-29
    {5015.0, 1.307, 698.0, 2.06},
    {4015.0, 1.257, 566.0, 2.39},
    {3515.0, 1.232, 500.0, 2.6},
    {3215.0, 1.217, 462.0, 2.81},
    {2815.0, 1.12, 410.0, 2.89},
    {2515.0, 1.184, 367.0, 3.06},
    {2215.0, 1.169, 329.0, 3.27},
    {1915.0, 1.154, 290.0, 3.52},
    {1615.0, 1.138, 250.0, 3.86},
    {1315.0, 1.123, 210.0, 4.33},
    {1015.0, 1.108, 170.0, 4.97},
    {715.0, 1.093, 129.0, 5.77},
    {415.0, 1.077, 85.0, 6.88},
    {153.0, 1.055, 43.0, 8.51},
    {15.0, 1.033, 0.0, 11.74},
    // sample 3, rows 30-44
    {5015.0, 1.333, 825.0, 0.51},
    {4015.0, 1.276, 670.0, 0.93},
    {3015.0, 1.219, 513.0, 1.79},
    {2637.0, 1.198, 455.0, 2.09},
    {2364.0, 1.182, 414.0, 2.32},
    {2115.0, 1.169, 376.0, 2.56},
    {1865.0, 1.154, 337.0, 2.8},
    {1615.0, 1.14, 299.0, 3.1},
    {1365.0, 1.125, 259.0, 3.38},
    {1115.0, 1.112, 221.0, 3.7},
    {865.0, 1.097, 181.0, 4.1},
    {615.0, 1.083, 141.0, 4.58},
    {365.0, 1.067, 99.0, 5.3},
    {168.0, 1.049, 56.0, 6.8},
    {15.0, 1.01, 0.0, 9.14},
    // sample 4, rows 45-59
    {5015.0, 1.45, 945.0, 0.68},
    {4015.0, 1.378, 767.0, 0.91},
    {3015.0, 1.308, 594.0, 1.46},
    {2965.0, 1.305, 585.0, 1.48},
    {2615.0, 1.281, 523.0, 1.63},
    {2315.0, 1.259, 468.0, 1.79},
    {2015.0, 1.24, 416.0, 1.95},
    {1715.0, 1.218, 363.0, 2.13},
    {1415.0, 1.199, 310.0, 2.36},
    {1115.0, 1.178, 257.0, 2.66},
    {815.0, 1.158, 205.0, 2.99},
    {515.0, 1.134, 148.0, 3.62},
    {215.0, 1.107, 86.0, 4.54},
    {80.0, 1.088, 51.0, 5.45},
    {15.0, 1.057, 0.0, 6.76},
    // sample 5, rows 60-74
    {5015.0, 1.341, 782.0, 1.2},
    {4015.0, 1.289, 640.0, 1.25},
    {3015.0, 1.234, 487.0, 2.43},
    {2534.0, 1.207, 418.0, 2.99},
    {2265.0, 1.193, 379.0, 3.31},
    {2015.0, 1.18, 342.0, 3.62},
    {1765.0, 1.167, 306.0, 3.94},
    {1515.0, 1.153, 269.0, 4.29},
    {1265.0, 1.14, 233.0, 4.67},
    {1015.0, 1.126, 194.0, 5.09},
    {765.0, 1.113, 156.0, 5.63},
    {515.0, 1.099, 118.0, 6.37},
    {265.0, 1.084, 75.0, 7.54},
    {115.0, 1.067, 43.0, 9.92},
    {15.0, 1.036, 0.0, 11.5},
    // sample 6, rows 75-86
    {5015.0, 1.357, 782.0, 1.22},
    {4015.0, 1.302, 640.0, 1.77},
    {3004.0, 1.246, 487.0, 2.27},
    {2715.0, 1.23, 446.0, 2.34},
    {2415.0, 1.214, 401.0, 2.51},
    {2115.0, 1.198, 356.0, 2.69},
    {1215.0, 1.149, 211.0, 3.88},
    {915.0, 1.132, 182.0, 4.36},
    {615.0, 1.115, 132.0, 4.98},
    {315.0, 1.096, 108.0, 6.04},
    {123.0, 1.08, 46.0, 7.4},
    {15.0, 1.046, 0.0, 10.29},
};

const CrudeSampleSet crude_sample_sets[3] = {
    {0, 14, 15, 29, 6630.0, 6340.0},
    {30, 44, 45, 59, 5994.0, 5732.0},
    {60, 74, 75, 86, 6238.0, 6130.0},
};

namespace {

constexpr int kPressure = 0;
constexpr int kColumns = 4;

// The three property columns (Bo, Rs, viscosity) of one sample at pressure p,
// linear in pressure between two rows of the sample. Rows begin..end hold the
// sample by falling pressure. Below the last row the last segment is
// extended. At or above the first row the first segment is extended, anchored
// on the first row so that its pressure gives the row's values exactly; no
// row outside the sample is read.
void sample_at(const double (&table)[kCrudeSampleRows][4], int begin, int end, double p,
               double (&out)[kColumns]) {
  int r = end;
  for (int i = begin; i <= end; ++i) {
    if (p >= table[i][kPressure]) {
      r = i;
      break;
    }
  }
  if (r == begin) {
    const double* top = table[begin];
    const double* next = table[begin + 1];
    for (int c = 1; c < kColumns; ++c) {
      out[c] =
          top[c] + (top[c] - next[c]) * (p - top[kPressure]) / (top[kPressure] - next[kPressure]);
    }
    return;
  }
  const double* lo = table[r];
  const double* hi = table[r - 1];
  for (int c = 1; c < kColumns; ++c) {
    out[c] = lo[c] + (hi[c] - lo[c]) * (p - lo[kPressure]) / (hi[kPressure] - lo[kPressure]);
  }
}

}  // namespace

void interpolate_sample_set(const double (&table)[kCrudeSampleRows][4], double& viscosity,
                            double& oil_fvf, double& solution_gor, double pressure,
                            double sample_key, const CrudeSampleSet& set) {
  double y1[kColumns] = {};
  double y2[kColumns] = {};
  sample_at(table, set.first_begin, set.first_end, pressure, y1);
  sample_at(table, set.second_begin, set.second_end, pressure, y2);
  const double k1 = set.first_key;
  const double k2 = set.second_key;
  double blend[kColumns] = {};
  for (int c = 1; c < kColumns; ++c) {
    blend[c] = y2[c] + (y1[c] - y2[c]) * (sample_key - k2) / (k1 - k2);
  }
  oil_fvf = blend[1];
  solution_gor = blend[2];
  viscosity = blend[3];
}

void crude_sample_properties(const double& pressure, const double& temperature,
                             const std::int32_t& sample_set, const double& sample_key,
                             double& oil_viscosity, double& oil_fvf, double& solution_gor) {
  if (sample_set < 0 || sample_set > 2) return;
  const double p = pressure;
  const double t = temperature;
  double mu_s = 0.0;
  double b_s = 0.0;
  double rs_s = 0.0;
  interpolate_sample_set(crude_sample_table, mu_s, b_s, rs_s, p, sample_key,
                         crude_sample_sets[sample_set]);

  const double pg = p - kAtmosphere;
  const double a = (-2.862e-5 * pg - 0.035) * mu_s + (0.0001245 * pg - 1.316);
  const double b = (9.724e-5 * pg + 0.136) * mu_s + (-0.0004497 * pg + 3.325);
  oil_viscosity = std::pow(10.0, a * std::log10(t) + b);
  oil_fvf = ((-2.338e-7 * t + 3.341e-5) * pg + (0.00055 * t + 0.914)) * b_s;
  solution_gor = rs_s * (0.002 * (155.0 - t) + 1.0);
}

namespace {

constexpr double kFvfBreak = 4320.0;  // psi gauge

double field_fvf_below_break(double pg, double t) {
  return 1.1095 + 0.00013156 * pg - 3.4351e-7 * pg * t + 3.0429e-13 * (pg * pg * pg);
}

}  // namespace

void field_crude_properties(const double& pressure, const double& temperature,
                            double& oil_viscosity, double& oil_fvf, double& solution_gor) {
  const double t = temperature;
  const double pg = pressure - kAtmosphere;
  if (pg <= kFvfBreak) {
    oil_fvf = field_fvf_below_break(pg, t);
  } else {
    // Also taken by a NaN pressure, which gives a NaN Bo.
    const double bb = field_fvf_below_break(kFvfBreak, t);
    const double d = pg - kFvfBreak;
    const double a = -1.0 / (1.0 - 1.521e-5 * std::pow(d, 0.962) + 6.17e-9 * t * d);
    const double b = -1.464e-5 / std::pow(d, 0.038) + 6.17e-9 * t;
    oil_fvf = bb * (1.0 - a * b * d);
  }
  solution_gor = 43.748 + 0.341 * pg - 0.0008842 * pg * t + 5.134e-10 * (pg * pg * pg);
  // Below 0 psi gauge pg^0.013, and below 0 F T^0.5, give NaN. T^0.5 is a
  // pow, not a sqrt: the two differ in the last place for some temperatures.
  oil_viscosity = 58.96 - 0.207 * (101.055 - 0.007193 * 9000.0 - 0.785 * std::pow(t, 0.5)) -
                  0.006235 * t - 46.085 * std::pow(pg, 0.013);
}

}  // namespace dlv
