// Lift tables: checks, filling from a bottom-hole pressure function, surface
// rates of a combination, and the deck text.
#include "wellfile/vfp_table.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "numerics/units.hpp"

namespace dlv::wellfile {

namespace {

// How an axis is named, written and converted.
struct AxisInfo {
  const char* path;        // name in problems ("rates", "gors", ...)
  const char* keyword;     // record name in the deck ("FLO", "THP", ...)
  const char* field_unit;  // unit in FIELD tables
  const char* metric_unit;
  double to_metric;  // FIELD value times this is the METRIC value
};

constexpr double kScfPerStbToMetric = kM3PerMscf / kM3PerBbl;  // Mscf/stb -> sm3/sm3
constexpr double kStbPerMscfToMetric = kM3PerBbl / kM3PerMscf;

AxisInfo flo_info(const VfpTable& t) {
  if (t.flo == VfpFlo::gas) return {"rates", "FLO", "Mscf/d", "sm3/d", kM3PerMscf};
  return {"rates", "FLO", "stb/d", "sm3/d", kM3PerBbl};
}
AxisInfo thp_info() { return {"wellhead_pressures", "THP", "psia", "barsa", kBarsaPerPsia}; }
AxisInfo wfr_info(const VfpTable& t) {
  switch (t.wfr) {
    case VfpWfr::water_cut:
      return {"water_cuts", "WCT", "stb/stb", "sm3/sm3", 1.0};
    case VfpWfr::water_oil_ratio:
      return {"water_oil_ratios", "WOR", "stb/stb", "sm3/sm3", 1.0};
    case VfpWfr::water_gas_ratio:
      break;
  }
  return {"water_gas_ratios", "WGR", "stb/Mscf", "sm3/sm3", kStbPerMscfToMetric};
}
AxisInfo gfr_info(const VfpTable& t) {
  switch (t.gfr) {
    case VfpGfr::gas_oil_ratio:
      return {"gors", "GOR", "Mscf/stb", "sm3/sm3", kScfPerStbToMetric};
    case VfpGfr::gas_liquid_ratio:
      return {"glrs", "GLR", "Mscf/stb", "sm3/sm3", kScfPerStbToMetric};
    case VfpGfr::oil_gas_ratio:
      break;
  }
  return {"ogrs", "OGR", "stb/Mscf", "sm3/sm3", kStbPerMscfToMetric};
}
AxisInfo alq_info(const VfpTable& t) {
  switch (t.alq) {
    case VfpAlq::none:
      break;
    case VfpAlq::gas_rate:
      return {"alq", "GRAT", "Mscf/d", "sm3/d", kM3PerMscf};
    case VfpAlq::injected_glr:
      return {"alq", "IGLR", "Mscf/stb", "sm3/sm3", kScfPerStbToMetric};
    case VfpAlq::total_glr:
      return {"alq", "TGLR", "Mscf/stb", "sm3/sm3", kScfPerStbToMetric};
  }
  return {"alq", "' '", "", "", 1.0};
}

const char* flo_word(VfpFlo f) {
  switch (f) {
    case VfpFlo::oil:
      return "OIL";
    case VfpFlo::liquid:
      return "LIQ";
    case VfpFlo::gas:
      return "GAS";
    case VfpFlo::water:
      break;
  }
  return "WAT";
}

// Twelve significant digits: every value round-trips to well below any
// tolerance a simulator applies, and axis values that differ by the relative
// gap the checks demand stay distinct after conversion.
std::string number(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.12g", v);
  return buf;
}
constexpr double kDistinctGap = 1e-9;  // relative gap below which two axis values repeat

// Checks of one axis: size, finite, sign, order, and the value limits.
struct AxisRule {
  AxisInfo info;
  std::size_t min_entries;
  bool positive;                // > 0 rather than >= 0
  double max_value;             // inclusive; infinity when unbounded
  bool max_exclusive = false;   // the bound itself is refused
  bool ratio_in_mscf = false;   // a FIELD Mscf/stb ratio: refuse scf/stb-sized values
  const char* max_reason = "";  // why values above max_value are refused
};

std::string axis_expected(const AxisRule& rule) {
  return std::string(rule.info.field_unit) + (rule.info.field_unit[0] ? ", " : "") + "ascending, " +
         (rule.positive ? "> 0" : ">= 0") + ", " + std::to_string(rule.min_entries) + " to " +
         std::to_string(kVfpMaxAxisEntries) + " entries";
}

// The count of entries; false when the axis is too short to look at its values.
bool check_axis_size(const std::vector<double>& axis, const AxisRule& rule,
                     const std::string& expected, std::vector<Problem>& out) {
  const std::string path = rule.info.path;
  if (axis.size() < rule.min_entries) {
    out.push_back({path,
                   axis.empty()
                       ? "the axis is empty"
                       : "the axis has " + std::to_string(axis.size()) +
                             " entry; a table needs at least " + std::to_string(rule.min_entries),
                   expected});
    return false;
  }
  if (axis.size() > kVfpMaxAxisEntries) {
    out.push_back({path,
                   "the axis has " + std::to_string(axis.size()) + " entries, more than the " +
                       std::to_string(kVfpMaxAxisEntries) + " a table may hold",
                   expected});
  }
  return true;
}

// What one walk along an axis has already said once.
struct AxisWalk {
  std::string expected;
  bool order_reported = false;
  bool scale_reported = false;
};

// One value taken alone: finite, sign, scale and bound; true when it is refused.
bool value_refused(double v, const AxisRule& rule, const std::string& at, AxisWalk& walk,
                   std::vector<Problem>& out) {
  if (!std::isfinite(v)) {
    out.push_back({at, "not a finite number", walk.expected});
    return true;
  }
  if (rule.positive ? v <= 0 : v < 0) {
    out.push_back(
        {at, number(v) + (rule.positive ? " is not positive" : " is negative"), walk.expected});
    return true;
  }
  if (rule.ratio_in_mscf && v > kVfpLargestMscfPerStb) {
    if (!walk.scale_reported) {
      out.push_back({at,
                     number(v) +
                         " Mscf/stb is a thousand times larger than a well's ratio: "
                         "the axis looks given in scf/stb; FIELD tables hold it in "
                         "Mscf/stb (divide by 1000: " +
                         number(v / 1000) + ")",
                     walk.expected});
      walk.scale_reported = true;
    }
    return true;
  }
  if (rule.max_exclusive ? v >= rule.max_value : v > rule.max_value) {
    out.push_back({at, number(v) + " " + rule.max_reason, walk.expected});
    return true;
  }
  return false;
}

// A value against the one before it: the first fall or repeat of the axis.
void check_order(double v, double prev, const std::string& at, AxisWalk& walk,
                 std::vector<Problem>& out) {
  if (v < prev) {
    out.push_back(
        {at, number(v) + " is below the value before it (" + number(prev) + "): axis values ascend",
         walk.expected});
    walk.order_reported = true;
  } else if (v - prev <= kDistinctGap * std::max(std::fabs(v), 1.0)) {
    out.push_back({at, number(v) + " repeats the value before it", walk.expected});
    walk.order_reported = true;
  }
}

void check_axis(const std::vector<double>& axis, const AxisRule& rule, std::vector<Problem>& out) {
  AxisWalk walk{axis_expected(rule)};
  if (!check_axis_size(axis, rule, walk.expected, out)) return;
  const std::string path = rule.info.path;
  for (std::size_t i = 0; i < axis.size(); ++i) {
    const double v = axis[i];
    const std::string at = path + "[" + std::to_string(i) + "]";
    if (value_refused(v, rule, at, walk, out)) continue;
    if (i > 0 && std::isfinite(axis[i - 1]) && !walk.order_reported)
      check_order(v, axis[i - 1], at, walk, out);
  }
}

// Adds the entries of one record to the text, wrapping before 100 columns.
void append_values(std::string& text, std::string line, const std::vector<double>& values,
                   double scale) {
  for (double v : values) {
    const std::string n = number(v * scale);
    if (line.size() + 1 + n.size() > 96) {
      text += line + "\n";
      line = "   ";
    }
    line += " " + n;
  }
  text += line + " /\n";
}

}  // namespace

std::size_t VfpTable::wfr_count() const { return kind == VfpKind::injection ? 1 : axes.wfr.size(); }
std::size_t VfpTable::gfr_count() const { return kind == VfpKind::injection ? 1 : axes.gfr.size(); }
std::size_t VfpTable::alq_count() const { return kind == VfpKind::injection ? 1 : axes.alq.size(); }
std::size_t VfpTable::value_count() const {
  return thp_count() * wfr_count() * gfr_count() * alq_count() * flo_count();
}
std::size_t VfpTable::offset(const VfpIndex& i) const {
  return (((i.thp * wfr_count() + i.wfr) * gfr_count() + i.gfr) * alq_count() + i.alq) *
             flo_count() +
         i.flo;
}

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// The table number, the datum and whether the rate type suits the kind.
void check_header(const VfpTable& t, std::vector<Problem>& out) {
  if (t.table_number < 1 || t.table_number > kVfpMaxTableNumber) {
    out.push_back({"table_number", std::to_string(t.table_number) + " is out of range",
                   "integer, 1 to " + std::to_string(kVfpMaxTableNumber)});
  }
  if (!std::isfinite(t.datum_depth) || t.datum_depth < 0) {
    out.push_back({"datum_depth", number(t.datum_depth) + " is not a depth", "ft, >= 0"});
  }
  const bool production = t.kind == VfpKind::production;
  if (production && t.flo == VfpFlo::water) {
    out.push_back({"flo_type", "WAT rates are for injection tables", "OIL, LIQ or GAS"});
  }
  if (!production && t.flo == VfpFlo::liquid) {
    out.push_back({"flo_type", "LIQ rates are for production tables", "OIL, WAT or GAS"});
  }
}

void check_injection_axes(const VfpTable& t, std::vector<Problem>& out) {
  if (!t.axes.wfr.empty() || !t.axes.gfr.empty() || !t.axes.alq.empty() || t.alq != VfpAlq::none) {
    out.push_back({"", "an injection table has rate and wellhead-pressure axes only",
                   "water, gas and lift axes empty"});
  }
}

// GAS rates go with a water-gas and an oil-gas ratio, other rates with neither.
void check_fraction_types(const VfpTable& t, std::vector<Problem>& out) {
  const bool gas = t.flo == VfpFlo::gas;
  if (gas != (t.wfr == VfpWfr::water_gas_ratio)) {
    out.push_back({"wfr_type",
                   gas ? "GAS rates take a water-gas ratio" : "a water-gas ratio needs GAS rates",
                   gas ? "WGR" : "WCT or WOR"});
  }
  if (gas != (t.gfr == VfpGfr::oil_gas_ratio)) {
    out.push_back({"gfr_type",
                   gas ? "GAS rates take an oil-gas ratio" : "an oil-gas ratio needs GAS rates",
                   gas ? "OGR" : "GOR or GLR"});
  }
}

AxisRule wfr_rule(const VfpTable& t) {
  AxisRule wfr{wfr_info(t), 1, false, kUnbounded};
  if (t.wfr == VfpWfr::water_cut) {
    wfr.max_value = 1;
    wfr.max_exclusive = t.flo == VfpFlo::oil;
    wfr.max_reason = t.flo == VfpFlo::oil ? "leaves no oil to give the rate (water cut below 1)"
                                          : "is above 1 (a water cut is a fraction)";
  }
  return wfr;
}

void check_lift_axis(const VfpTable& t, std::vector<Problem>& out) {
  if (t.alq == VfpAlq::none) {
    if (t.axes.alq.size() != 1 || t.axes.alq[0] != 0) {
      out.push_back(
          {"alq", "without an artificial-lift type the axis is the single value 0", "[0]"});
    }
    return;
  }
  AxisRule alq{alq_info(t), 1, false, kUnbounded};
  alq.ratio_in_mscf = t.alq != VfpAlq::gas_rate;
  check_axis(t.axes.alq, alq, out);
}

void check_production_axes(const VfpTable& t, std::vector<Problem>& out) {
  check_fraction_types(t, out);
  check_axis(t.axes.wfr, wfr_rule(t), out);
  AxisRule gfr{gfr_info(t), 1, false, kUnbounded};
  gfr.ratio_in_mscf = t.gfr != VfpGfr::oil_gas_ratio;
  check_axis(t.axes.gfr, gfr, out);
  check_lift_axis(t, out);
}

void check_value_count(const VfpTable& t, std::vector<Problem>& out) {
  const auto sizes = {t.thp_count(), t.wfr_count(), t.gfr_count(), t.alq_count(), t.flo_count()};
  double total = 1;
  for (std::size_t n : sizes) total *= static_cast<double>(n);
  if (total > static_cast<double>(kVfpMaxValues)) {
    out.push_back({"",
                   "the axes make " + number(total) + " bottom-hole pressures, more than the " +
                       std::to_string(kVfpMaxValues) + " a table may hold",
                   "fewer axis entries"});
  }
}

double axis_value(const std::vector<double>& axis, std::size_t i) {
  return axis.empty() ? 0.0 : axis[i];
}

// The value a filled entry starts from, row by row (a row: one THP, WFR, GFR
// and ALQ over every FLO).
void fill_rows(VfpTable& t, const std::vector<char>& computed, double table_max) {
  const bool production = t.kind == VfpKind::production;
  const std::size_t nflo = t.flo_count();
  const std::size_t rows = t.value_count() / nflo;
  for (std::size_t row = 0; row < rows; ++row) {
    double row_max = -1;
    for (std::size_t f = 0; f < nflo; ++f) {
      if (computed[row * nflo + f]) row_max = std::max(row_max, t.bhp[row * nflo + f]);
    }
    const double fill = production ? 1.1 * (row_max > 0 ? row_max : table_max) : kAtmosphere;
    for (std::size_t f = 0; f < nflo; ++f) {
      if (!computed[row * nflo + f]) t.bhp[row * nflo + f] = fill;
    }
  }
}

// Filled entries never make a column fall as the wellhead pressure rises.
void keep_columns_rising(VfpTable& t, const std::vector<char>& computed) {
  const std::size_t nflo = t.flo_count();
  const std::size_t rows = t.value_count() / nflo;
  const std::size_t per_thp = rows / t.thp_count() * nflo;  // entries between two THP rows
  for (std::size_t c = 0; c < per_thp; ++c) {
    for (std::size_t j = 0; j < t.thp_count(); ++j) {
      const std::size_t k = j * per_thp + c;
      if (computed[k]) continue;
      double v = t.bhp[k];
      if (j > 0) v = std::max(v, t.bhp[k - per_thp]);
      for (std::size_t above = j + 1; above < t.thp_count(); ++above) {
        const std::size_t ka = above * per_thp + c;
        if (computed[ka]) v = std::min(v, t.bhp[ka]);
      }
      t.bhp[k] = v;
    }
  }
}

}  // namespace

