// The one table of quantities and their units in the two unit systems of the
// named layer: oilfield ("field", the library's own) and metric oilfield
// ("metric"). The field table, the tubing object and every result document
// name their quantities from here; the checks, the schema, the field page,
// the conversions and the column headers read the texts and factors here.
//
// Standard volumes: one standard cubic foot is 0.028316846592 standard cubic
// metres and one stock-tank barrel 0.158987294928 standard cubic metres, by
// volume alone: the field reference conditions (60 degF, 14.696 psia) and the
// metric ones (15 degC, 1.01325 bar) are taken as the same state, as the
// simulators' lift tables do.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

enum class UnitSystem { field, metric };

// "field" or "metric"; nullopt for any other text.
std::optional<UnitSystem> unit_system_from_name(std::string_view name);
const char* unit_system_name(UnitSystem s);
// "field or metric": the choices, for messages.
const char* unit_system_choices();
// The system a well document is written in: its "units" key, field when absent.
// The document must have passed its checks (an unknown name reads as field).
UnitSystem document_unit_system(const json& doc);

enum class Quantity {
  dimensionless,
  fraction,
  specific_gravity_water,
  specific_gravity_air,
  api_gravity,
  time_day,
  angle,
  pressure_gauge,
  pressure_absolute,
  pressure_difference,
  temperature,
  temperature_absolute,  // degR <-> K
  length,
  short_length,  // in <-> mm: diameters, widths, tunnel lengths, roughness
  area,
  permeability,
  permeability_darcy,
  liquid_rate,
  gas_rate,
  mode_rate,  // the well's own rate: liquid in oil production and water injection, else gas
  gas_oil_ratio,
  liquid_gas_ratio,  // bbl/Mscf, as results state it
  liquid_yield,      // bbl/MMscf, as well files state it
  formation_volume_factor,
  viscosity,
  density,
  density_lb,  // the same as density, under the older text lb/ft3
  velocity,
  diameter_density_velocity,  // D rho v of the Reynolds number, lbm/(ft s)
  pressure_gradient,
  surface_tension,
  compressibility,
  productivity_index,
  shot_density,
  non_darcy_coefficient,
  liquid_pressure_per_rate,  // psi per STB/d: slopes of the operating point
  gas_pressure_per_rate,     // psi per Mscf/d
  // Quantities whose conversion depends on other values of the document:
  backpressure_coefficient,  // C of q = C (pr^2 - pwf^2)^n: rate and pressure^(2n)
  injection_coefficient,     // rate per pressure, squared pressure or pseudo-pressure, by pair
  surface_term,              // factors b (dimensionless) and a (pressure difference)
};

// metric = field * factor + offset. A quantity whose factor depends on other
// values has factor 0 here (see the routines below for its rule).
struct QuantityUnits {
  Quantity quantity;
  const char* name;
  const char* field_unit;
  const char* metric_unit;
  double factor;
  double offset;
};

std::span<const QuantityUnits> quantity_table();
const QuantityUnits& quantity_units(Quantity q);
const char* unit_text(Quantity q, UnitSystem s);
// A quantity with one factor (not one of the three document-dependent ones).
bool simple_quantity(Quantity q);
double to_metric(Quantity q, double field_value);
double to_field(Quantity q, double metric_value);
double convert(Quantity q, double value, UnitSystem from, UnitSystem to);
// The liquid or gas rate a mode_rate is in the given mode (a code of mode_names()).
Quantity rate_quantity(Quantity q, int mode);

// The factor from field to metric of the coefficient C of q = C (pr^2 - pwf^2)^n.
double backpressure_coefficient_factor(int mode, double n);
// The factor from field to metric of the injectivity coefficients of a pair
// (0 water, per pressure; 1 gas, per pressure; 2 gas, per squared pressure;
// 3 gas, per pseudo-pressure in psi^2/cp).
double injection_coefficient_factor(int pair);

// The row whose field text is `unit`; nullptr for a text the table does not hold.
const QuantityUnits* quantity_of_field_unit(std::string_view unit);

// A result document converted to the unit system asked for. Result documents
// are written in field units with a `units` map from key to unit text; each
// key whose text the table holds is converted wherever it appears (numbers
// and arrays of numbers, in any nested object), and its text replaced. A key
// the map does not name, and a text the table does not hold, are left as they
// are, so any result document (curves, traverses, operating points, lift
// tables) converts without this routine knowing its keys. A document already
// in metric units, or asked for in field units, is returned unchanged.
json convert_result(const json& result, UnitSystem to);

// A well document in metric units made into the same document in field units
// (units key removed); a field document is returned unchanged. The document
// must have passed validate_well.
json to_field_document(const json& doc);
// The document in field units: the document itself when it is written in
// them, else its conversion, kept in CONVERTED.
const json& field_document(const json& doc, json& converted);

}  // namespace dlv::wellfile
