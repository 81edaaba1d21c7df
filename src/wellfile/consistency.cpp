// Wells the methods cannot compute: values that pass their own ranges but
// together break a method's formulas (a logarithm of a non-positive number, a
// division by zero, a test that shows no drawdown). Each rule names the
// methods it applies to and the condition in words; the same table drives the
// checks and the reference page, so the two cannot drift apart.
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// Read access to a document that passed the field checks: a field the file
// does not give reads as its default, as in the blocks.
struct Well {
  const json& doc;
  int mode, method;

  const json& layers() const { return doc["layers"]; }
  std::size_t used_layers() const {
    return method_needs(mode, method).per_layer ? layers().size() : 1;
  }
  static double read(const json& obj, const char* name, double fallback) {
    if (!obj.is_object()) return fallback;
    const auto it = obj.find(name);
    return it != obj.end() && it->is_number() ? it->get<double>() : fallback;
  }
  double layer(std::size_t L, const char* name) const {
    const Field* f = find_field(Group::layer, name);
    return read(layers()[L], name, f ? f->default_value : 0);
  }
  bool layer_given(std::size_t L, const char* name) const {
    return layers()[L].is_object() && layers()[L].contains(name);
  }
  const json& group(const char* key) const {
    static const json empty = json::object();
    return doc.contains(key) && doc[key].is_object() ? doc[key] : empty;
  }
  double well(const char* name) const {
    const Field* f = find_field(Group::well, name);
    return read(group("well"), name, f ? f->default_value : 0);
  }
  bool well_given(const char* name) const { return group("well").contains(name); }
  double well_at(const char* name, std::size_t i) const {
    const json& w = group("well");
    return w.contains(name) && w[name].is_array() && i < w[name].size() && w[name][i].is_number()
               ? w[name][i].get<double>()
               : 0.0;
  }
  std::size_t tests() const {
    return doc.contains("tests") && doc["tests"].is_array() ? doc["tests"].size() : 0;
  }
  double test(std::size_t i, const char* name) const { return read(doc["tests"][i], name, 0); }
  int named(const char* key, Group g, const char* name, int fallback) const {
    const json& obj = group(key);
    if (!obj.contains(name) || !obj[name].is_string()) return fallback;
    return name_code(find_field(g, name)->names, obj[name].get<std::string>());
  }
  int test_type() const {
    return named("well", Group::well, "deliverability_test_type", DLV_TEST_FLOW_AFTER_FLOW);
  }
  int completion_model() const {
    return named("completion", Group::completion, "completion_model", DLV_COMPLETION_NONE);
  }
};

struct Sink {
  std::vector<Problem>& out;
  void add(std::string path, std::string message, std::string expected) {
    for (const Problem& p : out)
      if (p.path == path) return;
    out.push_back({std::move(path), std::move(message), std::move(expected)});
  }
};

std::string layer_path(std::size_t L, const char* name) {
  return "layers[" + std::to_string(L) + "]." + name;
}
std::string test_path(std::size_t i, const char* name) {
  return "tests[" + std::to_string(i) + "]." + name;
}
std::string num(double v) { return number_text(v); }

// ---- which methods a rule applies to ----

