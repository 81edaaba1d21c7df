#include "completion/completion_losses.hpp"

#include <cmath>

#include "blocks/block_layout.hpp"
#include "numerics/curve_utils.hpp"
#include "numerics/units.hpp"

namespace dlv {

namespace {

constexpr std::int32_t kPoints = layout::kPoints;

// Loss at rate q: c q + d q^2, or in the skin form c (s + d q) q.
struct LossLaw {
  bool skin_form;
  double c;
  double d;
  double s;
  double operator()(double q) const {
    if (skin_form) return c * (s + d * q) * q;
    return c * q + d * (q * q);
  }
};

// Gas pseudo-pressure m(p) and its inverse, straight lines between entries.
struct PseudoTable {
  const double* pressures;
  const double* pseudo;
  std::int32_t count;
  double m(double p) const { return bisect_lookup(p, pressures, pseudo, count); }
  double inverse(double v) const { return bisect_lookup_inverse(v, pressures, pseudo, count); }
};

PseudoTable pseudo_table(PseudoPressures pp) {
  std::int32_t n = pp.count < 0 ? 0 : pp.count;
  if (n > kPseudoPressureCapacity) n = kPseudoPressureCapacity;
  return PseudoTable{pp.pressures, pp.pseudo, n};
}

// Where the search stopped: at point j, on a crossing (loss above the
// available value) or an exact hit, with the end rate x and the end loss.
struct SearchEnd {
  int j;
  bool crossing;
  double x;
  double loss;
};

// Walks the layer curve q[1..24] and compares the loss at each rate with the
// value a[j] that the curve still has there (pressure, or pseudo-pressure for
// gas). The losses met on the way are stored in lambda[j].
SearchEnd end_rate_search(const double* q, const double* a, const LossLaw& law, double* lambda) {
  lambda[0] = 0.0;
  for (int j = 1; j < kPoints; ++j) {
    const double loss = q[j] > 0.0 ? law(q[j]) : 0.0;
    lambda[j] = loss;
    const double delta = loss - a[j];
    if (delta == 0.0) return SearchEnd{j, false, q[j], loss};
    if (delta > 0.0) {
      // Between the shut-in point and the first point the loss parabola
      // takes its middle node halfway between them.
      const double qm = 0.5 * (q[0] + q[1]);
      const ParabolaPoint at =
          j == 1 ? intersect_parabolas({q[0], q[1], q[2], a[0], a[1], a[2]},
                                       {q[0], qm, q[1], lambda[0], law(qm), lambda[1]})
                 : intersect_parabolas(
                       {q[j - 2], q[j - 1], q[j], a[j - 2], a[j - 1], a[j]},
                       {q[j - 2], q[j - 1], q[j], lambda[j - 2], lambda[j - 1], lambda[j]});
      return SearchEnd{j, true, at.x, at.y};
    }
    // delta < 0, or not a number: go on.
  }
  return SearchEnd{kPoints - 1, false, q[kPoints - 1], lambda[kPoints - 1]};
}

// Factor from the layer's rates to the table's rates. A curve that ends with
// a rate of 0 keeps its own rates (no division by zero).
double rate_factor(const SearchEnd& end, double last_rate) {
  if ((end.j == kPoints - 1 && !end.crossing) || last_rate == 0.0) return 1.0;
  return end.x / last_rate;
}

void liquid_loss_table(const LossLaw& law, LayerCurve curve, LossTable out) {
  const double* const q = curve.rates;
  const double* const p = curve.pressures;
  double* const loss_rates = out.rates;
  double* const loss_values = out.values;
  std::int32_t& count = out.count;
  count = kPoints;
  loss_rates[0] = 0.0;
  loss_values[0] = 0.0;
  const SearchEnd end = end_rate_search(q, p, law, loss_values);
  loss_values[kPoints - 1] = end.loss;
  const double f = rate_factor(end, q[kPoints - 1]);
  loss_rates[kPoints - 1] = end.x;
  for (int i = 1; i < kPoints - 1; ++i) {
    loss_rates[i] = f * q[i];
    loss_values[i] = law(loss_rates[i]);
  }
}

void clear_first_point(LossTable out) {
  out.count = kPoints;
  out.rates[0] = 0.0;
  out.values[0] = 0.0;
  out.pseudo[0] = 0.0;
}

// Gas production, table on the layer's rates scaled to the end rate. With
// zero_small_pseudo, pseudo-pressure losses of at most 1.0 at points 1..23
// count as none.
void gas_proportional_table(const LossLaw& law, LayerCurve curve, LossTable out,
                            const PseudoTable& table, bool zero_small_pseudo) {
  const double* const q = curve.rates;
  const double* const p = curve.pressures;
  double* const loss_rates = out.rates;
  double* const loss_values = out.values;
  double* const loss_pseudo = out.pseudo;
  clear_first_point(out);
  double a[kPoints];
  for (int j = 0; j < kPoints; ++j) a[j] = table.m(p[j]);
  const SearchEnd end = end_rate_search(q, a, law, loss_pseudo);
  loss_pseudo[kPoints - 1] = end.loss;
  const double f = rate_factor(end, q[kPoints - 1]);
  loss_rates[kPoints - 1] = end.x;
  for (int i = 1; i < kPoints - 1; ++i) {
    loss_rates[i] = f * q[i];
    loss_pseudo[i] = law(loss_rates[i]);
    if (zero_small_pseudo && loss_pseudo[i] <= 1.0) loss_pseudo[i] = 0.0;
  }
  // Layer pressure and pseudo-pressure at the table's rates.
  double pc[kPoints];
  double mc[kPoints];
  const std::int32_t n = kPoints;
  resample_curve(q, p, loss_rates, pc, n);
  resample_curve(q, a, loss_rates, mc, n);
  for (int i = 1; i < kPoints; ++i) {
    const double loss = pc[i] - table.inverse(mc[i] - loss_pseudo[i]);
    loss_values[i] = loss <= 1.0 ? 0.0 : loss;
  }
}

// Gas production, table on 24 equal rate steps up to the end rate.
void gas_equally_spaced_table(const LossLaw& law, LayerCurve curve, LossTable out,
                              const PseudoTable& table) {
  const double* const q = curve.rates;
  const double* const p = curve.pressures;
  double* const loss_rates = out.rates;
  double* const loss_values = out.values;
  double* const loss_pseudo = out.pseudo;
  clear_first_point(out);
  double a[kPoints];
  for (int j = 0; j < kPoints; ++j) a[j] = table.m(p[j]);
  const SearchEnd end = end_rate_search(q, a, law, loss_pseudo);
  loss_pseudo[kPoints - 1] = end.loss;
  const double dq = end.x / layout::kIntervals;
  for (int i = 1; i < kPoints; ++i) {
    loss_rates[i] = loss_rates[i - 1] + dq;
    const double pq = bisect_lookup_inverse(loss_rates[i], p, q, kPoints);
    loss_pseudo[i] = law(loss_rates[i]);
    loss_values[i] = pq - table.inverse(table.m(pq) - loss_pseudo[i]);
  }
}

// Gas injection: the pressure rise needed to inject each of the layer's rates.
void gas_injection_table(const LossLaw& law, LayerCurve curve, LossTable out,
                         const PseudoTable& table) {
  const double* const q = curve.rates;
  const double* const p = curve.pressures;
  double* const loss_rates = out.rates;
  double* const loss_values = out.values;
  double* const loss_pseudo = out.pseudo;
  clear_first_point(out);
  for (int i = 1; i < kPoints; ++i) {
    loss_rates[i] = q[i];
    loss_pseudo[i] = q[i] > 0.0 ? law(q[i]) : 0.0;
    loss_values[i] = table.inverse(table.m(p[i]) + loss_pseudo[i]) - p[i];
  }
}

// Perforation skin 23.5 / spf / Lp - (spf + Lp) / 16, Lp in inches.
double perforation_skin(double spf, double lp) { return 23.5 / spf / lp - (spf + lp) / 16.0; }

// Non-Darcy coefficient of gravel (kg in darcies); kg^0.5 is taken as a square
// root, which rounds exactly on every platform.
double gravel_beta(double kg) { return 316230.0 / std::sqrt(kg); }

// Non-Darcy coefficient of the crushed zone after Firoozabadi and Katz.
double crushed_zone_beta(double kc) { return 2.6e10 / std::pow(kc, 1.2); }

}  // namespace

ParabolaPoint intersect_parabolas(const Parabola& u, const Parabola& v) {
  const double scale = (u.ya + u.yb + u.yc + v.ya + v.yb + v.yc) / 6.0;
  double xx = 0.5 * (u.xa + u.xc);
  double w1a = 0.0;
  double w1b = 0.0;
  double w1c = 0.0;
  for (int iteration = 0; iteration < 19; ++iteration) {
    w1a = ((xx - u.xb) / (u.xa - u.xb)) * ((xx - u.xc) / (u.xa - u.xc));
    w1b = ((xx - u.xa) / (u.xb - u.xa)) * ((xx - u.xc) / (u.xb - u.xc));
    w1c = ((xx - u.xa) / (u.xc - u.xa)) * ((xx - u.xb) / (u.xc - u.xb));
    const double w2a = ((xx - v.xb) / (v.xa - v.xb)) * ((xx - v.xc) / (v.xa - v.xc));
    const double w2b = ((xx - v.xa) / (v.xb - v.xa)) * ((xx - v.xc) / (v.xb - v.xc));
    const double w2c = ((xx - v.xa) / (v.xc - v.xa)) * ((xx - v.xb) / (v.xc - v.xb));
    const double f =
        (u.ya * w1a + u.yb * w1b + u.yc * w1c) - (v.ya * w2a + v.yb * w2b + v.yc * w2c);
    if (std::fabs(f / scale) <= 0.0001) break;
    const double d1a = (2.0 * xx - u.xb - u.xc) / ((u.xa - u.xb) * (u.xa - u.xc));
    const double d1b = (2.0 * xx - u.xa - u.xc) / ((u.xb - u.xa) * (u.xb - u.xc));
    const double d1c = (2.0 * xx - u.xa - u.xb) / ((u.xc - u.xa) * (u.xc - u.xb));
    const double d2a = (2.0 * xx - v.xb - v.xc) / ((v.xa - v.xb) * (v.xa - v.xc));
    const double d2b = (2.0 * xx - v.xa - v.xc) / ((v.xb - v.xa) * (v.xb - v.xc));
    const double d2c = (2.0 * xx - v.xa - v.xb) / ((v.xc - v.xa) * (v.xc - v.xb));
    const double slope =
        (u.ya * d1a + u.yb * d1b + u.yc * d1c) - (v.ya * d2a + v.yb * d2b + v.yc * d2c);
    xx = xx - f / slope;
  }
  return {xx, u.ya * w1a + u.yb * w1b + u.yc * w1c};
}

void gravel_pack_loss_liquid(std::int32_t /*calc_mode*/, double kg,
                             const Perforations& perforations, const LiquidLossFluid& fluid,
                             LayerCurve curve, LossTable out) {
  const double d = perforations.diameter;
  const double spf = perforations.shots_per_foot;
  const double hp = perforations.interval;
  const double lg = perforations.gravel_tunnel_length;
  const double b = fluid.fvf;
  const double mu = fluid.viscosity;
  const double rho = fluid.density;
  const double af = 0.00545415 * (d * d) * spf * hp;
  const double beta = gravel_beta(kg);
  const double c = 0.0739475 * mu * b * lg / kg / af;
  const double dn = 7.5905e-14 * beta * (b * b) * rho * lg / (af * af);
  liquid_loss_table(LossLaw{false, c, dn, 0.0}, curve, out);
}

void crushed_zone_loss_liquid(std::int32_t /*calc_mode*/, double& kc,
                              const Perforations& perforations, const LiquidLossFluid& fluid,
                              LayerCurve curve, LossTable out) {
  const double spf = perforations.shots_per_foot;
  const double hp = perforations.interval;
  const double tc = perforations.crushed_zone_thickness;
  const double d = perforations.diameter;
  const double lp = perforations.length;
  const double b = fluid.fvf;
  const double mu = fluid.viscosity;
  const double rho = fluid.density;
  if (kc <= 0.0) kc = 0.001;
  const double beta = crushed_zone_beta(kc);
  const double rp = d / 2.0;
  const double rc = rp + tc;
  const double n = spf * hp;

  double c = rp > 0.0 ? 141.2 * b * mu * std::log(rc / rp) : 999.0;
  c = n * kc * lp > 0.0 ? 12.0 * c / n / kc / lp : 999.0;
  double dn = rp * rc > 0.0 ? 2.31e-14 * rho * beta * (b * b) * (1.0 / rp - 1.0 / rc) : 999.0;
  dn = n * lp > 0.0 ? 1728.0 * dn / (n * n) / (lp * lp) : 999.0;
  liquid_loss_table(LossLaw{false, c, dn, 0.0}, curve, out);
}

void perforation_skin_loss_liquid(std::int32_t /*calc_mode*/, double kc,
                                  const Perforations& perforations, const LayerRock& rock,
                                  const LiquidLossFluid& fluid, LayerCurve curve, LossTable out) {
  const double spf = perforations.shots_per_foot;
  const double hp = perforations.interval;
  const double tc = perforations.crushed_zone_thickness;
  const double d = perforations.diameter;
  const double lp = perforations.length;
  const double k = rock.permeability;
  const double h = rock.thickness;
  const double b = fluid.fvf;
  const double mu = fluid.viscosity;
  const double rho = fluid.density;
  const double beta = crushed_zone_beta(kc);
  const double rp = d / 2.0;
  const double rc = rp + tc;
  const double n = spf * hp;
  const double sp = perforation_skin(spf, lp);
  const double sc = 12.0 * h * (k / kc - 1.0) / n / lp * std::log(rc / rp);
  const double s = sp + sc;
  const double c = 141.2 * b * mu / k / h;
  const double dn = 1.636e-16 * rho * beta * (b * b) * (1.0 / rp - 1.0 / rc) * 1728.0 / (n * n) /
                    (lp * lp) * k * h / mu;
  liquid_loss_table(LossLaw{true, c, dn, s}, curve, out);
}

void gravel_pack_loss_gas(std::int32_t calc_mode, double kg, const Perforations& perforations,
                          const GasLossFluid& fluid, LayerCurve curve, LossTable out,
                          PseudoPressures pp) {
  const double d = perforations.diameter;
  const double spf = perforations.shots_per_foot;
  const double hp = perforations.interval;
  const double lg = perforations.gravel_tunnel_length;
  const double t = fluid.temperature;
  const double gamma = fluid.gas_sg;
  const double mug = fluid.viscosity;
  const double tr = t + kRankineOffset;
  const double af = 0.00545415 * (d * d) * spf * hp;
  const double beta = gravel_beta(kg);
  const double a = 0.7445 * tr * lg / kg / af;
  const double g = 1.04e-11 * gamma * beta * tr * lg / mug / (af * af);
  const LossLaw law{false, a, g, 0.0};
  const PseudoTable table = pseudo_table(pp);
  if (static_cast<CalcMode>(calc_mode) == CalcMode::kGasInjection) {
    gas_injection_table(law, curve, out, table);
  } else {
    gas_proportional_table(law, curve, out, table, false);
  }
}

void crushed_zone_loss_gas(std::int32_t calc_mode, double kc, const Perforations& perforations,
                           const GasLossFluid& fluid, LayerCurve curve, LossTable out,
                           PseudoPressures pp) {
  const double spf = perforations.shots_per_foot;
  const double hp = perforations.interval;
  const double tc = perforations.crushed_zone_thickness;
  const double d = perforations.diameter;
  const double lp = perforations.length;
  const double t = fluid.temperature;
  const double gamma = fluid.gas_sg;
  const double mug = fluid.viscosity;
  // This law works in feet; the caller's lengths stay in inches.
  const double d_ft = d / 12.0;
  const double tc_ft = tc / 12.0;
  const double lp_ft = lp / 12.0;
  const double rp = d_ft / 2.0;
  const double rc = rp + tc_ft;
  const double n = spf * hp;
  const double tr = t + kRankineOffset;
  // Non-Darcy coefficient after Jones, Blount and Glaze.
  const double beta = 2.33e10 / std::pow(kc, 1.201);
  const double a = 1422.475 * tr * std::log(rc / rp) / (kc * n * lp_ft);
  const double g =
      beta * 3.161e-12 * gamma * tr / (mug * (n * n) * (lp_ft * lp_ft)) * (1.0 / rp - 1.0 / rc);
  const LossLaw law{false, a, g, 0.0};
  const PseudoTable table = pseudo_table(pp);
  if (static_cast<CalcMode>(calc_mode) == CalcMode::kGasInjection) {
    gas_injection_table(law, curve, out, table);
  } else {
    gas_equally_spaced_table(law, curve, out, table);
  }
}

void perforation_skin_loss_gas(std::int32_t /*calc_mode*/, double kc,
                               const Perforations& perforations, const LayerRock& rock,
                               const GasLossFluid& fluid, LayerCurve curve, LossTable out,
                               PseudoPressures pp) {
  const double spf = perforations.shots_per_foot;
  const double hp = perforations.interval;
  const double tc = perforations.crushed_zone_thickness;
  const double d = perforations.diameter;
  const double lp = perforations.length;
  const double k = rock.permeability;
  const double h = rock.thickness;
  const double t = fluid.temperature;
  const double gamma = fluid.gas_sg;
  const double mug = fluid.viscosity;
  const double beta = crushed_zone_beta(kc);
  const double rp = d / 2.0;
  const double rc = rp + tc;
  const double n = spf * hp;
  const double tr = t + kRankineOffset;
  const double sp = perforation_skin(spf, lp);
  // Unlike the liquid form, the crushed-zone skin here has no factor 12.
  const double sc = h * (k / kc - 1.0) / n / lp * std::log(rc / rp);
  const double s = sp + sc;
  const double a = 1424.0 * tr / k / h;
  const double dn =
      2.223e-15 * beta * gamma / mug / (n * n) / (lp * lp) * 1728.0 * (1.0 / rp - 1.0 / rc) * k * h;
  const PseudoTable table = pseudo_table(pp);
  gas_proportional_table(LossLaw{true, a, dn, s}, curve, out, table, true);
}

}  // namespace dlv
