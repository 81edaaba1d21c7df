// Runs a well through the exported dlv_cal and builds the result document.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "blocks/blocks.hpp"
#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"
#include "driver/driver.hpp"
#include "platform/call_lock.hpp"
#include "platform/fp_environment.hpp"
#include "wellfile/computed_well.hpp"
#include "wellfile/coupling_document.hpp"
#include "wellfile/meaning.hpp"
#include "wellfile/run_outcome.hpp"
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

// How many elements of a field the document's inputs span.
int element_count(const Field& f, int layers, int tests) {
  if (f.group == Group::layer) return layers;
  if (f.group == Group::test) return tests;
  if (f.group == Group::well || f.group == Group::rate_test) return f.count;
  return 1;
}

// The input values of a filled set of blocks, field by field in the order
// changed_inputs visits them: the state before the call, kept without copying
// the whole blocks.
std::vector<double> input_values(const Blocks& b, int layers, int tests) {
  std::size_t count = 0;
  for (const Field& f : all_fields())
    if (f.kind != Kind::named) count += static_cast<std::size_t>(element_count(f, layers, tests));
  std::vector<double> out;
  out.reserve(count);
  for (const Field& f : all_fields()) {
    if (f.kind == Kind::named) continue;
    const int n = element_count(f, layers, tests);
    for (int i = 0; i < n; ++i) out.push_back(get_value(b, f, i));
  }
  return out;
}

// The object of the document that holds element i of a field; none when the
// document has no such object.
const json* object_of(const json& doc, const Field& f, int i) {
  if (f.group == Group::layer) return &doc["layers"][static_cast<std::size_t>(i)];
  if (f.group == Group::test) return &doc["tests"][static_cast<std::size_t>(i)];
  return member(doc, group_path(f.group, 0));
}

// "layers[1].gas_gravity", "well.layer_depth[2]": where element i of a field
// sits in the document.
std::string element_path(const Field& f, int i) {
  std::string path = group_path(f.group, i) + "." + f.name;
  if ((f.group == Group::well || f.group == Group::rate_test) && f.count > 1)
    path += '[' + std::to_string(i) + ']';
  return path;
}

// Every input field the library replaced: a note when the file gave it, or
// when it is neither a derived fluid property nor a value the method computes.
// before: input_values of the blocks before the call.
std::vector<Note> changed_inputs(const json& doc, const std::vector<double>& before,
                                 const Blocks& after) {
  std::vector<Note> notes;
  const int layers = static_cast<int>(doc["layers"].size());
  const int tests = doc.contains("tests") ? static_cast<int>(doc["tests"].size()) : 0;
  std::size_t k = 0;
  for (const Field& f : all_fields()) {
    if (f.kind == Kind::named) continue;
    const int n = element_count(f, layers, tests);
    for (int i = 0; i < n; ++i) {
      const double a = before[k++], z = get_value(after, f, i);
      if (a == z || (std::isnan(a) && std::isnan(z))) continue;
      const json* obj = object_of(doc, f, i);
      const bool given = obj && member(*obj, f.name);
      if (!given && (is_fluid_output(f.name) || is_method_output(f.name))) continue;
      notes.push_back({element_path(f, i) + (given ? "" : " (not given)"), a, z, field_unit(f)});
    }
  }
  return notes;
}

json curve_json(const std::vector<double>& block, int L, const char* third) {
  const ConstBlockView t{block.data()};
  json c = json::object();
  c["rate"] = column(t.curve_rate(L));
  c["pressure"] = column(t.curve_pressure(L));
  c[third] = column(t.curve_drawdown(L));
  return c;
}

// The library's own sentinels for a curve it could not build.
constexpr double kInvalidRate = -9999.9;  // radial-flow denominator below zero
constexpr double kErrorRate = 9999.9;     // fractured-well error, negative Darcy coefficient
constexpr double kRateFloor = 0.01;       // floor of Vogel maxima and extrapolated rates
constexpr double kClampC = 300.0;         // bound of the mean-based back-pressure C

