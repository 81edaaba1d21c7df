// What the numbers of a result describe: a derived fluid property is printed
// only where the library computed it for the layer or the well file gave it,
// a drawdown is always the layer's reservoir pressure minus the pressure on
// its own row, and a flowing pressure below 0 psi gauge after the completion
// loss is left empty and reported.
#include "wellfile/meaning.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <nlohmann/json.hpp>

#include "blocks/blocks.hpp"
#include "dlv/dlv_layout.h"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// Each property belongs to the family whose rule decides when it has
// something to describe.
enum class Family {
  oil,           // computed by the oil correlations or the built-in crudes
  oil_sg,        // also converted from a given API gravity under fluid_type none
  oil_fraction,  // one minus the water cut, wherever the fluid stage ran in oil production
  bubble_point,  // the oil's; given, or computed by the oil correlations or crudes
  water,         // water of the layer: computed by the fluid stage, or given
  water_sg,      // given, or set by a built-in crude
  gas,           // gas viscosity of the gas-property routine
  gas_z,         // z of the gas-property routine; or 1, the ideal gas that gas
                 // production takes under fluid_type none
  gas_sg,        // given, or set by a built-in crude or copied from layer 0
  liquid,        // the oil/water mixture the oil curve methods use
};

struct OutputField {
  const char* name;
  std::size_t slot;
  const char* unit;
  Family family;
};
const OutputField kFluidOutputs[] = {
    {"oil_sg", DLV_LAYER_FLUIDS_OIL_SG, "water=1", Family::oil_sg},
    {"oil_viscosity", DLV_LAYER_FLUIDS_OIL_VISCOSITY, "cp", Family::oil},
    {"water_viscosity", DLV_LAYER_FLUIDS_WATER_VISCOSITY, "cp", Family::water},
    {"liquid_viscosity", DLV_LAYER_FLUIDS_LIQUID_VISCOSITY, "cp", Family::liquid},
    {"gas_viscosity", DLV_LAYER_FLUIDS_GAS_VISCOSITY, "cp", Family::gas},
    {"oil_fvf", DLV_LAYER_FLUIDS_OIL_FVF, "RB/STB", Family::oil},
    {"water_fvf", DLV_LAYER_FLUIDS_WATER_FVF, "RB/STB", Family::water},
    {"liquid_fvf", DLV_LAYER_FLUIDS_LIQUID_FVF, "RB/STB", Family::liquid},
    {"liquid_density", DLV_LAYER_FLUIDS_LIQUID_DENSITY, "lb/ft3", Family::liquid},
    {"oil_fraction", DLV_LAYER_FLUIDS_OIL_FRACTION, "fraction", Family::oil_fraction},
    {"solution_gor", DLV_LAYER_FLUIDS_SOLUTION_GOR, "scf/STB", Family::oil},
    {"gas_z_factor", DLV_LAYER_FLUIDS_GAS_Z_FACTOR, "", Family::gas_z},
    {"water_sg", DLV_LAYER_FLUIDS_WATER_SG, "water=1", Family::water_sg},
    {"gas_sg", DLV_LAYER_FLUIDS_GAS_SG, "air=1", Family::gas_sg},
    {"bubble_point", DLV_LAYER_FLUIDS_BUBBLE_POINT, "psi gauge", Family::bubble_point},
};

constexpr int kFluidNone = 0;
constexpr int kFluidCrudeSamples = 2;

bool oil_per_layer_method(int method) {
  return method == DLV_OIL_METHOD_DARCY_NONDARCY || method == DLV_OIL_METHOD_DARCY_VOGEL ||
         method == DLV_OIL_METHOD_HORIZONTAL || method == DLV_OIL_METHOD_FRACTURED;
}

// What the run did for one layer, read from the blocks after the call.
struct LayerRun {
  int mode, method, fluid_type, layer;
  bool fluid_stage;  // the fluid-property stage ran on the layer
  bool mixture;      // the oil/water mixture was formed for the layer
  bool gas_routine;  // the gas-property routine ran on the layer
  bool has_water, has_gas;
  const json* given;  // the layer object of the well file
};

LayerRun layer_run(const Blocks& b, const json& doc, int L) {
  LayerFluids f{const_cast<double*>(b.layer_fluids.data())};
  FluidTables t{const_cast<double*>(b.fluid_tables.data())};
  LayerRun r{};
  r.mode = b.calc_mode;
  r.method = method_code_of(b);
  r.fluid_type = f.fluid_type();
  r.layer = L;
  const bool oil_layers = r.mode == DLV_MODE_OIL_PRODUCTION && oil_per_layer_method(r.method);
  r.fluid_stage =
      L == 0 || (oil_layers && r.fluid_type > 0) ||
      (r.mode == DLV_MODE_GAS_PRODUCTION && r.fluid_type >= 1) ||
      (r.mode == DLV_MODE_WATER_INJECTION && r.method == DLV_WATER_INJECTION_METHOD_SKIN);
  r.mixture = L == 0 || oil_layers;
  r.gas_routine = L == 0 || (r.mode == DLV_MODE_GAS_PRODUCTION && r.fluid_type >= 1) ||
                  (r.mode == DLV_MODE_GAS_INJECTION && r.method == DLV_GAS_INJECTION_METHOD_SKIN);
  r.has_water = r.mode == DLV_MODE_WATER_INJECTION || f.water_cut()[L] > 0;
  r.has_gas = f.gas_sg()[L] > 0 || t.use_table(layout::tables::Property::kGasZFactor) ||
              t.use_table(layout::tables::Property::kGasViscosity);
  r.given = &doc["layers"][static_cast<std::size_t>(L)];
  return r;
}

bool given(const LayerRun& r, const char* name) { return r.given->contains(name); }

