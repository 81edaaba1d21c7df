// Lift tables of a well file: the table's header and axes from the well and
// the options, one traverse per combination, the fill policy of the writer.
#include "wellfile/vfp_run.hpp"

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>

#include "dlv/dlv_layout.h"
#include "numerics/units.hpp"
#include "tubing/survey.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

namespace {

// The named layer's largest rate and pressure, as for a single traverse.
constexpr double kMaxRate = 1e8;
constexpr double kMaxPressure = 30000;  // psia
// A datum within this many feet of the node is the node.
constexpr double kDatumTolerance = 0.01;

// Everything one table needs besides its pressures: the prepared tubing, the
// header and axes, and where the traverses end.
struct TableSetup {
  std::vector<Problem> problems;
  std::unique_ptr<PreparedTubing> tubing;
  VfpTable table;
  double end_measured_depth = 0;  // ft, where the traverses end (the datum)
  double end_temperature = 0;     // degF at the datum
};

VfpFlo default_flo(const PreparedTubing& t) {
  if (t.mode() == DLV_MODE_WATER_INJECTION) return VfpFlo::water;
  return t.gas_basis() ? VfpFlo::gas : VfpFlo::liquid;
}

// The well file's own water and gas fractions in the table's types.
double own_wfr(const TubingFluid& f, VfpWfr type) {
  const double liquid = f.liquid_yield / 1000;  // stb/Mscf of a gas well
  switch (type) {
    case VfpWfr::water_cut:
      return f.water_cut;
    case VfpWfr::water_oil_ratio:
      return f.water_cut < 1 ? f.water_cut / (1 - f.water_cut) : 0;
    case VfpWfr::water_gas_ratio:
      break;
  }
  return f.water_cut * liquid;
}
double own_gfr(const TubingFluid& f, VfpGfr type) {
  switch (type) {
    case VfpGfr::gas_oil_ratio:
      return f.water_cut < 1 ? f.gas_liquid_ratio / (1 - f.water_cut) / 1000 : 0;
    case VfpGfr::gas_liquid_ratio:
      return f.gas_liquid_ratio / 1000;
    case VfpGfr::oil_gas_ratio:
      break;
  }
  return (1 - f.water_cut) * f.liquid_yield / 1000;
}

// The measured depth at which the path first reaches a vertical depth.
std::optional<double> measured_depth_at(const WellPath& path, double vertical) {
  for (std::size_t i = 0; i < path.segment_count; ++i) {
    const double v0 = path.vertical[i], v1 = path.vertical[i + 1];
    if (vertical < std::min(v0, v1) || vertical > std::max(v0, v1)) continue;
    if (v1 == v0) return path.measured[i];
    return path.measured[i] +
           (path.measured[i + 1] - path.measured[i]) * (vertical - v0) / (v1 - v0);
  }
  return std::nullopt;
}

void check_range(const std::vector<double>& axis, const char* path, double max, const char* unit,
                 std::vector<Problem>& out) {
  for (std::size_t i = 0; i < axis.size(); ++i) {
    if (std::isfinite(axis[i]) && axis[i] > max) {
      out.push_back({std::string(path) + "[" + std::to_string(i) + "]",
                     number_text(axis[i]) + " is beyond the largest a traverse takes",
                     std::string(unit) + ", at most " + number_text(max)});
    }
  }
}

// An injector's table: the rate of the phase it injects and no water, gas
// or lift axis; a lift axis of zeros alone is the same as none.
void set_injection_axes(const PreparedTubing& tubing, VfpTable& t, std::vector<Problem>& out) {
  if (t.flo != default_flo(tubing)) {
    out.push_back({"flo_type", "an injector's table takes the rate of the phase it injects",
                   tubing.mode() == DLV_MODE_WATER_INJECTION ? "WAT" : "GAS"});
  }
  bool zero_lift = true;
  for (double a : t.axes.alq) zero_lift = zero_lift && a == 0;
  if (zero_lift) t.axes.alq.clear();
}

// A producer's table: the well file's own fractions where an axis is not
// given, and a lift axis of 0 alone (the tubing takes no injected lift gas).
void set_production_axes(const PreparedTubing& tubing, VfpTable& t, std::vector<Problem>& out) {
  if (t.axes.wfr.empty()) t.axes.wfr = {own_wfr(tubing.fluid(), t.wfr)};
  if (t.axes.gfr.empty()) t.axes.gfr = {own_gfr(tubing.fluid(), t.gfr)};
  if (t.axes.alq.empty()) t.axes.alq = {0};
  for (std::size_t i = 0; i < t.axes.alq.size(); ++i) {
    if (t.axes.alq[i] != 0) {
      out.push_back({"alq[" + std::to_string(i) + "]",
                     number_text(t.axes.alq[i]) +
                         ": the tubing takes no injected lift gas, so the lift axis "
                         "holds 0 alone",
                     "[0]"});
      break;
    }
  }
  t.axes.alq = {0};  // refused above unless all zeros
}

// Rates and wellhead pressures a traverse takes.
void check_traverse_ranges(const VfpTable& t, std::vector<Problem>& out) {
  check_range(t.axes.flo, "rates", kMaxRate, t.flo == VfpFlo::gas ? "Mscf/d" : "stb/d", out);
  check_range(t.axes.thp, "wellhead_pressures", kMaxPressure, "psia", out);
  for (std::size_t i = 0; i < t.axes.thp.size(); ++i) {
    if (t.axes.thp[i] > 0 && t.axes.thp[i] < kAtmosphere) {
      out.push_back({"wellhead_pressures[" + std::to_string(i) + "]",
                     number_text(t.axes.thp[i]) + " psia is below atmospheric",
                     "psia, at least 14.7"});
    }
  }
}

// The datum: a vertical depth, the node's unless given, reached at the first
// measured depth of the path at that vertical depth; false when the path
// cannot be built.
bool set_datum(const TubingInput& in, const VfpOptions& o, TableSetup& s) {
  std::vector<SurveyStation> stations;
  for (const SurveyPoint& p : in.survey) stations.push_back({p.measured_depth, p.vertical_depth});
  WellPath path;
  if (build_path(in.depth, in.inclination, stations, path) != PathError::kNone) {
    s.problems.push_back({"tubing", "the tubing's path cannot be built from its depths and survey",
                          "depths and a survey that reach the node"});
    return false;
  }
  const double node_vertical = path.node_vertical_depth();
  s.table.datum_depth = o.datum_depth.value_or(node_vertical);
  s.end_measured_depth = in.depth;
  s.end_temperature = in.bottomhole_temperature;
  if (!o.datum_depth || std::fabs(*o.datum_depth - node_vertical) <= kDatumTolerance) return true;
  const double datum = *o.datum_depth;
  const std::optional<double> md = std::isfinite(datum) && datum > 0 && datum < node_vertical
                                       ? measured_depth_at(path, datum)
                                       : std::nullopt;
  if (!md) {
    s.problems.push_back({"datum_depth",
                          number_text(datum) +
                              " ft is not a vertical depth the tubing reaches above its node (" +
                              number_text(node_vertical) + " ft vertical)",
                          "ft vertical, above 0 and at most the node's vertical depth"});
    return true;
  }
  // The temperature stays linear in vertical depth between the wellhead and
  // the node.
  s.end_measured_depth = *md;
  s.end_temperature = in.wellhead_temperature +
                      (in.bottomhole_temperature - in.wellhead_temperature) * datum / node_vertical;
  return true;
}

TableSetup set_up(const json& doc, const VfpAxes& axes, const VfpOptions& o) {
  TableSetup s;
  s.problems = check_traverse(doc, 0.0);
  if (!s.problems.empty()) return s;
  const TubingInput tubing_input = *read_tubing(doc);
  s.tubing = std::make_unique<PreparedTubing>(doc, tubing_input);
  const PreparedTubing& tubing = *s.tubing;
  VfpTable& t = s.table;
  t.kind = tubing.injector() ? VfpKind::injection : VfpKind::production;
  t.table_number = o.table_number;
  t.units = o.units;
  t.flo = o.flo.value_or(default_flo(tubing));
  const bool gas_rates = t.flo == VfpFlo::gas;
  t.wfr = o.wfr.value_or(gas_rates ? VfpWfr::water_gas_ratio : VfpWfr::water_cut);
  t.gfr = o.gfr.value_or(gas_rates ? VfpGfr::oil_gas_ratio : VfpGfr::gas_oil_ratio);
  t.axes = axes;
  if (t.kind == VfpKind::injection)
    set_injection_axes(tubing, t, s.problems);
  else
    set_production_axes(tubing, t, s.problems);
  check_traverse_ranges(t, s.problems);
  if (!set_datum(tubing_input, o, s)) return s;
  for (Problem& p : validate_vfp_table(t)) s.problems.push_back(std::move(p));
  return s;
}

// One combination's traverse from the wellhead to the datum; the profile
// buffer is the caller's, reused from one traverse to the next.
std::optional<double> combination_bhp(TableSetup& s, std::vector<ProfileNode>& profile, double flo,
                                      double thp, double wfr, double gfr) {
  PreparedTubing& tubing = *s.tubing;
  TubingFluid& fluid = tubing.fluid();
  // The surface rates are proportional to the rate: the ratios come from one
  // unit of it, so that a zero rate keeps its fractions.
  const VfpSurfaceRates unit = vfp_surface_rates(s.table, 1.0, wfr, gfr, 0.0);
  const double liquid = unit.oil + unit.water;
  double rate = 0;
  if (fluid.basis == RateBasis::kLiquid) {
    if (!(liquid > 0)) return std::nullopt;
    fluid.water_cut = unit.water / liquid;
    fluid.gas_liquid_ratio = unit.gas / liquid;
    rate = flo * liquid;
  } else {
    const double gas = unit.gas / 1000;  // Mscf per unit of the rate
    if (!(gas > 0)) return std::nullopt;
    fluid.water_cut = liquid > 0 ? unit.water / liquid : 0;
    fluid.liquid_yield = 1000 * liquid / gas;
    rate = flo * gas;
  }
  TraverseRequest request = tubing.request(rate, thp, TraverseStart::kWellhead);
  request.geometry.node_depth = s.end_measured_depth;
  request.temperatures.node = s.end_temperature;
  const TraverseResult r = traverse(request, profile);
  if (r.status != TraverseStatus::kOk) return std::nullopt;
  return r.end_pressure;
}

}  // namespace