bool is(int mode, int method, int m, int code) { return mode == m && method == code; }
bool radial_liquid(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_DARCY_NONDARCY) ||
         is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_DARCY_VOGEL);
}
bool radial_gas(int mode, int method) {
  return is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_DARCY_NONDARCY) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_GIVEN_D);
}
bool injection_skin(int mode, int method) {
  return is(mode, method, DLV_MODE_WATER_INJECTION, DLV_WATER_INJECTION_METHOD_SKIN) ||
         is(mode, method, DLV_MODE_GAS_INJECTION, DLV_GAS_INJECTION_METHOD_SKIN);
}
bool radial(int mode, int method) {
  return radial_liquid(mode, method) || radial_gas(mode, method) || injection_skin(mode, method);
}
bool injection_coefficients(int mode, int method) {
  return is(mode, method, DLV_MODE_WATER_INJECTION, DLV_WATER_INJECTION_METHOD_COEFFICIENTS) ||
         is(mode, method, DLV_MODE_GAS_INJECTION, DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PRESSURE) ||
         is(mode, method, DLV_MODE_GAS_INJECTION, DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED) ||
         is(mode, method, DLV_MODE_GAS_INJECTION, DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PSEUDO);
}
bool injection(int mode, int method) {
  return injection_skin(mode, method) || injection_coefficients(mode, method);
}
bool vogel(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_VOGEL);
}
bool two_test(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_VOGEL_TWO_TEST);
}
bool backpressure_fit(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_BACKPRESSURE_FIT) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_BACKPRESSURE_FIT);
}
bool backpressure_given(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_BACKPRESSURE_GIVEN) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_BACKPRESSURE_GIVEN);
}
bool backpressure(int mode, int method) {
  return backpressure_fit(mode, method) || backpressure_given(mode, method);
}
bool two_rate_level(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_TWO_RATE_LEVEL);
}
bool horizontal(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_HORIZONTAL) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_HORIZONTAL);
}
bool fractured(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_FRACTURED) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_FRACTURED);
}
bool rate_test(int mode, int method) {
  return is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_RATE_TEST) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_RATE_TEST) ||
         is(mode, method, DLV_MODE_WATER_INJECTION, DLV_WATER_INJECTION_METHOD_RATE_TEST) ||
         is(mode, method, DLV_MODE_GAS_INJECTION, DLV_GAS_INJECTION_METHOD_RATE_TEST);
}
bool any_method(int, int) { return true; }

// ---- the checks ----

// Fields a method divides by or takes the logarithm of: where the method
// reads one, 0 is refused. The reservoir pressure the two-test method solves
// for is not read.
const char* const kPositive[] = {
    "reservoir_pressure", "permeability",    "thickness",      "drainage_radius",
    "wellbore_radius",    "gas_sg",          "perm_y",         "perm_z",
    "box_width_x",        "box_length_y",    "well_length",    "fracture_half_length",
    "porosity",           "production_time", "fracture_width", "fracture_permeability"};
const char* const kPositiveWell[] = {"productivity_index", "backpressure_c", "backpressure_n",
                                     "level_gradient"};

void positive_fields(const Well& w, Sink& s) {
  const MethodNeeds& needs = method_needs(w.mode, w.method);
  for (std::size_t L = 0; L < w.used_layers(); ++L)
    for (const char* name : needs.layer_fields) {
      if (two_test(w.mode, w.method) && std::strcmp(name, "reservoir_pressure") == 0) continue;
      for (const char* p : kPositive)
        if (std::strcmp(p, name) == 0 && !(w.layer(L, name) > 0))
          s.add(layer_path(L, name),
                num(w.layer(L, name)) + " leaves method " + w.doc["method"].get<std::string>() +
                    " nothing to compute with (it divides by " + name + " or takes its logarithm)",
                "a number above 0 in " + std::string(field_unit(*find_field(Group::layer, name))));
    }
  for (const char* name : needs.well_fields)
    for (const char* p : kPositiveWell)
      if (std::strcmp(p, name) == 0 && !(w.well(name) > 0))
        s.add(std::string("well.") + name,
              num(w.well(name)) + " gives no curve: method " + w.doc["method"].get<std::string>() +
                  " needs " + name + " above 0",
              "a number above 0");
}

// ln(0.472 re/rw) + skin: the radial-flow term of every reservoir-property method.
void radial_term(const Well& w, Sink& s, std::size_t L, const char* skin_name) {
  const double re = w.layer(L, "drainage_radius"), rw = w.layer(L, "wellbore_radius");
  if (!(rw > 0) || !(re > 0)) return;  // reported as zero values
  if (!(re > rw)) {
    s.add(layer_path(L, "drainage_radius"),
          "drainage radius " + num(re) + " ft is not larger than the wellbore radius " + num(rw) +
              " ft",
          "a number in ft above wellbore_radius");
    return;
  }
  const double ln_term = std::log(0.472 * re / rw), skin = w.layer(L, skin_name);
  if (!(ln_term + skin > 0))
    s.add(layer_path(L, skin_name),
          skin_name + std::string(" ") + num(skin) +
              " makes the radial-flow term ln(0.472 re/rw) + skin = " + num(ln_term + skin) +
              " non-positive: no inflow can be computed",
          "a number above " + num(-ln_term) + " for this drainage and wellbore radius");
}