// Fields whose change by the library is a floor or a repair, not a method's
// own result (the reservoir pressure a two-test or rate-test method sets is
// its result).
bool repair_of(const char* field, int mode, int method, int completion_model) {
  if (std::strcmp(field, "reservoir_pressure") == 0)
    return !((mode == DLV_MODE_OIL_PRODUCTION && method == DLV_OIL_METHOD_VOGEL_TWO_TEST) ||
             (mode == DLV_MODE_GAS_PRODUCTION && method == DLV_GAS_METHOD_RATE_TEST));
  if (std::strcmp(field, "test_pressure") == 0 || std::strcmp(field, "test_rate") == 0)
    return !(mode == DLV_MODE_OIL_PRODUCTION && method == DLV_OIL_METHOD_TWO_RATE_LEVEL);
  // The completion floors are written for every layer whatever the model; a
  // floor counts where the model reads the field.
  if (std::strcmp(field, "gravel_permeability") == 0)
    return completion_model == DLV_COMPLETION_GRAVEL_PACK;
  if (std::strcmp(field, "crushed_zone_permeability") == 0)
    return completion_model == DLV_COMPLETION_CRUSHED_ZONE ||
           completion_model == DLV_COMPLETION_PERFORATION_SKINS;
  for (const char* f : {"perforated_interval", "perforation_diameter"})
    if (std::strcmp(field, f) == 0) return completion_model != DLV_COMPLETION_NONE;
  return std::strcmp(field, "water_cut") == 0;
}

// "layers[L].curve" and the like: where a column sits in the result document.
struct CurveBlock {
  const char* name;
  const std::vector<double>* block;
};

// What a look along one curve's rates and pressures finds.
struct CurveMarks {
  bool invalid = false;  // the radial-flow sentinel
  bool error = false;    // the error sentinel
  bool nan = false;      // a value that is not a number
  double top = 0;        // the largest finite rate
};

CurveMarks curve_marks(const CurveTables& t, int L) {
  CurveMarks m;
  for (int i = 0; i < DLV_POINTS; ++i) {
    const double q = t.rate(L)[i];
    m.invalid = m.invalid || q == kInvalidRate;
    m.error = m.error || q == kErrorRate;
    m.nan = m.nan || !std::isfinite(q) || !std::isfinite(t.pressure(L)[i]);
    if (std::isfinite(q)) m.top = std::max(m.top, q);
  }
  return m;
}

// What the notes of a run need to know of the well.
struct RunKind {
  int mode;
  int method;
  int layers;
  const char* unit;  // of the rates
  bool production;
};

// The sentinels, floors and values that are not numbers of layer L's curve.
void layer_curve_fallbacks(const CurveBlock& c, int L, bool own_curve, const RunKind& k,
                           std::vector<std::string>& out) {
  CurveTables t{const_cast<double*>(c.block->data())};
  const std::string where = "layers[" + std::to_string(L) + "]." + c.name;
  const CurveMarks m = curve_marks(t, L);
  const bool built = !m.invalid && !m.error;
  if (m.invalid)
    out.push_back(where +
                  ".rate: -9999.9, the library's mark of a curve it cannot build "
                  "(negative radial-flow denominator)");
  if (m.error)
    out.push_back(where + ".rate: 9999.9, the library's error value (no curve computed)");
  if (m.nan) out.push_back(where + ": values that are not numbers");
  if (k.production && built && m.top > 0 && m.top <= kRateFloor)
    out.push_back(where + ".rate: at most 0.01 " + std::string(k.unit) +
                  " everywhere, the library's rate floor, not a computed inflow");
  if (k.production && built && !m.nan && m.top == 0 && own_curve)
    out.push_back(where + ".rate: zero at every point (no inflow computed)");
  // A one-layer production curve starts at its shut-in point with rate 0.
  const double shut_in = t.rate(L)[0];
  if (k.production && k.layers == 1 && !m.error && own_curve && shut_in != 0 &&
      std::isfinite(shut_in))
    out.push_back(where + ".rate[0]: " + number_text(shut_in) +
                  " at the shut-in point, where the rate is 0");
}

void curve_fallbacks(const Blocks& b, bool completion, const RunKind& k,
                     std::vector<std::string>& out) {
  std::vector<CurveBlock> curves = {{"curve", &b.layer_curves}};
  if (completion) curves.push_back({"completion_curve", &b.completion_curves});
  for (const CurveBlock& c : curves)
    for (int L = 0; L < k.layers; ++L)
      layer_curve_fallbacks(c, L, c.block == &b.layer_curves, k, out);
  WellSummary s{const_cast<double*>(b.summary.data())};
  for (int i = 0; i < DLV_POINTS; ++i)
    if (!std::isfinite(s.rate()[i]) || !std::isfinite(s.pressure()[i])) {
      out.push_back("well_curve: values that are not numbers");
      break;
    }
}

