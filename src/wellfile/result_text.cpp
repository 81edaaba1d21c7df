// The result document of a computed well written as compact text straight
// from the blocks: the same keys, values and order as run_well's result tree
// put through compact_text, with the metric conversion applied while writing.
// A null and a value that is not a number read the same in the text, so a
// column carries an empty row as NaN.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "blocks/blocks.hpp"
#include "dlv/dlv_layout.h"
#include "tubing/correlation.hpp"
#include "wellfile/computed_well.hpp"
#include "wellfile/meaning.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// The units object of a mode's results in one unit system, as text, and the
// row of the units table each of its keys converts by (metric only).
struct ResultUnits {
  std::string text;
  std::vector<std::pair<std::string, const QuantityUnits*>> rows;

  const QuantityUnits* row(std::string_view key) const {
    for (const auto& [k, r] : rows)
      if (k == key) return r;
    return nullptr;
  }
};

ResultUnits make_units(int mode, UnitSystem output) {
  ResultUnits u;
  json units = result_units(mode);
  if (output == UnitSystem::metric)
    for (auto& [k, v] : units.items()) {
      const QuantityUnits* row = quantity_of_field_unit(v.get<std::string>());
      if (!row || (row->factor == 0 && row->quantity != Quantity::backpressure_coefficient))
        continue;
      u.rows.emplace_back(k, row);
      v = row->metric_unit;
    }
  u.text = compact_text(units);
  return u;
}

const ResultUnits& units_of(int mode, UnitSystem output) {
  static const std::array<std::array<ResultUnits, 2>, 4> by_mode = [] {
    std::array<std::array<ResultUnits, 2>, 4> t;
    for (int m = 0; m < 4; ++m)
      t[m] = {make_units(m, UnitSystem::field), make_units(m, UnitSystem::metric)};
    return t;
  }();
  static_assert(DLV_MODE_OIL_PRODUCTION == 0 && DLV_MODE_GAS_INJECTION == 3);
  return by_mode[static_cast<std::size_t>(mode)][output == UnitSystem::metric ? 1 : 0];
}

// The text of the numbers a document has written, by their bits: a result
// repeats its rates and its constant ratio columns from curve to curve, and a
// repeat is copied rather than formatted again.
class NumberTexts {
 public:
  // Writes v's text at out, which has room for kNumberTextRoom characters;
  // returns its end.
  char* put(double v, char* out) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Slot& s = slots_[(bits * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits)];
    if (s.length != 0 && s.bits == bits) {
      std::memcpy(out, s.text.data(), s.text.size());  // the whole slot: one fixed-size copy
      return out + s.length;
    }
    char* const end = put_json_number(v, out);
    const auto length = static_cast<std::size_t>(end - out);
    if (length > s.text.size()) return end;  // never: a double takes at most 26 characters here
    s.bits = bits;
    s.length = static_cast<std::uint8_t>(length);
    std::memcpy(s.text.data(), out, length);
    return end;
  }
  void put(double v, std::string& out) {
    char buf[kNumberTextRoom];
    out.append(buf, put(v, buf));
  }

 private:
  static constexpr int kSlotBits = 7;
  struct Slot {
    std::uint64_t bits = 0;
    std::uint8_t length = 0;  // 0: empty
    std::array<char, 31> text;
  };
  static_assert(std::tuple_size_v<decltype(Slot::text)> <= kNumberTextRoom);
  std::array<Slot, std::size_t{1} << kSlotBits> slots_;  // a slot's text is read only once written
};

// Compact JSON text with the commas placed by the writer: a key, or a value
// inside an array, writes a comma unless it opens its object or array.
class Writer {
 public:
  Writer(std::string& out, const ResultUnits& units) : out_(out), units_(units) {}

  void open(char c) {
    separate();
    out_ += c;
    first_ = true;
  }
  void close(char c) {
    out_ += c;
    first_ = false;
  }
  // A key of the library's own (a name with nothing to escape).
  void key(std::string_view k) {
    separate();
    out_ += '"';
    out_ += k;
    out_ += "\":";
    first_ = true;
  }
  void number(double v) {
    separate();
    numbers_.put(v, out_);
  }
  void integer(long v) {
    separate();
    char buf[24];
    out_.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
  }
  void boolean(bool v) {
    separate();
    out_ += v ? "true" : "false";
  }
  void string(std::string_view v) {
    separate();
    put_json_string(v, out_);
  }
  void raw(const std::string& text) {
    separate();
    out_ += text;
  }
  // A value under a key of the units map, converted as convert_result does.
  void value(std::string_view k, double v) {
    key(k);
    number(converted(k, v));
  }
  // A column of values under a key of the units map, written in place: room
  // for every number and its comma first, the unused end cut off after.
  void column(std::string_view k, const double* v, int n) {
    key(k);
    const QuantityUnits* row = units_.row(k);
    open('[');
    const std::size_t at = out_.size();
    out_.resize(at + static_cast<std::size_t>(n) * (kNumberTextRoom + 1));
    char* p = out_.data() + at;
    for (int i = 0; i < n; ++i) {
      if (i > 0) *p++ = ',';
      p = numbers_.put(row ? v[i] * row->factor + row->offset : v[i], p);
    }
    out_.resize(static_cast<std::size_t>(p - out_.data()));
    close(']');
  }
  double converted(std::string_view k, double v) const {
    const QuantityUnits* row = units_.row(k);
    return row ? v * row->factor + row->offset : v;
  }
  const ResultUnits& units() const { return units_; }