void radial_terms(const Well& w, Sink& s) {
  for (std::size_t L = 0; L < w.used_layers(); ++L) {
    radial_term(w, s, L, "skin");
    if (injection_skin(w.mode, w.method)) radial_term(w, s, L, "second_skin");
  }
}

void vogel_test(const Well& w, Sink& s) {
  if (w.tests() < 1) return;
  const double pr = w.layer(0, "reservoir_pressure");
  if (!(w.test(0, "test_rate") > 0))
    s.add(test_path(0, "test_rate"),
          "a test rate of " + num(w.test(0, "test_rate")) +
              " shows no inflow; the curve would be all zero or floored",
          "a number above 0");
  if (!(w.test(0, "test_pressure") < pr))
    s.add(test_path(0, "test_pressure"),
          "test pressure " + num(w.test(0, "test_pressure")) +
              " psi is at or above the reservoir pressure " + num(pr) +
              " psi: the test shows no drawdown",
          "a number in psi gauge below reservoir_pressure");
}

// Vogel's equation written for both tests gives a quadratic in the reservoir pressure.
void two_tests(const Well& w, Sink& s) {
  if (w.tests() < 2) return;
  const double q1 = w.test(0, "test_rate"), p1 = w.test(0, "test_pressure");
  const double q2 = w.test(1, "test_rate"), p2 = w.test(1, "test_pressure");
  for (std::size_t i = 0; i < 2; ++i)
    if (!(w.test(i, "test_rate") > 0))
      s.add(test_path(i, "test_rate"), "a test rate of 0 shows no inflow", "a number above 0");
  if (!(q1 > 0 && q2 > 0)) return;
  if (p1 == p2 || q1 == q2) {
    s.add("tests",
          "the two tests do not define a curve: equal test " +
              std::string(p1 == p2 ? "pressures" : "rates"),
          "two tests with different rates and pressures");
    return;
  }
  if ((q2 - q1) * (p2 - p1) > 0) {
    s.add("tests", "the test with the higher rate has the higher flowing pressure",
          "the higher rate at the lower flowing pressure");
    return;
  }
  const double dq = q2 - q1, sigma = dq < 0 ? -1.0 : 1.0;
  const double b = 0.2 * (p2 * q1 - p1 * q2), k = 0.8 * (q1 * p2 * p2 - q2 * p1 * p1);
  const double disc = b * b - 4 * dq * k;
  const double pr = disc >= 0 ? 0.5 * (sigma * std::sqrt(disc) - b) / dq : NAN;
  if (!(pr > std::max(p1, p2)))
    s.add("tests",
          "no Vogel curve passes through both tests (the reservoir pressure they imply, " +
              num(pr) + " psi, is not above both test pressures)",
          "two tests on one Vogel curve");
}

// Each test of a back-pressure fit: a rate with a logarithm and a drawdown
// (from the shut-in pressure before it in modified isochronal tests).
void backpressure_test_points(const Well& w, Sink& s, double pr, bool modified) {
  for (std::size_t i = 0; i < w.tests(); ++i) {
    if (!(w.test(i, "test_rate") > 0))
      s.add(test_path(i, "test_rate"),
            "a test rate of " + num(w.test(i, "test_rate")) + " has no logarithm for the fit",
            "a number above 0");
    const double p = w.test(i, "test_pressure");
    if (!(p < pr))
      s.add(test_path(i, "test_pressure"),
            "test pressure " + num(p) + " psi is at or above the reservoir pressure " + num(pr) +
                " psi: the test shows no drawdown",
            "a number in psi gauge below reservoir_pressure");
    if (modified && !(w.test(i, "test_shutin_pressure") > p))
      s.add(test_path(i, "test_shutin_pressure"),
            "shut-in pressure " + num(w.test(i, "test_shutin_pressure")) +
                " psi is not above the flowing pressure " + num(p) + " psi of the test",
            "a number in psi gauge above test_pressure");
  }
}

