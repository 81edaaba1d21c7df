// Argument groups of the well models: the layer's radial drainage, the
// fracture, the box a horizontal well drains, the injectivity and the fluid
// each reads.
#pragma once

#include <cstdint>

namespace dlv {

// Radial drainage of one layer around its well: md, ft, ft, ft, skin.
struct RadialLayer {
  double permeability;
  double thickness;
  double drainage_radius;
  double wellbore_radius;
  double skin;
};

// The liquid of a layer on the Darcy and non-Darcy curve: volume factor,
// viscosity (cp) and density.
struct LiquidLayerFluid {
  double liquid_fvf;
  double liquid_viscosity;
  double liquid_density;
};

// The oil and water of a layer on the Darcy-Vogel curve: the liquid volume
// factor and viscosity, bubble point (psia), water cut and oil viscosity (cp).
struct OilLayerFluid {
  double liquid_fvf;
  double liquid_viscosity;
  double bubble_point;
  double water_cut;
  double oil_viscosity;
};

// A propped vertical fracture: half-length (ft), width (in) and
// permeability (md).
struct Fracture {
  double half_length;
  double width;
  double permeability;
};

// What sets the transient time of a fractured layer: porosity, total
// compressibility (1/psi) and production time (days).
struct TransientFlow {
  double porosity;
  double total_compressibility;
  double production_time;
};

// A layer completed with a propped fracture: its radial drainage, the
// fracture and what sets the transient time.
struct FracturedLayer {
  RadialLayer radial;
  Fracture fracture;
  TransientFlow transient;
};

// The fluid of a fractured layer. liquid_flag 0 is gas (density_or_z is then
// the gas deviation factor), any other value liquid (density_or_z the liquid
// density).
struct FracturedWellFluid {
  std::int32_t liquid_flag;
  double liquid_fvf;
  double viscosity;
  double temperature;
  double density_or_z;
  double bubble_point;
};

// The box-shaped drainage volume of a horizontal well: permeabilities along
// x (across the well), y (along it) and z (vertical), thickness, area and the
// box's extent along y and x.
struct DrainageBox {
  double perm_x;
  double perm_y;
  double perm_z;
  double thickness;
  double drainage_area;
  double box_length_y;
  double box_width_x;
};

// Where the horizontal well lies in its box, and its radius and skin.
struct HorizontalWellPath {
  double wellbore_radius;
  double skin;
  double well_start_y;
  double well_length;
  double well_position_x;
  double well_elevation_z;
};

// The fluid of a horizontal well: temperature and z are read for gas only,
// liquid_fvf and bubble_point for oil only.
struct HorizontalWellFluid {
  double temperature;
  double z_factor;
  double liquid_fvf;
  double viscosity;
  double bubble_point;
};

// The gas of a producing gas layer: temperature (F), gravity and viscosity
// (cp).
struct GasLayerFluid {
  double temperature;
  double gas_sg;
  double gas_viscosity;
};

// The fluid an injection layer takes: viscosity (cp), water volume factor,
// gas deviation factor, temperature (F), liquid density and gas gravity.
struct InjectionFluid {
  double viscosity;
  double water_fvf;
  double z_factor;
  double temperature;
  double liquid_density;
  double gas_sg;
};

// Injectivity of an injection layer given as coefficients: the break
// pressure, the coefficient below and above it and the rate the curve
// extends to.
struct InjectionCoefficients {
  double break_pressure;
  double below_break;
  double above_break;
  double max_injection_rate;
};

// Where an injection layer breaks: the skin above the break pressure, the
// break pressure and the rate the curve extends to.
struct InjectionBreak {
  double second_skin;
  double break_pressure;
  double max_injection_rate;
};

}  // namespace dlv