bool is_method(const RunKind& k, int mode, int method) {
  return k.mode == mode && k.method == method;
}

// Saturated Vogel: the maximum oil rate q (1 - water cut) / V(pwf/pr) is floored at 0.01.
void vogel_fallbacks(const Blocks& b, std::vector<std::string>& out) {
  const WellRecord w{const_cast<double*>(b.well_record.data())};
  const LayerFluids f{const_cast<double*>(b.layer_fluids.data())};
  const double pr = w.reservoir_pressure()[0], pb = f.bubble_point()[0];
  const double x = w.test_pressure()[0] / pr;
  const double qmax = w.test_rate()[0] * (1 - f.water_cut()[0]) / (1 - 0.2 * x - 0.8 * x * x);
  if (pb >= pr && !(qmax > kRateFloor))
    out.push_back("layers[0].curve.rate: Vogel's maximum oil rate floored at 0.01 STB/d");
}

// A zero viscosity of an injection layer, replaced by 1 cp.
void viscosity_fallbacks(const Blocks& b, const RunKind& k, std::vector<std::string>& out) {
  const LayerFluids f{const_cast<double*>(b.layer_fluids.data())};
  for (int L = 0; L < k.layers; ++L) {
    const double mu =
        k.mode == DLV_MODE_WATER_INJECTION ? f.water_viscosity()[L] : f.gas_viscosity()[L];
    if (mu == 0)
      out.push_back("layers[" + std::to_string(L) +
                    "].viscosity: 0, replaced by 1 cp in the injectivity");
  }
}

// The floors and clamps of particular methods.
void method_fallbacks(const Blocks& b, const RunKind& k, std::vector<std::string>& out) {
  const WellRecord w{const_cast<double*>(b.well_record.data())};
  if (is_method(k, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_VOGEL)) vogel_fallbacks(b, out);
  if (is_method(k, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_VOGEL_TWO_TEST) &&
      w.reservoir_pressure()[0] == 1.0)
    out.push_back("layers[0].reservoir_pressure: the solved pressure floored at 1 psi");
  if ((is_method(k, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_BACKPRESSURE_FIT) ||
       is_method(k, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_BACKPRESSURE_FIT)) &&
      std::fabs(w.backpressure_c()) == kClampC)
    out.push_back("well.backpressure_c: the fitted C clamped at " +
                  number_text(w.backpressure_c()));
  if (is_method(k, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_RATE_TEST) ||
      is_method(k, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_RATE_TEST)) {
    CurveTables t{const_cast<double*>(b.layer_curves.data())};
    if (t.rate(0)[DLV_POINTS - 1] == kRateFloor)
      out.push_back("layers[0].curve.rate[24]: the rate at zero pressure floored at 0.01 " +
                    std::string(k.unit) + " (the table extrapolates to less)");
  }
  if (is_method(k, DLV_MODE_WATER_INJECTION, DLV_WATER_INJECTION_METHOD_SKIN) ||
      is_method(k, DLV_MODE_GAS_INJECTION, DLV_GAS_INJECTION_METHOD_SKIN))
    viscosity_fallbacks(b, k, out);
}

// Every place the result carries a floor, a sentinel or a value that is not a number.
std::vector<std::string> fallback_notes(const Blocks& b, int layers, bool completion,
                                        const std::vector<Note>& changed) {
  std::vector<std::string> out;
  const int mode = b.calc_mode, method = method_code_of(b);
  const RunKind k{mode, method, layers, rate_unit(mode),
                  mode == DLV_MODE_OIL_PRODUCTION || mode == DLV_MODE_GAS_PRODUCTION};
  curve_fallbacks(b, completion, k, out);
  method_fallbacks(b, k, out);
  const int completion_model =
      CompletionBlock{const_cast<double*>(b.completion.data())}.completion_model();
  for (const Note& n : changed) {
    const std::size_t dot = n.path.rfind('.');
    std::string field = n.path.substr(dot == std::string::npos ? 0 : dot + 1);
    field = field.substr(0, field.find(' '));
    if (repair_of(field.c_str(), mode, method, completion_model))
      out.push_back(n.text() + " (replaced by the library)");
  }
  return out;
}