// The exponent the tests give, the slope of log q over log (pr^2 - p^2), or
// the one given or implied by a given C, must be above 0 up to 2.
void backpressure_exponent(const Well& w, Sink& s, double pr, bool modified, bool c_given,
                           bool n_given) {
  const std::size_t n = w.tests();
  double sx = 0, sxx = 0, sy = 0, sxy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double p = w.test(i, "test_pressure");
    const double x =
        std::log10((modified ? std::pow(w.test(i, "test_shutin_pressure"), 2) : pr * pr) - p * p);
    const double y = std::log10(w.test(i, "test_rate"));
    sx += x, sxx += x * x, sy += y, sxy += x * y;
  }
  const double dn = static_cast<double>(n);
  double exponent = w.well("backpressure_n");
  if (!c_given && !n_given) {
    const double d = dn * sxx - sx * sx;
    if (!(d > 1e-12 * std::max(1.0, dn * sxx))) {
      s.add("tests", "the tests do not define a line: their pressure-square differences are equal",
            "at least two tests with different flowing pressures");
      return;
    }
    exponent = (dn * sxy - sy * sx) / d;
  } else if (c_given && !modified) {
    exponent = (sy / dn - std::log10(w.well("backpressure_c"))) / (sx / dn);
  }
  if (!(exponent > 0 && exponent <= 2))
    s.add("tests",
          "the tests give a back-pressure exponent n = " + num(exponent) +
              "; the rate must grow with the drawdown",
          "tests giving n above 0 up to 2 (0.5 to 1 in practice)");
}

void backpressure_tests(const Well& w, Sink& s) {
  const double pr = w.layer(0, "reservoir_pressure");
  const bool modified = w.test_type() == DLV_TEST_MODIFIED_ISOCHRONAL;
  const bool c_given = w.well_given("backpressure_c"), n_given = w.well_given("backpressure_n");
  if (c_given && n_given) return;  // the curve from C and n: the tests are not read
  backpressure_test_points(w, s, pr, modified);
  if (!c_given && !n_given && w.test_type() != DLV_TEST_FLOW_AFTER_FLOW)
    s.add("well.deliverability_test_type",
          "isochronal tests take C from a stabilized point after the fitted tests, which a well "
          "file does not carry; C would be 0",
          "flow_after_flow, or give backpressure_c");
  if (c_given && !n_given && modified)
    s.add("well.backpressure_n",
          "missing: with backpressure_c given, modified isochronal tests do not fit n",
          "a number above 0 up to 2");
  if (!s.out.empty() || w.tests() == 0) return;
  backpressure_exponent(w, s, pr, modified, c_given, n_given);
}

void level_tests(const Well& w, Sink& s) {
  const double g = w.well("level_gradient"),
               ab = w.well_at("surface_term_factors", 0) * w.well_at("surface_term_factors", 1);
  const double q1 = w.well_at("level_test_rate", 0), q2 = w.well_at("level_test_rate", 1);
  const double r1 = w.well_at("level_reading", 0), r2 = w.well_at("level_reading", 1);
  if (!(g > 0)) return;
  if (r1 == r2 || q1 == q2) {
    s.add(r1 == r2 ? "well.level_reading" : "well.level_test_rate",
          "the two level tests do not define a line: equal " +
              std::string(r1 == r2 ? "level readings" : "rates"),
          "two tests with different rates and level readings");
    return;
  }
  const double j = -(q2 - q1) / ((r2 - r1) * g);
  if (!(j > 0)) {
    s.add("well.level_reading",
          "the test with the higher rate has the higher flowing pressure (productivity index " +
              num(j) + ")",
          "the higher rate at the lower level reading");
    return;
  }
  const double pr = w.layer(0, "reservoir_pressure");
  const double pmax = std::max(r1, r2) * g + ab;
  if (pr > 0 && !(pr > pmax))
    s.add("layers[0].reservoir_pressure",
          "reservoir pressure " + num(pr) + " psi is not above the flowing pressure " + num(pmax) +
              " psi of a level test",
          "0 (computed from the tests) or a number above both flowing pressures");
}

