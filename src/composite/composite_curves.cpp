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

// The working tables of one composite curve.
struct CompositeWork {
  double grid0[kPoints] = {};           // preliminary grid P
  double table[kLayers][kPoints] = {};  // every layer resampled onto P
  double total[kPoints] = {};           // S
  std::int32_t m = kPoints;             // source points of every resampling
  int r = 0;                            // reference layer
  double p_end = 0.0;                   // lowest end pressure of an injection
};

// Production: the layer of highest shut-in pressure is the reference, and
// its own curve is the preliminary grid (a gas curve ends at its first zero
// rate after the shut-in point).
void production_grid(CurveTables curves, int n, bool gas, CompositeWork& w) {
  double highest = 0.0;
  for (int L = 0; L < n; ++L) {
    if (curves.pressure(L)[0] > highest) {
      highest = curves.pressure(L)[0];
      w.r = L;
    }
  }
  const double* pr = curves.pressure(w.r).data();
  const double* qr = curves.rate(w.r).data();
  for (int i = 0; i < kPoints; ++i) {
    if (gas && i > 0 && qr[i] == 0.0) {
      w.m = i;
      break;
    }
    w.grid0[i] = pr[i];
    w.table[w.r][i] = qr[i];
  }
}

// Injection: the layer of lowest start pressure is the reference; the
// preliminary grid runs evenly from its start towards the lowest end
// pressure of all layers.
void injection_grid(CurveTables curves, int n, CompositeWork& w) {
  double lowest = 9999999.0;
  w.p_end = 999999.0;
  for (int L = 0; L < n; ++L) {
    if (curves.pressure(L)[0] < lowest) {
      lowest = curves.pressure(L)[0];
      w.r = L;
    }
    if (curves.pressure(L)[layout::kLastPoint] < w.p_end)
      w.p_end = curves.pressure(L)[layout::kLastPoint];
  }
  const double start = curves.pressure(w.r)[0];
  for (int i = 0; i < kPoints; ++i) {
    w.grid0[i] =
        start + static_cast<double>(i) * (w.p_end - start) / static_cast<double>(layout::kPoints);
  }
}

// Every layer but a producing reference resampled onto P, and their sum S.
void sum_on_preliminary_grid(CurveTables curves, int n, bool injection, CompositeWork& w) {
  for (int L = 0; L < n; ++L) {
    if (!injection && L == w.r) continue;
    resample_curve(curves.pressure(L).data(), curves.rate(L).data(), w.grid0, w.table[L], w.m);
  }
  for (int i = 0; i < kPoints; ++i) {
    double s = 0.0;
    for (int L = 0; L < n; ++L) s += w.table[L][i];
    w.total[i] = s;
  }
}

// Where the total rate changes sign, and whether it does.
struct StartPressure {
  double pressure;
  bool crossed;
};

// Production scans from the lowest grid pressure upwards for a negative
// total; without one the grid starts at the reference's shut-in pressure.
StartPressure production_start(const CompositeWork& w, double pr0) {
  for (int i = layout::kLastPoint; i >= 0; --i) {
    if (w.total[i] < 0.0) {
      // A negative total even at the lowest grid pressure: the layers that
      // take fluid outweigh the others everywhere on the grid, so the grid
      // collapses onto that lowest pressure.
      return {i == layout::kLastPoint ? w.grid0[layout::kLastPoint]
                                      : zero_crossing(w.grid0, w.total, i, i),
              true};
    }
  }
  return {pr0, false};
}

// Injection scans from the start for a positive total; without one a
// liquid starts at the lowest end pressure and a gas at 0.
StartPressure injection_start(const CompositeWork& w, bool gas) {
  for (int i = 0; i < kPoints; ++i) {
    if (w.total[i] > 0.0) {
      // The first positive total at the last grid point: the sign changes
      // on the last segment, whose line (points 23 and 24) gives the zero.
      return {
          zero_crossing(w.grid0, w.total, i == layout::kLastPoint ? layout::kLastGridPoint : i, i),
          true};
    }
  }
  return {gas ? 0.0 : w.p_end, false};
}

// The final grid G of a production: even steps from p0 down to 0.
void production_final_grid(double p0, double* grid) {
  grid[0] = p0;
  for (int k = 1; k < layout::kLastPoint; ++k) grid[k] = grid[k - 1] - p0 / layout::kIntervals;
  grid[layout::kLastPoint] = 0.0;
}

// The final grid G of an injection: even steps up from the start pressure
// (from the reference's start pressure pr0 when the total never turned).
void injection_final_grid(StartPressure start, double pr0, double p_end, bool gas, double* grid) {
  const double step = start.crossed ? (p_end - start.pressure) / layout::kIntervals
                                    : (p_end - pr0) / layout::kIntervals;
  grid[0] = start.pressure;
  const int last = gas ? layout::kLastPoint : layout::kLastGridPoint;
  for (int k = 1; k <= last; ++k) grid[k] = grid[k - 1] + step;
  if (!gas) grid[layout::kLastPoint] = p_end;
}

