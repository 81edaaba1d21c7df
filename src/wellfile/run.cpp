// Runs a well through the exported dlv_cal and builds the result document.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "blocks/blocks.hpp"
#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"
#include "wellfile/meaning.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// Well-record values a method computes when the file does not give them.
bool is_method_output(const char* name) {
  return std::strcmp(name, "backpressure_c") == 0 || std::strcmp(name, "backpressure_n") == 0 ||
         std::strcmp(name, "productivity_index") == 0;
}

json column(const double* p) { return json(std::vector<double>(p, p + DLV_POINTS)); }

const json* member(const json& obj, const std::string& key) {
  return obj.is_object() && obj.contains(key) ? &obj[key] : nullptr;
}

std::string group_path(Group g, int i) {
  if (g == Group::layer || g == Group::test) return group_key(g) + "[" + std::to_string(i) + "]";
  return group_key(g);
}

// Every input field the library replaced: a note when the file gave it, or
// when it is neither a derived fluid property nor a value the method computes.
std::vector<Note> changed_inputs(const json& doc, const Blocks& before, const Blocks& after) {
  std::vector<Note> notes;
  const int layers = static_cast<int>(doc["layers"].size());
  const int tests = doc.contains("tests") ? static_cast<int>(doc["tests"].size()) : 0;
  for (const Field& f : all_fields()) {
    if (f.kind == Kind::named) continue;
    int n = 1;
    if (f.group == Group::layer) n = layers;
    if (f.group == Group::test) n = tests;
    if (f.group == Group::well || f.group == Group::rate_test) n = f.count;
    for (int i = 0; i < n; ++i) {
      const double a = get_value(before, f, i), z = get_value(after, f, i);
      if (a == z || (std::isnan(a) && std::isnan(z))) continue;
      const json* obj = nullptr;
      std::string path = group_path(f.group, i) + "." + f.name;
      if (f.group == Group::layer)
        obj = &doc["layers"][static_cast<std::size_t>(i)];
      else if (f.group == Group::test)
        obj = &doc["tests"][static_cast<std::size_t>(i)];
      else
        obj = member(doc, group_path(f.group, 0));
      const bool given = obj && member(*obj, f.name);
      if (f.group == Group::well || f.group == Group::rate_test) {
        if (f.count > 1) path += '[' + std::to_string(i) + ']';
      }
      if (!given && (is_fluid_output(f.name) || is_method_output(f.name))) continue;
      notes.push_back({path + (given ? "" : " (not given)"), a, z, f.unit});
    }
  }
  return notes;
}

json curve_json(const double* block, int L, const char* third) {
  CurveTables t{const_cast<double*>(block)};
  json c = json::object();
  c["rate"] = column(t.rate(L).data());
  c["pressure"] = column(t.pressure(L).data());
  c[third] = column(t.drawdown(L).data());
  return c;
}

bool traverse_wanted(const Blocks& b, int layers) {
  WellRecord w{const_cast<double*>(b.well_record.data())};
  if (w.reference_depth() == 0.0) return false;
  for (int L = 0; L < layers; ++L)
    if (w.layer_depth()[L] > 0.0) return true;
  return false;
}

}  // namespace

std::string Note::text() const {
  std::string s = path + ": " + number_text(before) + " \u2192 " + number_text(after);
  if (!unit.empty()) s += " " + unit;
  return s;
}