// Babu and Odeh: the box, the well in it, and the productivity denominator.
void horizontal_geometry(const Well& w, Sink& s) {
  for (std::size_t L = 0; L < w.used_layers(); ++L) {
    auto v = [&](const char* n) { return w.layer(L, n); };
    const double kx = v("permeability"), ky = v("perm_y"), kz = v("perm_z"), h = v("thickness");
    const double a = v("box_width_x"), b = v("box_length_y"), len = v("well_length");
    const double x0 = v("well_position_x"), y1 = v("well_start_y"), z0 = v("well_elevation_z");
    const double rw = v("wellbore_radius");
    if (!(kx > 0 && ky > 0 && kz > 0 && h > 0 && a > 0 && b > 0 && len > 0 && rw > 0)) continue;
    if (!(z0 > 0 && z0 < h)) {
      s.add(layer_path(L, "well_elevation_z"),
            "the well at " + num(z0) + " ft is not inside the layer of " + num(h) + " ft",
            "a number in ft above 0 and below thickness");
      continue;
    }
    if (!(x0 > 0 && x0 < a)) {
      s.add(layer_path(L, "well_position_x"),
            "the well at " + num(x0) + " ft is not inside the box " + num(a) + " ft wide",
            "a number in ft above 0 and below box_width_x");
      continue;
    }
    if (!(y1 + len <= b)) {
      s.add(layer_path(L, "well_length"),
            "the well from " + num(y1) + " ft over " + num(len) + " ft ends beyond the box of " +
                num(b) + " ft",
            "well_start_y + well_length at most box_length_y");
      continue;
    }
    const double y_mid = y1 + len / 2, ax = x0 / a;
    const double lnch = 6.28 * (a / h) * std::sqrt(kz / kx) * (0.333 - ax + ax * ax) -
                        std::log(std::sin(3.1415926 * z0 / h)) -
                        0.5 * std::log((a / h) * std::sqrt(kz / kx)) - 1.088;
    const double pxyz = (b / len - 1) * (std::log(h / rw) + 0.25 * std::log(kx / kz) -
                                         std::log(std::sin(3.1415 * z0 / h)) - 1.84);
    auto f = [](double u) {
      if (u <= 1) return -u * (0.145 + std::log(u) - 0.137 * u * u);
      const double t = 2 - u;
      return t * (0.145 + std::log(t) - 0.137 * t * t);
    };
    double sr = pxyz;
    if ((a / std::sqrt(kx)) / (b / std::sqrt(ky)) > 0.75) {
      const double u8 = len / (2 * b), u5 = (4 * y_mid - len) / (2 * b),
                   u6 = (4 * y_mid + len) / (2 * b);
      sr += (2 * b * b / (len * h)) * std::sqrt(kz / ky) *
            (-u8 * (0.145 + std::log(u8) - 0.137 * u8 * u8) + 0.5 * (f(u6) - f(u5)));
    } else {
      const double yb = y_mid / b;
      sr += (6.28 * b * b / (a * h)) * (std::sqrt(kx * kz) / ky) *
                (0.3333 - yb + yb * yb + (len / (24 * b)) * (len / b - 3)) +
            (b / len - 1) * 6.28 * (a / h) * std::sqrt(kz / kx) * (0.3333 - ax + ax * ax);
    }
    const double denominator = std::log(std::sqrt(a * h) / rw) + lnch - 0.75 + sr + v("skin");
    if (!(denominator > 0))
      s.add(layer_path(L, "skin"),
            "with this box, well and skin the productivity denominator of Babu and Odeh is " +
                num(denominator) + ", not positive: no inflow can be computed",
            "a skin above " + num(v("skin") - denominator));
  }
}

void fracture_geometry(const Well& w, Sink& s) {
  for (std::size_t L = 0; L < w.used_layers(); ++L) {
    const double xf = w.layer(L, "fracture_half_length"), re = w.layer(L, "drainage_radius");
    if (xf > 0 && re > 0 && !(xf < re))
      s.add(layer_path(L, "fracture_half_length"),
            "a fracture half-length of " + num(xf) + " ft reaches beyond the drainage radius " +
                num(re) + " ft",
            "a number in ft below drainage_radius");
    const double rw = w.layer(L, "wellbore_radius");
    if (rw > 0 && re > 0 && !(re > rw))
      s.add(layer_path(L, "drainage_radius"),
            "drainage radius " + num(re) + " ft is not larger than the wellbore radius " + num(rw) +
                " ft",
            "a number in ft above wellbore_radius");
  }
  if (!(w.layer(0, "total_compressibility") > 0))
    s.add("layers[0].total_compressibility",
          "the fractured-well method divides by the total compressibility of layer 0; " +
              num(w.layer(0, "total_compressibility")) + " is not usable",
          "a number in 1/psi above 0");
  if (w.well_given("rate_multiplier") && !(w.well("rate_multiplier") >= 1))
    s.add("well.rate_multiplier",
          "a factor of " + num(w.well("rate_multiplier")) +
              " would be ignored: the method applies only a factor above 1",
          "a number of 1 or more");
}