VfpBuild prepare_vfp_table(const json& doc, const VfpAxes& axes, const VfpOptions& options) {
  TableSetup s = set_up(doc, axes, options);
  return {std::move(s.problems), std::move(s.table), {}, {}};
}

VfpBuild traverse_vfp_table(const json& doc, const VfpAxes& axes, const VfpOptions& options) {
  VfpBuild out;
  TableSetup s = set_up(doc, axes, options);
  out.table = s.table;
  if (!s.problems.empty()) {
    out.problems = std::move(s.problems);
    return out;
  }
  VfpTable& t = out.table;
  const std::size_t total = t.value_count();
  t.bhp.assign(total, std::nan(""));
  // Only the end pressure is read: the traverse fills what fits of a short
  // profile and still reports the end.
  std::vector<ProfileNode> profile(1);
  auto value = [](const std::vector<double>& axis, std::size_t i) {
    return axis.empty() ? 0.0 : axis[i];
  };
  std::size_t done = 0;
  for_each_vfp_index(t, [&](const VfpIndex& i) {
    const std::optional<double> p =
        combination_bhp(s, profile, t.axes.flo[i.flo], t.axes.thp[i.thp], value(t.axes.wfr, i.wfr),
                        value(t.axes.gfr, i.gfr));
    if (p) t.at(i) = *p;
    if (options.progress) options.progress(++done, total);
  });
  return out;
}

VfpFillResult fill_traversed_vfp_table(VfpTable& table) {
  // fill_vfp_table asks for the combinations in the table's own order.
  const std::vector<double> traversed = table.bhp;
  std::size_t next = 0;
  return fill_vfp_table(table, [&](double, double, double, double, double) {
    const double v = next < traversed.size() ? traversed[next] : std::nan("");
    ++next;
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
  });
}

VfpBuild build_vfp_table(const json& doc, const VfpAxes& axes, const VfpOptions& options) {
  VfpBuild out = traverse_vfp_table(doc, axes, options);
  if (!out.problems.empty()) return out;
  VfpFillResult fill = fill_traversed_vfp_table(out.table);
  out.problems = std::move(fill.problems);
  out.filled = std::move(fill.filled);
  out.falls = std::move(fill.falls);
  return out;
}

}  // namespace dlv::wellfile