std::string temporary_log_path() {
  std::random_device rd;
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
  return (dir / ("dlv-call-" + std::to_string(rd()) + std::to_string(rd()) + ".log")).string();
}

// The messages of a log from where `in` stands to its end, one per line,
// without the leading colon and the line end.
std::vector<std::string> log_lines(std::istream& in) {
  std::vector<std::string> out;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    std::size_t b = 0;
    while (b < line.size() && (line[b] == ':' || line[b] == ' ')) ++b;
    if (b < line.size()) out.push_back(line.substr(b));
  }
  return out;
}

// The diagnostic log of one call: a temporary file unless the caller names one.
class CallLog {
 public:
  // A batch's own log, which only its calls write: its size before the call
  // is known, and the batch's reader, open on it, finds its size after the
  // call without looking the path up.
  CallLog(const char* path, std::uintmax_t size, std::ifstream& reader)
      : path_(path), start_(size), end_(size), reader_(&reader) {}
  explicit CallLog(const char* path) {
    namespace fs = std::filesystem;
    if (path && *path) {
      path_ = path;
      std::error_code ec;
      start_ = fs::file_size(path_, ec);  // a missing file starts empty
      if (ec) start_ = 0;
      end_ = start_;
      return;
    }
    path_ = temporary_log_path();
    owned_ = true;
  }
  ~CallLog() {
    std::error_code ec;
    if (owned_) std::filesystem::remove(path_, ec);
  }
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;
  const char* path() const { return path_.c_str(); }
  // The log's size after the call, as messages() found it.
  std::uintmax_t end() const { return end_; }
  // The messages written since the call began. Most calls write nothing: a
  // file that has not grown is not read.
  std::vector<std::string> messages() {
    if (reader_) return batch_messages(*reader_);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path_, ec);
    if (ec || size <= start_) return {};
    end_ = size;
    std::ifstream in(path_, std::ios::binary);
    if (!in) return {};
    in.seekg(static_cast<std::streamoff>(start_));
    return log_lines(in);
  }

 private:
  std::vector<std::string> batch_messages(std::ifstream& in) {
    in.clear();
    if (!in.is_open() || !in.seekg(0, std::ios::end)) return {};
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) <= start_) return {};
    end_ = static_cast<std::uintmax_t>(size);
    in.seekg(static_cast<std::streamoff>(start_));
    return log_lines(in);
  }
  std::string path_;
  std::uintmax_t start_ = 0, end_ = 0;
  std::ifstream* reader_ = nullptr;  // a batch's, open on path_
  bool owned_ = false;
};

bool traverse_wanted(const Blocks& b, int layers) {
  const ConstWellInputs w{b.well_record.data()};
  if (w.reference_depth() == 0.0) return false;
  for (int L = 0; L < layers; ++L)
    if (w.layer_depth(L) > 0.0) return true;
  return false;
}

}  // namespace

SharedLog::SharedLog() : path_(temporary_log_path()) {}

SharedLog::~SharedLog() {
  std::error_code ec;
  std::filesystem::remove(path_, ec);
}

std::string Note::text() const {
  std::string s = path + ": " + number_text(before) + " \u2192 " + number_text(after);
  if (!unit.empty()) s += " " + unit;
  return s;
}

RunOutcome run_well(const json& doc, const char* log_path) {
  return run_well(doc, document_unit_system(doc), log_path);
}