void rate_table(const Well& w, Sink& s) {
  const MethodNeeds& needs = method_needs(w.mode, w.method);
  const json& rt = w.group("rate_test");
  if (!rt.contains("ratetest_pressures") || !rt.contains(needs.rate_column)) return;
  const json &p = rt["ratetest_pressures"], &q = rt[needs.rate_column];
  const std::size_t n = std::min(p.size(), q.size());
  if (n > 24) {
    s.add("rate_test", std::to_string(n) + " rows leave no room for the curve's far end",
          "2 to 24 rows");
    return;
  }
  const bool inject = w.mode == DLV_MODE_WATER_INJECTION || w.mode == DLV_MODE_GAS_INJECTION;
  for (std::size_t i = 1; i < n; ++i) {
    const double dp = p[i].get<double>() - p[i - 1].get<double>();
    if (!(inject ? dp > 0 : dp < 0)) {
      s.add("rate_test.ratetest_pressures[" + std::to_string(i) + "]",
            num(p[i].get<double>()) + " psi does not " + (inject ? "rise" : "fall") +
                " from the row before",
            inject ? "pressures rising row by row" : "pressures falling row by row");
      return;
    }
    if (!(q[i].get<double>() > q[i - 1].get<double>())) {
      s.add(std::string("rate_test.") + needs.rate_column + "[" + std::to_string(i) + "]",
            num(q[i].get<double>()) + " does not rise from the row before",
            "rates rising row by row");
      return;
    }
  }
}

void break_pressure(const Well& w, Sink& s) {
  for (std::size_t L = 0; L < w.used_layers(); ++L) {
    const double pr = w.layer(L, "reservoir_pressure"), pb = w.layer(L, "break_pressure");
    if (!(pb > pr))
      s.add(layer_path(L, "break_pressure"),
            "break pressure " + num(pb) + " psi is not above the reservoir pressure " + num(pr) +
                " psi: the curve would start on the second line",
            "a number in psi gauge above reservoir_pressure");
  }
}

void coefficient_below(const Well& w, Sink& s) {
  int pair = 0;
  if (w.mode == DLV_MODE_GAS_INJECTION)
    pair = w.method == DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED  ? 2
           : w.method == DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PSEUDO ? 3
                                                                      : 1;
  const json& pairs = w.group("well")["injection_coefficients"];
  const double c1 = pairs.is_array() && pairs.size() > static_cast<std::size_t>(pair)
                        ? pairs[static_cast<std::size_t>(pair)][0].get<double>()
                        : 0.0;
  if (!(c1 > 0))
    s.add("well.injection_coefficients[" + std::to_string(pair) + "][0]",
          "an injectivity of " + num(c1) + " below the break pressure takes no fluid",
          "a number above 0");
}

void completion_data(const Well& w, Sink& s) {
  const int model = w.completion_model();
  if (model == DLV_COMPLETION_NONE) return;
  std::vector<const char*> names = {"shot_density", "perforation_diameter", "perforated_interval"};
  if (model == DLV_COMPLETION_GRAVEL_PACK) {
    names.push_back("gravel_permeability");
    names.push_back("gravel_tunnel_length");
  } else {
    names.push_back("crushed_zone_permeability");
    names.push_back("perforation_length");
    if (model == DLV_COMPLETION_CRUSHED_ZONE) names.push_back("crushed_zone_thickness");
  }
  if (model == DLV_COMPLETION_PERFORATION_SKINS) {
    names.push_back("permeability");
    names.push_back("thickness");
  }
  for (std::size_t L = 0; L < w.layers().size(); ++L)
    for (const char* name : names)
      if (w.layer_given(L, name) && !(w.layer(L, name) > 0))
        s.add(layer_path(L, name),
              "completion model " + w.group("completion")["completion_model"].get<std::string>() +
                  " divides by " + name + "; the library would replace 0 by a floor",
              "a number above 0 in " + std::string(field_unit(*find_field(Group::layer, name))));
  const json& c = w.group("completion");
  if (c.contains("shot_density_factor") && !(c["shot_density_factor"].get<double>() > 0))
    s.add("completion.shot_density_factor",
          "a factor of 0 leaves no shots; the library would use 0.1 shots/ft", "a number above 0");
}