std::vector<Problem> validate_vfp_table(const VfpTable& t) {
  std::vector<Problem> out;
  check_header(t, out);
  check_axis(t.axes.flo, {flo_info(t), 2, false, kUnbounded}, out);
  check_axis(t.axes.thp, {thp_info(), 2, true, kUnbounded}, out);
  if (t.kind == VfpKind::production)
    check_production_axes(t, out);
  else
    check_injection_axes(t, out);
  check_value_count(t, out);
  return out;
}

VfpFillResult fill_vfp_table(VfpTable& t, const VfpBhpFunction& bhp) {
  VfpFillResult result;
  result.problems = validate_vfp_table(t);
  if (!result.problems.empty()) return result;
  t.bhp.assign(t.value_count(), 0.0);
  std::vector<char> computed(t.value_count(), 0);
  double table_max = -1;
  for_each_vfp_index(t, [&](const VfpIndex& i) {
    const std::optional<double> v =
        bhp(t.axes.flo[i.flo], t.axes.thp[i.thp], axis_value(t.axes.wfr, i.wfr),
            axis_value(t.axes.gfr, i.gfr), axis_value(t.axes.alq, i.alq));
    if (v && std::isfinite(*v) && *v > 0) {
      t.at(i) = *v;
      computed[t.offset(i)] = 1;
      table_max = std::max(table_max, *v);
    }
  });
  if (table_max < 0) {
    t.bhp.clear();
    result.problems.push_back(
        {"", "the tubing carries none of the table's rates at any of its wellhead pressures",
         "axes with at least one liftable combination"});
    return result;
  }
  fill_rows(t, computed, table_max);
  keep_columns_rising(t, computed);
  for_each_vfp_index(t, [&](const VfpIndex& i) {
    if (!computed[t.offset(i)]) result.filled.push_back(i);
  });
  result.falls = find_bhp_falls(t);
  return result;
}

