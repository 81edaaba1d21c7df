#include "field_table.hpp"

#include <algorithm>
#include <cctype>

#include "dlv/dlv_layout.h"
#ifdef DLV_WITH_WELLFILE
#include "wellfile/fields.hpp"
#endif

namespace dlv::python {

namespace {

constexpr std::size_t kLayers = DLV_LAYERS;
constexpr std::size_t kPoints = DLV_POINTS;

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

Field scalar(const char* block, std::string name, char kind, std::size_t byte) {
  return {block, lower(std::move(name)), kind, byte, 0, {}, {}, {}};
}
Field array(const char* block, std::string name, char kind, std::size_t byte, std::size_t n) {
  return {block, lower(std::move(name)), kind, byte, 1, {n}, {kind == 'd' ? 8u : 4u}, {}};
}

// Every field of the C field map; a field's name is its constant's name
// without the block prefix, in lower case.
#define DOUBLES(block, PREFIX, NAME, n) array(block, #NAME, 'd', DLV_##PREFIX##_##NAME * 8, n)
#define LAYERS(block, PREFIX, NAME) DOUBLES(block, PREFIX, NAME, kLayers)
#define DOUBLE(block, PREFIX, NAME) scalar(block, #NAME, 'd', DLV_##PREFIX##_##NAME * 8)
#define INTS(block, PREFIX, NAME, n) array(block, #NAME, 'i', DLV_##PREFIX##_##NAME##_BYTE, n)
#define INT(block, PREFIX, NAME) scalar(block, #NAME, 'i', DLV_##PREFIX##_##NAME##_BYTE)
#define FLAG(block, PREFIX, NAME) scalar(block, #NAME, 'b', DLV_##PREFIX##_##NAME##_BYTE)

std::vector<Field> layout_fields() {
  std::vector<Field> f = {
      INT("fluids", LAYER_FLUIDS, FLUID_TYPE),
      LAYERS("fluids", LAYER_FLUIDS, API_GRAVITY),
      LAYERS("fluids", LAYER_FLUIDS, WATER_CUT),
      LAYERS("fluids", LAYER_FLUIDS, LIQUID_YIELD),
      LAYERS("fluids", LAYER_FLUIDS, WATER_SG),
      LAYERS("fluids", LAYER_FLUIDS, GAS_SG),
      LAYERS("fluids", LAYER_FLUIDS, OIL_SG),
      LAYERS("fluids", LAYER_FLUIDS, PRODUCING_GOR),
      LAYERS("fluids", LAYER_FLUIDS, OIL_VISCOSITY),
      LAYERS("fluids", LAYER_FLUIDS, WATER_VISCOSITY),
      LAYERS("fluids", LAYER_FLUIDS, LIQUID_VISCOSITY),
      LAYERS("fluids", LAYER_FLUIDS, GAS_VISCOSITY),
      LAYERS("fluids", LAYER_FLUIDS, OIL_FVF),
      LAYERS("fluids", LAYER_FLUIDS, WATER_FVF),
      LAYERS("fluids", LAYER_FLUIDS, LIQUID_FVF),
      LAYERS("fluids", LAYER_FLUIDS, LIQUID_DENSITY),
      LAYERS("fluids", LAYER_FLUIDS, OIL_FRACTION),
      LAYERS("fluids", LAYER_FLUIDS, BUBBLE_POINT),
      INTS("fluids", LAYER_FLUIDS, BUBBLE_POINT_GIVEN, kLayers),
      LAYERS("fluids", LAYER_FLUIDS, SOLUTION_GOR),
      LAYERS("fluids", LAYER_FLUIDS, TOTAL_COMPRESSIBILITY),
      LAYERS("fluids", LAYER_FLUIDS, GAS_Z_FACTOR),
      INTS("fluids", LAYER_FLUIDS, SAMPLE_SET, kLayers),
      LAYERS("fluids", LAYER_FLUIDS, SAMPLE_KEY),
      INTS("fluids", LAYER_FLUIDS, RS_CORRELATION, kLayers),
      INTS("fluids", LAYER_FLUIDS, FVF_CORRELATION, kLayers),
      INTS("fluids", LAYER_FLUIDS, VISCOSITY_CORRELATION, kLayers),
      INT("fluids", LAYER_FLUIDS, VISCOSITY_MIXING_RULE),

      DOUBLE("separator", SEPARATOR, PRESSURE),
      DOUBLE("separator", SEPARATOR, TEMPERATURE),

      INT("well", WELL_RECORD, METHOD_CODE),
      INT("well", WELL_RECORD, GAS_METHOD),
      INT("well", WELL_RECORD, GAS_INJECTION_METHOD),
      INT("well", WELL_RECORD, WATER_INJECTION_METHOD),
      INT("well", WELL_RECORD, LAYER_COUNT),
      INT("well", WELL_RECORD, DELIVERABILITY_TEST_TYPE),
      LAYERS("well", WELL_RECORD, LAYER_TEMPERATURE),
      LAYERS("well", WELL_RECORD, PERMEABILITY),
      LAYERS("well", WELL_RECORD, THICKNESS),
      LAYERS("well", WELL_RECORD, DRAINAGE_RADIUS),
      LAYERS("well", WELL_RECORD, WELLBORE_RADIUS),
      LAYERS("well", WELL_RECORD, SKIN),
      LAYERS("well", WELL_RECORD, RESERVOIR_PRESSURE),
      INT("well", WELL_RECORD, TEST_COUNT),
      DOUBLES("well", WELL_RECORD, TEST_RATE, DLV_TEST_CAPACITY),
      DOUBLES("well", WELL_RECORD, TEST_PRESSURE, DLV_TEST_CAPACITY),
      DOUBLES("well", WELL_RECORD, TEST_SHUTIN_PRESSURE, DLV_TEST_CAPACITY),
      DOUBLE("well", WELL_RECORD, BACKPRESSURE_C),
      DOUBLE("well", WELL_RECORD, BACKPRESSURE_N),
      DOUBLE("well", WELL_RECORD, PRODUCTIVITY_INDEX),
      DOUBLE("well", WELL_RECORD, LEVEL_GRADIENT),
      DOUBLES("well", WELL_RECORD, SURFACE_TERM_FACTORS, 2),
      DOUBLES("well", WELL_RECORD, LEVEL_TEST_RATE, 2),
      DOUBLES("well", WELL_RECORD, LEVEL_READING, 2),
      LAYERS("well", WELL_RECORD, PERM_Y),
      LAYERS("well", WELL_RECORD, PERM_Z),
      LAYERS("well", WELL_RECORD, DRAINAGE_AREA),
      LAYERS("well", WELL_RECORD, WELL_START_Y),
      LAYERS("well", WELL_RECORD, BOX_LENGTH_Y),
      LAYERS("well", WELL_RECORD, WELL_POSITION_X),
      LAYERS("well", WELL_RECORD, BOX_WIDTH_X),
      LAYERS("well", WELL_RECORD, WELL_ELEVATION_Z),
      LAYERS("well", WELL_RECORD, WELL_LENGTH),
      LAYERS("well", WELL_RECORD, FRACTURE_HALF_LENGTH),
      LAYERS("well", WELL_RECORD, POROSITY),
      LAYERS("well", WELL_RECORD, PRODUCTION_TIME),
      LAYERS("well", WELL_RECORD, FRACTURE_WIDTH),
      LAYERS("well", WELL_RECORD, FRACTURE_PERMEABILITY),
      DOUBLE("well", WELL_RECORD, RATE_MULTIPLIER),
      DOUBLE("well", WELL_RECORD, NON_DARCY_COEFFICIENT),
      {"well",
       "injection_coefficients",
       'd',
       DLV_WELL_RECORD_INJECTION_COEFFICIENTS * 8,
       2,
       {DLV_INJECTION_COEFFICIENT_PAIRS, 2},
       {16, 8},
       "pairs below and above the break pressure"},
      LAYERS("well", WELL_RECORD, BREAK_PRESSURE),
      LAYERS("well", WELL_RECORD, MAX_INJECTION_RATE),
      LAYERS("well", WELL_RECORD, SECOND_SKIN),
      LAYERS("well", WELL_RECORD, INJECTION_TRAVERSE_DEPTH),
      LAYERS("well", WELL_RECORD, LAYER_DEPTH),
      DOUBLE("well", WELL_RECORD, REFERENCE_DEPTH),
      DOUBLES("well", WELL_RECORD, RATETEST_PRESSURES, DLV_RATETEST_CAPACITY),
      DOUBLES("well", WELL_RECORD, RATETEST_LIQUID_RATES, DLV_RATETEST_CAPACITY),
      DOUBLES("well", WELL_RECORD, RATETEST_GAS_RATES, DLV_RATETEST_CAPACITY),
      DOUBLES("well", WELL_RECORD, RATETEST_WATER_RATES, DLV_RATETEST_CAPACITY),
      INT("well", WELL_RECORD, RATETEST_ROW_COUNT),
      FLAG("well", WELL_RECORD, BACKPRESSURE_C_GIVEN),
      FLAG("well", WELL_RECORD, BACKPRESSURE_N_GIVEN),

      INT("completion", COMPLETION, COMPLETION_MODEL),
      DOUBLE("completion", COMPLETION, SHOT_DENSITY_FACTOR),
      LAYERS("completion", COMPLETION, GRAVEL_PERMEABILITY),
      LAYERS("completion", COMPLETION, CRUSHED_ZONE_PERMEABILITY),
      LAYERS("completion", COMPLETION, CRUSHED_ZONE_THICKNESS),
      LAYERS("completion", COMPLETION, SHOT_DENSITY),
      LAYERS("completion", COMPLETION, PERFORATION_DIAMETER),
      LAYERS("completion", COMPLETION, PERFORATED_INTERVAL),
      LAYERS("completion", COMPLETION, GRAVEL_TUNNEL_LENGTH),
      LAYERS("completion", COMPLETION, PERFORATION_LENGTH),

      INT("traverse", TRAVERSE, RECORD_TYPE),
      INT("traverse", TRAVERSE, SUPPRESS_FLUID_ERRORS),
      INT("traverse", TRAVERSE, SEGMENT_COUNT),

      DOUBLES("summary", SUMMARY, RATE, kPoints),
      DOUBLES("summary", SUMMARY, PRESSURE, kPoints),
      DOUBLES("summary", SUMMARY, DRAWDOWN, kPoints),
      DOUBLES("summary", SUMMARY, WATER_CUT, kPoints),
      DOUBLES("summary", SUMMARY, GAS_LIQUID, kPoints),
      DOUBLES("summary", SUMMARY, WATER_SG, kPoints),

      INT("results", RESULTS, RESULT_STATUS),
      INTS("results", RESULTS, FLOW_REGIME_FLAG, kLayers),
      LAYERS("results", RESULTS, EFFECTIVE_RADIUS_RATIO),
      LAYERS("results", RESULTS, FRACTURE_CONDUCTIVITY),
      LAYERS("results", RESULTS, DIMENSIONLESS_TIME),
      LAYERS("results", RESULTS, RESULT_BUBBLE_POINT),
  };
  // Ten property tables of one shape, then their use flags.
  const std::size_t table = DLV_FLUID_TABLE_SLOTS * 8;
  const std::size_t n = DLV_FLUID_TABLE_COUNT;
  const std::size_t nt = DLV_FLUID_TABLE_TEMPERATURE_CAPACITY;
  const std::size_t np = DLV_FLUID_TABLE_PRESSURE_CAPACITY;
  f.push_back({"tables",
               "temperatures",
               'd',
               DLV_FLUID_TABLE_TEMPERATURES * 8,
               2,
               {n, nt},
               {table, 8},
               "degF, per table"});
  f.push_back({"tables",
               "pressures",
               'd',
               DLV_FLUID_TABLE_PRESSURES * 8,
               2,
               {n, np},
               {table, 8},
               "psia, per table"});
  f.push_back({"tables",
               "values",
               'd',
               DLV_FLUID_TABLE_VALUES * 8,
               3,
               {n, np, nt},
               {table, nt * 8, 8},
               "per table: pressure row, temperature column"});
  f.push_back({"tables",
               "temperature_count",
               'i',
               DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE,
               1,
               {n},
               {table},
               "per table"});
  f.push_back({"tables",
               "pressure_count",
               'i',
               DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE,
               1,
               {n},
               {table},
               "per table"});
  f.push_back(INTS("tables", FLUID_TABLES, USE_TABLE, n));
  // The three curve tables share one shape: layer-major, layers by points.
  for (const char* block : {"layer_curves", "completion_curves", "traverse_curves"}) {
    f.push_back(
        {block, "rate", 'd', DLV_CURVES_RATE * 8, 2, {kLayers, kPoints}, {kPoints * 8, 8}, {}});
    f.push_back({block,
                 "pressure",
                 'd',
                 DLV_CURVES_PRESSURE * 8,
                 2,
                 {kLayers, kPoints},
                 {kPoints * 8, 8},
                 "psi gauge"});
    f.push_back({block,
                 "drawdown",
                 'd',
                 DLV_CURVES_DRAWDOWN * 8,
                 2,
                 {kLayers, kPoints},
                 {kPoints * 8, 8},
                 "psi"});
  }
  return f;
}

#ifdef DLV_WITH_WELLFILE
const char* python_block(wellfile::BlockId b) {
  using B = wellfile::BlockId;
  switch (b) {
    case B::layer_fluids:
      return "fluids";
    case B::fluid_tables:
      return "tables";
    case B::separator:
      return "separator";
    case B::well_record:
      return "well";
    case B::completion:
      return "completion";
    case B::traverse:
      return "traverse";
  }
  return "";
}

// The well file's fields give their names, units and meanings to the fields
// at the same positions; the field map supplies the shapes and every field
// the well file does not name (the outputs).
std::vector<Field> build() {
  std::vector<Field> fields = layout_fields();
  for (const wellfile::Field& w : wellfile::all_fields()) {
    const bool real = w.kind == wellfile::Kind::real;
    const std::size_t byte = real ? w.pos * 8 : w.pos;
    std::string doc = w.meaning;
    if (w.unit[0] != '\0') doc += std::string(", ") + w.unit;
    const std::string block = python_block(w.block);
    auto same = std::find_if(fields.begin(), fields.end(), [&](const Field& f) {
      return f.block == block && f.byte_offset == byte;
    });
    if (same != fields.end()) {
      same->name = w.name;
      same->doc = doc;
      continue;
    }
    std::size_t n = 1;
    if (w.group == wellfile::Group::layer) n = kLayers;
    if (w.group == wellfile::Group::test) n = DLV_TEST_CAPACITY;
    if (w.count > 1) n = static_cast<std::size_t>(w.count);
    Field f = n > 1 ? array(block.c_str(), w.name, real ? 'd' : 'i', byte, n)
                    : scalar(block.c_str(), w.name, real ? 'd' : 'i', byte);
    f.name = w.name;
    f.doc = doc;
    fields.push_back(f);
  }
  return fields;
}
#else
std::vector<Field> build() { return layout_fields(); }
#endif

}  // namespace

const std::vector<BlockSize>& block_sizes() {
  static const std::vector<BlockSize> sizes = {
      {"fluids", DLV_LAYER_FLUIDS_SLOTS},
      {"tables", DLV_FLUID_TABLES_SLOTS},
      {"separator", DLV_SEPARATOR_SLOTS},
      {"layer_curves", DLV_CURVE_BLOCK_SLOTS},
      {"well", DLV_WELL_RECORD_SLOTS},
      {"mode", 1},
      {"completion", DLV_COMPLETION_SLOTS},
      {"completion_curves", DLV_CURVE_BLOCK_SLOTS},
      {"traverse_curves", DLV_CURVE_BLOCK_SLOTS},
      {"traverse", DLV_TRAVERSE_SLOTS},
      {"summary", DLV_WELL_SUMMARY_SLOTS},
      {"results", DLV_LAYER_RESULTS_SLOTS},
  };
  return sizes;
}

const std::vector<Field>& field_table() {
  static const std::vector<Field> table = build();
  return table;
}

}  // namespace dlv::python
