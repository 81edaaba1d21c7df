#include "tubing/whole_well.hpp"

#include <cmath>

#include "numerics/root_finding.hpp"
#include "numerics/units.hpp"
#include "tubing/friction.hpp"

namespace dlv {

namespace {

constexpr double kLowestPressure = 14.7;      // psia
constexpr double kHighestPressure = 30000.0;  // psia
constexpr double kRootTolerance = 1e-6;       // psi
constexpr int kMaxSubstitutions = 200;

double oil_sg_of(double api_gravity) { return 141.5 / (131.5 + api_gravity); }

WholeWellOutcome failed(TraverseStatus status) {
  WholeWellOutcome o;
  o.status = status;
  return o;
}

// ---- Poettmann and Carpenter ------------------------------------------------

// Moves b away from a (whose residual is fa) in steps of 100 psi that double
// until the residual changes sign, stopping at the lowest pressure. Returns
// kOk with the far end in b, or why no bracket was found.
template <class Residual>
TraverseStatus widen_bracket(const Residual& residual, double fa, double& b) {
  double fb = fa;
  double step = 100.0;
  while ((fb > 0.0) == (fa > 0.0) && fb != 0.0) {
    b = fa < 0.0 ? b + step : b - step;
    if (b >= kHighestPressure) return TraverseStatus::kRunaway;
    if (b <= kLowestPressure) {
      b = kLowestPressure;
      fb = residual(b);
      if ((fb > 0.0) == (fa > 0.0)) return TraverseStatus::kCannotLift;
      break;
    }
    fb = residual(b);
    if (!std::isfinite(fb)) return TraverseStatus::kFailed;
    step *= 2.0;
  }
  return TraverseStatus::kOk;
}

WholeWellOutcome poettmann_carpenter(const WholeWellCase& w, double p1, FluidCache& cache) {
  const TubingFluid& fluid = *w.fluid;
  const UnitRates u = unit_rates(fluid);
  const double gamma_o = oil_sg_of(fluid.api_gravity);
  const double gamma_g = fluid.gas_sg;
  // Mass per unit of the rate, lbm (per stb of liquid: Guo's M times 1 - WC).
  const double m = 350.17 * (u.oil * gamma_o + u.water * fluid.water_sg) + 0.0765 * gamma_g * u.gas;
  const bool flowing = w.rate > 0.0;
  const bool gas_column = !flowing && fluid.basis == RateBasis::kGas;

  // Density at one end: the no-slip mixture, or at zero rate the liquid with
  // its dissolved gas (the free gas segregated), or the gas of a gas well.
  auto density = [&](double p, double t) {
    const FluidState& s = cached_fluid(fluid, p, t, cache);
    if (!s.ok) return std::nan("");
    if (flowing) return m / (s.liquid_volume + s.free_gas_volume);
    if (gas_column || !(s.liquid_volume > 0.0)) return s.gas_density;
    const double liquid_mass = 350.17 * (u.oil * gamma_o + u.water * fluid.water_sg) +
                               0.0765 * u.oil * s.solution_gor * gamma_g;
    return liquid_mass / s.liquid_volume;
  };

  WholeWellDetails d;
  const double diameter = w.pipe.inside_diameter / 12.0;  // ft
  if (flowing) {
    const double mass_rate = m * w.rate;  // lbm/d
    d.d_rho_v = 1.4737e-5 * mass_rate / diameter;
    d.friction_factor = 4.0 * std::pow(10.0, 1.444 - 2.5 * std::log10(d.d_rho_v));
    d.k_bar = d.friction_factor * mass_rate * mass_rate / (7.4137e10 * std::pow(diameter, 5.0));
  }
  const double friction_sign = w.flow == FlowDirection::kUp ? 1.0 : -1.0;
  const double t1 = w.temperatures.wellhead;
  const double t2 = w.temperatures.node;
  const double rho1 = density(p1, t1);
  if (!std::isfinite(rho1) || !std::isfinite(d.k_bar)) return failed(TraverseStatus::kFailed);

  // 144 (p2 - p1) - rho_bar TVD - (k_bar / rho_bar) MD, gravity over the vertical
  // depth and friction over the measured depth.
  auto residual = [&](double p2) {
    const double rho_bar = 0.5 * (rho1 + density(p2, t2));
    return 144.0 * (p2 - p1) - rho_bar * w.vertical_length -
           friction_sign * d.k_bar / rho_bar * w.measured_length;
  };
  // The bracket: from p1 outwards in steps that double.
  const double a = p1;
  const double fa = residual(a);
  if (!std::isfinite(fa)) return failed(TraverseStatus::kFailed);
  double b = a;
  const TraverseStatus bracket = widen_bracket(residual, fa, b);
  if (bracket != TraverseStatus::kOk) return failed(bracket);
  const RootResult root = brent_root(residual, a, b, kRootTolerance);
  if (!root.converged) return failed(TraverseStatus::kFailed);
  WholeWellOutcome o;
  o.status = TraverseStatus::kOk;
  o.node_pressure = root.root;
  d.wellhead_density = rho1;
  d.node_density = density(root.root, t2);
  d.mean_density = 0.5 * (d.wellhead_density + d.node_density);
  d.iterations = root.evaluations;
  o.details = d;
  return o;
}

// ---- the dry-gas methods ------------------------------------------------------

// What both gas methods share: the gas rate, the friction factor and the
// well's angle.
struct GasWell {
  double gas_rate = 0.0;  // Mscf/d
  double gamma_g = 0.0;
  double friction = 0.0;  // fully rough Darcy factor
  double d5 = 0.0;        // d^5, in^5
  double cosine = 0.0;    // TVD / MD
  double length = 0.0;    // MD, ft
  double friction_sign = 1.0;
  double t_head = 0.0;  // R
  double t_node = 0.0;  // R
};

GasWell gas_well(const WholeWellCase& w) {
  GasWell g;
  const double rate = w.rate > 0.0 ? w.rate : 0.0;
  g.gas_rate = rate * unit_rates(*w.fluid).gas / 1000.0;
  g.gamma_g = w.fluid->gas_sg;
  g.friction = fully_rough_darcy_factor(w.pipe.roughness / w.pipe.inside_diameter);
  g.d5 = std::pow(w.pipe.inside_diameter, 5.0);
  g.cosine = w.vertical_length / w.measured_length;
  g.length = w.measured_length;
  g.friction_sign = w.flow == FlowDirection::kUp ? 1.0 : -1.0;
  g.t_head = w.temperatures.wellhead + kRankineOffset;
  g.t_node = w.temperatures.node + kRankineOffset;
  return g;
}

double gas_z(const TubingFluid& fluid, double p, double t_rankine, FluidCache& cache) {
  const FluidState& s = cached_fluid(fluid, p, t_rankine - kRankineOffset, cache);
  return s.ok ? s.z : std::nan("");
}

WholeWellOutcome average_temperature_z(const WholeWellCase& w, double p_hf, FluidCache& cache) {
  const GasWell g = gas_well(w);
  const double t_bar = 0.5 * (g.t_head + g.t_node);
  const double q2 = g.gas_rate * g.gas_rate;
  const bool horizontal = w.vertical_length == 0.0;
  // p_wf from z_bar; NaN when the square is not positive (an injector whose
  // friction outweighs the column).
  WholeWellDetails d;
  d.mean_temperature = t_bar;
  auto bottom = [&](double z_bar) {
    double p2;
    if (horizontal) {
      d.s = 0.0;
      p2 = p_hf * p_hf + g.friction_sign * 2.50125e-5 * g.friction * g.gamma_g * q2 * z_bar *
                             t_bar * g.length / g.d5;
    } else {
      d.s = 0.0375 * g.gamma_g * w.vertical_length / (z_bar * t_bar);
      p2 = std::exp(d.s) * p_hf * p_hf + g.friction_sign * 6.67e-4 * std::expm1(d.s) * g.friction *
                                             q2 * z_bar * z_bar * t_bar * t_bar / (g.d5 * g.cosine);
    }
    return p2 > 0.0 ? std::sqrt(p2) : std::nan("");
  };
  // The static estimate, then z_bar at the mean pressure until p_wf settles.
  double z_bar = gas_z(*w.fluid, p_hf, t_bar, cache);
  if (!std::isfinite(z_bar)) return failed(TraverseStatus::kFailed);
  const double s0 = horizontal ? 0.0 : 0.0375 * g.gamma_g * w.vertical_length / (z_bar * t_bar);
  double p_wf = p_hf * std::exp(0.5 * s0);
  for (int k = 1; k <= kMaxSubstitutions; ++k) {
    z_bar = gas_z(*w.fluid, 0.5 * (p_hf + p_wf), t_bar, cache);
    const double next = bottom(z_bar);
    if (!std::isfinite(next)) {
      return failed(std::isfinite(z_bar) ? TraverseStatus::kCannotLift : TraverseStatus::kFailed);
    }
    if (next > kHighestPressure) return failed(TraverseStatus::kRunaway);
    const double change = std::fabs(next - p_wf);
    p_wf = next;
    if (change < 0.01) {
      WholeWellOutcome o;
      o.status = next > kLowestPressure ? TraverseStatus::kOk : TraverseStatus::kCannotLift;
      o.node_pressure = next;
      d.mean_z = z_bar;
      d.iterations = k;
      o.details = d;
      return o;
    }
  }
  return failed(TraverseStatus::kFailed);
}

WholeWellOutcome cullender_smith(const WholeWellCase& w, double p_hf, FluidCache& cache) {
  const GasWell g = gas_well(w);
  const double q_mm = g.gas_rate / 1000.0;  // MMscf/d: the method's unit
  const double friction_term = g.friction_sign * 0.6666 * g.friction * q_mm * q_mm / g.d5;
  auto integrand = [&](double p, double t) {
    const double x = p / (gas_z(*w.fluid, p, t, cache) * t);
    const double denominator = 0.001 * g.cosine * x * x + friction_term;
    return denominator > 0.0 ? x / denominator : std::nan("");
  };
  const double rhs = 18.75 * g.gamma_g * g.length;
  const double t_mid = 0.5 * (g.t_head + g.t_node);
  // Solves p_end = p_start + factor * rhs / (weight_start + weight * I(p_end))
  // by successive substitution from `guess`.
  auto substitute = [&](double known, double fixed, double weight, double factor, double t_end,
                        double guess, double& out) {
    double p = guess;
    for (int k = 0; k < kMaxSubstitutions; ++k) {
      const double i_end = integrand(p, t_end);
      const double next = known + factor * rhs / (fixed + weight * i_end);
      if (!std::isfinite(next) || next > kHighestPressure) return false;
      const bool done = std::fabs(next - p) <= kRootTolerance;
      p = next;
      if (done) {
        out = p;
        return true;
      }
    }
    return false;
  };
  const double i_hf = integrand(p_hf, g.t_head);
  if (!std::isfinite(i_hf)) return failed(TraverseStatus::kFailed);
  double p_mf = 0.0;
  double p_wf = 0.0;
  if (!substitute(p_hf, i_hf, 1.0, 1.0, t_mid, p_hf, p_mf)) return failed(TraverseStatus::kFailed);
  const double i_mf = integrand(p_mf, t_mid);
  if (!substitute(p_mf, i_mf, 1.0, 1.0, g.t_node, p_mf, p_wf)) {
    return failed(TraverseStatus::kFailed);
  }
  // Simpson's rule over the whole well with p_mf and I_mf held.
  double p_final = 0.0;
  if (!substitute(p_hf, i_hf + 4.0 * i_mf, 1.0, 6.0, g.t_node, p_wf, p_final)) {
    return failed(TraverseStatus::kFailed);
  }
  WholeWellOutcome o;
  o.status = p_final > kLowestPressure ? TraverseStatus::kOk : TraverseStatus::kCannotLift;
  o.node_pressure = p_final;
  o.details.mid_pressure = p_mf;
  o.details.mean_temperature = t_mid;
  return o;
}

}  // namespace

WholeWellOutcome whole_well_node_pressure(const WholeWellCase& well, double wellhead_pressure,
                                          FluidCache& cache) {
  if (well.fluid == nullptr) return failed(TraverseStatus::kBadInput);
  switch (well.method) {
    case Correlation::kPoettmannCarpenter:
      return poettmann_carpenter(well, wellhead_pressure, cache);
    case Correlation::kAverageTemperatureZ:
      return average_temperature_z(well, wellhead_pressure, cache);
    case Correlation::kCullenderSmith:
      return cullender_smith(well, wellhead_pressure, cache);
    default:
      return failed(TraverseStatus::kBadInput);
  }
}

}  // namespace dlv