 private:
  void separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  std::string& out_;
  const ResultUnits& units_;
  NumberTexts numbers_;
  bool first_ = true;
};

using Column = std::array<double, DLV_POINTS>;

Column copy_of(const double* p) {
  Column c;
  std::copy(p, p + DLV_POINTS, c.begin());
  return c;
}

// reservoir_pressure minus each row's pressure.
Column drawdown_of(const Column& pressure, double reservoir_pressure) {
  Column d;
  for (int i = 0; i < DLV_POINTS; ++i) d[i] = reservoir_pressure - pressure[i];
  return d;
}

// Empties every pressure below 0 psi gauge (or not a number) and the same
// rows of `with`; returns the note that reports them ("" when there are none).
std::string empty_below_zero(Column& pressure, Column* with, const std::string& path) {
  int count = 0;
  double lowest = 0;
  for (int i = 0; i < DLV_POINTS; ++i) {
    if (pressure[i] >= 0) continue;
    ++count;
    lowest = std::min(lowest, pressure[i]);
    pressure[i] = kNoValue;
    if (with) (*with)[i] = kNoValue;
  }
  return below_zero_note(path, count, lowest);
}

void put_curve(Writer& w, std::string_view name, const Column* columns[3], const char* third) {
  w.key(name);
  w.open('{');
  w.column("rate", columns[0]->data(), DLV_POINTS);
  w.column("pressure", columns[1]->data(), DLV_POINTS);
  w.column(third, columns[2]->data(), DLV_POINTS);
  w.close('}');
}

// A curve of a curve block as it stands.
void put_block_curve(Writer& w, std::string_view name, const std::vector<double>& block, int L,
                     const char* third) {
  const ConstBlockView t{block.data()};
  const Column rate = copy_of(t.curve_rate(L)), pressure = copy_of(t.curve_pressure(L)),
               z = copy_of(t.curve_drawdown(L));
  const Column* columns[3] = {&rate, &pressure, &z};
  put_curve(w, name, columns, third);
}

struct LayerText {
  const json& doc;
  const ComputedWell& c;
  std::vector<std::string>& meaning_notes;
};

void put_fractured(Writer& w, const Blocks& b, int L) {
  const LayerResults res{const_cast<double*>(b.results.data())};
  w.key("fractured_well");
  w.open('{');
  w.key("flow_regime");
  w.string(res.flow_regime_flag(L) == 1 ? "stabilized" : "transient_linear");
  w.value("effective_radius_ratio", res.effective_radius_ratio()[L]);
  w.value("fracture_conductivity", res.fracture_conductivity()[L]);
  w.value("dimensionless_time", res.dimensionless_time()[L]);
  w.close('}');
}

void put_layer(Writer& w, const LayerText& t, int L) {
  const Blocks& b = t.c.b;
  const ResultShape& shape = t.c.shape;
  w.open('{');
  w.key("layer");
  w.integer(L);
  {
    const ConstBlockView curves{b.layer_curves.data()};
    const Column rate = copy_of(curves.curve_rate(L)), pressure = copy_of(curves.curve_pressure(L));
    const Column dd = drawdown_of(
        pressure, WellRecord{const_cast<double*>(b.well_record.data())}.reservoir_pressure()[L]);
    const Column* columns[3] = {&rate, &pressure, &dd};
    put_curve(w, "curve", columns, "drawdown");
  }
  if (shape.completion) {
    const ConstBlockView curves{b.completion_curves.data()};
    const Column rate = copy_of(curves.curve_rate(L)), loss = copy_of(curves.curve_drawdown(L));
    Column pressure = copy_of(curves.curve_pressure(L));
    const std::string n =
        empty_below_zero(pressure, nullptr, "layers[" + std::to_string(L) + "].completion_curve");
    if (!n.empty()) t.meaning_notes.push_back(n);
    const Column* columns[3] = {&rate, &pressure, &loss};
    put_curve(w, "completion_curve", columns, "completion_loss");
  }
  if (shape.traverse) put_block_curve(w, "traverse_curve", b.traverse_curves, L, "drawdown");
  FluidPropertyRow row;
  fluid_property_values(b, t.doc, L, row);
  w.key("fluid_properties");
  w.open('{');
  for (const FluidPropertyValue& p : row) w.value(p.name, p.value);
  w.close('}');
  if (shape.fractured) put_fractured(w, b, L);
  w.close('}');
}