namespace {

// The call itself: dlv_cal, or the same calculation with the tubing room
// referring the layer curves when the well couples by a tubing correlation.
void compute_well(Blocks& b, const std::optional<CouplingTubing>& coupling, const CallLog& log) {
  if (coupling) {
    // Under dlv_cal's call lock and floating-point guard.
    const platform::CallLock lock;
    const platform::FpEnvironmentGuard guard;
    run_calculation_by_tubing(
        {b.layer_fluids.data(), b.fluid_tables.data(), b.separator.data(), b.layer_curves.data(),
         b.well_record.data(), &b.calc_mode, b.completion.data(), b.completion_curves.data(),
         b.traverse_curves.data(), b.traverse.data(), b.summary.data(), b.results.data(),
         b.changed_pressure_flag, log.path()},
        *coupling);
    return;
  }
  dlv_cal(b.layer_fluids.data(), b.fluid_tables.data(), b.separator.data(), b.layer_curves.data(),
          b.well_record.data(), &b.calc_mode, b.completion.data(), b.completion_curves.data(),
          b.traverse_curves.data(), b.traverse.data(), b.summary.data(), b.results.data(),
          b.changed_pressure_flag, log.path());
}

ResultShape result_shape(Blocks& b, int layers) {
  const int mode = b.calc_mode, method = method_code_of(b);
  ResultShape r{};
  r.mode = mode;
  r.layers = layers;
  r.gas = mode == DLV_MODE_GAS_PRODUCTION || mode == DLV_MODE_GAS_INJECTION;
  r.completion = CompletionBlock{b.completion.data()}.completion_model() >= 1;
  r.traverse = traverse_wanted(b, layers);
  r.fractured = (mode == DLV_MODE_OIL_PRODUCTION && method == DLV_OIL_METHOD_FRACTURED) ||
                (mode == DLV_MODE_GAS_PRODUCTION && method == DLV_GAS_METHOD_FRACTURED);
  return r;
}

json units_of_mode(int mode) {
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
  units["maximum_rate"] = rate_unit(mode);
  units["reservoir_pressure"] = "psi gauge";
  units["productivity_index"] = "STB/d/psi";
  units["backpressure_c"] = "rate/psi^(2n)";
  return units;
}

}  // namespace

// The same for every well of a mode, built once per mode.
json result_units(int mode) {
  static const json by_mode[] = {
      units_of_mode(DLV_MODE_OIL_PRODUCTION), units_of_mode(DLV_MODE_GAS_PRODUCTION),
      units_of_mode(DLV_MODE_WATER_INJECTION), units_of_mode(DLV_MODE_GAS_INJECTION)};
  static_assert(DLV_MODE_OIL_PRODUCTION == 0 && DLV_MODE_GAS_INJECTION == 3);
  if (mode < 0 || mode > DLV_MODE_GAS_INJECTION) return units_of_mode(mode);
  return by_mode[mode];
}

