// Well document <-> blocks.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <utility>

#include "blocks/blocks.hpp"
#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"
#include "wellfile/fields.hpp"
#include "wellfile/wellfile.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

namespace {

// Every block of a set with its slot count, in dlv_cal's argument order.
std::array<std::pair<std::vector<double>*, std::size_t>, 11> sized_blocks(Blocks& b) {
  return {{{&b.layer_fluids, DLV_LAYER_FLUIDS_SLOTS},
           {&b.fluid_tables, DLV_FLUID_TABLES_SLOTS},
           {&b.separator, DLV_SEPARATOR_SLOTS},
           {&b.layer_curves, DLV_CURVE_BLOCK_SLOTS},
           {&b.well_record, DLV_WELL_RECORD_SLOTS},
           {&b.completion, DLV_COMPLETION_SLOTS},
           {&b.completion_curves, DLV_CURVE_BLOCK_SLOTS},
           {&b.traverse_curves, DLV_CURVE_BLOCK_SLOTS},
           {&b.traverse, DLV_TRAVERSE_SLOTS},
           {&b.summary, DLV_WELL_SUMMARY_SLOTS},
           {&b.results, DLV_LAYER_RESULTS_SLOTS}}};
}

// The first `layers` layers of a curve block's rate, pressure and drawdown
// zeroed.
void zero_curve_layers(std::vector<double>& block, int layers) {
  const CurveTables t{block.data()};
  const auto points = static_cast<std::size_t>(layers) * layout::kPoints;
  for (double* column : {t.rate(), t.pressure(), t.drawdown()}) std::fill_n(column, points, 0.0);
}

// Every slot zeroed, at the blocks' documented sizes, but for what `used`
// knows to be zero already.
void zero_blocks(Blocks& b, const UsedBlocks& used = {}) {
  for (const auto& [block, slots] : sized_blocks(b)) {
    if (block == &b.fluid_tables && used.tables_zero) continue;
    if (slots == DLV_CURVE_BLOCK_SLOTS && block->size() == slots && used.curve_layers < DLV_LAYERS)
      zero_curve_layers(*block, used.curve_layers);
    else
      block->assign(slots, 0.0);
  }
  b.calc_mode = 0;
  b.changed_pressure_flag = 0;
}

}  // namespace

Blocks::Blocks() { zero_blocks(*this); }

std::string Problem::text() const {
  std::string s = (path.empty() ? std::string("(document)") : path) + ": " + message;
  if (!expected.empty()) s += " (expected " + expected + ")";
  return s;
}