// The well's curve; returns the largest rate on a row with a flowing pressure.
double put_well_curve(Writer& w, const ComputedWell& c, std::vector<std::string>& meaning_notes) {
  const Blocks& b = c.b;
  const ResultShape& shape = c.shape;
  const WellSummary s{const_cast<double*>(b.summary.data())};
  const Column rate = copy_of(s.rate());
  Column pressure = copy_of(s.pressure());
  const bool one = shape.layers == 1;
  Column dd = drawdown_of(
      pressure, WellRecord{const_cast<double*>(b.well_record.data())}.reservoir_pressure()[0]);
  if (shape.completion) {
    const std::string n = empty_below_zero(pressure, one ? &dd : nullptr, "well_curve");
    if (!n.empty() && !one) meaning_notes.push_back(n);
  }
  Column water_sg;
  for (int i = 0; i < DLV_POINTS; ++i)
    water_sg[i] = well_water_sg_meaningful(shape.mode, s.water_cut()[i], s.water_sg()[i])
                      ? s.water_sg()[i]
                      : kNoValue;
  w.key("well_curve");
  w.open('{');
  w.column("rate", rate.data(), DLV_POINTS);
  w.column("pressure", pressure.data(), DLV_POINTS);
  if (one) w.column("drawdown", dd.data(), DLV_POINTS);
  w.column("water_cut", s.water_cut(), DLV_POINTS);
  w.column(one         ? "producing_gor"
           : shape.gas ? "liquid_gas_ratio"
                       : "gas_oil_ratio",
           s.gas_liquid(), DLV_POINTS);
  w.column("water_sg", water_sg.data(), DLV_POINTS);
  w.close('}');
  // An emptied row of a completion well holds no flowing pressure; any other
  // row does, even one that is not a number.
  double max_rate = rate[0];
  for (int i = 0; i < DLV_POINTS; ++i)
    if (!shape.completion || !std::isnan(pressure[i])) max_rate = std::max(max_rate, rate[i]);
  return max_rate;
}

void put_summary(Writer& w, const ComputedWell& c, double max_rate) {
  const ResultShape& shape = c.shape;
  const WellRecord well{const_cast<double*>(c.b.well_record.data())};
  w.key("summary");
  w.open('{');
  w.key("layer_count");
  w.integer(shape.layers);
  w.value("maximum_rate", max_rate);
  w.value("reservoir_pressure", well.reservoir_pressure()[0]);
  if (well.backpressure_c() != 0 || well.backpressure_n() != 0) {
    const double n = well.backpressure_n();
    const QuantityUnits* row = w.units().row("backpressure_c");
    w.key("backpressure_c");
    w.number(row ? well.backpressure_c() * backpressure_coefficient_factor(shape.mode, n) +
                       row->offset
                 : well.backpressure_c());
    w.value("backpressure_n", n);
  }
  if (well.productivity_index() != 0) w.value("productivity_index", well.productivity_index());
  w.key("completion_stage");
  w.boolean(shape.completion);
  w.key("traverse_coupling");
  w.boolean(shape.traverse);
  if (shape.traverse && c.coupling) {
    w.key("traverse_coupling_correlation");
    w.string(correlation_name(c.coupling->correlation));
  }
  w.key("result_status");
  w.integer(LayerResults{const_cast<double*>(c.b.results.data())}.result_status());
  w.close('}');
}

void put_strings(Writer& w, const char* key, const std::vector<std::string>& lines) {
  w.key(key);
  w.open('[');
  for (const std::string& s : lines) w.string(s);
  w.close(']');
}

}  // namespace

std::string result_text(const json& doc, const ComputedWell& c, UnitSystem output) {
  std::string out;
  out.reserve(16384);
  Writer w(out, units_of(c.shape.mode, output));
  w.open('{');
  w.key("format_version");
  w.integer(kFormatVersion);
  if (doc.contains("description")) {
    w.key("description");
    w.raw(compact_text(doc["description"]));
  }
  w.key("mode");
  w.raw(compact_text(doc["mode"]));
  w.key("method");
  w.raw(compact_text(doc["method"]));
  w.key("units");
  w.raw(w.units().text);
  std::vector<std::string> meaning_notes;
  w.key("layers");
  w.open('[');
  const LayerText layer{doc, c, meaning_notes};
  for (int L = 0; L < c.shape.layers; ++L) put_layer(w, layer, L);
  w.close(']');
  const double max_rate = put_well_curve(w, c, meaning_notes);
  put_summary(w, c, max_rate);
  std::vector<std::string> notes;
  notes.reserve(c.notes.size() + meaning_notes.size());
  for (const Note& n : c.notes) notes.push_back(n.text());
  notes.insert(notes.end(), meaning_notes.begin(), meaning_notes.end());
  put_strings(w, "notes", notes);
  put_strings(w, "fallbacks", c.fallbacks);
  w.close('}');
  return out;
}

}  // namespace dlv::wellfile
