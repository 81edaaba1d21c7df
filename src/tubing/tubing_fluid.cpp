#include "tubing/tubing_fluid.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "fluids/gas_properties.hpp"
#include "fluids/liquid_viscosity.hpp"
#include "fluids/oil_fvf.hpp"
#include "fluids/solution_gor.hpp"
#include "numerics/interpolation.hpp"
#include "numerics/units.hpp"
#include "tubing/surface_tension.hpp"

namespace dlv {

namespace {

using layout::tables::Property;

constexpr double kStockTankBarrel = 5.615;          // ft3
constexpr double kWaterDensity = 62.4;              // lbm/ft3 at specific gravity 1
constexpr double kLiquidMassPerStb = 350.17;        // lbm per stb at specific gravity 1
constexpr double kAirDensity = 0.0765;              // lbm/scf
constexpr double kAirMolarMass = 28.97;             // lbm/lbmol
constexpr double kGasConstant = 10.73;              // psia ft3/(lbmol R)
constexpr double kDissolvedGasDensity = 0.0136;     // lbm/ft3 per scf/stb and unit gas gravity
constexpr double kStandardTemperature = 520.0;      // R
constexpr double kSpreadsheetWaterViscosity = 0.5;  // cp
constexpr double kPressureCap = 22500.0;  // psia, as the inflow side's volume factor and viscosity

// No property table switched on: a zero-filled block read through the view.
constexpr std::array<double, DLV_FLUID_TABLES_SLOTS> kNoTables{};

double oil_sg_of(double api_gravity) { return 141.5 / (131.5 + api_gravity); }

bool given(double value) { return value > 0.0 && std::isfinite(value); }

// Oil and water of one evaluation, before they are mixed.
struct Liquids {
  double rs = 0.0;
  double bo = 1.0;
  double bw = 1.0;
  double oil_viscosity = 0.0;
  double water_viscosity = 0.0;
};

// The inflow side's correlations (or the host's tables) for the oil and water
// of an oil well.
bool well_liquids(const TubingFluid& fluid, const UnitRates& u, double p, double t, Liquids& l) {
  const WellCorrelations& w = fluid.well;
  if (w.fluids.base == nullptr || w.layer < 0 || w.layer >= layout::kLayers) return false;
  const FluidTables tables = w.tables.base != nullptr ? w.tables : FluidTables{kNoTables.data()};
  const double sep_p = w.separator.base != nullptr ? w.separator.pressure() : kAtmosphere;
  const double sep_t = w.separator.base != nullptr ? w.separator.temperature() : 60.0;
  const int L = w.layer;
  const double api = fluid.api_gravity;
  // The producing GOR is worked from the unit rates only when there is oil.
  const double gor = u.oil > 0.0 ? u.gas / u.oil : 0.0;
  double pb = p;
  double sg100 = fluid.gas_sg;
  std::int32_t ierr = 0;
  if (u.oil > 0.0) {
    ProducedGasSplit gas{l.rs, 0.0, 0.0, 0.0};
    calrs(SolutionGasInput{p, t, fluid.gas_sg, sep_p, sep_t, api, u.oil, u.water, gor},
          w.fluids.rs_correlation(L), gas, sg100, pb, ierr);
    l.rs = gas.solution_gor;
    if (tables.use_table(Property::kSolutionGor)) {
      l.rs = property_table_value(tables, Property::kSolutionGor, t, p);
    }
    // Free gas is never negative: Rs stays within 0..GOR.
    if (!(l.rs > 0.0)) l.rs = 0.0;
    if (l.rs > gor) l.rs = gor;
  }
  const double pc = p < kPressureCap ? p : kPressureCap;
  double co = 0.0;
  l.bo = 1.0;
  calfvf(OilVolumeInput{t, pc, api, fluid.gas_sg, sg100, pb, gor, l.rs},
         w.fluids.fvf_correlation(L), co, l.bo, l.bw, ierr);
  if (u.oil <= 0.0) l.bo = 1.0;
  if (tables.use_table(Property::kOilFvf)) {
    l.bo = property_table_value(tables, Property::kOilFvf, t, pc);
  }
  double dead = 0.0;
  l.oil_viscosity = 0.0;
  liqvis(LiquidViscosityInput{t, api, l.rs, pc, pb}, w.fluids.viscosity_correlation(L), dead,
         l.oil_viscosity, l.water_viscosity, ierr);
  // Where the inflow side's viscosity refuses its inputs (Beggs and Robinson
  // below 1 scf/stb, say) the tubing takes the Beggs-Robinson formula itself.
  if (ierr != 0 || !(l.oil_viscosity > 0.0)) {
    l.oil_viscosity = beggs_robinson_oil_viscosity(api, t, l.rs);
  }
  if (tables.use_table(Property::kOilViscosity)) {
    l.oil_viscosity = property_table_value(tables, Property::kOilViscosity, t, pc);
  }
  return true;
}

PseudoCritical model_pseudo_critical(TubingFluidModel model, double gas_sg) {
  switch (model) {
    case TubingFluidModel::kStockTank:
      return hagedorn_sheet_pseudo_critical(gas_sg);
    case TubingFluidModel::kGuoBlackOil:
      return ahmed_pseudo_critical(gas_sg);
    default:
      return standing_pseudo_critical(gas_sg);
  }
}

}  // namespace

std::string_view tubing_fluid_name(TubingFluidModel model) {
  switch (model) {
    case TubingFluidModel::kWell:
      return "well";
    case TubingFluidModel::kStockTank:
      return "stock_tank";
    case TubingFluidModel::kGuoBlackOil:
      return "guo_black_oil";
    case TubingFluidModel::kDryGas:
      return "dry_gas";
  }
  return "";
}

std::optional<TubingFluidModel> tubing_fluid_from_name(std::string_view name) {
  for (TubingFluidModel m : {TubingFluidModel::kWell, TubingFluidModel::kStockTank,
                             TubingFluidModel::kGuoBlackOil, TubingFluidModel::kDryGas}) {
    if (tubing_fluid_name(m) == name) return m;
  }
  return std::nullopt;
}

UnitRates unit_rates(const TubingFluid& fluid) {
  UnitRates u;
  double wc = fluid.water_cut;
  if (!(wc > 0.0)) wc = 0.0;
  if (wc > 1.0) wc = 1.0;
  if (fluid.basis == RateBasis::kLiquid) {
    u.water = wc;
    u.oil = 1.0 - wc;
    u.gas = fluid.gas_liquid_ratio > 0.0 ? fluid.gas_liquid_ratio : 0.0;
  } else {
    const double liquid = fluid.liquid_yield > 0.0 ? fluid.liquid_yield / 1000.0 : 0.0;
    u.water = wc * liquid;
    u.oil = liquid - u.water;
    u.gas = 1000.0;
  }
  return u;
}

namespace {

void prepare_terms(const TubingFluid& fluid, FluidTerms& k) {
  k.prepared = true;
  k.units = unit_rates(fluid);
  const UnitRates& u = k.units;
  k.oil_sg = oil_sg_of(fluid.api_gravity);
  k.gravity_root = std::sqrt(fluid.gas_sg / k.oil_sg);
  k.gor = u.oil > 0.0 ? u.gas / u.oil : 0.0;
  const double liquid_mass_per_stb = fluid.model == TubingFluidModel::kStockTank
                                         ? kWaterDensity * kStockTankBarrel
                                         : kLiquidMassPerStb;
  k.mass = liquid_mass_per_stb * (u.oil * k.oil_sg + u.water * fluid.water_sg) +
           kAirDensity * fluid.gas_sg * u.gas;
  const bool well_liquids =
      fluid.model == TubingFluidModel::kWell && fluid.basis == RateBasis::kLiquid;
  // The oil viscosity is worked out only where it is not given and there is
  // oil to weigh it.
  k.given_water_fvf = given(fluid.water_fvf);
  k.given_oil_viscosity = given(fluid.oil_viscosity);
  k.given_water_viscosity = given(fluid.water_viscosity);
  k.given_surface_tension = given(fluid.surface_tension);
  k.water_cut = fluid.water_cut > 0.0 ? fluid.water_cut : 0.0;
  if (k.water_cut > 1.0) k.water_cut = 1.0;
  k.dead_oil_needed = !well_liquids && !k.given_oil_viscosity && fluid.water_cut < 1.0;
  k.solution_gas = fluid.model == TubingFluidModel::kGuoBlackOil && u.oil > 0.0;
  k.dead_oil_gravity_term = beggs_robinson_gravity_term(fluid.api_gravity);
  k.gas_terms = gas_terms(fluid.gas_sg, model_pseudo_critical(fluid.model, fluid.gas_sg));
  k.ln_critical_pressure = std::log(k.gas_terms.critical.pressure);
}

void temperature_terms(const TubingFluid& fluid, double t, FluidTerms& k) {
  k.temperature_valid = true;
  k.temperature = t;
  if (fluid.model != TubingFluidModel::kWell) {
    k.gas = gas_temperature_terms(t, k.gas_terms);
  }
  k.rs_term = standing_rs_term(t, fluid.api_gravity);
  if (k.dead_oil_needed) {
    k.dead_oil_viscosity = beggs_robinson_dead_oil(k.dead_oil_gravity_term, t);
    // The live oil's power of the dead oil, only where there is solution gas.
    if (k.solution_gas) k.ln_dead_oil_viscosity = std::log(k.dead_oil_viscosity);
  }
  k.dead_oil_tension = dead_oil_surface_tension(fluid.api_gravity, t);
}

// The liquids at (p, t), given values in place of worked-out ones. The
// simplified fluids and the well model's gas wells take B = 1 (Guo's black
// oil then takes its own Bo) with the solution gas of the model, water at
// 0.5 cp. False when the well model's liquids cannot be worked out.
bool liquids_at(const TubingFluid& fluid, const FluidTerms& k, double p, double t, double ln_p,
                Liquids& l) {
  if (fluid.model == TubingFluidModel::kWell && fluid.basis == RateBasis::kLiquid) {
    if (!well_liquids(fluid, k.units, p, t, l)) return false;
  } else {
    double rs = 0.0;
    if (k.solution_gas) {
      rs = standing_solution_gor_at(fluid.gas_sg, k.rs_term, ln_p);
      if (rs > k.gor) rs = k.gor;
    }
    l.rs = rs;
    l.water_viscosity = kSpreadsheetWaterViscosity;
    if (k.dead_oil_needed) {
      l.oil_viscosity = beggs_robinson_live_oil(k.dead_oil_viscosity, k.ln_dead_oil_viscosity, rs);
    }
    if (rs > 0.0) l.bo = guo_oil_fvf_at(rs, t, k.gravity_root);
  }
  if (k.given_water_fvf) l.bw = fluid.water_fvf;
  if (k.given_oil_viscosity) l.oil_viscosity = fluid.oil_viscosity;
  if (k.given_water_viscosity) l.water_viscosity = fluid.water_viscosity;
  return true;
}

// The gas deviation factor and viscosity (cp) at (p, t).
struct GasAt {
  double z = 1.0;
  double viscosity = 0.0;
};

GasAt gas_at(const TubingFluid& fluid, const FluidTerms& k, double p, double t, double ln_p) {
  GasAt g;
  if (fluid.model == TubingFluidModel::kWell) {
    const FluidTables tables =
        fluid.well.tables.base != nullptr ? fluid.well.tables : FluidTables{kNoTables.data()};
    gas_z_and_viscosity(tables, t, p, fluid.gas_sg, g.z, g.viscosity);
  } else {
    const double ppr = p / k.gas_terms.critical.pressure;
    g.z = brill_beggs_z_at(k.gas, ppr, ln_p - k.ln_critical_pressure);
    g.viscosity = ckb_gas_viscosity_at(k.gas, ppr);
  }
  return g;
}

// The gas-liquid surface tension at (p, t) of a liquid whose volume
// fraction of oil is f_o, unless the fluid gives one.
double surface_tension_at(const TubingFluid& fluid, const FluidTerms& k, double f_o, double p,
                          double t, double ln_p) {
  if (k.given_surface_tension) return fluid.surface_tension;
  const double sigma_o = live_oil_surface_tension_at(k.dead_oil_tension, ln_p);
  // The gas-water tension takes the pressure raised to 14.7 psia.
  const double sigma_w =
      gas_water_surface_tension_at(t, p >= kAtmosphere ? ln_p : std::log(kAtmosphere));
  return liquid_surface_tension(f_o, sigma_o, sigma_w);
}

// Writes the fluid at (pressure, temperature) into s.
void evaluate(const TubingFluid& fluid, double pressure, double temperature, FluidTerms& k,
              FluidState& s) {
  s = FluidState{};
  s.pressure = pressure;
  s.temperature = temperature;
  const double p = pressure;
  const double t = temperature;
  const double tr = t + kRankineOffset;
  if (!(p > 0.0) || !std::isfinite(p) || !(tr > 0.0) || !std::isfinite(t)) return;
  if (!k.prepared) prepare_terms(fluid, k);
  if (!k.temperature_valid || k.temperature != t) temperature_terms(fluid, t, k);
  const UnitRates& u = k.units;
  const double gamma_o = k.oil_sg;
  const double gamma_g = fluid.gas_sg;
  const double gamma_w = fluid.water_sg;
  const double ln_p = std::log(p);

  Liquids l;
  if (!liquids_at(fluid, k, p, t, ln_p, l)) return;
  const GasAt gas = gas_at(fluid, k, p, t, ln_p);
  const double z = gas.z;
  const double mu_g = gas.viscosity;

  // Oil and water mixed by their in-situ volumes (stock-tank volumes where
  // B = 1), weights from the water cut so that a well without liquid still
  // has a liquid to report.
  const double wc = k.water_cut;
  const double oil_part = (1.0 - wc) * l.bo;
  const double water_part = wc * l.bw;
  const double f_o = oil_part / (oil_part + water_part);
  const double f_w = 1.0 - f_o;
  const double rho_o = (kWaterDensity * gamma_o + kDissolvedGasDensity * l.rs * gamma_g) / l.bo;
  const double rho_w = kWaterDensity * gamma_w / l.bw;

  s.solution_gor = l.rs;
  s.oil_fvf = l.bo;
  s.water_fvf = l.bw;
  s.z = z;
  s.liquid_density = f_o * rho_o + f_w * rho_w;
  s.liquid_viscosity = f_o * l.oil_viscosity + f_w * l.water_viscosity;
  s.gas_density = kAirMolarMass * gamma_g * p / (kGasConstant * z * tr);
  s.gas_viscosity = mu_g;
  s.surface_tension = surface_tension_at(fluid, k, f_o, p, t, ln_p);
  s.liquid_volume = kStockTankBarrel * (u.oil * l.bo + u.water * l.bw);
  double free_gas = u.gas - l.rs * u.oil;
  if (free_gas < 0.0) free_gas = 0.0;
  const double bg = (kAtmosphere / p) * (tr / kStandardTemperature) * z;  // ft3/scf
  s.free_gas_volume = free_gas * bg;
  s.mass = k.mass;

  s.ok = std::isfinite(s.liquid_density) && s.liquid_density > 0.0 && std::isfinite(z) && z > 0.0 &&
         std::isfinite(mu_g) && mu_g > 0.0 && std::isfinite(s.liquid_viscosity) &&
         s.liquid_viscosity > 0.0 && std::isfinite(s.surface_tension) &&
         std::isfinite(s.liquid_volume) && std::isfinite(s.free_gas_volume) &&
         std::isfinite(s.mass);
}

}  // namespace

FluidState evaluate_fluid(const TubingFluid& fluid, double pressure, double temperature) {
  FluidTerms terms;
  FluidState s;
  evaluate(fluid, pressure, temperature, terms, s);
  return s;
}

const FluidState& cached_fluid(const TubingFluid& fluid, double pressure, double temperature,
                               FluidCache& cache) {
  if (!cache.valid || cache.last.pressure != pressure || cache.last.temperature != temperature) {
    evaluate(fluid, pressure, temperature, cache.terms, cache.last);
    cache.valid = true;
    ++cache.evaluations;
  }
  return cache.last;
}

FlowPoint flow_point(const FluidState& state, double rate, const Pipe& pipe, double inclination) {
  FlowPoint f;
  const double d = pipe.inside_diameter / 12.0;
  const double area = std::numbers::pi * d * d / 4.0;
  const double per_second = rate / (86400.0 * area);
  f.superficial_liquid_velocity = state.liquid_volume * per_second;
  f.superficial_gas_velocity = state.free_gas_volume * per_second;
  f.liquid_density = state.liquid_density;
  f.gas_density = state.gas_density;
  f.liquid_viscosity = state.liquid_viscosity;
  f.gas_viscosity = state.gas_viscosity;
  f.surface_tension = state.surface_tension;
  f.inside_diameter = pipe.inside_diameter;
  f.roughness = pipe.roughness;
  f.inclination = inclination;
  f.pressure = state.pressure;
  f.mass_rate = state.mass * rate;
  return f;
}

}  // namespace dlv
