#include "composite/composite_curves.hpp"

#include "blocks/block_layout.hpp"
#include "numerics/clamp.hpp"
#include "numerics/curve_utils.hpp"

namespace dlv {

namespace {

constexpr int kPoints = layout::kPoints;
constexpr int kLayers = layout::kLayers;

enum class Variant { kLiquid, kGas };

// The pressure at which the straight line through grid points a and a + 1 of
// the total rate S crosses zero. A line without width (equal grid pressures)
// or without slope (equal totals) has no usable crossing; the grid pressure
// `at` of the point where the scan stopped is taken instead.
double zero_crossing(const double* grid, const double* total, int a, int at) {
  const int b = a + 1;
  if (grid[b] == grid[a] || total[b] == total[a]) return grid[at];
  const double slope = (total[b] - total[a]) / (grid[b] - grid[a]);
  return grid[b] - total[b] / slope;
}

// Builds the common grid and rewrites every layer onto it; writes
// summary_pressure and summary_rate. The layer rows of the curves then hold
// the resampled rates R_L that the fluid columns are formed from.
void build_composite(CurveTables curves, int n, Variant variant, double* summary_pressure,
                     double* summary_rate) {
  const bool gas = variant == Variant::kGas;
  const double* first = curves.pressure(0).data();
  const bool injection = gas ? (first[0] - first[1] < 0.0) : (first[1] > first[0]);

  double grid0[kPoints] = {};           // preliminary grid P
  double table[kLayers][kPoints] = {};  // every layer resampled onto P
  double grid[kPoints] = {};            // final grid G
  double resampled[kPoints] = {};       // one layer resampled onto G
  double total[kPoints] = {};           // S
  std::int32_t m = kPoints;             // source points of every resampling
  int r = 0;                            // reference layer
  double p_end = 0.0;

  if (!injection) {
    double highest = 0.0;
    for (int L = 0; L < n; ++L) {
      if (curves.pressure(L)[0] > highest) {
        highest = curves.pressure(L)[0];
        r = L;
      }
    }
    const double* pr = curves.pressure(r).data();
    const double* qr = curves.rate(r).data();
    for (int i = 0; i < kPoints; ++i) {
      // The gas curve ends at its first zero rate after the shut-in point.
      if (gas && i > 0 && qr[i] == 0.0) {
        m = i;
        break;
      }
      grid0[i] = pr[i];
      table[r][i] = qr[i];
    }
  } else {
    double lowest = 9999999.0;
    p_end = 999999.0;
    for (int L = 0; L < n; ++L) {
      if (curves.pressure(L)[0] < lowest) {
        lowest = curves.pressure(L)[0];
        r = L;
      }
      if (curves.pressure(L)[layout::kLastPoint] < p_end)
        p_end = curves.pressure(L)[layout::kLastPoint];
    }
    const double start = curves.pressure(r)[0];
    for (int i = 0; i < kPoints; ++i) {
      grid0[i] =
          start + static_cast<double>(i) * (p_end - start) / static_cast<double>(layout::kPoints);
    }
  }

  for (int L = 0; L < n; ++L) {
    if (!injection && L == r) continue;
    resample_curve(curves.pressure(L).data(), curves.rate(L).data(), grid0, table[L], m);
  }
  for (int i = 0; i < kPoints; ++i) {
    double s = 0.0;
    for (int L = 0; L < n; ++L) s += table[L][i];
    total[i] = s;
  }

  // Start pressure: where the total rate changes sign.
  const double pr0 = curves.pressure(r)[0];
  double p0 = 0.0;
  bool crossed = false;
  if (!injection) {
    p0 = pr0;
    for (int i = layout::kLastPoint; i >= 0; --i) {
      if (total[i] < 0.0) {
        crossed = true;
        // A negative total even at the lowest grid pressure: the layers that
        // take fluid outweigh the others everywhere on the grid, so the grid
        // collapses onto that lowest pressure.
        p0 =
            i == layout::kLastPoint ? grid0[layout::kLastPoint] : zero_crossing(grid0, total, i, i);
        break;
      }
    }
  } else {
    p0 = gas ? 0.0 : p_end;
    for (int i = 0; i < kPoints; ++i) {
      if (total[i] > 0.0) {
        crossed = true;
        // The first positive total at the last grid point: the sign changes
        // on the last segment, whose line (points 23 and 24) gives the zero.
        p0 = zero_crossing(grid0, total, i == layout::kLastPoint ? layout::kLastGridPoint : i, i);
        break;
      }
    }
  }

  if (!injection) {
    grid[0] = p0;
    for (int k = 1; k < layout::kLastPoint; ++k) grid[k] = grid[k - 1] - p0 / layout::kIntervals;
    grid[layout::kLastPoint] = 0.0;
  } else {
    const double step =
        crossed ? (p_end - p0) / layout::kIntervals : (p_end - pr0) / layout::kIntervals;
    grid[0] = p0;
    const int last = gas ? layout::kLastPoint : layout::kLastGridPoint;
    for (int k = 1; k <= last; ++k) grid[k] = grid[k - 1] + step;
    if (!gas) grid[layout::kLastPoint] = p_end;
  }

  for (int k = 0; k < kPoints; ++k) {
    summary_pressure[k] = grid[k];
    summary_rate[k] = 0.0;
  }
  // `resampled` is one array for all layers: where a short gas curve gives a
  // target no value, the previous layer's value stands.
  for (int L = 0; L < n; ++L) {
    double* p = curves.pressure(L).data();
    double* q = curves.rate(L).data();
    resample_curve(p, q, grid, resampled, m);
    for (int k = 0; k < kPoints; ++k) {
      p[k] = grid[k];
      q[k] = resampled[k];
      summary_rate[k] += resampled[k];
    }
  }
}

}  // namespace

void composite_liquid_curve(CurveTables curves, LayerFluids fluids, const double* water_cut,
                            const double* producing_gor, const std::int32_t& layer_count,
                            double* summary_pressure, double* summary_rate,
                            double* summary_water_cut, double* summary_gas_liquid,
                            double* summary_water_sg) {
  const int n = held_layer_count(layer_count);
  build_composite(curves, n, Variant::kLiquid, summary_pressure, summary_rate);

  double water[kPoints] = {}, oil[kPoints] = {}, gas[kPoints] = {}, water_mass[kPoints] = {};
  const double* water_sg = fluids.water_sg().data();
  for (int L = 0; L < n; ++L) {
    const double* q = curves.rate(L).data();
    for (int k = 0; k < kPoints; ++k) {
      const double w = q[k] * water_cut[L];
      const double o = q[k] - w;
      water[k] += w;
      oil[k] += o;
      gas[k] += o * producing_gor[L];
      water_mass[k] += w * water_sg[L];
    }
  }

  for (int k = 1; k < kPoints; ++k) {
    const double liquid = water[k] + oil[k];
    if (liquid > 0.0 && oil[k] > 0.0) {
      summary_gas_liquid[k] = gas[k] / oil[k];
      summary_water_cut[k] = water[k] / liquid;
      summary_water_sg[k] = water[k] > 0.0 ? water_mass[k] / water[k] : water_sg[0];
      clamp_to_range(0.0, summary_water_cut[k], 1.0);
      clamp_to_range(0.0, summary_gas_liquid[k], 1000000.0);
    } else {
      summary_gas_liquid[k] = 0.0;
      summary_water_cut[k] = 1.0;
      summary_water_sg[k] = 1.0;
    }
  }

  // Point 0 lies on the line through points 1 and 2 of each column, placed by
  // the rates. Equal rates at points 0 and 2 do not place it; point 0 then
  // takes the values of point 1.
  if (summary_rate[0] < 0.0) summary_rate[0] = 0.0;
  const double* q = summary_rate;
  const double f = q[2] == q[0] ? 0.0 : (q[1] - q[0]) / (q[2] - q[0]);
  for (double* x : {summary_water_cut, summary_gas_liquid, summary_water_sg}) {
    x[0] = x[1] + (x[2] - x[1]) * f;
  }
  clamp_to_range(0.0, summary_gas_liquid[0], 1000000.0);
  clamp_to_range(0.0, summary_water_cut[0], 1.0);
  clamp_to_range(0.565, summary_water_sg[0], 1.2);

  // Five-point moving average on points 0..19; in rising order every value
  // read is still unreplaced.
  for (int k = 0; k < 20; ++k) {
    const double* w = summary_water_cut + k;
    summary_water_cut[k] = (w[0] + w[1] + w[2] + w[3] + w[4]) / 5.0;
  }
}

void composite_gas_curve(CurveTables curves, LayerFluids fluids, const double* water_cut,
                         const double* liquid_yield, const std::int32_t& layer_count,
                         double* summary_pressure, double* summary_rate, double* summary_water_cut,
                         double* summary_gas_liquid, double* summary_water_sg) {
  const int n = held_layer_count(layer_count);
  for (int k = 0; k < kPoints; ++k) {
    summary_pressure[k] = 0.0;
    summary_water_cut[k] = 0.0;
  }
  build_composite(curves, n, Variant::kGas, summary_pressure, summary_rate);

  double water[kPoints] = {}, condensate[kPoints] = {}, water_mass[kPoints] = {};
  const double* water_sg = fluids.water_sg().data();
  for (int L = 0; L < n; ++L) {
    const double* q = curves.rate(L).data();
    for (int k = 0; k < kPoints; ++k) {
      if (!(q[k] > 0.0)) continue;
      const double liquid = q[k] / 1000.0 * liquid_yield[L];
      const double w = liquid * water_cut[L];
      water[k] += w;
      condensate[k] += liquid - w;
      water_mass[k] += w * water_sg[L];
    }
  }

  summary_gas_liquid[0] = 0.0;
  summary_water_cut[0] = 0.0;
  if (summary_rate[0] < 0.0) summary_rate[0] = 0.0;
  for (int k = 1; k < kPoints; ++k) {
    const double liquid = water[k] + condensate[k];
    if (liquid <= 0.0) {
      summary_gas_liquid[k] = 0.0;
      summary_water_cut[k] = 0.0;
    } else {
      summary_gas_liquid[k] = liquid / summary_rate[k];
      summary_water_cut[k] = water[k] / liquid;
    }
    summary_water_sg[k] = water[k] <= 0.0 ? 1.0 : water_mass[k] / water[k];
  }
}

}  // namespace dlv