namespace {

json fractured_json(Blocks& b, int L) {
  const LayerResults res{b.results.data()};
  json fr = json::object();
  fr["flow_regime"] = res.flow_regime_flag(L) == 1 ? "stabilized" : "transient_linear";
  fr["effective_radius_ratio"] = res.effective_radius_ratio()[L];
  fr["fracture_conductivity"] = res.fracture_conductivity()[L];
  fr["dimensionless_time"] = res.dimensionless_time()[L];
  return fr;
}

// Layer L of the result; a completion curve with pressures below 0 psi gauge
// adds a note.
json layer_json(Blocks& b, const json& doc, const ResultShape& shape, int L,
                std::vector<std::string>& meaning_notes) {
  const std::string path = "layers[" + std::to_string(L) + "]";
  json ld = json::object();
  ld["layer"] = L;
  ld["curve"] = curve_json(b.layer_curves, L, "drawdown");
  set_drawdown(ld["curve"], WellRecord{b.well_record.data()}.reservoir_pressure()[L]);
  if (shape.completion) {
    ld["completion_curve"] = curve_json(b.completion_curves, L, "completion_loss");
    const std::string n =
        empty_pressures_below_zero(ld["completion_curve"], path + ".completion_curve", {});
    if (!n.empty()) meaning_notes.push_back(n);
  }
  if (shape.traverse) ld["traverse_curve"] = curve_json(b.traverse_curves, L, "drawdown");
  ld["fluid_properties"] = fluid_properties_json(b, doc, L);
  if (shape.fractured) ld["fractured_well"] = fractured_json(b, L);
  return ld;
}

// The well's (composite) curve and its fluid columns.
json well_curve_json(Blocks& b, const ResultShape& shape, std::vector<std::string>& meaning_notes) {
  const WellSummary s{b.summary.data()};
  json wc = json::object();
  wc["rate"] = column(s.rate());
  wc["pressure"] = column(s.pressure());
  if (shape.layers == 1) {
    wc["drawdown"] = column(s.drawdown());
    set_drawdown(wc, WellRecord{b.well_record.data()}.reservoir_pressure()[0]);
  }
  wc["water_cut"] = column(s.water_cut());
  const char* ratio = shape.layers == 1 ? "producing_gor"
                      : shape.gas       ? "liquid_gas_ratio"
                                        : "gas_oil_ratio";
  wc[ratio] = column(s.gas_liquid());
  json water_sg = json::array();
  for (int i = 0; i < DLV_POINTS; ++i)
    water_sg.push_back(well_water_sg_meaningful(shape.mode, s.water_cut()[i], s.water_sg()[i])
                           ? json(s.water_sg()[i])
                           : json(nullptr));
  wc["water_sg"] = std::move(water_sg);
  // The well curve of a completion well is built from the curves after the
  // loss: its rows below 0 psi gauge are left empty the same way (reported on
  // their own only when the well curve is a composite of several layers).
  if (shape.completion) {
    const std::string n = empty_pressures_below_zero(wc, "well_curve", {"drawdown"});
    if (!n.empty() && shape.layers > 1) meaning_notes.push_back(n);
  }
  return wc;
}

json summary_json(Blocks& b, const ResultShape& shape, const json& well_curve,
                  const std::optional<CouplingTubing>& coupling) {
  const WellSummary s{b.summary.data()};
  const WellRecord well{b.well_record.data()};
  json sum = json::object();
  sum["layer_count"] = shape.layers;
  // The largest rate on a row with a real flowing pressure.
  double max_rate = s.rate()[0];
  for (int i = 0; i < DLV_POINTS; ++i)
    if (well_curve["pressure"][static_cast<std::size_t>(i)].is_number())
      max_rate = std::max(max_rate, s.rate()[i]);
  sum["maximum_rate"] = max_rate;
  sum["reservoir_pressure"] = well.reservoir_pressure()[0];
  // The well-record values a method fits or uses, where it has them.
  if (well.backpressure_c() != 0 || well.backpressure_n() != 0) {
    sum["backpressure_c"] = well.backpressure_c();
    sum["backpressure_n"] = well.backpressure_n();
  }
  if (well.productivity_index() != 0) sum["productivity_index"] = well.productivity_index();
  sum["completion_stage"] = shape.completion;
  sum["traverse_coupling"] = shape.traverse;
  if (shape.traverse && coupling)
    sum["traverse_coupling_correlation"] = std::string(correlation_name(coupling->correlation));
  sum["result_status"] = LayerResults{b.results.data()}.result_status();
  return sum;
}

// The notes of replaced inputs say their values in the output's units.
void notes_in_units(std::vector<Note>& notes, UnitSystem output) {
  if (output != UnitSystem::metric) return;
  for (Note& n : notes)
    if (const QuantityUnits* q = quantity_of_field_unit(n.unit); q && q->factor != 0) {
      n.before = to_metric(q->quantity, n.before), n.after = to_metric(q->quantity, n.after);
      n.unit = q->metric_unit;
    }
}

}  // namespace

namespace {

// Fills and computes a validated well: the blocks after the call, the
// replaced inputs in the output's units and every fall-back.
// b: the blocks filled from the document.
ComputedWell compute(const json& doc, UnitSystem output, Blocks b, CallLog& log) {
  ComputedWell c;
  const int layers = static_cast<int>(doc["layers"].size());
  const std::vector<double> before =
      input_values(b, layers, doc.contains("tests") ? static_cast<int>(doc["tests"].size()) : 0);
  c.coupling = coupling_tubing(doc);
  compute_well(b, c.coupling, log);
  c.notes = changed_inputs(doc, before, b);
  c.shape = result_shape(b, layers);
  notes_in_units(c.notes, output);
  c.fallbacks = fallback_notes(b, layers, c.shape.completion, c.notes);
  // The log's messages come from the fluid-property correlations, which run
  // layer by layer inside the one call; a one-layer well names its layer.
  const std::string log_where =
      layers == 1 ? "layers[0] fluid properties" : "fluid properties of one of the layers";
  for (const std::string& m : log.messages())
    c.fallbacks.push_back(log_where + ", library log: " + m);
  c.b = std::move(b);
  return c;
}

ComputedWell compute(const json& doc, UnitSystem output, const char* log_path) {
  CallLog log(log_path);
  return compute(doc, output, to_blocks(doc), log);
}

}  // namespace

