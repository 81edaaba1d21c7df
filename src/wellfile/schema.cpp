// The JSON Schema of a well file, built from the field table.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <span>

#include "dlv/dlv_layout.h"
#include "wellfile/coupling_document.hpp"
#include "wellfile/tubing_document.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

json field_schema(const Field& f) {
  json s = json::object();
  std::string d = f.meaning;
  if (*field_unit(f))
    d += " [" + std::string(field_unit(f)) + "; metric " + field_unit(f, UnitSystem::metric) + "]";
  d += std::string(". Block ") + block_name(f.block) + ".";
  if (f.kind == Kind::named) {
    json e = json::array();
    for (const NamedCode& n : f.names) e.push_back(n.name);
    s["enum"] = e;
    s["description"] = d;
    const char* def = code_name(f.names, static_cast<int>(f.default_value));
    if (def) s["default"] = def;
    return s;
  }
  json item = json::object();
  item["type"] = f.kind == Kind::integer ? "integer" : "number";
  // The schema's bounds hold a value of either system; x-metric gives the metric
  // range that the checks apply to a metric well.
  const FieldRange m = field_range(f, UnitSystem::metric);
  item["minimum"] = std::min(f.min, m.min);
  item["maximum"] = std::max(f.max, m.max);
  if (*field_unit(f)) {
    item["x-unit"] = field_unit(f);
    item["x-metric"] = {
        {"unit", field_unit(f, UnitSystem::metric)}, {"minimum", m.min}, {"maximum", m.max}};
  }
  const bool array = f.count > 1 && f.group == Group::well;
  if (f.quantity == Quantity::injection_coefficient) {
    s["type"] = "array";
    s["maxItems"] = DLV_INJECTION_COEFFICIENT_PAIRS;
    s["items"] = {{"type", "array"}, {"minItems", 2}, {"maxItems", 2}, {"items", item}};
  } else if (array || f.group == Group::rate_test) {
    s["type"] = "array";
    s["maxItems"] = f.count;
    s["items"] = item;
  } else {
    s = item;
  }
  s["description"] = d;
  if (f.default_value != 0 || f.group != Group::rate_test) s["default"] = f.default_value;
  return s;
}

json group_object(Group g, const char* description) {
  json props = json::object();
  for (const Field& f : all_fields())
    if (f.group == g) props[f.name] = field_schema(f);
  return {{"type", "object"},
          {"description", description},
          {"additionalProperties", false},
          {"properties", props}};
}

}  // namespace

json well_schema() {
  json s = json::object();
  s["$schema"] = "https://json-schema.org/draft/2020-12/schema";
  s["$id"] = "https://dlv.example/schema/well.schema.json";
  s["title"] = "DLV well file";
  s["description"] =
      "A well described by name for the dlv command and library. Pressures are psi gauge, "
      "temperatures degF, liquid rates STB/d, gas rates Mscf/d, lengths ft. A field left out "
      "takes its default; the method named in 'method' says which fields it needs.";
  s["type"] = "object";
  s["required"] = {"mode", "method", "layers"};
  s["additionalProperties"] = false;
  json props = json::object();
  props["$schema"] = {{"type", "string"}};
  props["description"] = {{"type", "string"}, {"description", "what the well is"}};
  props["units"] = {{"enum", {"field", "metric"}},
                    {"default", "field"},
                    {"description",
                     "unit system of every number of the file and of its results (x-unit and "
                     "x-metric of each field)"}};
  json modes = json::array();
  for (const NamedCode& m : mode_names()) modes.push_back(m.name);
  props["mode"] = {{"enum", modes}, {"description", "calculation mode"}};
  json methods = json::array();
  std::string by_mode;
  for (const NamedCode& m : mode_names()) {
    by_mode += std::string(by_mode.empty() ? "" : "; ") + m.name + ":";
    for (const NamedCode& n : method_names(m.code)) {
      by_mode += std::string(" ") + n.name;
      bool seen = false;
      for (const json& x : methods) seen = seen || x == n.name;
      if (!seen) methods.push_back(n.name);
    }
  }
  props["method"] = {{"enum", methods}, {"description", "curve method of the mode. " + by_mode}};
  props["well"] = group_object(Group::well, "scalars and short arrays of the well record");
  json layer = group_object(Group::layer,
                            "one layer: reservoir and well geometry (well_record), fluid "
                            "description (layer_fluids) and completion data (completion_block)");
  props["layers"] = {{"type", "array"},
                     {"minItems", 1},
                     {"maxItems", DLV_LAYERS},
                     {"description", "the layers, layer 0 first; single-curve methods take one"},
                     {"items", layer}};
  props["tests"] = {{"type", "array"},
                    {"maxItems", DLV_TEST_CAPACITY},
                    {"description", "well tests (test_count is their number)"},
                    {"items", group_object(Group::test, "one test point")}};
  props["rate_test"] =
      group_object(Group::rate_test, "rate-test table, columns of one length (ratetest_row_count)");
  json fluid = group_object(Group::fluid, "fluid description and property tables");
  json props_names = json::array();
  for (const NamedCode& p : table_property_names()) props_names.push_back(p.name);
  fluid["properties"]["tables"] = {
      {"type", "array"},
      {"maxItems", 5},
      {"description", "property tables that replace a correlation (sets its use_table flag)"},
      {"items",
       {{"type", "object"},
        {"additionalProperties", false},
        {"required", {"property", "temperatures", "pressures", "values"}},
        {"properties",
         {{"property", {{"enum", props_names}}},
          {"temperatures",
           {{"type", "array"},
            {"minItems", 1},
            {"maxItems", DLV_FLUID_TABLE_TEMPERATURE_CAPACITY},
            {"items", {{"type", "number"}}},
            {"description", "ascending temperatures [degF]"}}},
          {"pressures",
           {{"type", "array"},
            {"minItems", 1},
            {"maxItems", DLV_FLUID_TABLE_PRESSURE_CAPACITY},
            {"items", {{"type", "number"}}},
            {"description", "ascending absolute pressures [psia]"}}},
          {"values",
           {{"type", "array"},
            {"description", "one row per pressure, one value per temperature"},
            {"items", {{"type", "array"}, {"items", {{"type", "number"}}}}}}}}}}}};
  props["fluid"] = fluid;
  props["separator"] = group_object(Group::separator, "separator conditions");
  props["completion"] = group_object(Group::completion, "completion pressure-loss model");
  props["traverse"] = group_object(Group::traverse, "fields of the traverse record template");
  props["traverse"]["properties"]["correlation"] = coupling_schema();
  props["tubing"] = tubing_schema();
  s["properties"] = props;
  return s;
}

}  // namespace dlv::wellfile