VfpSurfaceRates vfp_surface_rates(const VfpTable& t, double flo, double wfr, double gfr,
                                  double alq) {
  VfpSurfaceRates r;
  if (t.kind == VfpKind::injection) {
    if (t.flo == VfpFlo::oil) r.oil = flo;
    if (t.flo == VfpFlo::water) r.water = flo;
    if (t.flo == VfpFlo::gas) r.gas = 1000 * flo;
    return r;
  }
  if (t.flo == VfpFlo::gas) {
    r.gas = 1000 * flo;
    r.water = wfr * flo;
    r.oil = gfr * flo;
  } else {
    if (t.flo == VfpFlo::liquid) {
      r.water = t.wfr == VfpWfr::water_cut ? wfr * flo : flo * wfr / (1 + wfr);
      r.oil = flo - r.water;
    } else {
      r.oil = flo;
      r.water = t.wfr == VfpWfr::water_cut ? flo * wfr / (1 - wfr) : wfr * flo;
    }
    r.gas = 1000 * gfr * (t.gfr == VfpGfr::gas_oil_ratio ? r.oil : r.oil + r.water);
  }
  const double liquid = r.oil + r.water;
  switch (t.alq) {
    case VfpAlq::none:
      break;
    case VfpAlq::gas_rate:
      r.lift_gas = 1000 * alq;
      break;
    case VfpAlq::injected_glr:
      r.lift_gas = 1000 * alq * liquid;
      break;
    case VfpAlq::total_glr:
      r.lift_gas = std::max(0.0, 1000 * alq * liquid - r.gas);
      break;
  }
  return r;
}