std::string number_text(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

namespace {

// The block a field lives in, const or not as the blocks are.
template <typename AnyBlocks>
auto& block_in(AnyBlocks& b, BlockId id) {
  switch (id) {
    case BlockId::layer_fluids:
      return b.layer_fluids;
    case BlockId::fluid_tables:
      return b.fluid_tables;
    case BlockId::separator:
      return b.separator;
    case BlockId::well_record:
      return b.well_record;
    case BlockId::completion:
      return b.completion;
    case BlockId::traverse:
      return b.traverse;
  }
  return b.well_record;
}

}  // namespace

std::vector<double>& block_of(Blocks& b, BlockId id) { return block_in(b, id); }
const std::vector<double>& block_of(const Blocks& b, BlockId id) { return block_in(b, id); }

double get_value(const Blocks& b, const Field& f, int i) {
  const ConstBlockView v{block_of(b, f.block).data()};
  return f.kind == Kind::real ? v.real(f.pos, i) : v.int32(f.pos, i);
}

void set_value(Blocks& b, const Field& f, int i, double value) {
  const BlockView v{block_of(b, f.block).data()};
  if (f.kind == Kind::real)
    v.set_real(f.pos, i, value);
  else
    v.set_int32(f.pos, i, static_cast<std::int32_t>(value));
}

int method_code_of(const Blocks& b) {
  if (!code_name(mode_names(), b.calc_mode)) return -1;
  return ConstWellInputs{b.well_record.data()}.method(static_cast<CalcMode>(b.calc_mode));
}

namespace {

// One value of the document into element i of a field (an array fills from
// element 0, pairs one after the other).
void fill_value(Blocks& b, const Field& f, const json& v, int i) {
  if (f.kind == Kind::named) {
    set_value(b, f, 0, name_code(f.names, v.get<std::string>()));
    return;
  }
  if (!v.is_array()) {
    set_value(b, f, i, v.get<double>());
    return;
  }
  int k = 0;
  for (const json& e : v) {
    if (!e.is_array()) {
      set_value(b, f, k++, e.get<double>());
      continue;
    }
    for (const json& x : e) set_value(b, f, k++, x.get<double>());
  }
}

// The fields of one document object (element index of a per-layer or
// per-test field), each marked as given where the blocks record that.
void fill_group(Blocks& b, const json& obj, Group g, int index) {
  for (const auto& [k, v] : obj.items()) {
    const Field* f = find_field(g, k);
    if (!f) continue;
    fill_value(b, *f, v, index);
    BlockView{block_of(b, f->block).data()}.set_given(f->given_flag, f->given_pos, index);
  }
}

// The property tables of "fluid".
void fill_tables(Blocks& b, const json& tables) {
  const FluidTablesWriter ft{b.fluid_tables.data()};
  for (const json& tab : tables) {
    const int k = name_code(table_property_names(), tab["property"].get<std::string>());
    const PropertyTableWriter t = ft.table(k);
    const json& temperatures = tab["temperatures"];
    const json& pressures = tab["pressures"];
    const json& values = tab["values"];
    const std::size_t nt = temperatures.size(), np = pressures.size();
    for (std::size_t j = 0; j < nt; ++j) t.set_temperature(j, temperatures[j]);
    for (std::size_t r = 0; r < np; ++r) {
      t.set_pressure(r, pressures[r]);
      for (std::size_t j = 0; j < nt; ++j) t.set_value(r, j, values[r][j]);
    }
    t.set_counts(static_cast<std::int32_t>(nt), static_cast<std::int32_t>(np));
    ft.set_use_table(k);
  }
}

// Rows of the rate-test table: its longest column.
std::int32_t rate_test_rows(const json& rate_test) {
  std::size_t rows = 0;
  for (const auto& [k, v] : rate_test.items()) (void)k, rows = std::max(rows, v.size());
  return static_cast<std::int32_t>(rows);
}

// The groups of one object each, in the order they are filled.
constexpr Group kObjectGroups[] = {Group::well,     Group::separator, Group::completion,
                                   Group::traverse, Group::fluid,     Group::rate_test};

}  // namespace

namespace {

// Fills zeroed blocks from a validated document.
void fill_blocks(const json& given, Blocks& b) {
  json converted;
  const bool metric = document_unit_system(given) == UnitSystem::metric;
  const json& doc = metric ? (converted = to_field_document(given)) : given;
  for (const Field& f : all_fields())
    if (f.default_value != 0 && f.group != Group::layer) set_value(b, f, 0, f.default_value);
  b.calc_mode = name_code(mode_names(), doc["mode"].get<std::string>());
  const WellInputs counts{b.well_record.data()};
  counts.set_method(static_cast<CalcMode>(b.calc_mode),
                    name_code(method_names(b.calc_mode), doc["method"].get<std::string>()));
  const json& layers = doc["layers"];
  counts.set_layer_count(static_cast<std::int32_t>(layers.size()));
  for (std::size_t L = 0; L < layers.size(); ++L)
    fill_group(b, layers[L], Group::layer, static_cast<int>(L));
  for (Group g : kObjectGroups)
    if (doc.contains(group_key(g))) fill_group(b, doc[group_key(g)], g, 0);
  if (doc.contains("tests")) {
    const json& t = doc["tests"];
    counts.set_test_count(static_cast<std::int32_t>(t.size()));
    for (std::size_t i = 0; i < t.size(); ++i)
      fill_group(b, t[i], Group::test, static_cast<int>(i));
  }
  if (doc.contains("rate_test")) counts.set_ratetest_row_count(rate_test_rows(doc["rate_test"]));
  if (fills_tables(doc)) fill_tables(b, doc["fluid"]["tables"]);
}

}  // namespace

Blocks to_blocks(const json& doc) {
  Blocks b;
  fill_blocks(doc, b);
  return b;
}

bool fills_tables(const json& doc) {
  return doc.contains("fluid") && doc["fluid"].contains("tables");
}

void refill_blocks(const json& doc, Blocks& b, const UsedBlocks& used) {
  zero_blocks(b, used);
  fill_blocks(doc, b);
}

namespace {

// What decides whether from_blocks writes a field back.
struct EmitContext {
  const Blocks& blocks;
  bool fitted;  // the method fits the back-pressure coefficients
};

bool back_pressure_fit(const Blocks& b) {
  const int method = method_code_of(b);
  return (b.calc_mode == DLV_MODE_OIL_PRODUCTION && method == DLV_OIL_METHOD_BACKPRESSURE_FIT) ||
         (b.calc_mode == DLV_MODE_GAS_PRODUCTION && method == DLV_GAS_METHOD_BACKPRESSURE_FIT);
}

bool given_in(const Blocks& b, const Field& f, int i) {
  return ConstBlockView{block_of(b, f.block).data()}.given(f.given_flag, f.given_pos, i);
}

bool emitted(const EmitContext& c, const Field& f, int i) {
  switch (f.emit) {
    case Emit::always:
      return true;
    case Emit::when_given:
      return given_in(c.blocks, f, i);
    case Emit::when_given_unless_fitted:
      if (c.fitted) return given_in(c.blocks, f, i);
      break;
    case Emit::when_not_default:
      break;
  }
  return get_value(c.blocks, f, i) != f.default_value;
}

// Element i of a field as the document writes it: a name, an integer or a number.
json value_json(const Blocks& b, const Field& f, int i) {
  const double v = get_value(b, f, i);
  if (f.kind == Kind::named) {
    const char* n = code_name(f.names, static_cast<int>(v));
    return n ? json(n) : json(static_cast<int>(v));
  }
  if (f.kind == Kind::integer) return json(static_cast<int>(v));
  return json(v);
}

// An array field of "well" up to its last non-zero element (null when all
// are zero), as a list or as pairs.
json array_json(const Blocks& b, const Field& f) {
  int last = -1;
  for (int i = 0; i < f.count; ++i)
    if (get_value(b, f, i) != 0) last = i;
  if (last < 0) return json();
  json arr = json::array();
  if (f.shape == Shape::pairs) {
    for (int k = 0; k <= last / 2; ++k)
      arr.push_back({get_value(b, f, 2 * k), get_value(b, f, 2 * k + 1)});
    return arr;
  }
  for (int i = 0; i <= last; ++i) arr.push_back(get_value(b, f, i));
  return arr;
}

// One object of the document: the fields of a group, element i of each.
json group_json(const EmitContext& c, Group g, int i = 0) {
  json obj = json::object();
  for (const Field& f : all_fields()) {
    if (f.group != g) continue;
    if (f.count > 1) {
      json arr = array_json(c.blocks, f);
      if (!arr.is_null()) obj[f.name] = std::move(arr);
    } else if (emitted(c, f, i)) {
      obj[f.name] = value_json(c.blocks, f, i);
    }
  }
  return obj;
}

// "rate_test": every column with a non-zero value, over the table's rows.
json rate_test_json(const Blocks& b, int rows) {
  json rt = json::object();
  for (const Field& f : all_fields()) {
    if (f.group != Group::rate_test) continue;
    json col = json::array();
    bool any = false;
    for (int i = 0; i < rows; ++i) {
      col.push_back(get_value(b, f, i));
      any = any || get_value(b, f, i) != 0;
    }
    if (any) rt[f.name] = col;
  }
  return rt;
}

// One property table as the document writes it.
json table_json(const PropertyTable& t, const char* property) {
  const int nt = t.temperature_count(), np = t.pressure_count();
  json tab = {{"property", property}};
  json temps = json::array(), pres = json::array(), vals = json::array();
  for (int j = 0; j < nt; ++j) temps.push_back(t.temperatures()[j]);
  for (int r = 0; r < np; ++r) {
    pres.push_back(t.pressures()[r]);
    json row = json::array();
    for (int j = 0; j < nt; ++j)
      row.push_back(table_value(t, static_cast<std::size_t>(r), static_cast<std::size_t>(j)));
    vals.push_back(row);
  }
  tab["temperatures"] = temps;
  tab["pressures"] = pres;
  tab["values"] = vals;
  return tab;
}

// "fluid": its named fields and the tables switched on.
json fluid_json(const EmitContext& c) {
  json fluid = group_json(c, Group::fluid);
  json tables = json::array();
  const FluidTables ft{c.blocks.fluid_tables.data()};
  for (const NamedCode& p : table_property_names())
    if (ft.use_table(p.code)) tables.push_back(table_json(ft.table(p.code), p.name));
  if (!tables.empty()) fluid["tables"] = tables;
  return fluid;
}

}  // namespace

json from_blocks(const Blocks& b) {
  json doc = json::object();
  const char* mode = code_name(mode_names(), b.calc_mode);
  doc["mode"] = mode ? mode : "unknown";
  const char* method = code_name(method_names(b.calc_mode), method_code_of(b));
  doc["method"] = method ? method : "unknown";
  const EmitContext c{b, back_pressure_fit(b)};
  const ConstWellInputs counts{b.well_record.data()};
  json layers = json::array();
  for (int L = 0; L < held_layer_count(counts.layer_count()); ++L)
    layers.push_back(group_json(c, Group::layer, L));
  doc["layers"] = layers;
  json well = group_json(c, Group::well);
  if (!well.empty()) doc["well"] = well;
  const int tests = std::clamp(counts.test_count(), 0, DLV_TEST_CAPACITY);
  if (tests > 0) {
    json arr = json::array();
    for (int i = 0; i < tests; ++i) arr.push_back(group_json(c, Group::test, i));
    doc["tests"] = arr;
  }
  const int rows = std::clamp(counts.ratetest_row_count(), 0, DLV_RATETEST_CAPACITY);
  if (rows > 0) doc["rate_test"] = rate_test_json(b, rows);
  doc["fluid"] = fluid_json(c);
  for (Group g : {Group::separator, Group::completion, Group::traverse}) {
    json obj = group_json(c, g);
    if (!obj.empty()) doc[group_key(g)] = obj;
  }
  return doc;
}

}  // namespace dlv::wellfile