namespace dlv::wellfile {

namespace {

// "layers 3 + i (4 values)": the block and slot (or byte) of a field.
std::string field_place(const Field& f) {
  std::string where = std::string(block_name(f.block)) + " ";
  where += f.kind == Kind::real ? std::to_string(f.pos) : "byte " + std::to_string(f.pos);
  if (f.group == Group::layer || f.group == Group::test) where += " + i";
  if (f.count > 1) where += " (" + std::to_string(f.count) + " values)";
  return where;
}

// "a (0), b (1)": names with their codes.
std::string named_codes(std::span<const NamedCode> names) {
  std::string list;
  for (const NamedCode& n : names)
    list += (list.empty() ? "" : ", ") + std::string(n.name) + " (" + std::to_string(n.code) + ")";
  return list;
}

// The names of a named field, else its range in field units and, where it
// differs, in metric units.
std::string field_range_text(const Field& f) {
  if (f.kind == Kind::named) return named_codes(f.names);
  const FieldRange m = field_range(f, UnitSystem::metric);
  std::string range = number_text(f.min) + " to " + number_text(f.max);
  if (*field_unit(f) && (m.min != f.min || m.max != f.max))
    range += " / " + number_text(m.min) + " to " + number_text(m.max);
  return range;
}

std::string field_row(const Field& f) {
  std::string def = f.kind == Kind::named
                        ? std::string(code_name(f.names, static_cast<int>(f.default_value)))
                        : number_text(f.default_value);
  std::string unit = field_unit(f);
  if (std::string(unit) != field_unit(f, UnitSystem::metric))
    unit += std::string(" / ") + field_unit(f, UnitSystem::metric);
  return "| `" + std::string(f.name) + "` | " + field_place(f) + " | " + unit + " | " +
         field_range_text(f) + " | " + def + " | " + f.meaning + " |\n";
}

std::string group_table(const char* title, Group group) {
  std::string s = std::string("## ") + title +
                  "\n\n| field | block, slot | unit (field / metric) | range (field / metric) | "
                  "default | meaning |\n|---|---|---|---|---|---|\n";
  for (const Field& f : all_fields())
    if (f.group == group) s += field_row(f);
  if (group == Group::traverse) s += "\n" + coupling_fields_markdown();
  return s + "\n";
}

}  // namespace

std::string fields_reference_markdown() {
  std::string s =
      "# Well-file fields\n\n"
      "Generated by `dlv schema --markdown` from the field table of the well-file library; "
      "`tools/regen_wellfile_golden.sh` rewrites it. Each field is named as in the argument "
      "blocks of `dlv_cal`; `include/dlv/dlv_layout.h` gives its position to C hosts as "
      "`DLV_<BLOCK>_<FIELD>` (slot) and `DLV_<BLOCK>_<FIELD>_BYTE` (byte offset of int32 and "
      "flag fields). Pressures are psi gauge unless the unit says psia.\n\n"
      "A well file is written in field units unless it says `\"units\": \"metric\"`; every "
      "number is then read in the metric unit of its field and checked against the metric "
      "range (both are listed below; the rates of `test_rate` and `max_injection_rate` are "
      "sm3/d of liquid or of gas by the mode). Metric pressures are bar gauge unless the unit "
      "says bar absolute. A metric `backpressure_c` is in sm3/d/bar^(2n) and needs its "
      "`backpressure_n`; metric `injection_coefficients` are sm3/d per bar (pair 0 water, "
      "pair 1 gas), per bar^2 (pair 2) and per bar^2/(mPa.s) (pair 3).\n\n"
      "Counts are not written in a well file: `layer_count` is the number of `layers`, "
      "`test_count` of `tests`, `ratetest_row_count` the length of the `rate_test` columns. "
      "`bubble_point_given` is set for a layer that gives `bubble_point`; "
      "`backpressure_c_given` and `backpressure_n_given` when `well` gives `backpressure_c` or "
      "`backpressure_n`; a `fluid.tables` entry sets its `use_table` flag.\n\n";
  const char* titles[] = {"well",  "layers[i]", "tests[i]",   "rate_test",
                          "fluid", "separator", "completion", "traverse"};
  const Group groups[] = {Group::well,  Group::layer,     Group::test,       Group::rate_test,
                          Group::fluid, Group::separator, Group::completion, Group::traverse};
  for (int g = 0; g < 8; ++g) s += group_table(titles[g], groups[g]);
  s += tubing_fields_markdown();
  s += "## Modes and methods\n\n| mode (calc_mode) | methods (code) |\n|---|---|\n";
  for (const NamedCode& m : mode_names())
    s += "| " + std::string(m.name) + " (" + std::to_string(m.code) + ") | " +
         named_codes(method_names(m.code)) + " |\n";
  return s + "\n" + refusals_markdown();
}

}  // namespace dlv::wellfile
