#include "wellfile/units_table.hpp"

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>

#include "dlv/dlv_layout.h"
#include "wellfile/fields.hpp"
#include "wellfile/tubing_document.hpp"

namespace dlv::wellfile {
namespace {

// Exact factors: the international foot, inch and pound, the psi from them and
// standard gravity, the barrel of 42 US gallons.
constexpr double kFoot = 0.3048;                 // m
constexpr double kInch = 25.4;                   // mm
constexpr double kPsi = 6894.757293168 / 1e5;    // bar
constexpr double kBarrel = 0.158987294928;       // m3
constexpr double kCubicFoot = 0.028316846592;    // m3
constexpr double kPound = 0.45359237;            // kg
constexpr double kAcre = 43560 * kFoot * kFoot;  // m2, the international acre

using Q = Quantity;
const QuantityUnits kQuantities[] = {
    {Q::dimensionless, "dimensionless", "", "", 1, 0},
    {Q::fraction, "fraction", "fraction", "fraction", 1, 0},
    {Q::specific_gravity_water, "specific_gravity_water", "water=1", "water=1", 1, 0},
    {Q::specific_gravity_air, "specific_gravity_air", "air=1", "air=1", 1, 0},
    {Q::api_gravity, "api_gravity", "degAPI", "degAPI", 1, 0},
    {Q::time_day, "time", "day", "day", 1, 0},
    {Q::angle, "angle", "degrees from vertical", "degrees from vertical", 1, 0},
    {Q::pressure_gauge, "pressure_gauge", "psi gauge", "bar gauge", kPsi, 0},
    {Q::pressure_absolute, "pressure_absolute", "psia", "bar absolute", kPsi, 0},
    {Q::pressure_difference, "pressure_difference", "psi", "bar", kPsi, 0},
    {Q::temperature, "temperature", "degF", "degC", 1 / 1.8, -32 / 1.8},
    {Q::temperature_absolute, "temperature_absolute", "degR", "K", 1 / 1.8, 0},
    {Q::length, "length", "ft", "m", kFoot, 0},
    {Q::short_length, "diameter", "in", "mm", kInch, 0},
    {Q::area, "area", "acre", "m2", kAcre, 0},
    {Q::permeability, "permeability", "md", "mD", 1, 0},
    {Q::permeability_darcy, "permeability_darcy", "darcy", "D", 1, 0},
    {Q::liquid_rate, "liquid_rate", "STB/d", "sm3/d", kBarrel, 0},
    {Q::gas_rate, "gas_rate", "Mscf/d", "sm3/d", 1000 * kCubicFoot, 0},
    {Q::mode_rate, "rate", "STB/d (oil, water) or Mscf/d (gas)", "sm3/d", 0, 0},
    {Q::gas_oil_ratio, "gor", "scf/STB", "sm3/sm3", kCubicFoot / kBarrel, 0},
    {Q::liquid_gas_ratio, "liquid_gas_ratio", "bbl/Mscf", "sm3/sm3", kBarrel / (1000 * kCubicFoot),
     0},
    {Q::liquid_yield, "liquid_yield", "bbl/MMscf", "sm3/1e6 sm3", kBarrel / kCubicFoot, 0},
    {Q::formation_volume_factor, "formation_volume_factor", "RB/STB", "rm3/sm3", 1, 0},
    {Q::viscosity, "viscosity", "cp", "mPa.s", 1, 0},
    {Q::density, "density", "lbm/ft3", "kg/m3", kPound / (kFoot * kFoot * kFoot), 0},
    {Q::density_lb, "density", "lb/ft3", "kg/m3", kPound / (kFoot * kFoot * kFoot), 0},
    {Q::velocity, "velocity", "ft/s", "m/s", kFoot, 0},
    {Q::diameter_density_velocity, "diameter_density_velocity", "lbm/(ft s)", "kg/(m s)",
     kPound / kFoot, 0},
    {Q::pressure_gradient, "pressure_gradient", "psi/ft", "bar/m", kPsi / kFoot, 0},
    {Q::surface_tension, "surface_tension", "dyn/cm", "mN/m", 1, 0},
    {Q::compressibility, "compressibility", "1/psi", "1/bar", 1 / kPsi, 0},
    {Q::productivity_index, "productivity_index", "STB/d/psi", "sm3/d/bar", kBarrel / kPsi, 0},
    {Q::shot_density, "shot_density", "shots/ft", "shots/m", 1 / kFoot, 0},
    {Q::non_darcy_coefficient, "non_darcy_coefficient", "d/Mscf", "d/sm3", 1 / (1000 * kCubicFoot),
     0},
    {Q::liquid_pressure_per_rate, "liquid_pressure_per_rate", "psi per STB/d", "bar per sm3/d",
     kPsi / kBarrel, 0},
    {Q::gas_pressure_per_rate, "gas_pressure_per_rate", "psi per Mscf/d", "bar per sm3/d",
     kPsi / (1000 * kCubicFoot), 0},
    {Q::backpressure_coefficient, "backpressure_coefficient", "rate/psi^(2n)", "sm3/d/bar^(2n)", 0,
     0},
    {Q::injection_coefficient, "injection_coefficient", "rate per pressure unit of the form",
     "sm3/d per bar, bar^2 or bar^2/(mPa.s), by form", 0, 0},
    {Q::surface_term, "surface_term", "b: factor, a: psi", "b: factor, a: bar", 0, 0},
};

bool gas_mode(int mode) {
  return mode == DLV_MODE_GAS_PRODUCTION || mode == DLV_MODE_GAS_INJECTION;
}

int mode_of(const json& doc) {
  if (!doc.is_object() || !doc.contains("mode") || !doc["mode"].is_string()) return -1;
  return name_code(mode_names(), doc["mode"].get<std::string>());
}

void convert_value(json& v, const QuantityUnits& row, const json& owner, int mode) {
  if (v.is_number()) {
    double factor = row.factor;
    if (row.quantity == Q::backpressure_coefficient) {
      if (!owner.contains("backpressure_n") || !owner["backpressure_n"].is_number()) return;
      factor = backpressure_coefficient_factor(mode, owner["backpressure_n"].get<double>());
    }
    v = v.get<double>() * factor + row.offset;
  } else if (v.is_array()) {
    for (json& e : v) convert_value(e, row, owner, mode);
  }
}

void convert_tree(json& node, const std::map<std::string, const QuantityUnits*>& keys, int mode) {
  if (node.is_array()) {
    for (json& e : node) convert_tree(e, keys, mode);
    return;
  }
  if (!node.is_object()) return;
  const json owner = node;  // the unconverted siblings (the exponent n of a coefficient)
  for (auto it = node.begin(); it != node.end(); ++it) {
    if (it.key() == "units") continue;
    const auto k = keys.find(it.key());
    if (k != keys.end() && !it.value().is_object())
      convert_value(it.value(), *k->second, owner, mode);
    else
      convert_tree(it.value(), keys, mode);
  }
}

// A number of a metric document in field units.
void number_to_field(json& v, Quantity q) {
  const QuantityUnits& u = quantity_units(q);
  if (v.is_number() && !(u.factor == 1 && u.offset == 0)) v = to_field(q, v.get<double>());
}

// The pairs of injectivity coefficients in field units, each by its own factor.
void pairs_to_field(json& v) {
  for (std::size_t k = 0; v.is_array() && k < v.size(); ++k)
    for (json& e : v[k])
      if (e.is_number()) e = e.get<double>() / injection_coefficient_factor(static_cast<int>(k));
}

// One value of a field in field units; obj is the object holding it, whose
// other values a unit may depend on.
void value_to_field(json& v, const json& obj, const Field& f, int mode) {
  const Quantity q = rate_quantity(f.quantity, mode);
  if (q == Q::backpressure_coefficient) {
    // validate_well refuses a metric coefficient without its exponent.
    const char* n = f.unit_partner ? f.unit_partner->field : "";
    if (v.is_number() && obj.contains(n) && obj[n].is_number())
      v = v.get<double>() / backpressure_coefficient_factor(mode, obj[n].get<double>());
  } else if (q == Q::injection_coefficient) {
    pairs_to_field(v);
  } else if (q == Q::surface_term) {
    // b is a plain factor, a a pressure difference.
    if (v.is_array() && v.size() > 1) number_to_field(v[1], Q::pressure_difference);
  } else if (v.is_array()) {
    for (json& e : v) number_to_field(e, q);
  } else {
    number_to_field(v, q);
  }
}

// The values of one object of a group of the field table, in field units.
void object_to_field(json& obj, Group g, int mode) {
  if (!obj.is_object()) return;
  for (auto it = obj.begin(); it != obj.end(); ++it) {
    const Field* f = find_field(g, it.key());
    if (f && f->kind != Kind::named) value_to_field(it.value(), obj, *f, mode);
  }
}

Quantity table_property_quantity(const json& tab) {
  const TableValues* v = tab.contains("property") && tab["property"].is_string()
                             ? table_values(tab["property"].get<std::string>())
                             : nullptr;
  return v ? v->quantity : Q::dimensionless;
}

// The axes and values of the fluid's property tables in field units.
void tables_to_field(json& tables) {
  for (json& tab : tables) {
    if (!tab.is_object()) continue;
    if (tab.contains("temperatures"))
      for (json& t : tab["temperatures"]) number_to_field(t, Q::temperature);
    if (tab.contains("pressures"))
      for (json& p : tab["pressures"]) number_to_field(p, Q::pressure_absolute);
    const Quantity q = table_property_quantity(tab);
    if (tab.contains("values"))
      for (json& row : tab["values"])
        for (json& v : row) number_to_field(v, q);
  }
}

}  // namespace

json to_field_document(const json& doc) {
  if (document_unit_system(doc) != UnitSystem::metric) return doc;
  json out = doc;
  out.erase("units");
  const int mode = mode_of(doc);
  for (Group g : {Group::layer, Group::test}) {
    const std::string key = group_key(g);
    if (!out.contains(key) || !out[key].is_array()) continue;
    for (json& o : out[key]) object_to_field(o, g, mode);
  }
  for (Group g : {Group::well, Group::rate_test, Group::separator, Group::completion,
                  Group::traverse, Group::fluid})
    if (out.contains(group_key(g))) object_to_field(out[group_key(g)], g, mode);
  if (out.contains("fluid") && out["fluid"].is_object() && out["fluid"].contains("tables"))
    tables_to_field(out["fluid"]["tables"]);
  if (out.contains("tubing")) out["tubing"] = tubing_to_field_units(out["tubing"]);
  return out;
}

const json& field_document(const json& doc, json& converted) {
  if (document_unit_system(doc) != UnitSystem::metric) return doc;
  converted = to_field_document(doc);
  return converted;
}

std::optional<UnitSystem> unit_system_from_name(std::string_view name) {
  if (name == "field") return UnitSystem::field;
  if (name == "metric") return UnitSystem::metric;
  return std::nullopt;
}

const char* unit_system_name(UnitSystem s) { return s == UnitSystem::metric ? "metric" : "field"; }

const char* unit_system_choices() { return "field or metric"; }

UnitSystem document_unit_system(const json& doc) {
  if (doc.is_object() && doc.contains("units") && doc["units"].is_string())
    return unit_system_from_name(doc["units"].get<std::string>()).value_or(UnitSystem::field);
  return UnitSystem::field;
}

std::span<const QuantityUnits> quantity_table() { return kQuantities; }

const QuantityUnits& quantity_units(Quantity q) {
  for (const QuantityUnits& u : kQuantities)
    if (u.quantity == q) return u;
  return kQuantities[0];
}

const char* unit_text(Quantity q, UnitSystem s) {
  const QuantityUnits& u = quantity_units(q);
  return s == UnitSystem::metric ? u.metric_unit : u.field_unit;
}

bool simple_quantity(Quantity q) { return quantity_units(q).factor != 0; }

double to_metric(Quantity q, double v) {
  const QuantityUnits& u = quantity_units(q);
  return v * u.factor + u.offset;
}

double to_field(Quantity q, double v) {
  const QuantityUnits& u = quantity_units(q);
  return (v - u.offset) / u.factor;
}

double convert(Quantity q, double value, UnitSystem from, UnitSystem to) {
  if (from == to) return value;
  return to == UnitSystem::metric ? to_metric(q, value) : to_field(q, value);
}

Quantity rate_quantity(Quantity q, int mode) {
  if (q != Q::mode_rate) return q;
  return gas_mode(mode) ? Q::gas_rate : Q::liquid_rate;
}

double backpressure_coefficient_factor(int mode, double n) {
  const double rate = quantity_units(rate_quantity(Q::mode_rate, mode)).factor;
  return rate / std::pow(kPsi, 2 * n);
}

double injection_coefficient_factor(int pair) {
  // Pseudo-pressure is psi^2/cp; a centipoise is a millipascal second.
  switch (pair) {
    case 0:
      return kBarrel / kPsi;
    case 1:
      return 1000 * kCubicFoot / kPsi;
    default:
      return 1000 * kCubicFoot / (kPsi * kPsi);
  }
}

const QuantityUnits* quantity_of_field_unit(std::string_view unit) {
  for (const QuantityUnits& u : kQuantities)
    if (unit == u.field_unit) return &u;
  return nullptr;
}

json convert_result(const json& result, UnitSystem to) {
  if (to == UnitSystem::field || !result.is_object() || !result.contains("units") ||
      !result["units"].is_object())
    return result;
  json out = result;
  std::map<std::string, const QuantityUnits*> keys;
  for (auto& [k, v] : out["units"].items()) {
    if (!v.is_string()) continue;
    const QuantityUnits* row = quantity_of_field_unit(v.get<std::string>());
    if (!row || (row->factor == 0 && row->quantity != Q::backpressure_coefficient)) continue;
    keys[k] = row;
    v = row->metric_unit;
  }
  convert_tree(out, keys, mode_of(result));
  return out;
}

}  // namespace dlv::wellfile