RunOutcome run_well(const json& doc, const char* log_path) {
  RunOutcome out;
  out.problems = validate_well(doc);
  if (!out.problems.empty()) return out;
  Blocks b = to_blocks(doc);
  const Blocks before = b;
  dlv_cal(b.layer_fluids.data(), b.fluid_tables.data(), b.separator.data(), b.layer_curves.data(),
          b.well_record.data(), &b.calc_mode, b.completion.data(), b.completion_curves.data(),
          b.traverse_curves.data(), b.traverse.data(), b.summary.data(), b.results.data(),
          b.changed_pressure_flag, log_path);
  out.notes = changed_inputs(doc, before, b);

  const int mode = b.calc_mode;
  const int layers = static_cast<int>(doc["layers"].size());
  const bool gas = mode == DLV_MODE_GAS_PRODUCTION || mode == DLV_MODE_GAS_INJECTION;
  const bool completion = CompletionBlock{b.completion.data()}.completion_model() >= 1;
  const bool traverse = traverse_wanted(b, layers);
  const bool fractured =
      (mode == DLV_MODE_OIL_PRODUCTION && method_code_of(b) == DLV_OIL_METHOD_FRACTURED) ||
      (mode == DLV_MODE_GAS_PRODUCTION && method_code_of(b) == DLV_GAS_METHOD_FRACTURED);
  LayerResults res{b.results.data()};
  WellRecord well{b.well_record.data()};

  json r = json::object();
  r["format_version"] = kFormatVersion;
  if (doc.contains("description")) r["description"] = doc["description"];
  r["mode"] = doc["mode"];
  r["method"] = doc["method"];
  json units = json::object();
  units["rate"] = rate_unit(mode);
  units["pressure"] = "psi gauge";
  units["drawdown"] = "psi";
  units["completion_loss"] = "psi";
  units["water_cut"] = "fraction of liquid";
  units["producing_gor"] = "scf/STB";
  units["gas_oil_ratio"] = "scf/STB";
  units["liquid_gas_ratio"] = "bbl/Mscf";
  units["water_sg"] = "water=1";
  add_fluid_property_units(units);
  units["effective_radius_ratio"] = "";
  units["fracture_conductivity"] = "";
  units["dimensionless_time"] = "";
  r["units"] = units;

  json layer_docs = json::array();
  std::vector<std::string> meaning_notes;
  for (int L = 0; L < layers; ++L) {
    const std::string path = "layers[" + std::to_string(L) + "]";
    json ld = json::object();
    ld["layer"] = L;
    ld["curve"] = curve_json(b.layer_curves.data(), L, "drawdown");
    set_drawdown(ld["curve"], well.reservoir_pressure()[L]);
    if (completion) {
      ld["completion_curve"] = curve_json(b.completion_curves.data(), L, "completion_loss");
      const std::string n =
          empty_pressures_below_zero(ld["completion_curve"], path + ".completion_curve", {});
      if (!n.empty()) meaning_notes.push_back(n);
    }
    if (traverse) ld["traverse_curve"] = curve_json(b.traverse_curves.data(), L, "drawdown");
    ld["fluid_properties"] = fluid_properties_json(b, doc, L);
    if (fractured) {
      json fr = json::object();
      fr["flow_regime"] = res.flow_regime_flag(L) == 1 ? "stabilized" : "transient_linear";
      fr["effective_radius_ratio"] = res.effective_radius_ratio()[L];
      fr["fracture_conductivity"] = res.fracture_conductivity()[L];
      fr["dimensionless_time"] = res.dimensionless_time()[L];
      ld["fractured_well"] = fr;
    }
    layer_docs.push_back(ld);
  }
  r["layers"] = layer_docs;

  WellSummary s{b.summary.data()};
  json wc = json::object();
  wc["rate"] = column(s.rate());
  wc["pressure"] = column(s.pressure());
  if (layers == 1) {
    wc["drawdown"] = column(s.drawdown());
    set_drawdown(wc, well.reservoir_pressure()[0]);
  }
  wc["water_cut"] = column(s.water_cut());
  if (layers == 1)
    wc["producing_gor"] = column(s.gas_liquid());
  else if (gas)
    wc["liquid_gas_ratio"] = column(s.gas_liquid());
  else
    wc["gas_oil_ratio"] = column(s.gas_liquid());
  json water_sg = json::array();
  for (int i = 0; i < DLV_POINTS; ++i)
    water_sg.push_back(well_water_sg_meaningful(mode, s.water_cut()[i], s.water_sg()[i])
                           ? json(s.water_sg()[i])
                           : json(nullptr));
  wc["water_sg"] = water_sg;
  // The well curve of a completion well is built from the curves after the
  // loss: its rows below 0 psi gauge are left empty the same way (reported on
  // their own only when the well curve is a composite of several layers).
  if (completion) {
    const std::string n = empty_pressures_below_zero(wc, "well_curve", {"drawdown"});
    if (!n.empty() && layers > 1) meaning_notes.push_back(n);
  }
  r["well_curve"] = wc;

  json sum = json::object();
  sum["layer_count"] = layers;
  // The largest rate on a row with a real flowing pressure.
  double max_rate = s.rate()[0];
  for (int i = 0; i < DLV_POINTS; ++i)
    if (wc["pressure"][static_cast<std::size_t>(i)].is_number())
      max_rate = std::max(max_rate, s.rate()[i]);
  sum["maximum_rate"] = max_rate;
  sum["reservoir_pressure"] = well.reservoir_pressure()[0];
  // The well-record values a method fits or uses, where it has them.
  if (well.backpressure_c() != 0 || well.backpressure_n() != 0) {
    sum["backpressure_c"] = well.backpressure_c();
    sum["backpressure_n"] = well.backpressure_n();
  }
  if (well.productivity_index() != 0) sum["productivity_index"] = well.productivity_index();
  sum["completion_stage"] = completion;
  sum["traverse_coupling"] = traverse;
  sum["result_status"] = res.result_status();
  r["summary"] = sum;
  json notes = json::array();
  for (const Note& n : out.notes) notes.push_back(n.text());
  for (const std::string& n : meaning_notes) notes.push_back(n);
  r["notes"] = notes;
  out.result = r;
  out.blocks = b;
  return out;
}

