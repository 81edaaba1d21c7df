// Well document <-> blocks.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "blocks/blocks.hpp"
#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"
#include "wellfile/fields.hpp"
#include "wellfile/wellfile.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

Blocks::Blocks()
    : layer_fluids(DLV_LAYER_FLUIDS_SLOTS),
      fluid_tables(DLV_FLUID_TABLES_SLOTS),
      separator(DLV_SEPARATOR_SLOTS),
      layer_curves(DLV_CURVE_BLOCK_SLOTS),
      well_record(DLV_WELL_RECORD_SLOTS),
      completion(DLV_COMPLETION_SLOTS),
      completion_curves(DLV_CURVE_BLOCK_SLOTS),
      traverse_curves(DLV_CURVE_BLOCK_SLOTS),
      traverse(DLV_TRAVERSE_SLOTS),
      summary(DLV_WELL_SUMMARY_SLOTS),
      results(DLV_LAYER_RESULTS_SLOTS) {}

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

std::vector<double>& block_of(Blocks& b, BlockId id) {
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
const std::vector<double>& block_of(const Blocks& b, BlockId id) {
  return block_of(const_cast<Blocks&>(b), id);
}

double get_value(const Blocks& b, const Field& f, int i) {
  const std::vector<double>& v = block_of(b, f.block);
  if (f.kind == Kind::real) return v[element_pos(f, i)];
  return detail::load_i32(v.data(), element_pos(f, i));
}

void set_value(Blocks& b, const Field& f, int i, double value) {
  std::vector<double>& v = block_of(b, f.block);
  if (f.kind == Kind::real)
    v[element_pos(f, i)] = value;
  else
    detail::store_i32(v.data(), element_pos(f, i), static_cast<std::int32_t>(value));
}

namespace {

void store_u8(std::vector<double>& block, std::size_t byte, std::uint8_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block.data()) + byte, &v, 1);
}

}  // namespace

int method_code_of(const Blocks& b) {
  const double* w = b.well_record.data();
  switch (b.calc_mode) {
    case DLV_MODE_OIL_PRODUCTION:
      return detail::load_i32(w, DLV_WELL_RECORD_METHOD_CODE_BYTE);
    case DLV_MODE_GAS_PRODUCTION:
      return detail::load_i32(w, DLV_WELL_RECORD_GAS_METHOD_BYTE);
    case DLV_MODE_WATER_INJECTION:
      return detail::load_i32(w, DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE);
    case DLV_MODE_GAS_INJECTION:
      return detail::load_i32(w, DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE);
  }
  return -1;
}

static std::size_t method_byte(int mode) {
  switch (mode) {
    case DLV_MODE_GAS_PRODUCTION:
      return DLV_WELL_RECORD_GAS_METHOD_BYTE;
    case DLV_MODE_WATER_INJECTION:
      return DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE;
    case DLV_MODE_GAS_INJECTION:
      return DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE;
  }
  return DLV_WELL_RECORD_METHOD_CODE_BYTE;
}

static void fill_group(Blocks& b, const json& obj, Group g, int index) {
  for (const auto& [k, v] : obj.items()) {
    const Field* f = find_field(g, k);
    if (!f) continue;
    if (f->kind == Kind::named) {
      set_value(b, *f, 0, name_code(f->names, v.get<std::string>()));
    } else if (v.is_array()) {
      std::size_t i = 0;
      for (const json& e : v) {
        if (e.is_array())
          for (const json& x : e) set_value(b, *f, static_cast<int>(i++), x.get<double>());
        else
          set_value(b, *f, static_cast<int>(i++), e.get<double>());
      }
    } else {
      set_value(b, *f, index, v.get<double>());
    }
  }
}

