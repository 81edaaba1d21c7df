#include "numerics/curve_utils.hpp"

#include <cstdint>

#include "blocks/block_layout.hpp"

namespace dlv {

namespace {

// Straight line through (xa, ya) and (xb, yb) evaluated at xq.
double line(double xa, double xb, double ya, double yb, double xq) {
  return ya + (yb - ya) / (xb - xa) * (xq - xa);
}

}  // namespace

double lagrange3(double x0, double x1, double x2, double y0, double y1, double y2, double xq) {
  if (x0 != x1 && x0 != x2 && x1 != x2) {
    const double l0 = (xq - x1) * (xq - x2) / (x0 - x1) / (x0 - x2);
    const double l1 = (xq - x0) * (xq - x2) / (x1 - x0) / (x1 - x2);
    const double l2 = (xq - x0) * (xq - x1) / (x2 - x0) / (x2 - x1);
    return y0 * l0 + y1 * l1 + y2 * l2;
  }
  return (y0 + y1 + y2) / 3.0;
}

// Past the end of a falling table the last step is negative; it is kept at a
// magnitude of at least 0.01 (a step between -0.01 and 0 becomes -0.01), the
// mirror image of the floor on a rising table. A query that no table point
// lies beyond (a NaN xq, or a table that is not monotonic) is interpolated
// on the last three points.
std::int32_t interpol(const double* x, const double* y, std::int32_t n, const double& xq,
                      double& yq) {
  if (n < 3) return 0;
  const double s = x[0] > x[n - 1] ? -1.0 : 1.0;

  if ((s > 0.0 && xq < x[0]) || (s < 0.0 && xq > x[0])) {
    const double b = (y[1] - y[0]) / (x[1] - x[0]);
    yq = b * xq + (y[0] - b * x[0]);
    return 1;
  }
  if ((s > 0.0 && xq > x[n - 1]) || (s < 0.0 && xq < x[n - 1])) {
    double h = x[n - 1] - x[n - 2];
    if (s > 0.0) {
      if (h < 0.01) h = 0.01;
    } else if (h > -0.01) {
      h = -0.01;
    }
    const double b = (y[n - 1] - y[n - 2]) / h;
    yq = b * xq + (y[n - 1] - b * x[n - 1]);
    return 1;
  }

  std::int32_t i = n - 1;
  for (std::int32_t k = 0; k < n; ++k) {
    const double d = s * (x[k] - xq);
    if (d == 0.0) {
      yq = y[k];
      return 1;
    }
    if (d > 0.0) {
      i = k;
      break;
    }
  }
  if (i < 2) i = 2;
  yq = lagrange3(x[i - 2], x[i - 1], x[i], y[i - 2], y[i - 1], y[i], xq);

  double lowest = y[i - 2];
  if (y[i - 1] < lowest) lowest = y[i - 1];
  if (y[i] < lowest) lowest = y[i];
  if (yq < lowest) {
    yq = y[i - 1] + (xq - x[i - 1]) * (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
  }
  return 1;
}

namespace {

// The table points a lookup works from: i0, i1 and, when i2 is not negative,
// i2 as the third point of a parabola. exact marks a query that the search
// met on table point i0.
struct Bracket {
  std::int32_t i0;
  std::int32_t i1;
  std::int32_t i2;
  bool exact;
};

// A table of two points: the line through them, or y[0] when they share
// their abscissa.
double two_point_lookup(const double* x, const double* y, double xq, std::int32_t& lookup_status) {
  if (x[1] - x[0] == 0.0) return y[0];
  if ((xq < x[0] && xq < x[1]) || (xq > x[0] && xq > x[1])) lookup_status = 1;
  return line(x[0], x[1], y[0], y[1], xq);
}

// Bisection for the points around xq in direction s. 1-based bounds: point
// p of the search is x[p - 1].
Bracket search_bracket(const double* x, std::int32_t n, double xq, double s) {
  std::int32_t lo = 0;
  std::int32_t hi = n - 1;
  while (hi - lo > 1) {
    const std::int32_t mid = lo + (hi - lo) / 2;
    const double d = xq - x[mid - 1];
    if (d == 0.0) return Bracket{mid - 1, mid - 1, -1, true};
    if (s * d < 0.0) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  // The ends are handled before the search, so xq lies at or beyond x[0] and
  // the first step always raises lo; the floor only keeps the index in the
  // table.
  return Bracket{lo >= 1 ? lo - 1 : 0, hi - 1, hi, false};
}

// The last two points past the far end, the first two before x[1], else the
// points the bisection finds.
Bracket find_bracket(const double* x, std::int32_t n, double xq, bool rising) {
  if ((!rising && x[n - 1] > xq) || (rising && xq > x[n - 1])) {
    return Bracket{n - 2, n - 1, -1, false};
  }
  if ((!rising && xq > x[0]) || (rising && x[1] > xq)) return Bracket{0, 1, -1, false};
  return search_bracket(x, n, xq, rising ? 1.0 : -1.0);
}

// The parabola through three distinct points, else the line through i0 and
// i1, clamped to the nearer of the two outside them when clamp != 0.
double bracket_value(const double* x, const double* y, double xq, const Bracket& b, bool rising,
                     std::int32_t clamp, std::int32_t& lookup_status) {
  const std::int32_t i0 = b.i0;
  const std::int32_t i1 = b.i1;
  const std::int32_t i2 = b.i2;
  if (i2 >= 0 && x[i0] != x[i1] && x[i0] != x[i2] && x[i1] != x[i2]) {
    return lagrange3(x[i0], x[i1], x[i2], y[i0], y[i1], y[i2], xq);
  }
  if (x[i1] == x[i0]) return y[i0];
  if ((xq < x[i0] && xq < x[i1]) || (xq > x[i0] && xq > x[i1])) {
    lookup_status = 1;
    if (clamp != 0) {
      return ((rising && x[i0] > xq) || (!rising && xq > x[i0])) ? y[i0] : y[i1];
    }
  }
  return line(x[i0], x[i1], y[i0], y[i1], xq);
}

}  // namespace

// A count of zero or less is an empty table.
double table_lookup(const double* x, const double* y, double xq, std::int32_t n, std::int32_t clamp,
                    std::int32_t& lookup_status) {
  lookup_status = 0;
  if (n <= 0) {
    lookup_status = -1;
    return -9.0;
  }
  if (n == 1) {
    lookup_status = 2;
    return y[0];
  }
  if (n == 2) return two_point_lookup(x, y, xq, lookup_status);

  const bool rising = x[1] - x[0] > 0.0;
  const Bracket b = find_bracket(x, n, xq, rising);
  if (b.exact) return y[b.i0];
  return bracket_value(x, y, xq, b, rising, clamp, lookup_status);
}

namespace {

// The scan for target t from source point i on: stops at the first point not
// short of t in direction s, leaves i there and writes the value at t to
// value. Returns false, with i at m, when every point is short of t.
bool resample_point(const double* x, const double* y, std::int32_t m, double s, double t,
                    std::int32_t& i, double& value) {
  const std::int32_t last = m - 1;
  for (; i < m; ++i) {
    const double d = s * (x[i] - t);
    if (d < 0.0) continue;
    if (d == 0.0) {
      value = y[i];
    } else if (s > 0.0 && t > x[last]) {
      value = y[last] + (t - x[last]) * (y[last] - y[last - 1]) / (x[last] - x[last - 1]);
    } else if (s > 0.0 && t < x[0]) {
      value = y[0] + (t - x[0]) * (y[1] - y[0]) / (x[1] - x[0]);
    } else {
      const std::int32_t k = i < 1 ? 1 : i;
      value = y[k] + (t - x[k]) * (y[k] - y[k - 1]) / (x[k] - x[k - 1]);
    }
    return true;
  }
  return false;
}

}  // namespace

// Only the first 25 source points are read (a larger count is taken as 25).
// With fewer than two source points nothing is written; with fewer than 25,
// a target past the last source point leaves its yt entry unchanged.
void resample_curve(const double* x, const double* y, const double* xt, double* yt,
                    const std::int32_t& n) {
  const std::int32_t m = n < layout::kPoints ? n : layout::kPoints;
  if (m < 2) return;
  const double s = x[0] > x[m - 1] ? -1.0 : 1.0;

  // The scan for a target stops at the first source point not short of it in
  // direction s. Every point that the scan for the previous target passed is
  // also short of a target that lies no nearer (s * t not below), so the scan
  // for such a target starts where the previous one stopped; any other target
  // is scanned from the first point.
  std::int32_t stopped = 0;
  double previous_target = 0.0;
  for (int j = 0; j < layout::kPoints; ++j) {
    const double t = xt[j];
    std::int32_t i = j > 0 && s * t >= s * previous_target ? stopped : 0;
    previous_target = t;
    const bool done = resample_point(x, y, m, s, t, i, yt[j]);
    stopped = i;
    if (!done && m == layout::kPoints) {
      yt[j] = y[layout::kLastPoint] + (t - x[layout::kLastPoint]) *
                                          (y[layout::kLastPoint] - y[layout::kLastGridPoint]) /
                                          (x[layout::kLastPoint] - x[layout::kLastGridPoint]);
    }
  }
}

// Fewer than two keys: nothing to sort, nothing changed.
void lsort2col(double* keys, double* values, std::int32_t n, std::int32_t descending) {
  for (std::int32_t i = 0; i + 1 < n; ++i) {
    if (keys[i] == keys[i + 1]) keys[i] = keys[i] * 1.00001;
  }
  for (std::int32_t pass = 0; pass + 1 < n; ++pass) {
    for (std::int32_t i = 0; i + 1 < n; ++i) {
      const bool swap = descending != 0 ? keys[i + 1] > keys[i] : keys[i] > keys[i + 1];
      if (swap) {
        const double k = keys[i];
        keys[i] = keys[i + 1];
        keys[i + 1] = k;
        const double v = values[i];
        values[i] = values[i + 1];
        values[i + 1] = v;
      }
    }
  }
}

// An empty table (count below 1) gives 0.0; a one-entry table gives its
// single value.
double bisect_lookup(double x, const double* xs, const double* ys, std::int32_t count) {
  if (count < 1) return 0.0;
  if (count == 1) return ys[0];
  // 1-based positions: position p is element p - 1.
  std::int32_t lo = 1;
  std::int32_t hi = count;
  while (hi - lo >= 2) {
    const std::int32_t mid = lo + (hi - lo) / 2;
    const double delta = x - xs[mid - 1];
    if (delta == 0.0) return ys[mid - 1];
    if (delta > 0.0) {
      lo = mid;
    } else {
      hi = mid;  // below, or not a number
    }
  }
  return ys[lo - 1] + (ys[hi - 1] - ys[lo - 1]) / (xs[hi - 1] - xs[lo - 1]) * (x - xs[lo - 1]);
}

double bisect_lookup_inverse(double x, const double* ys, const double* xs, std::int32_t count) {
  return bisect_lookup(x, xs, ys, count);
}

}  // namespace dlv