void completion_layers_given(const Well& w, Sink& s) {
  // A perforation-skin model reads the permeability and thickness of every layer.
  if (w.completion_model() != DLV_COMPLETION_PERFORATION_SKINS) return;
  for (std::size_t L = 0; L < w.layers().size(); ++L)
    for (const char* name : {"permeability", "thickness"})
      if (!w.layer_given(L, name))
        s.add(layer_path(L, name), "missing; required by completion_model perforation_skins",
              "a number above 0 in " + std::string(field_unit(*find_field(Group::layer, name))));
}

bool reservoir_oil(int mode, int method) {
  return radial_liquid(mode, method) ||
         is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_HORIZONTAL) ||
         is(mode, method, DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_FRACTURED);
}

int fluid_type(const Well& w) {
  return w.named("fluid", Group::fluid, "fluid_type", DLV_FLUID_CORRELATIONS);
}

// With fluid_type none the fluid stage writes no oil viscosity (and a well
// file has no field for one), so the reservoir-property oil methods would
// divide by zero.
void fluid_for_reservoir_oil(const Well& w, Sink& s) {
  if (fluid_type(w) == DLV_FLUID_NONE)
    s.add("fluid.fluid_type",
          "none leaves the oil viscosity at 0, which method " + w.doc["method"].get<std::string>() +
              " divides by",
          "correlations, crude_samples, field_crude or correlations_type_4");
}

// The gas methods that integrate over the pseudo-pressure table: fluid_type
// none leaves the table empty, and their curves would not be numbers.
bool pseudo_pressure_gas(int mode, int method) {
  return is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_DARCY_NONDARCY) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_GIVEN_D) ||
         is(mode, method, DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_FRACTURED);
}

void fluid_for_pseudo_pressure(const Well& w, Sink& s) {
  if (fluid_type(w) == DLV_FLUID_NONE)
    s.add("fluid.fluid_type",
          "none computes no gas viscosity and z for the pseudo-pressure table, which method " +
              w.doc["method"].get<std::string>() + " integrates over",
          "correlations, crude_samples, field_crude or correlations_type_4");
}

// Vogel's method without a bubble point under fluid_type none draws a straight line.
void vogel_bubble_point(const Well& w, Sink& s) {
  if (fluid_type(w) == DLV_FLUID_NONE && !w.layer_given(0, "bubble_point"))
    s.add("layers[0].bubble_point",
          "missing; with fluid_type none nothing computes it, and a bubble point of 0 makes the "
          "curve a straight line, not Vogel's",
          "a number in psi gauge; at or above reservoir_pressure for Vogel's curve over the "
          "whole range");
}

struct Rule {
  bool (*applies)(int mode, int method);
  const char* condition;  // in words, for the reference page
  void (*check)(const Well&, Sink&);
};