Blocks to_blocks(const json& given) {
  const json doc = to_field_document(given);
  Blocks b;
  for (const Field& f : all_fields())
    if (f.default_value != 0 && f.group != Group::layer) set_value(b, f, 0, f.default_value);
  b.calc_mode = name_code(mode_names(), doc["mode"].get<std::string>());
  const int method = name_code(method_names(b.calc_mode), doc["method"].get<std::string>());
  double* w = b.well_record.data();
  detail::store_i32(w, method_byte(b.calc_mode), method);
  const json& layers = doc["layers"];
  detail::store_i32(w, DLV_WELL_RECORD_LAYER_COUNT_BYTE, static_cast<std::int32_t>(layers.size()));
  for (std::size_t L = 0; L < layers.size(); ++L) {
    fill_group(b, layers[L], Group::layer, static_cast<int>(L));
    if (layers[L].contains("bubble_point"))
      detail::store_i32(b.layer_fluids.data(), DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE + 4 * L, 1);
  }
  for (const char* g : {"well", "separator", "completion", "traverse", "fluid", "rate_test"}) {
    if (!doc.contains(g)) continue;
    const Group grp = std::string(g) == "well"         ? Group::well
                      : std::string(g) == "separator"  ? Group::separator
                      : std::string(g) == "completion" ? Group::completion
                      : std::string(g) == "traverse"   ? Group::traverse
                      : std::string(g) == "fluid"      ? Group::fluid
                                                       : Group::rate_test;
    fill_group(b, doc[g], grp, 0);
  }
  if (doc.contains("well")) {
    if (doc["well"].contains("backpressure_c"))
      store_u8(b.well_record, DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE, 1);
    if (doc["well"].contains("backpressure_n"))
      store_u8(b.well_record, DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE, 1);
  }
  if (doc.contains("tests")) {
    const json& t = doc["tests"];
    detail::store_i32(w, DLV_WELL_RECORD_TEST_COUNT_BYTE, static_cast<std::int32_t>(t.size()));
    for (std::size_t i = 0; i < t.size(); ++i)
      fill_group(b, t[i], Group::test, static_cast<int>(i));
  }
  if (doc.contains("rate_test")) {
    std::size_t rows = 0;
    for (const auto& [k, v] : doc["rate_test"].items()) (void)k, rows = std::max(rows, v.size());
    detail::store_i32(w, DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE, static_cast<std::int32_t>(rows));
  }
  if (doc.contains("fluid") && doc["fluid"].contains("tables")) {
    double* ft = b.fluid_tables.data();
    for (const json& tab : doc["fluid"]["tables"]) {
      const int k = name_code(table_property_names(), tab["property"].get<std::string>());
      double* t = ft + static_cast<std::size_t>(k) * DLV_FLUID_TABLE_SLOTS;
      const std::size_t nt = tab["temperatures"].size(), np = tab["pressures"].size();
      for (std::size_t j = 0; j < nt; ++j)
        t[DLV_FLUID_TABLE_TEMPERATURES + j] = tab["temperatures"][j];
      for (std::size_t r = 0; r < np; ++r) {
        t[DLV_FLUID_TABLE_PRESSURES + r] = tab["pressures"][r];
        for (std::size_t j = 0; j < nt; ++j)
          t[DLV_FLUID_TABLE_VALUES + r * DLV_FLUID_TABLE_TEMPERATURE_CAPACITY + j] =
              tab["values"][r][j];
      }
      detail::store_i32(t, DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE, static_cast<std::int32_t>(nt));
      detail::store_i32(t, DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE, static_cast<std::int32_t>(np));
      detail::store_i32(ft, DLV_FLUID_TABLES_USE_TABLE_BYTE + 4 * static_cast<std::size_t>(k), 1);
    }
  }
  return b;
}