std::vector<VfpIndex> find_bhp_falls(const VfpTable& t) {
  std::vector<VfpIndex> out;
  if (t.bhp.size() != t.value_count()) return out;
  for_each_vfp_index(t, [&](const VfpIndex& i) {
    if (i.thp == 0) return;
    VfpIndex below = i;
    --below.thp;
    if (t.at(i) < t.at(below)) out.push_back(i);
  });
  return out;
}

std::string vfp_index_text(const VfpTable& t, const VfpIndex& i) {
  auto part = [](const char* name, std::size_t k, const std::vector<double>& axis,
                 const char* unit) {
    std::string s = std::string(name) + " " + std::to_string(k + 1);
    if (k < axis.size()) s += " (" + number(axis[k]) + (unit[0] ? " " : "") + unit + ")";
    return s;
  };
  std::string s = part("THP", i.thp, t.axes.thp, "psia");
  if (t.kind == VfpKind::production) {
    s += ", " + part("WFR", i.wfr, t.axes.wfr, wfr_info(t).field_unit) + ", " +
         part("GFR", i.gfr, t.axes.gfr, gfr_info(t).field_unit) + ", " +
         part("ALQ", i.alq, t.axes.alq, alq_info(t).field_unit);
  }
  return s + ", " + part("FLO", i.flo, t.axes.flo, flo_info(t).field_unit);
}

