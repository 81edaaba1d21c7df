// The fluid in the tubing: the phase properties at a pressure and temperature
// and the in-situ flow state (FlowPoint) that a point correlation takes, from
// one description of the well's fluid and one surface rate.
//
// A traverse carries one rate. On the liquid basis it is the liquid rate in
// stb/d (oil wells, water injection), with the water cut and the gas/liquid
// ratio giving the oil, water and gas; on the gas basis it is the gas rate in
// Mscf/d (gas wells), with the liquid yield and the water cut giving the
// liquids. Everything is worked per unit of that rate, so one evaluation at
// (p, T) serves every rate, zero included.
//
// Units: psia, degrees F, stb/d, scf/d, Mscf/d, lbm/ft3, cp, dyn/cm, ft3.
#pragma once

#include <optional>
#include <string_view>

#include "blocks/blocks.hpp"
#include "tubing/flow_point.hpp"
#include "tubing/fluid_terms.hpp"

namespace dlv {

// The fluid models a tubing can use, by their well-file names.
enum class TubingFluidModel {
  // "well": the correlations and property tables of the inflow side, chosen
  // by the layer's fluid block: solution gas/oil ratio, oil and water volume
  // factors, oil and water viscosities (oil wells), Hall-Yarborough z and the
  // Lee-Gonzalez-Eakin gas viscosity. The liquids of a gas well are taken at
  // stock-tank conditions with no dissolved gas.
  kWell,
  // "stock_tank": the fluid of Guo's Hagedorn-Brown spreadsheet: stock-tank
  // liquid (B = 1, no dissolved gas, every scf free) weighted by the surface
  // rates, water at 0.5 cp unless given, Brill-Beggs z and the
  // Carr-Kobayashi-Burrows gas viscosity with Tpc = 169 + 314 g,
  // Ppc = 708.75 - 57.7 g.
  kStockTank,
  // "guo_black_oil": the fluid of Guo's Poettmann-Carpenter spreadsheet:
  // Standing's Rs (Guo's form) capped at the producing GOR, Guo's Bo, Brill-Beggs
  // z and the Carr-Kobayashi-Burrows viscosity with Ahmed's pseudo-criticals,
  // Bw = 1 unless given.
  kGuoBlackOil,
  // "dry_gas": gas with Standing's pseudo-criticals, Brill-Beggs z and the
  // Carr-Kobayashi-Burrows viscosity; liquids, if any, at stock-tank
  // conditions as in "stock_tank".
  kDryGas,
};

std::string_view tubing_fluid_name(TubingFluidModel model);
std::optional<TubingFluidModel> tubing_fluid_from_name(std::string_view name);

// What the one rate of a traverse counts.
enum class RateBasis {
  kLiquid,  // stb/d of liquid
  kGas,     // Mscf/d of gas
};

// The well model's choice of correlations and tables: the layer's fluid block
// (correlation codes), the host's property tables and the separator. Only the
// "well" model reads them; a view with a null base means no tables switched on
// and the separator at standard conditions.
struct WellCorrelations {
  LayerFluids fluids{nullptr};
  FluidTables tables{nullptr};
  SeparatorConditions separator{nullptr};
  int layer = 0;
};

// The fluid of one well. A given value of 0 (or less) means "not given": the
// model computes it.
struct TubingFluid {
  TubingFluidModel model = TubingFluidModel::kWell;
  RateBasis basis = RateBasis::kLiquid;
  double api_gravity = 35.0;      // degrees API
  double gas_sg = 0.65;           // air = 1
  double water_sg = 1.0;          // water = 1
  double water_cut = 0.0;         // fraction of the liquid, 0..1
  double gas_liquid_ratio = 0.0;  // scf/stb of liquid (liquid basis)
  double liquid_yield = 0.0;      // stb/MMscf, water and condensate (gas basis)
  double water_fvf = 0.0;         // given Bw, rb/stb
  double oil_viscosity = 0.0;     // given, cp
  double water_viscosity = 0.0;   // given, cp
  double surface_tension = 0.0;   // given gas-liquid surface tension, dyn/cm
  WellCorrelations well;          // the "well" model's correlations
};

// The surface volumes that one unit of the rate carries.
struct UnitRates {
  double oil = 0.0;    // stb
  double water = 0.0;  // stb
  double gas = 0.0;    // scf, all the produced gas
};
UnitRates unit_rates(const TubingFluid& fluid);

// The fluid at one (p, T).
struct FluidState {
  double pressure = 0.0;      // psia
  double temperature = 0.0;   // degrees F
  double solution_gor = 0.0;  // Rs, scf/stb, never above the producing GOR
  double oil_fvf = 1.0;       // rb/stb
  double water_fvf = 1.0;     // rb/stb
  double z = 1.0;
  double liquid_density = 0.0;    // lbm/ft3, in-situ volume weighting
  double gas_density = 0.0;       // lbm/ft3
  double liquid_viscosity = 0.0;  // cp
  double gas_viscosity = 0.0;     // cp
  double surface_tension = 0.0;   // dyn/cm
  // In-situ volumes per unit of the rate (ft3 per stb of liquid or per Mscf),
  // and the surface mass per unit of the rate (lbm), the same at every (p, T).
  double liquid_volume = 0.0;
  double free_gas_volume = 0.0;
  double mass = 0.0;
  // False when a property is not finite or not positive where it must be.
  bool ok = false;
};

// Evaluates the fluid at (p, T).
FluidState evaluate_fluid(const TubingFluid& fluid, double pressure, double temperature);

// The terms of a fluid that do not depend on the pressure: those of its
// composition, worked at its first evaluation, and those of the temperature
// of its last evaluation, worked again only when the temperature changes.
struct FluidTerms {
  bool prepared = false;
  UnitRates units{};
  double oil_sg = 0.0;
  double gravity_root = 0.0;  // sqrt(gas_sg / oil_sg), Guo's Bo
  double gor = 0.0;           // producing GOR, scf/stb of oil
  double mass = 0.0;          // surface mass per unit of the rate, lbm
  bool dead_oil_needed = false;
  // The values the fluid gives (positive and finite) in place of the models'.
  bool given_water_fvf = false;
  bool given_oil_viscosity = false;
  bool given_water_viscosity = false;
  bool given_surface_tension = false;
  double water_cut = 0.0;     // within 0..1
  bool solution_gas = false;  // Guo's black oil with oil: Standing's Rs
  double dead_oil_gravity_term = 0.0;
  GasTerms gas_terms{};
  double ln_critical_pressure = 0.0;
  // At `temperature`:
  bool temperature_valid = false;
  double temperature = 0.0;
  GasTemperatureTerms gas{};  // the spreadsheet fluids' z and gas viscosity
  double rs_term = 0.0;
  double dead_oil_viscosity = 0.0;
  double ln_dead_oil_viscosity = 0.0;
  double dead_oil_tension = 0.0;
};

// The last evaluation of a march, the fluid's pressure-free terms and the
// count of evaluations: a fluid read at the (p, T) of the last evaluation
// costs nothing. Caller-owned; one cache serves one fluid.
struct FluidCache {
  FluidState last{};
  bool valid = false;
  int evaluations = 0;
  FluidTerms terms{};
};
const FluidState& cached_fluid(const TubingFluid& fluid, double pressure, double temperature,
                               FluidCache& cache);

// The pipe a FlowPoint describes.
struct Pipe {
  double inside_diameter = 0.0;  // in
  double roughness = 0.0;        // absolute, in
};

// The in-situ flow state for a point correlation: superficial velocities of
// the rate, phase properties of the state, the pipe, the inclination (degrees
// above horizontal of the flow) and the surface mass rate (lbm/d).
FlowPoint flow_point(const FluidState& state, double rate, const Pipe& pipe, double inclination);

}  // namespace dlv
