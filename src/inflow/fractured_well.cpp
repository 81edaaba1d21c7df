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

// Transient linear flow into the fracture over t_hours. Returns false, with
// rates[0] set to fracture_error_rate and nothing else written to the curve,
// when the flow would divide by zero.
bool transient_curve(const FracturedLayer& layer, const FracturedWellFluid& fluid, double pr,
                     double t_hours, CurveOutput curve) {
  const double k = layer.radial.permeability;
  const double h = layer.radial.thickness;
  const double xf = layer.fracture.half_length;
  const double phi = layer.transient.porosity;
  const double ct = layer.transient.total_compressibility;
  const double pb = fluid.bubble_point;
  const bool liquid = fluid.liquid_flag != 0;
  double* const rates = curve.rates;
  if (k * phi * ct == 0.0 || xf * h == 0.0) {
    rates[0] = fracture_error_rate;
    return false;
  }
  const double s = std::sqrt(fluid.viscosity * t_hours / (k * phi * ct));
  double r;
  double j = 0.0;
  double qb = 0.0;
  double qv = 0.0;
  if (liquid) {
    r = 4.07 * fluid.liquid_fvf / (xf * h);
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
    r = 40.93 * fluid.density_or_z * (kRankineOffset + fluid.temperature) / (xf * h);
  }

  curve.pressures[0] = pr;
  rates[0] = 0.0;
  const double delta = pr / layout::kIntervals;
  for (int n = 1; n <= layout::kLastPoint; ++n) {
    const double p = pr - static_cast<double>(n) * delta;
    curve.pressures[n] = p;
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

// The well of stabilized flow: the share of the half-length that gives the
// effective wellbore radius, that radius, and the effective permeability.
struct EffectiveWell {
  double ratio;
  double radius;
  double permeability;
};

// Effective wellbore radius from the dimensionless conductivity cf, and the
// effective permeability from the smaller of two folds of increase.
EffectiveWell effective_well(const FracturedLayer& layer, double cf) {
  const double k = layer.radial.permeability;
  const double re = layer.radial.drainage_radius;
  const double xf = layer.fracture.half_length;
  const double wf = layer.fracture.width;
  const double kf = layer.fracture.permeability;
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
    rw_eff = layer.radial.wellbore_radius;
  }

  const double d = (wf / 12.0) / 3.1415926 * (kf / k - 1.0);
  const double f1 = std::log(re / rw_eff) / (std::log(re / xf) + std::log((xf + d) / (rw_eff + d)));
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
  return EffectiveWell{ratio, rw_eff, k_eff};
}

// Stabilized radial flow to the effective well: the gas curve at a fixed gas
// gravity, the Darcy-Vogel line with a bubble point, else the Darcy and
// non-Darcy liquid curve.
void stabilized_curve(const FracturedLayer& layer, const FracturedWellFluid& fluid,
                      const EffectiveWell& well, double& reservoir_pressure, CurveOutput curve,
                      PseudoPressures pp, std::int32_t layer_index) {
  const RadialLayer radial{.permeability = well.permeability,
                           .thickness = layer.radial.thickness,
                           .drainage_radius = layer.radial.drainage_radius,
                           .wellbore_radius = well.radius,
                           .skin = layer.radial.skin};
  if (fluid.liquid_flag == 0) {
    darcy_nondarcy_gas_curve(radial, reservoir_pressure,
                             GasLayerFluid{.temperature = fluid.temperature,
                                           .gas_sg = kStabilizedGasSg,
                                           .gas_viscosity = fluid.viscosity},
                             curve, pp, layer_index);
  } else if (fluid.bubble_point != 0.0) {
    // The oil line runs at an oil viscosity of 0.35 cp and no water.
    darcy_vogel_curve(radial,
                      OilLayerFluid{.liquid_fvf = fluid.liquid_fvf,
                                    .liquid_viscosity = fluid.viscosity,
                                    .bubble_point = fluid.bubble_point,
                                    .water_cut = 0.0,
                                    .oil_viscosity = 0.35},
                      reservoir_pressure, curve, layer_index);
  } else {
    darcy_nondarcy_liquid_curve(radial,
                                LiquidLayerFluid{.liquid_fvf = fluid.liquid_fvf,
                                                 .liquid_viscosity = fluid.viscosity,
                                                 .liquid_density = fluid.density_or_z},
                                reservoir_pressure, curve, layer_index);
  }
}

}  // namespace

void fractured_well_curve(const FracturedLayer& layer, const FracturedWellFluid& fluid,
                          double& reservoir_pressure, double rate_multiplier, CurveOutput curve,
                          PseudoPressures pp, LayerResults layer_results,
                          std::int32_t layer_index) {
  const double k = layer.radial.permeability;
  const double xf = layer.fracture.half_length;
  const bool store = layer_in_block(layer_index);

  // Dimensionless fracture conductivity and dimensionless time. The time in
  // hours, the effective radius and permeability below are working values of
  // this call; the caller's values are never changed.
  const double cf = (layer.fracture.width / 12.0) * layer.fracture.permeability / (k * xf);
  if (store) layer_results.fracture_conductivity()[layer_index] = cf;
  const double t_hours = layer.transient.production_time * 24.0;
  const double t_d = 0.000263 * k * t_hours /
                     (layer.transient.porosity * fluid.viscosity *
                      layer.transient.total_compressibility * (xf * xf));
  if (store) layer_results.dimensionless_time()[layer_index] = t_d;

  if (t_d < kStabilizedTime) {
    if (store) {
      layer_results.effective_radius_ratio()[layer_index] = 1.0;
      layer_results.set_flow_regime_flag(layer_index, 0);
    }
    if (!transient_curve(layer, fluid, reservoir_pressure, t_hours, curve)) {
      return;  // the error rate stands alone; no multiplier
    }
  } else {
    const EffectiveWell well = effective_well(layer, cf);
    if (store) {
      layer_results.effective_radius_ratio()[layer_index] = well.ratio;
      layer_results.set_flow_regime_flag(layer_index, 1);
    }
    stabilized_curve(layer, fluid, well, reservoir_pressure, curve, pp, layer_index);
  }

  if (rate_multiplier > 1.0) {
    for (int n = 0; n <= layout::kLastPoint; ++n) curve.rates[n] = curve.rates[n] * rate_multiplier;
  }
}

}  // namespace dlv