namespace {

// Refuses a table that cannot be written: invalid, incomplete or not finite.
void check_writable(const VfpTable& t) {
  const std::vector<Problem> problems = validate_vfp_table(t);
  if (!problems.empty()) throw std::invalid_argument("lift table: " + problems[0].text());
  if (t.bhp.size() != t.value_count()) {
    throw std::invalid_argument("lift table: " + std::to_string(t.bhp.size()) +
                                " bottom-hole pressures for " + std::to_string(t.value_count()) +
                                " entries");
  }
  for (double v : t.bhp) {
    if (!std::isfinite(v) || v <= 0) {
      throw std::invalid_argument("lift table: a bottom-hole pressure is " + number(v));
    }
  }
}

// The unit system the deck text is written in.
struct DeckUnits {
  bool metric;
  const char* unit(const AxisInfo& a) const { return metric ? a.metric_unit : a.field_unit; }
  double scale(const AxisInfo& a) const { return metric ? a.to_metric : 1.0; }
};

// The text of a table's deck that does not depend on its kind.
struct DeckWords {
  DeckUnits units;
  std::string units_word;     // 'FIELD' or 'METRIC'
  std::string depth;          // the datum depth in the deck's unit
  std::string pressure_unit;  // of THP and the bottom-hole pressures
};

void append_record(std::string& text, const DeckUnits& units, const AxisInfo& a,
                   const std::vector<double>& values) {
  const std::string u = units.unit(a);
  text += "-- " + std::string(a.keyword) + (u.empty() ? "" : " (" + u + ")") + "\n";
  append_values(text, " ", values, units.scale(a));
}

void append_production_head(std::string& text, const VfpTable& t, const DeckWords& w) {
  const AxisInfo wfr = wfr_info(t), gfr = gfr_info(t), alq = alq_info(t);
  text += "-- Sizes it needs in RUNSPEC: VFPPDIMS " + std::to_string(t.flo_count()) + " " +
          std::to_string(t.thp_count()) + " " + std::to_string(t.wfr_count()) + " " +
          std::to_string(t.gfr_count()) + " " + std::to_string(t.alq_count()) + " " +
          std::to_string(t.table_number) +
          " /\n--   (MXMFLO MXMTHP MXMWFR MXMGFR MXMALQ at least these; MXVFPTAB at least the "
          "table number)\n";
  text += "VFPPROD\n-- table datum FLO WFR GFR THP ALQ UNITS VALUE\n  " +
          std::to_string(t.table_number) + " " + w.depth + " '" + flo_word(t.flo) + "' '" +
          wfr.keyword + "' '" + gfr.keyword + "' 'THP' " +
          (t.alq == VfpAlq::none ? std::string("' '") : "'" + std::string(alq.keyword) + "'") +
          " " + w.units_word + " 'BHP' /\n";
  append_record(text, w.units, flo_info(t), t.axes.flo);
  append_record(text, w.units, thp_info(), t.axes.thp);
  append_record(text, w.units, wfr, t.axes.wfr);
  append_record(text, w.units, gfr, t.axes.gfr);
  append_record(text, w.units, {"alq", "ALQ", alq.field_unit, alq.metric_unit, alq.to_metric},
                t.axes.alq);
  text += "-- NTHP NWFR NGFR NALQ, then the bottom-hole pressure (" + w.pressure_unit +
          ") at each FLO\n";
}

void append_injection_head(std::string& text, const VfpTable& t, const DeckWords& w) {
  const AxisInfo flo = flo_info(t);
  text += "-- Sizes it needs in RUNSPEC: VFPIDIMS " + std::to_string(t.flo_count()) + " " +
          std::to_string(t.thp_count()) + " " + std::to_string(t.table_number) +
          " /\n--   (MXMFLO MXMTHP at least these; MXVFPTAB at least the table number)\n";
  text += "VFPINJ\n-- table datum FLO THP UNITS VALUE\n  " + std::to_string(t.table_number) + " " +
          w.depth + " '" + flo_word(t.flo) + "' 'THP' " + w.units_word + " 'BHP' /\n";
  text += "-- FLO (" + std::string(w.units.unit(flo)) + ")\n";
  append_values(text, " ", t.axes.flo, w.units.scale(flo));
  text += "-- THP (" + w.pressure_unit + ")\n";
  append_values(text, " ", t.axes.thp, w.units.scale(thp_info()));
  text += "-- NTHP, then the bottom-hole pressure (" + w.pressure_unit + ") at each FLO\n";
}

// One record per row: its 1-based indices, then the pressure at each FLO.
void append_rows(std::string& text, const VfpTable& t, double pressure_scale) {
  const bool production = t.kind == VfpKind::production;
  const std::size_t nflo = t.flo_count();
  for_each_vfp_index(t, [&](const VfpIndex& i) {
    if (i.flo != 0) return;
    std::string head = "  " + std::to_string(i.thp + 1);
    if (production) {
      head += " " + std::to_string(i.wfr + 1) + " " + std::to_string(i.gfr + 1) + " " +
              std::to_string(i.alq + 1);
    }
    head += " ";
    const auto first = t.bhp.begin() + static_cast<std::ptrdiff_t>(t.offset(i));
    append_values(text, head, std::vector<double>(first, first + nflo), pressure_scale);
  });
}

}  // namespace

std::string vfp_deck_text(const VfpTable& t) {
  check_writable(t);
  const bool metric = t.units == VfpUnits::metric;
  const DeckUnits units{metric};
  const AxisInfo thp = thp_info();
  const DeckWords w{units, metric ? "'METRIC'" : "'FIELD'",
                    number(metric ? t.datum_depth * kMetresPerFoot : t.datum_depth),
                    units.unit(thp)};
  std::string text = "-- Lift table " + std::to_string(t.table_number) + " (bottom-hole pressure " +
                     w.pressure_unit + " at the datum depth " + w.depth + (metric ? " m" : " ft") +
                     "), written by DLV.\n";
  if (t.kind == VfpKind::production)
    append_production_head(text, t, w);
  else
    append_injection_head(text, t, w);
  append_rows(text, t, units.scale(thp));
  return text + "\n";
}

}  // namespace dlv::wellfile