const Rule kRules[] = {
    {any_method,
     "a value of 0 for a field the method divides by or takes the logarithm of: "
     "`reservoir_pressure` (except vogel_two_test, which solves it), `permeability`, "
     "`thickness`, `drainage_radius`, `wellbore_radius`, `gas_sg`, the horizontal box and well "
     "(`perm_y`, `perm_z`, `box_width_x`, `box_length_y`, `well_length`), the fracture "
     "(`fracture_half_length`, `porosity`, `production_time`, `fracture_width`, "
     "`fracture_permeability`), and `productivity_index`, `backpressure_c`, `backpressure_n`, "
     "`level_gradient`",
     positive_fields},
    {radial,
     "`drainage_radius` not larger than `wellbore_radius`; a `skin` (and, for injection, a "
     "`second_skin`) that makes the radial-flow term ln(0.472 re/rw) + skin zero or negative",
     radial_terms},
    {vogel,
     "`tests[0].test_rate` of 0; `tests[0].test_pressure` at or above the reservoir pressure",
     vogel_test},
    {reservoir_oil, "`fluid_type` none (it computes no oil viscosity)", fluid_for_reservoir_oil},
    {pseudo_pressure_gas,
     "`fluid_type` none (it computes no gas viscosity and z for the "
     "pseudo-pressure table)",
     fluid_for_pseudo_pressure},
    {vogel, "`fluid_type` none without a `bubble_point` (the curve would be a straight line)",
     vogel_bubble_point},
    {two_test,
     "a test rate of 0; two tests with equal rates or equal pressures; the higher rate at the "
     "higher pressure; two tests that no Vogel curve passes through (the reservoir pressure "
     "they imply is not real or not above both test pressures)",
     two_tests},
    {backpressure,
     "unless both `backpressure_c` and `backpressure_n` are given: a test rate of 0; a test "
     "pressure at or above the reservoir pressure; modified isochronal tests whose shut-in "
     "pressure is not above the test pressure; isochronal or modified isochronal tests without "
     "`backpressure_c` (the stabilized point C comes from is not in a well file); "
     "`backpressure_c` given with modified isochronal tests and no `backpressure_n`; tests whose "
     "pressures do not define a line; tests giving an exponent n outside 0 < n <= 2",
     backpressure_tests},
    {two_rate_level,
     "equal level readings or equal rates; the higher rate at the higher flowing pressure; a "
     "given reservoir pressure not above both flowing pressures",
     level_tests},
    {horizontal,
     "`well_elevation_z` not strictly inside the layer; `well_position_x` not strictly inside "
     "the box; `well_start_y` + `well_length` beyond `box_length_y`; a productivity denominator "
     "of Babu and Odeh (with the skin) that is zero or negative",
     horizontal_geometry},
    {fractured,
     "`fracture_half_length` not below `drainage_radius`; `drainage_radius` not larger than "
     "`wellbore_radius`; layer 0's `total_compressibility` of 0; a given `rate_multiplier` "
     "below 1 (the method ignores it)",
     fracture_geometry},
    {rate_test,
     "more than 24 rows; pressures that do not fall row by row (rise, in the injection modes); "
     "rates that do not rise row by row",
     rate_table},
    {injection, "`break_pressure` not above the layer's reservoir pressure", break_pressure},
    {injection_coefficients, "an injectivity of 0 below the break pressure in the pair read",
     coefficient_below},
    {any_method,
     "with a completion model: a given `shot_density`, `perforation_diameter`, "
     "`perforated_interval`, `gravel_permeability`, `gravel_tunnel_length` (gravel_pack), "
     "`crushed_zone_permeability`, `perforation_length`, `crushed_zone_thickness` "
     "(crushed_zone) of 0, or a `shot_density_factor` of 0; perforation_skins also needs every "
     "layer's `permeability` and `thickness` above 0",
     completion_data},
    {any_method, nullptr, completion_layers_given},
};

}  // namespace

std::vector<Problem> consistency_problems(const json& doc, int mode, int method) {
  std::vector<Problem> out;
  const Well w{doc, mode, method};
  Sink s{out};
  for (const Rule& r : kRules)
    if (r.applies(mode, method)) r.check(w, s);
  return out;
}

std::string refusals_markdown() {
  std::string s =
      "## Wells the methods cannot compute\n\n"
      "Values inside their ranges can still break a method's formulas. Such a well is refused "
      "before anything is computed (exit status 2, the JSON path and the reason), as follows.\n\n"
      "| methods | refused when |\n|---|---|\n";
  for (const Rule& r : kRules) {
    if (!r.condition) continue;
    std::string list;
    for (const NamedCode& m : mode_names())
      for (const NamedCode& n : method_names(m.code))
        if (r.applies(m.code, n.code))
          list += (list.empty() ? "" : ", ") + std::string(m.name) + "/" + n.name;
    if (r.applies == any_method) list = "every method";
    s += "| " + list + " | " + r.condition + " |\n";
  }
  return s + "\n";
}

}  // namespace dlv::wellfile
