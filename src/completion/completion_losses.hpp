// Completion pressure-loss models of one layer: gravel-filled perforation
// tunnels (model 1), perforations with a crushed zone (model 2), and
// perforation and crushed-zone skins with a rate-dependent skin (model 3),
// each for a liquid and for a gas.
//
// Every routine builds a loss law l(q) from the completion geometry and the
// fluid, finds the end rate at which the loss uses up what the layer curve
// q[0..24] (rates, rising) / p[0..24] (pressures, falling) still has, and
// writes a 25-point loss table: loss_rates (0 up to the end rate) and
// loss_values (psi); the gas routines also write loss_pseudo, the loss in gas
// pseudo-pressure. count is always set to 25. Liquids work in pressure; gases
// work in pseudo-pressure through the ascending table pp_pressures /
// pp_pseudo (pp_count entries, read only).
//
// Units: d, tc, Lg and Lp in inches, hp and h in ft, kg in darcies, kc and k
// in md, T in degF, spf in shots per foot.
//
// A coefficient made non-finite by geometry (a zero permeability, diameter,
// length or shot density) is carried through the formulas: the table then
// holds non-finite values, and the work stays bounded.
#pragma once

#include <cstdint>

#include "numerics/curve_arguments.hpp"

namespace dlv {

// The perforations of one layer: shots per foot, perforated interval (ft),
// shot diameter, crushed-zone thickness, perforation length and gravel
// tunnel length (in).
struct Perforations {
  double shots_per_foot;
  double interval;
  double diameter;
  double crushed_zone_thickness;
  double length;
  double gravel_tunnel_length;
};

// The layer's own permeability (md) and thickness (ft).
struct LayerRock {
  double permeability;
  double thickness;
};

// A liquid: volume factor, viscosity (cp) and density (lb/ft3).
struct LiquidLossFluid {
  double fvf;
  double viscosity;
  double density;
};

// A gas: temperature (F), gravity and viscosity (cp).
struct GasLossFluid {
  double temperature;
  double gas_sg;
  double viscosity;
};

// The layer curve the loss is taken from (q and p above).
struct LayerCurve {
  const double* rates;
  const double* pressures;
};

// The loss table written: rates, losses in psi, losses in pseudo-pressure
// (gas only) and the point count.
struct LossTable {
  double* rates;
  double* values;
  double* pseudo;
  std::int32_t& count;
};

// Model 1, liquid, with the gravel permeability kg. calc_mode is not read.
void gravel_pack_loss_liquid(std::int32_t calc_mode, double kg, const Perforations& perforations,
                             const LiquidLossFluid& fluid, LayerCurve curve, LossTable out);

// Model 2, liquid, with the crushed-zone permeability kc. A kc of 0 or less
// is replaced by 0.001 md and written back; a geometry that would divide by
// zero gives the coefficient 999. calc_mode is not read.
void crushed_zone_loss_liquid(std::int32_t calc_mode, double& kc, const Perforations& perforations,
                              const LiquidLossFluid& fluid, LayerCurve curve, LossTable out);

// Model 3, liquid. calc_mode is not read.
void perforation_skin_loss_liquid(std::int32_t calc_mode, double kc,
                                  const Perforations& perforations, const LayerRock& rock,
                                  const LiquidLossFluid& fluid, LayerCurve curve, LossTable out);

// Model 1, gas. calc_mode 3 (gas injection) tabulates the pressure rise at
// the layer's own rates instead of searching for an end rate.
void gravel_pack_loss_gas(std::int32_t calc_mode, double kg, const Perforations& perforations,
                          const GasLossFluid& fluid, LayerCurve curve, LossTable out,
                          PseudoPressures pp);

// Model 2, gas, on equally spaced rates up to the end rate. calc_mode 3 (gas
// injection) tabulates the pressure rise at the layer's own rates.
void crushed_zone_loss_gas(std::int32_t calc_mode, double kc, const Perforations& perforations,
                           const GasLossFluid& fluid, LayerCurve curve, LossTable out,
                           PseudoPressures pp);

// Model 3, gas. calc_mode is not read.
void perforation_skin_loss_gas(std::int32_t calc_mode, double kc, const Perforations& perforations,
                               const LayerRock& rock, const GasLossFluid& fluid, LayerCurve curve,
                               LossTable out, PseudoPressures pp);

// The parabola through (xa, ya), (xb, yb) and (xc, yc).
struct Parabola {
  double xa, xb, xc;
  double ya, yb, yc;
};

struct ParabolaPoint {
  double x;
  double y;
};

// Intersection of the parabola u with the parabola v, by Newton's method from
// the middle of u.xa and u.xc: at most 19 steps, stopping when |u - v| is
// within 1e-4 of the mean of the six ordinates. x is the last abscissa
// reached and y is u at the abscissa of the last evaluation (without
// convergence, the one before the last step).
ParabolaPoint intersect_parabolas(const Parabola& u, const Parabola& v);

}  // namespace dlv