std::vector<SlotEntry> set_slots(const Blocks& b) {
  std::vector<SlotEntry> out;
  auto add = [&](BlockId id, std::size_t slot, std::string field, std::string value) {
    out.push_back({block_name(id), slot, std::move(field), std::move(value)});
  };
  const double* w = b.well_record.data();
  const int mode = b.calc_mode;
  out.push_back({"calc_mode", 0, "calc_mode (int32)", std::to_string(mode)});
  const char* method_field = mode == DLV_MODE_GAS_PRODUCTION    ? "gas_method"
                             : mode == DLV_MODE_WATER_INJECTION ? "water_injection_method"
                             : mode == DLV_MODE_GAS_INJECTION   ? "gas_injection_method"
                                                                : "method_code";
  const std::size_t method_byte =
      mode == DLV_MODE_GAS_PRODUCTION    ? DLV_WELL_RECORD_GAS_METHOD_BYTE
      : mode == DLV_MODE_WATER_INJECTION ? DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE
      : mode == DLV_MODE_GAS_INJECTION   ? DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE
                                         : DLV_WELL_RECORD_METHOD_CODE_BYTE;
  add(BlockId::well_record, method_byte / 8,
      std::string(method_field) + " (int32, byte " + std::to_string(method_byte) + ")",
      std::to_string(method_code_of(b)));
  struct Counter {
    const char* name;
    std::size_t byte;
  };
  for (const Counter& c :
       {Counter{"layer_count", DLV_WELL_RECORD_LAYER_COUNT_BYTE},
        Counter{"test_count", DLV_WELL_RECORD_TEST_COUNT_BYTE},
        Counter{"ratetest_row_count", DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE}}) {
    const int v = detail::load_i32(w, c.byte);
    if (v)
      add(BlockId::well_record, c.byte / 8,
          std::string(c.name) + " (int32, byte " + std::to_string(c.byte) + ")", std::to_string(v));
  }
  const unsigned char* wb = reinterpret_cast<const unsigned char*>(w);
  for (const Counter& c :
       {Counter{"backpressure_c_given", DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE},
        Counter{"backpressure_n_given", DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE}})
    if (wb[c.byte])
      add(BlockId::well_record, c.byte / 8,
          std::string(c.name) + " (flag byte " + std::to_string(c.byte) + ")",
          std::to_string(wb[c.byte]));
  for (int L = 0; L < DLV_LAYERS; ++L) {
    const std::size_t byte =
        DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE + 4 * static_cast<std::size_t>(L);
    if (detail::load_i32(b.layer_fluids.data(), byte))
      add(BlockId::layer_fluids, byte / 8,
          "bubble_point_given[" + std::to_string(L) + "] (int32, byte " + std::to_string(byte) +
              ")",
          "1");
  }
  for (const Field& f : all_fields()) {
    const int n = f.group == Group::layer  ? DLV_LAYERS
                  : f.group == Group::test ? DLV_TEST_CAPACITY
                                           : f.count;
    for (int i = 0; i < n; ++i) {
      const double v = get_value(b, f, i);
      if (v == 0) continue;
      const std::size_t pos = element_pos(f, i);
      std::string name = f.name;
      if (f.group == Group::layer || f.group == Group::test || f.count > 1)
        name += '[' + std::to_string(i) + ']';
      if (f.kind != Kind::real) name += " (int32, byte " + std::to_string(pos) + ")";
      add(f.block, f.kind == Kind::real ? pos : pos / 8, name, number_text(v));
    }
  }
  const double* ft = b.fluid_tables.data();
  for (const NamedCode& p : table_property_names()) {
    const std::size_t byte = DLV_FLUID_TABLES_USE_TABLE_BYTE + 4 * static_cast<std::size_t>(p.code);
    if (detail::load_i32(ft, byte) != 1) continue;
    add(BlockId::fluid_tables, byte / 8,
        "use_table[" + std::to_string(p.code) + "] " + p.name + " (int32, byte " +
            std::to_string(byte) + ")",
        "1");
    const std::size_t first = static_cast<std::size_t>(p.code) * DLV_FLUID_TABLE_SLOTS;
    for (std::size_t k = 0; k < DLV_FLUID_TABLE_SLOTS - 2; ++k)
      if (ft[first + k] != 0) {
        const char* part = k < DLV_FLUID_TABLE_PRESSURES ? "table_temperatures"
                           : k < DLV_FLUID_TABLE_VALUES  ? "table_pressures"
                                                         : "table_values";
        const std::size_t base = k < DLV_FLUID_TABLE_PRESSURES ? DLV_FLUID_TABLE_TEMPERATURES
                                 : k < DLV_FLUID_TABLE_VALUES  ? DLV_FLUID_TABLE_PRESSURES
                                                               : DLV_FLUID_TABLE_VALUES;
        add(BlockId::fluid_tables, first + k,
            std::string(p.name) + " " + part + "[" + std::to_string(k - base) + "]",
            number_text(ft[first + k]));
      }
    for (const Counter& c :
         {Counter{"table_temperature_count", DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE},
          Counter{"table_pressure_count", DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE}}) {
      const std::size_t byte2 = first * 8 + c.byte;
      add(BlockId::fluid_tables, byte2 / 8,
          std::string(p.name) + " " + c.name + " (int32, byte " + std::to_string(byte2) + ")",
          std::to_string(detail::load_i32(ft, byte2)));
    }
  }
  std::stable_sort(out.begin(), out.end(), [](const SlotEntry& a, const SlotEntry& z) {
    return a.block != z.block ? a.block < z.block : a.slot < z.slot;
  });
  return out;
}

}  // namespace dlv::wellfile