json from_blocks(const Blocks& b) {
  json doc = json::object();
  const double* w = b.well_record.data();
  const char* mode = code_name(mode_names(), b.calc_mode);
  doc["mode"] = mode ? mode : "unknown";
  const char* method = code_name(method_names(b.calc_mode), method_code_of(b));
  doc["method"] = method ? method : "unknown";
  const bool fit = (b.calc_mode == DLV_MODE_OIL_PRODUCTION &&
                    method_code_of(b) == DLV_OIL_METHOD_BACKPRESSURE_FIT) ||
                   (b.calc_mode == DLV_MODE_GAS_PRODUCTION &&
                    method_code_of(b) == DLV_GAS_METHOD_BACKPRESSURE_FIT);
  const unsigned char* wb = reinterpret_cast<const unsigned char*>(w);

  auto scalar_group = [&](Group g) {
    json obj = json::object();
    for (const Field& f : all_fields()) {
      if (f.group != g) continue;
      if (f.kind == Kind::named) {
        const int code = static_cast<int>(get_value(b, f, 0));
        if (code != f.default_value || g == Group::fluid) {
          const char* n = code_name(f.names, code);
          obj[f.name] = n ? json(n) : json(code);
        }
        continue;
      }
      if (f.count == 1 || g == Group::rate_test) {
        if (g == Group::rate_test) continue;
        const double v = get_value(b, f, 0);
        bool emit = v != f.default_value;
        if (fit && std::string(f.name) == "backpressure_c")
          emit = wb[DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE];
        if (fit && std::string(f.name) == "backpressure_n")
          emit = wb[DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE];
        if (emit) obj[f.name] = f.kind == Kind::integer ? json(static_cast<int>(v)) : json(v);
        continue;
      }
      int last = -1;
      for (int i = 0; i < f.count; ++i)
        if (get_value(b, f, i) != 0) last = i;
      if (last < 0) continue;
      json arr = json::array();
      if (std::string(f.name) == "injection_coefficients") {
        for (int k = 0; k <= last / 2; ++k)
          arr.push_back({get_value(b, f, 2 * k), get_value(b, f, 2 * k + 1)});
      } else {
        for (int i = 0; i <= last; ++i) arr.push_back(get_value(b, f, i));
      }
      obj[f.name] = arr;
    }
    return obj;
  };

  const int layer_count =
      std::clamp(detail::load_i32(w, DLV_WELL_RECORD_LAYER_COUNT_BYTE), 0, DLV_LAYERS);
  json layers = json::array();
  for (int L = 0; L < layer_count; ++L) {
    json layer = json::object();
    for (const Field& f : all_fields()) {
      if (f.group != Group::layer) continue;
      const double v = get_value(b, f, L);
      bool emit = v != 0;
      if (std::string(f.name) == "bubble_point")
        emit = detail::load_i32(b.layer_fluids.data(),
                                DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE + 4 * L) == 1;
      if (emit) layer[f.name] = f.kind == Kind::integer ? json(static_cast<int>(v)) : json(v);
    }
    layers.push_back(layer);
  }
  doc["layers"] = layers;
  json well = scalar_group(Group::well);
  if (!well.empty()) doc["well"] = well;
  const int tests =
      std::clamp(detail::load_i32(w, DLV_WELL_RECORD_TEST_COUNT_BYTE), 0, DLV_TEST_CAPACITY);
  if (tests > 0) {
    json arr = json::array();
    for (int i = 0; i < tests; ++i) {
      json t = json::object();
      for (const Field& f : all_fields()) {
        if (f.group != Group::test) continue;
        const double v = get_value(b, f, i);
        if (v != 0 || std::string(f.name) != "test_shutin_pressure") t[f.name] = v;
      }
      arr.push_back(t);
    }
    doc["tests"] = arr;
  }
  const int rows = std::clamp(detail::load_i32(w, DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE), 0,
                              DLV_RATETEST_CAPACITY);
  if (rows > 0) {
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
    doc["rate_test"] = rt;
  }
  json fluid = scalar_group(Group::fluid);
  json tables = json::array();
  const double* ft = b.fluid_tables.data();
  for (const NamedCode& p : table_property_names()) {
    if (detail::load_i32(
            ft, DLV_FLUID_TABLES_USE_TABLE_BYTE + 4 * static_cast<std::size_t>(p.code)) != 1)
      continue;
    const double* t = ft + static_cast<std::size_t>(p.code) * DLV_FLUID_TABLE_SLOTS;
    const int nt = detail::load_i32(t, DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE);
    const int np = detail::load_i32(t, DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE);
    json tab = {{"property", p.name}};
    json temps = json::array(), pres = json::array(), vals = json::array();
    for (int j = 0; j < nt; ++j) temps.push_back(t[DLV_FLUID_TABLE_TEMPERATURES + j]);
    for (int r = 0; r < np; ++r) {
      pres.push_back(t[DLV_FLUID_TABLE_PRESSURES + r]);
      json row = json::array();
      for (int j = 0; j < nt; ++j)
        row.push_back(t[DLV_FLUID_TABLE_VALUES + r * DLV_FLUID_TABLE_TEMPERATURE_CAPACITY + j]);
      vals.push_back(row);
    }
    tab["temperatures"] = temps;
    tab["pressures"] = pres;
    tab["values"] = vals;
    tables.push_back(tab);
  }
  if (!tables.empty()) fluid["tables"] = tables;
  doc["fluid"] = fluid;
  for (Group g : {Group::separator, Group::completion, Group::traverse}) {
    json obj = scalar_group(g);
    if (!obj.empty()) doc[group_key(g)] = obj;
  }
  return doc;
}

}  // namespace dlv::wellfile
