#include "inflow/fractured_well.hpp"

#include <cmath>
#include <cstdint>

#include "blocks/block_layout.hpp"
#include "inflow/darcy_nondarcy.hpp"
#include "inflow/darcy_vogel.hpp"
#include "inflow/vogel.hpp"
#include "numerics/units.hpp"

namespace dlv {

namespace {

constexpr double kStabilizedTime = 10000.0;
// The stabilized gas curve runs at this gas gravity whatever the layer's is.
constexpr double kStabilizedGasSg = 0.65;

// The per-layer results go to layer_results only for a layer index inside its
// 50 slots; any other index computes the curve and writes no result.
bool layer_in_block(std::int32_t layer) { return layer >= 0 && layer < layout::kLayers; }

// Transient linear flow into the fracture. Returns false, with rates[0] set to
// fracture_error_rate and nothing else written to the curve, when the flow
// would divide by zero.
bool transient_curve(double k, double h, double b, double mu, double pr, double xf, double ct,
                     double phi, double t_hours, double temperature, bool liquid,
                     double density_or_z, double pb, double* rates, double* pressures) {
  if (k * phi * ct == 0.0 || xf * h == 0.0) {
    rates[0] = fracture_error_rate;
    return false;
  }
  const double s = std::sqrt(mu * t_hours / (k * phi * ct));
  double r;
  double j = 0.0;
  double qb = 0.0;
  double qv = 0.0;
  if (liquid) {
    r = 4.07 * b / (xf * h);
    if (s * r == 0.0) {
      rates[0] = fracture_error_rate;
      return false;
    }
    j = (1.0 / s) / r;
    // The Vogel increment is held at 0.01 or more; an increment that is not a
    // number stays so.
    if (pb >= pr) {
      qv = pr * j / 1.8;
      if (qv < 0.01) qv = 0.01;
    } else {
      qb = (pr - pb) * j;
      qv = pb * j / 1.8;
      if (qv < 0.01) qv = 0.01;
    }
  } else {
    r = 40.93 * density_or_z * (kRankineOffset + temperature) / (xf * h);
  }

  pressures[0] = pr;
  rates[0] = 0.0;
  const double delta = pr / layout::kIntervals;
  for (int n = 1; n <= layout::kLastPoint; ++n) {
    const double p = pr - static_cast<double>(n) * delta;
    pressures[n] = p;
    if (!liquid) {
      rates[n] = (pr * pr - p * p) / s / r;
    } else if (pb >= pr) {
      rates[n] = qv * vogel_fraction(p / pr);
    } else if (p < pb) {
      rates[n] = qb + qv * vogel_fraction(p / pb);
    } else {
      rates[n] = (pr - p) * j;
    }
  }
  return true;
}

}  // namespace

void fractured_well_curve(const RadialLayer& radial, const Fracture& fracture,
                          const TransientFlow& transient, const FracturedWellFluid& fluid,
                          double& reservoir_pressure, double rate_multiplier, CurveOutput curve,
                          PseudoPressures pp, LayerResults layer_results, std::int32_t layer) {
  const double permeability = radial.permeability;
  const double thickness = radial.thickness;
  const double drainage_radius = radial.drainage_radius;
  const double wellbore_radius = radial.wellbore_radius;
  const double skin = radial.skin;
  const double fracture_half_length = fracture.half_length;
  const double fracture_width = fracture.width;
  const double fracture_permeability = fracture.permeability;
  const double porosity = transient.porosity;
  const double total_compressibility = transient.total_compressibility;
  const double production_time = transient.production_time;
  const std::int32_t liquid_flag = fluid.liquid_flag;
  const double liquid_fvf = fluid.liquid_fvf;
  const double viscosity = fluid.viscosity;
  const double temperature = fluid.temperature;
  const double density_or_z = fluid.density_or_z;
  const double bubble_point = fluid.bubble_point;
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;
  const double k = permeability;
  const double h = thickness;
  const double re = drainage_radius;
  const double xf = fracture_half_length;
  const double wf = fracture_width;
  const double kf = fracture_permeability;
  const double mu = viscosity;
  const bool liquid = liquid_flag != 0;
  const bool store = layer_in_block(layer);

  // Dimensionless fracture conductivity and dimensionless time. The time in
  // hours, the effective radius and permeability below are working values of
  // this call; the caller's values are never changed.
  const double cf = (wf / 12.0) * kf / (k * xf);
  if (store) layer_results.fracture_conductivity()[layer] = cf;
  const double t_hours = production_time * 24.0;
  const double t_d = 0.000263 * k * t_hours / (porosity * mu * total_compressibility * (xf * xf));
  if (store) layer_results.dimensionless_time()[layer] = t_d;

  if (t_d < kStabilizedTime) {
    if (store) {
      layer_results.effective_radius_ratio()[layer] = 1.0;
      layer_results.set_flow_regime_flag(layer, 0);
    }
    if (!transient_curve(k, h, liquid_fvf, mu, reservoir_pressure, xf, total_compressibility,
                         porosity, t_hours, temperature, liquid, density_or_z, bubble_point, rates,
                         pressures)) {
      return;  // the error rate stands alone; no multiplier
    }
  } else {
    // Stabilized flow: effective wellbore radius from the conductivity.
    double f = cf / 3.1415;
    double ratio = 0.5;
    double rw_eff;
    if (f >= 0.08) {
      if (f < 100.0) {
        ratio = 0.5 - 0.4 / std::pow(50.0, f / 18.0) - 0.008 / f;
        if (ratio > 0.5) ratio = 0.5;
      }
      rw_eff = xf * ratio;
    } else {
      rw_eff = wellbore_radius;
    }
    if (store) {
      layer_results.effective_radius_ratio()[layer] = ratio;
      layer_results.set_flow_regime_flag(layer, 1);
    }

    // Two folds of increase; the smaller one sets the effective permeability.
    const double d = (wf / 12.0) / 3.1415926 * (kf / k - 1.0);
    const double f1 =
        std::log(re / rw_eff) / (std::log(re / xf) + std::log((xf + d) / (rw_eff + d)));
    const double area = (2.0 * re) * (2.0 * re) / 43560.0;
    const double g = std::pow(40.0 / area, 0.5);
    const double x = 8.33e-5 * (kf * wf / (k * g)) * std::pow(40.0 / area, 0.5);
    const double y = 7.27 + 6.09 * std::atan(0.524 * std::log(x / 3.0));
    // After McGuire and Sikora.
    const double f2 =
        (1.0 + y * std::atan(18.0 * xf / re / y)) / (7.13 / std::log(0.472 * re / rw_eff));
    f = (f2 > f1) ? f1 : f2;
    const double gf = 3.0 * std::pow(1.0 + 0.95 * f, -1.0 / 3.0);
    const double k_eff = (gf < 5.0) ? 0.1 * gf * k : f * k;

    if (!liquid) {
      darcy_nondarcy_gas_curve(
          RadialLayer{.permeability = k_eff,
                      .thickness = h,
                      .drainage_radius = re,
                      .wellbore_radius = rw_eff,
                      .skin = skin},
          reservoir_pressure,
          GasLayerFluid{
              .temperature = temperature, .gas_sg = kStabilizedGasSg, .gas_viscosity = mu},
          curve, pp, layer);
    } else if (bubble_point != 0.0) {
      // The oil line runs at an oil viscosity of 0.35 cp and no water.
      darcy_vogel_curve(k_eff, h, re, rw_eff, skin, liquid_fvf, mu, reservoir_pressure,
                        bubble_point, 0.0, 0.35, 0.0, rates, pressures, layer);
    } else {
      darcy_nondarcy_liquid_curve(k_eff, h, re, rw_eff, skin, liquid_fvf, mu, reservoir_pressure,
                                  density_or_z, rates, pressures, layer);
    }
  }

  if (rate_multiplier > 1.0) {
    for (int n = 0; n <= layout::kLastPoint; ++n) rates[n] = rates[n] * rate_multiplier;
  }
}

}  // namespace dlv
