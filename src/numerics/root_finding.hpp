// Brent's method for a root of a continuous function in a bracket.
// Allocates nothing and keeps no state.
#pragma once

#include <cmath>

namespace dlv {

struct RootResult {
  double root = 0.0;
  int evaluations = 0;
  bool converged = false;  // false also when [a, b] is no bracket or f is not finite
};

// A root of f in [a, b], where f(a) and f(b) differ in sign (or one is 0),
// to an interval of at most `tolerance` in x, in at most max_evaluations.
template <class F>
RootResult brent_root(F&& f, double a, double b, double tolerance, int max_evaluations = 200) {
  RootResult r;
  double fa = f(a);
  double fb = f(b);
  r.evaluations = 2;
  if (!std::isfinite(fa) || !std::isfinite(fb)) return r;
  if (fa == 0.0) return {a, r.evaluations, true};
  if (fb == 0.0) return {b, r.evaluations, true};
  if ((fa > 0.0) == (fb > 0.0)) return r;
  double c = a;
  double fc = fa;
  double d = b - a;
  double e = d;
  while (r.evaluations < max_evaluations) {
    if ((fb > 0.0) == (fc > 0.0)) {
      c = a;
      fc = fa;
      d = b - a;
      e = d;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol = 0.5 * tolerance;
    const double m = 0.5 * (c - b);
    if (std::fabs(m) <= tol || fb == 0.0) return {b, r.evaluations, true};
    if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
      double p;
      double q;
      const double s = fb / fa;
      if (a == c) {
        p = 2.0 * m * s;
        q = 1.0 - s;
      } else {
        const double qa = fa / fc;
        const double rb = fb / fc;
        p = s * (2.0 * m * qa * (qa - rb) - (b - a) * (rb - 1.0));
        q = (qa - 1.0) * (rb - 1.0) * (s - 1.0);
      }
      if (p > 0.0) {
        q = -q;
      } else {
        p = -p;
      }
      if (2.0 * p < std::fmin(3.0 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
        e = d;
        d = p / q;
      } else {
        d = m;
        e = m;
      }
    } else {
      d = m;
      e = m;
    }
    a = b;
    fa = fb;
    b += std::fabs(d) > tol ? d : (m > 0.0 ? tol : -tol);
    fb = f(b);
    ++r.evaluations;
    if (!std::isfinite(fb)) return r;
  }
  r.root = b;
  return r;
}

}  // namespace dlv