bool oil_computed(const LayerRun& r) {
  return r.mode == DLV_MODE_OIL_PRODUCTION && r.fluid_stage && r.fluid_type != kFluidNone &&
         r.fluid_type <= 4;
}

bool bubble_point_meaningful(const LayerRun& r, double value) {
  if (given(r, "bubble_point")) return true;
  // The crude samples set a bubble point only when the producing GOR
  // reaches the solution GOR; otherwise the slot holds nothing of theirs.
  if (r.fluid_type == kFluidCrudeSamples && value == 0) return false;
  return oil_computed(r);
}

// The oil/water mixture of a layer where it was formed: all water when the
// water cut is 1, else from the oil the library computed.
bool liquid_meaningful(const LayerRun& r, const LayerFluids& f) {
  if (f.water_cut()[r.layer] >= 1) return r.has_water && r.fluid_stage;
  return oil_computed(r);
}

// Whether a property of the layer describes something; value is what the
// library left in its slot.
bool meaningful(const OutputField& o, const LayerRun& r, const Blocks& b, double value) {
  LayerFluids f{const_cast<double*>(b.layer_fluids.data())};
  const bool oil_mode = r.mode == DLV_MODE_OIL_PRODUCTION;
  switch (o.family) {
    case Family::oil:
      return (oil_mode && oil_computed(r)) || given(r, o.name);
    case Family::oil_sg:
      return oil_mode && (oil_computed(r) || (r.fluid_stage && f.api_gravity()[r.layer] > 0));
    case Family::oil_fraction:
      return oil_mode && r.fluid_stage;
    case Family::bubble_point:
      return bubble_point_meaningful(r, value);
    case Family::water:
      return r.has_water && (r.fluid_stage || given(r, o.name));
    case Family::water_sg:
      return r.has_water && value > 0;
    case Family::gas_z:
      if (r.mode == DLV_MODE_GAS_PRODUCTION && r.fluid_type < 1) return true;
      return r.gas_routine && r.has_gas;
    case Family::gas:
      return r.gas_routine && r.has_gas;
    case Family::gas_sg:
      return value > 0;
    case Family::liquid:
      return oil_mode && r.mixture && liquid_meaningful(r, f);
  }
  return false;
}

}  // namespace

void add_fluid_property_units(json& units) {
  for (const OutputField& o : kFluidOutputs) units[o.name] = o.unit;
  units["result_bubble_point"] = "psi gauge";
}

bool is_fluid_output(const char* name) {
  for (const OutputField& o : kFluidOutputs)
    if (std::strcmp(o.name, name) == 0) return true;
  return false;
}

void fluid_property_values(const Blocks& b, const json& doc, int L, FluidPropertyRow& out) {
  static_assert(std::size(kFluidOutputs) + 1 == kFluidPropertyCount);
  const LayerRun r = layer_run(b, doc, L);
  LayerResults res{const_cast<double*>(b.results.data())};
  std::size_t k = 0;
  const OutputField* bubble = nullptr;
  for (const OutputField& o : kFluidOutputs) {
    const double v = b.layer_fluids[o.slot + static_cast<std::size_t>(L)];
    // A property that no slot value can describe (a zero z, gravity or
    // viscosity, or NaN) is empty too.
    const bool zero_means_none =
        o.family != Family::oil_fraction && o.family != Family::bubble_point;
    const bool empty = !std::isfinite(v) || (zero_means_none && v == 0);
    out[k++] = {o.name, !empty && meaningful(o, r, b, v) ? v : kNoValue};
    if (o.family == Family::bubble_point) bubble = &o;
  }
  // The bubble point the curve method used belongs with the oil's.
  const double rbp = res.result_bubble_point()[L];
  out[k] = {"result_bubble_point", r.mode == DLV_MODE_OIL_PRODUCTION && std::isfinite(rbp) &&
                                           meaningful(*bubble, r, b, rbp)
                                       ? rbp
                                       : kNoValue};
}

json fluid_properties_json(const Blocks& b, const json& doc, int L) {
  FluidPropertyRow row;
  fluid_property_values(b, doc, L, row);
  json fp = json::object();
  for (const FluidPropertyValue& p : row)
    fp[p.name] = std::isnan(p.value) ? json(nullptr) : json(p.value);
  return fp;
}

void set_drawdown(json& curve, double reservoir_pressure) {
  json dd = json::array();
  for (const json& p : curve["pressure"])
    dd.push_back(p.is_number() ? json(reservoir_pressure - p.get<double>()) : json(nullptr));
  curve["drawdown"] = dd;
}

std::string below_zero_note(const std::string& path, int count, double lowest) {
  if (count == 0) return "";
  char low[32];
  std::snprintf(low, sizeof low, "%.1f", lowest);
  return path + ": " + std::to_string(count) + (count == 1 ? " point" : " points") +
         " below 0 psi gauge (lowest " + low +
         " psi gauge) left empty: the completion loss there exceeds the flowing pressure";
}

std::string empty_pressures_below_zero(json& curve, const std::string& path,
                                       const std::vector<const char*>& with) {
  int count = 0;
  double lowest = 0;
  for (std::size_t i = 0; i < curve["pressure"].size(); ++i) {
    json& p = curve["pressure"][i];
    if (!p.is_number() || p.get<double>() >= 0) continue;
    ++count;
    lowest = std::min(lowest, p.get<double>());
    p = nullptr;
    for (const char* k : with)
      if (curve.contains(k)) curve[k][i] = nullptr;
  }
  return below_zero_note(path, count, lowest);
}

bool well_water_sg_meaningful(int mode, double water_cut, double water_sg) {
  return std::isfinite(water_sg) && water_sg > 0 &&
         (mode == DLV_MODE_WATER_INJECTION || water_cut > 0);
}

}  // namespace dlv::wellfile