RunOutcome run_well(const json& doc, UnitSystem output, const char* log_path) {
  RunOutcome out;
  out.problems = validate_well(doc);
  if (!out.problems.empty()) return out;
  ComputedWell c = compute(doc, output, log_path);
  Blocks& b = c.b;
  const ResultShape& shape = c.shape;
  const int layers = shape.layers;

  json r = json::object();
  r["format_version"] = kFormatVersion;
  if (doc.contains("description")) r["description"] = doc["description"];
  r["mode"] = doc["mode"];
  r["method"] = doc["method"];
  r["units"] = result_units(shape.mode);
  json layer_docs = json::array();
  std::vector<std::string> meaning_notes;
  for (int L = 0; L < layers; ++L)
    layer_docs.push_back(layer_json(b, doc, shape, L, meaning_notes));
  r["layers"] = std::move(layer_docs);
  r["well_curve"] = well_curve_json(b, shape, meaning_notes);
  r["summary"] = summary_json(b, shape, r["well_curve"], c.coupling);
  json notes = json::array();
  for (const Note& n : c.notes) notes.push_back(n.text());
  for (const std::string& n : meaning_notes) notes.push_back(n);
  r["notes"] = std::move(notes);
  r["fallbacks"] = c.fallbacks;
  out.notes = std::move(c.notes);
  out.fallbacks = std::move(c.fallbacks);
  out.result = output == UnitSystem::metric ? convert_result(r, output) : std::move(r);
  out.blocks = std::move(b);
  return out;
}

WellText run_well_text(const json& doc, UnitSystem output, const char* log_path) {
  WellText out;
  out.problems = validate_well(doc);
  if (out.problems.empty()) out.text = result_text(doc, compute(doc, output, log_path), output);
  return out;
}

WellBatch::WellBatch() : log_reader_(std::make_unique<std::ifstream>()) {
  // The log file is made here, empty, for the reader to open before the first
  // call writes to it.
  { const std::ofstream made(log_.path(), std::ios::app); }
  log_reader_->open(log_.path(), std::ios::binary);
}

WellBatch::~WellBatch() = default;

WellText WellBatch::run(const json& doc, UnitSystem output) {
  WellText out;
  out.problems = validate_well(doc);
  if (!out.problems.empty()) return out;
  refill_blocks(doc, blocks_, used_);
  CallLog log(log_.path(), log_size_, *log_reader_);
  ComputedWell c = compute(doc, output, std::move(blocks_), log);
  log_size_ = log.end();
  out.text = result_text(doc, c, output);
  blocks_ = std::move(c.b);
  // The calculation works on the layers the well record counts (held in the
  // 50 layer slots), before and after the call.
  used_.tables_zero = !fills_tables(doc);
  used_.curve_layers = std::max(c.shape.layers, layers(WellRecord{blocks_.well_record.data()}));
  return out;
}

namespace {

// The entries of set_slots, collected block by block.
class SlotList {
 public:
  explicit SlotList(const Blocks& b) : b_(b) {}
  std::vector<SlotEntry> out;

  void add(BlockId id, std::size_t slot, std::string field, std::string value) {
    out.push_back({block_name(id), slot, std::move(field), std::move(value)});
  }
  // An int32 at a byte offset, with the offset in its name.
  void add_int32(BlockId id, std::size_t byte, const std::string& name, int v) {
    add(id, byte / 8, name + " (int32, byte " + std::to_string(byte) + ")", std::to_string(v));
  }

  void method_and_counts() {
    const ConstBlockView w{b_.well_record.data()};
    const int mode = b_.calc_mode;
    out.push_back({"calc_mode", 0, "calc_mode (int32)", std::to_string(mode)});
    const char* method_field = mode == DLV_MODE_GAS_PRODUCTION    ? "gas_method"
                               : mode == DLV_MODE_WATER_INJECTION ? "water_injection_method"
                               : mode == DLV_MODE_GAS_INJECTION   ? "gas_injection_method"
                                                                  : "method_code";
    add_int32(BlockId::well_record, method_code_byte(static_cast<CalcMode>(mode)), method_field,
              method_code_of(b_));
    for (const Counter& c : kCounters)
      if (const int v = w.int32(c.byte)) add_int32(BlockId::well_record, c.byte, c.name, v);
  }

