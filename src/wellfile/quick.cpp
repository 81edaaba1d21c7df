// The quick single curves through the exported dlvCalcVogel and dlvCalcPI.
#include <mutex>
#include <nlohmann/json.hpp>

#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"
#include "wellfile/run_outcome.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// The quick curve and the read of its result are two calls, each locked on
// its own; this holds the pair together against other threads of the process.
std::mutex quick_mutex;

void check(std::vector<Problem>& p, const char* name, double v, double lo, double hi,
           const char* unit) {
  if (!(v >= lo && v <= hi))
    p.push_back(
        {name, "value " + number_text(v) + " is out of range",
         "a number in " + std::string(unit) + ", " + number_text(lo) + " to " + number_text(hi)});
}

RunOutcome quick_result(const char* method, double pr) {
  RunOutcome out;
  double rates[DLV_POINTS], pressures[DLV_POINTS];
  dlvGetResultRate_PrsArrays(rates, pressures);
  json r = json::object();
  r["format_version"] = kFormatVersion;
  r["method"] = method;
  r["units"] = {{"rate", "STB/d"},
                {"pressure", "psi gauge"},
                {"maximum_rate", "STB/d"},
                {"reservoir_pressure", "psi gauge"}};
  r["layers"] = json::array();
  r["well_curve"] = {{"rate", std::vector<double>(rates, rates + DLV_POINTS)},
                     {"pressure", std::vector<double>(pressures, pressures + DLV_POINTS)}};
  r["summary"] = {{"maximum_rate", rates[DLV_POINTS - 1]}, {"reservoir_pressure", pr}};
  r["notes"] = json::array();
  r["fallbacks"] = json::array();
  out.result = r;
  return out;
}

}  // namespace

RunOutcome run_quick_vogel(double pr, double q, double pwf, std::optional<double> bubble_point) {
  std::vector<Problem> p;
  double pb = bubble_point.value_or(pr);
  check(p, "reservoir_pressure", pr, 1e-9, 30000, "psi gauge");
  check(p, "test_rate", q, 1e-9, 1e8, "STB/d");
  check(p, "test_pressure", pwf, 0, pr, "psi gauge, below reservoir_pressure");
  check(p, "bubble_point", pb, 0, 30000, "psi gauge");
  if (pwf == pr && p.empty())
    p.push_back({"test_pressure", "equals reservoir_pressure; the test shows no drawdown",
                 "a number in psi gauge below reservoir_pressure"});
  if (!p.empty()) return {p, {}, {}, {}, {}};
  const std::lock_guard<std::mutex> hold(quick_mutex);
  dlvCalcVogel(&pr, &q, &pwf, &pb);
  RunOutcome out = quick_result("vogel", pr);
  if (!bubble_point)
    out.result["notes"].push_back(
        "bubble_point not given: taken at the reservoir pressure, so the curve is Vogel's over "
        "the whole range (give a bubble point for a straight line above it; dlv pi draws a "
        "straight line)");
  return out;
}

RunOutcome run_quick_pi(double pr, double pi) {
  std::vector<Problem> p;
  check(p, "reservoir_pressure", pr, 1e-9, 30000, "psi gauge");
  check(p, "productivity_index", pi, 1e-12, 1e6, "STB/d/psi");
  if (!p.empty()) return {p, {}, {}, {}, {}};
  const std::lock_guard<std::mutex> hold(quick_mutex);
  dlvCalcPI(&pr, &pi);
  return quick_result("pi_line", pr);
}

RunOutcome run_quick_vogel(double pr, double q, double pwf, std::optional<double> bubble_point,
                           UnitSystem units) {
  auto p = [&](double v) { return convert(Quantity::pressure_gauge, v, units, UnitSystem::field); };
  if (bubble_point) bubble_point = p(*bubble_point);
  RunOutcome out = run_quick_vogel(
      p(pr), convert(Quantity::liquid_rate, q, units, UnitSystem::field), p(pwf), bubble_point);
  out.result = convert_result(out.result, units);
  return out;
}

RunOutcome run_quick_pi(double pr, double pi, UnitSystem units) {
  RunOutcome out =
      run_quick_pi(convert(Quantity::pressure_gauge, pr, units, UnitSystem::field),
                   convert(Quantity::productivity_index, pi, units, UnitSystem::field));
  out.result = convert_result(out.result, units);
  return out;
}

}  // namespace dlv::wellfile
