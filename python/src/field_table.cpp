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

// One entry of the field map's list of fields.
struct MapField {
  std::string block;  // the block part of the field's constant
  const char* name;   // the field part
  char kind;
  std::size_t byte;
  std::size_t count;
};

#define KIND_DLV_DOUBLE 'd'
#define KIND_DLV_INT32 'i'
#define KIND_DLV_FLAG 'b'
#define MAP_FIELD(BLOCK, FIELD, KIND, COUNT) \
  {#BLOCK, #FIELD, KIND_##KIND, DLV_FIELD_BYTE(BLOCK, FIELD, KIND), COUNT},
const MapField kMapFields[] = {DLV_FIELDS(MAP_FIELD)};
#undef MAP_FIELD

// The package's name of a block of the field map.
const char* package_block(const std::string& block) {
  if (block == "LAYER_FLUIDS") return "fluids";
  if (block == "FLUID_TABLE" || block == "FLUID_TABLES") return "tables";
  if (block == "WELL_RECORD") return "well";
  if (block == "SEPARATOR") return "separator";
  if (block == "COMPLETION") return "completion";
  if (block == "TRAVERSE") return "traverse";
  if (block == "SUMMARY") return "summary";
  return "results";
}

// A field of one fluid table, repeated over the tables.
Field table_field(const MapField& m) {
  const std::size_t table = DLV_FLUID_TABLE_SLOTS * 8;
  const std::size_t n = DLV_FLUID_TABLE_COUNT;
  const std::size_t nt = DLV_FLUID_TABLE_TEMPERATURE_CAPACITY;
  const std::string name = lower(m.name);
  Field f{"tables", name, m.kind, m.byte, 2, {n, m.count}, {table, 8}, {}};
  if (m.count == 1) {
    f.rank = 1;
    f.doc = "per table";
  } else if (name == "values") {
    f.rank = 3;
    f.shape[1] = m.count / nt;
    f.shape[2] = nt;
    f.strides[1] = nt * 8;
    f.strides[2] = 8;
    f.doc = "per table: pressure row, temperature column";
  } else {
    f.doc = name == "temperatures" ? "degF, per table" : "psia, per table";
  }
  return f;
}

// A field of a curve block: layers by points.
Field curve_field(const char* block, const MapField& m) {
  const std::string name = lower(m.name);
  const char* doc = name == "pressure" ? "psi gauge" : name == "drawdown" ? "psi" : "";
  return {block, name, 'd', m.byte, 2, {kLayers, kPoints}, {kPoints * 8, 8}, doc};
}

// Every field of the C field map; a field's name is its constant's name
// without the block prefix, in lower case.
std::vector<Field> layout_fields() {
  std::vector<Field> f;
  std::vector<MapField> curves;
  for (const MapField& m : kMapFields) {
    if (m.block == "CURVES") {
      curves.push_back(m);
    } else if (m.block == "FLUID_TABLE") {
      f.push_back(table_field(m));
    } else if (m.block == "WELL_RECORD" && std::string(m.name) == "INJECTION_COEFFICIENTS") {
      f.push_back({"well",
                   "injection_coefficients",
                   'd',
                   m.byte,
                   2,
                   {DLV_INJECTION_COEFFICIENT_PAIRS, 2},
                   {16, 8},
                   "pairs below and above the break pressure"});
    } else {
      const char* block = package_block(m.block);
      f.push_back(m.count == 1 ? scalar(block, m.name, m.kind, m.byte)
                               : array(block, m.name, m.kind, m.byte, m.count));
    }
  }
  // The three curve blocks share one shape.
  for (const char* block : {"layer_curves", "completion_curves", "traverse_curves"}) {
    for (const MapField& m : curves) f.push_back(curve_field(block, m));
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
    if (*wellfile::field_unit(w)) doc += std::string(", ") + wellfile::field_unit(w);
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