// Every layer rewritten onto G, summed into the summary's rates.
void rewrite_layers(CurveTables curves, int n, const double* grid, std::int32_t m,
                    WellSummary summary) {
  double* summary_rate = summary.rate();
  for (int k = 0; k < kPoints; ++k) {
    summary.pressure()[k] = grid[k];
    summary_rate[k] = 0.0;
  }
  // `resampled` is one array for all layers: where a short gas curve gives a
  // target no value, the previous layer's value stands.
  double resampled[kPoints] = {};
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

// Builds the common grid and rewrites every layer onto it; writes the
// summary's pressures and rates. The layer rows of the curves then hold the
// resampled rates R_L that the fluid columns are formed from.
void build_composite(CurveTables curves, int n, Variant variant, WellSummary summary) {
  const bool gas = variant == Variant::kGas;
  const double* first = curves.pressure(0).data();
  const bool injection = gas ? (first[0] - first[1] < 0.0) : (first[1] > first[0]);

  CompositeWork w;
  if (!injection) {
    production_grid(curves, n, gas, w);
  } else {
    injection_grid(curves, n, w);
  }
  sum_on_preliminary_grid(curves, n, injection, w);

  const double pr0 = curves.pressure(w.r)[0];
  double grid[kPoints] = {};
  if (!injection) {
    production_final_grid(production_start(w, pr0).pressure, grid);
  } else {
    injection_final_grid(injection_start(w, gas), pr0, w.p_end, gas, grid);
  }
  rewrite_layers(curves, n, grid, w.m, summary);
}

}  // namespace

void composite_liquid_curve(CurveTables curves, LayerFluids fluids, const double* water_cut,
                            const double* producing_gor, const std::int32_t& layer_count,
                            WellSummary summary) {
  const int n = held_layer_count(layer_count);
  build_composite(curves, n, Variant::kLiquid, summary);

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
      summary.gas_liquid()[k] = gas[k] / oil[k];
      summary.water_cut()[k] = water[k] / liquid;
      summary.water_sg()[k] = water[k] > 0.0 ? water_mass[k] / water[k] : water_sg[0];
      clamp_to_range(0.0, summary.water_cut()[k], 1.0);
      clamp_to_range(0.0, summary.gas_liquid()[k], 1000000.0);
    } else {
      summary.gas_liquid()[k] = 0.0;
      summary.water_cut()[k] = 1.0;
      summary.water_sg()[k] = 1.0;
    }
  }

  // Point 0 lies on the line through points 1 and 2 of each column, placed by
  // the rates. Equal rates at points 0 and 2 do not place it; point 0 then
  // takes the values of point 1.
  if (summary.rate()[0] < 0.0) summary.rate()[0] = 0.0;
  const double* q = summary.rate();
  const double f = q[2] == q[0] ? 0.0 : (q[1] - q[0]) / (q[2] - q[0]);
  for (double* x : {summary.water_cut(), summary.gas_liquid(), summary.water_sg()}) {
    x[0] = x[1] + (x[2] - x[1]) * f;
  }
  clamp_to_range(0.0, summary.gas_liquid()[0], 1000000.0);
  clamp_to_range(0.0, summary.water_cut()[0], 1.0);
  clamp_to_range(0.565, summary.water_sg()[0], 1.2);

  // Five-point moving average on points 0..19; in rising order every value
  // read is still unreplaced.
  for (int k = 0; k < 20; ++k) {
    const double* w = summary.water_cut() + k;
    summary.water_cut()[k] = (w[0] + w[1] + w[2] + w[3] + w[4]) / 5.0;
  }
}

void composite_gas_curve(CurveTables curves, LayerFluids fluids, const double* water_cut,
                         const double* liquid_yield, const std::int32_t& layer_count,
                         WellSummary summary) {
  const int n = held_layer_count(layer_count);
  for (int k = 0; k < kPoints; ++k) {
    summary.pressure()[k] = 0.0;
    summary.water_cut()[k] = 0.0;
  }
  build_composite(curves, n, Variant::kGas, summary);

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

  summary.gas_liquid()[0] = 0.0;
  summary.water_cut()[0] = 0.0;
  if (summary.rate()[0] < 0.0) summary.rate()[0] = 0.0;
  for (int k = 1; k < kPoints; ++k) {
    const double liquid = water[k] + condensate[k];
    if (liquid <= 0.0) {
      summary.gas_liquid()[k] = 0.0;
      summary.water_cut()[k] = 0.0;
    } else {
      summary.gas_liquid()[k] = liquid / summary.rate()[k];
      summary.water_cut()[k] = water[k] / liquid;
    }
    summary.water_sg()[k] = water[k] <= 0.0 ? 1.0 : water_mass[k] / water[k];
  }
}

}  // namespace dlv