  void given_flags() {
    const ConstBlockView w{b_.well_record.data()};
    for (const Counter& c : kFlagBytes)
      if (const int v = w.flag_byte(c.byte))
        add(BlockId::well_record, c.byte / 8,
            std::string(c.name) + " (flag byte " + std::to_string(c.byte) + ")", std::to_string(v));
    const ConstBlockView f{b_.layer_fluids.data()};
    for (int L = 0; L < DLV_LAYERS; ++L)
      if (f.int32(DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE, L)) {
        const std::size_t byte = element_byte(DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE, L);
        add(BlockId::layer_fluids, byte / 8,
            "bubble_point_given[" + std::to_string(L) + "] (int32, byte " + std::to_string(byte) +
                ")",
            "1");
      }
  }

  // Every non-zero element of every field of the table.
  void fields() {
    for (const Field& f : all_fields()) {
      const int n = f.group == Group::layer  ? DLV_LAYERS
                    : f.group == Group::test ? DLV_TEST_CAPACITY
                                             : f.count;
      for (int i = 0; i < n; ++i) field_element(f, i);
    }
  }

  void fluid_tables() {
    const FluidTables ft{b_.fluid_tables.data()};
    for (const NamedCode& p : table_property_names()) {
      if (!ft.use_table(p.code)) continue;
      add_int32(BlockId::fluid_tables, element_byte(DLV_FLUID_TABLES_USE_TABLE_BYTE, p.code),
                "use_table[" + std::to_string(p.code) + "] " + p.name, 1);
      table(p);
    }
  }

 private:
  struct Counter {
    const char* name;
    std::size_t byte;
  };
  static constexpr Counter kCounters[] = {
      {"layer_count", DLV_WELL_RECORD_LAYER_COUNT_BYTE},
      {"test_count", DLV_WELL_RECORD_TEST_COUNT_BYTE},
      {"ratetest_row_count", DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE}};
  static constexpr Counter kFlagBytes[] = {
      {"backpressure_c_given", DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE},
      {"backpressure_n_given", DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE}};
  static constexpr Counter kTableCounts[] = {
      {"table_temperature_count", DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE},
      {"table_pressure_count", DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE}};

  void field_element(const Field& f, int i) {
    const double v = get_value(b_, f, i);
    if (v == 0) return;
    const std::size_t pos = element_pos(f, i);
    std::string name = f.name;
    if (f.group == Group::layer || f.group == Group::test || f.count > 1)
      name += '[' + std::to_string(i) + ']';
    if (f.kind != Kind::real) name += " (int32, byte " + std::to_string(pos) + ")";
    add(f.block, f.kind == Kind::real ? pos : pos / 8, name, number_text(v));
  }

  // The non-zero slots of one property table and its two counts.
  void table(const NamedCode& p) {
    const std::size_t first = property_table_slot(p.code);
    const ConstBlockView ft{b_.fluid_tables.data()};
    for (std::size_t k = 0; k < DLV_FLUID_TABLE_SLOTS - 2; ++k) {
      const double v = ft.real(first + k);
      if (v == 0) continue;
      const char* part = k < DLV_FLUID_TABLE_PRESSURES ? "table_temperatures"
                         : k < DLV_FLUID_TABLE_VALUES  ? "table_pressures"
                                                       : "table_values";
      const std::size_t base = k < DLV_FLUID_TABLE_PRESSURES ? DLV_FLUID_TABLE_TEMPERATURES
                               : k < DLV_FLUID_TABLE_VALUES  ? DLV_FLUID_TABLE_PRESSURES
                                                             : DLV_FLUID_TABLE_VALUES;
      add(BlockId::fluid_tables, first + k,
          std::string(p.name) + " " + part + "[" + std::to_string(k - base) + "]", number_text(v));
    }
    for (const Counter& c : kTableCounts) {
      const std::size_t byte = property_table_byte(p.code, c.byte);
      add_int32(BlockId::fluid_tables, byte, std::string(p.name) + " " + c.name, ft.int32(byte));
    }
  }

  const Blocks& b_;
};

}  // namespace

std::vector<SlotEntry> set_slots(const Blocks& b) {
  SlotList list(b);
  list.method_and_counts();
  list.given_flags();
  list.fields();
  list.fluid_tables();
  std::stable_sort(list.out.begin(), list.out.end(), [](const SlotEntry& a, const SlotEntry& z) {
    return a.block != z.block ? a.block < z.block : a.slot < z.slot;
  });
  return std::move(list.out);
}

}  // namespace dlv::wellfile
