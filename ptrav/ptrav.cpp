// PTRAV: pressure traverse of a homogeneous oil-water-gas mixture along a
// well, and the pressure change of water in an injection tubing. The model
// is described in ptrav.h.
#include "ptrav.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAtmosphere = 14.7;               // psia at 0 psig
constexpr double kRankine = PTRAV_RANKINE_OFFSET;  // F to R
constexpr double kGc = 32.174;                     // lbm ft / (lbf s^2)
constexpr double kBarrel = 5.615;                  // ft^3 per bbl
constexpr double kWater = 62.4;                    // lbm/ft^3 of fresh water
constexpr double kAirPerScf = 0.0764;              // lbm of air per scf
constexpr double kSecondsPerDay = 86400.0;

double get_f64(const void* record, int off) {
  double v;
  std::memcpy(&v, static_cast<const unsigned char*>(record) + off, sizeof v);
  return v;
}
void set_f64(void* record, int off, double v) {
  std::memcpy(static_cast<unsigned char*>(record) + off, &v, sizeof v);
}
int32_t get_i32(const void* record, int off) {
  int32_t v;
  std::memcpy(&v, static_cast<const unsigned char*>(record) + off, sizeof v);
  return v;
}
void set_i32(void* record, int off, int32_t v) {
  std::memcpy(static_cast<unsigned char*>(record) + off, &v, sizeof v);
}
double field_or(const void* record, int off, double fallback) {
  const double v = get_f64(record, off);
  return v == 0.0 ? fallback : v;
}

void put_message(char* message, const char* text) {
  if (message == nullptr) return;
  std::size_t n = std::strlen(text);
  if (n > 63) n = 63;
  std::memcpy(message, text, n);
  message[n] = '\0';
}

// Darcy friction factor: laminar below Re 2000, Swamee-Jain above.
double friction_factor(double reynolds, double relative_roughness) {
  if (reynolds <= 0.0) return 0.0;
  if (reynolds < 2000.0) return 64.0 / reynolds;
  const double t = std::log10(relative_roughness / 3.7 + 5.74 / std::pow(reynolds, 0.9));
  return 0.25 / (t * t);
}

// Friction gradient in psi/ft of a stream of density rho (lbm/ft^3),
// velocity v (ft/s) and viscosity mu (cp) in a pipe of diameter d (ft).
double friction_gradient(double rho, double v, double mu, double d, double roughness_ft) {
  const double speed = std::fabs(v);
  if (speed == 0.0) return 0.0;
  const double re = 1488.0 * rho * speed * d / mu;
  const double f = friction_factor(re, roughness_ft / d);
  return f * rho * speed * speed / (2.0 * kGc * d) / 144.0;
}

struct Fluid {
  double api, gas_sg, water_sg, oil_sg;
  double oil_viscosity, water_viscosity, gas_viscosity;
  // Per unit of the driving rate: stock-tank oil and water (bbl) and gas (scf).
  double oil, water, gas;
  double rate;  // the driving rate (STB/d of liquid, or Mscf/d of gas)
  double diameter_ft, roughness_ft;
  double surface_temperature, temperature_gradient;
};

// Gas deviation factor: Papay with Sutton's pseudo-critical properties.
double z_factor(double p_abs, double t_rankine, double gas_sg) {
  const double tpc = 169.2 + 349.5 * gas_sg - 74.0 * gas_sg * gas_sg;
  const double ppc = 756.8 - 131.0 * gas_sg - 3.6 * gas_sg * gas_sg;
  const double tpr = t_rankine / tpc;
  const double ppr = p_abs / ppc;
  const double z = 1.0 - 3.52 * ppr / std::pow(10.0, 0.9813 * tpr) +
                   0.274 * ppr * ppr / std::pow(10.0, 0.8157 * tpr);
  return z < 0.2 ? 0.2 : z;
}

// Pressure gradient (psi/ft, positive) at gauge pressure p and depth z.
double gradient(const Fluid& s, double p, double z) {
  const double p_abs = p + kAtmosphere;
  const double t_f = s.surface_temperature + s.temperature_gradient * z;
  const double t_r = t_f + kRankine;

  double rs = 0.0;
  if (s.oil > 0.0) {
    const double x = (p_abs / 18.2 + 1.4) * std::pow(10.0, 0.0125 * s.api - 0.00091 * t_f);
    rs = s.gas_sg * std::pow(x > 0.0 ? x : 0.0, 1.2048);
    const double produced = s.gas / s.oil;
    if (rs > produced) rs = produced;
  }
  const double bo =
      0.9759 + 0.00012 * std::pow(rs * std::sqrt(s.gas_sg / s.oil_sg) + 1.25 * t_f, 1.2);
  double free_gas = s.gas - s.oil * rs;
  if (free_gas < 0.0) free_gas = 0.0;

  const double gas_density =
      28.97 * s.gas_sg * p_abs / (z_factor(p_abs, t_r, s.gas_sg) * 10.7316 * t_r);
  const double mass = s.oil * kBarrel * kWater * s.oil_sg +
                      s.water * kBarrel * kWater * s.water_sg + s.gas * kAirPerScf * s.gas_sg;
  const double oil_volume = s.oil * bo * kBarrel;
  const double water_volume = s.water * kBarrel;
  const double gas_volume = free_gas * kAirPerScf * s.gas_sg / gas_density;
  const double volume = oil_volume + water_volume + gas_volume;
  const double rho = mass / volume;

  const double liquid = oil_volume + water_volume;
  double liquid_viscosity = 0.0;
  if (liquid > 0.0) {
    liquid_viscosity = (oil_volume * s.oil_viscosity + water_volume * s.water_viscosity) / liquid;
  }
  const double mu = (liquid * liquid_viscosity + gas_volume * s.gas_viscosity) / volume;
  const double area = kPi * s.diameter_ft * s.diameter_ft / 4.0;
  const double v = volume * s.rate / kSecondsPerDay / area;
  return rho / 144.0 + friction_gradient(rho, v, mu, s.diameter_ft, s.roughness_ft);
}

bool is_finite(double x) { return std::isfinite(x); }

}  // namespace

extern "C" {

PTRAV_API void ptrav_setup_deep(void* record, double depth) {
  if (record == nullptr) return;
  set_f64(record, PTRAV_DEEP_DEPTH, depth);
}

PTRAV_API void ptrav_setup_shallow(void* record, double depth) {
  if (record == nullptr) return;
  set_f64(record, PTRAV_SHALLOW_DEPTH, depth);
  const double length = get_f64(record, PTRAV_DEEP_DEPTH) - depth;
  const double segment = field_or(record, PTRAV_SEGMENT_LENGTH, 100.0);
  int32_t n = 1;
  if (is_finite(length) && is_finite(segment) && segment > 0.0 && length > 0.0) {
    const double count = std::ceil(length / segment);
    n = count >= PTRAV_MAX_SEGMENTS ? PTRAV_MAX_SEGMENTS : static_cast<int32_t>(count);
    if (n < 1) n = 1;
  }
  set_i32(record, PTRAV_SEGMENT_COUNT, n);
}

PTRAV_API void ptrav_traverse(void* record, double* result, void* work_a, void* /*work_b*/,
                              void* /*work_c*/, int32_t options, char* message) {
  if (result == nullptr) return;
  *result = PTRAV_FAILED;
  if (record == nullptr) {
    put_message(message, "no record");
    return;
  }
  put_message(message, "");

  Fluid s{};
  s.api = field_or(record, PTRAV_OIL_API, 35.0);
  s.gas_sg = field_or(record, PTRAV_GAS_SG, 0.7);
  s.water_sg = field_or(record, PTRAV_WATER_SG, 1.07);
  s.oil_sg = 141.5 / (131.5 + s.api);
  s.oil_viscosity = field_or(record, PTRAV_OIL_VISCOSITY, 2.0);
  s.water_viscosity = field_or(record, PTRAV_WATER_VISCOSITY, 0.8);
  s.gas_viscosity = field_or(record, PTRAV_GAS_VISCOSITY, 0.018);
  s.diameter_ft = field_or(record, PTRAV_TUBING_ID, 2.441) / 12.0;
  s.roughness_ft = field_or(record, PTRAV_ROUGHNESS, 0.0006) / 12.0;
  s.surface_temperature = field_or(record, PTRAV_SURFACE_TEMPERATURE, 80.0);
  s.temperature_gradient = field_or(record, PTRAV_TEMPERATURE_GRADIENT, 0.015);

  const double cut = get_f64(record, PTRAV_WATER_CUT) / 100.0;
  const int32_t type = get_i32(record, PTRAV_RECORD_TYPE);
  const bool gas_well = type == 1 || type == 3;
  double ratio = 0.0;  // liquid yield (bbl/MMscf) or gas/oil ratio (scf/STB)
  if (gas_well) {
    ratio = get_f64(record, PTRAV_RATE_1);
    s.rate = get_f64(record, PTRAV_RATE_2);
    const double liquid = ratio / 1000.0;  // bbl per Mscf
    s.water = liquid * cut;
    s.oil = liquid - s.water;
    s.gas = 1000.0;
  } else {
    ratio = get_f64(record, PTRAV_GAS_OIL_RATIO);
    s.rate = get_f64(record, PTRAV_RATE_1);
    s.water = cut;
    s.oil = 1.0 - cut;
    s.gas = s.oil * ratio;
  }

  const double start = get_f64(record, PTRAV_START_PRESSURE);
  const double deep = get_f64(record, PTRAV_DEEP_DEPTH);
  const double shallow = get_f64(record, PTRAV_SHALLOW_DEPTH);
  const int32_t n = get_i32(record, PTRAV_SEGMENT_COUNT);
  const int32_t direction = get_i32(record, PTRAV_DIRECTION);
  const bool usable = options == 0 && is_finite(s.rate) && is_finite(ratio) && ratio >= 0.0 &&
                      is_finite(cut) && cut >= 0.0 && cut <= 1.0 && is_finite(start) &&
                      is_finite(deep) && is_finite(shallow) && deep >= shallow && n >= 1 &&
                      n <= PTRAV_MAX_SEGMENTS && (direction == 0 || direction == 1) &&
                      s.api > -131.5 && is_finite(s.api) && s.gas_sg > 0.0 && s.water_sg > 0.0 &&
                      s.oil_viscosity > 0.0 && s.water_viscosity > 0.0 && s.gas_viscosity > 0.0 &&
                      s.diameter_ft > 0.0 && s.roughness_ft >= 0.0 &&
                      is_finite(s.surface_temperature) && is_finite(s.temperature_gradient);
  if (!usable) {
    put_message(message, "unusable input");
    return;
  }
  if (start <= 0.0) {
    *result = PTRAV_COLUMN_EMPTY;
    put_message(message, "no pressure at the start");
    return;
  }

  // Upward (direction 1) from the deep end, else downward from the shallow end.
  const double sign = direction == 1 ? -1.0 : 1.0;
  const double h = (deep - shallow) / n;
  double z = direction == 1 ? deep : shallow;
  double p = start;
  double* profile = static_cast<double*>(work_a);
  if (profile != nullptr) {
    profile[0] = z;
    profile[1] = p;
  }
  for (int32_t k = 0; k < n; ++k) {
    const double z_next = z + sign * h;
    const double g1 = gradient(s, p, z);
    const double predicted = p + sign * g1 * h;
    if (direction == 1 && !(predicted > 0.0)) {
      *result = PTRAV_COLUMN_EMPTY;
      put_message(message, "the column empties before the end");
      return;
    }
    const double g2 = gradient(s, predicted, z_next);
    p = p + sign * 0.5 * (g1 + g2) * h;
    z = z_next;
    if (!is_finite(p)) {
      put_message(message, "no finite pressure");
      return;
    }
    if (direction == 1 && p <= 0.0) {
      *result = PTRAV_COLUMN_EMPTY;
      put_message(message, "the column empties before the end");
      return;
    }
    if (profile != nullptr) {
      profile[2 * (k + 1)] = z;
      profile[2 * (k + 1) + 1] = p;
    }
  }
  *result = p;
}

PTRAV_API void ptrav_injection_change(void* record, double top_depth, double bottom_depth,
                                      double inside_diameter, double water_sg,
                                      double /*rankine_offset*/, double water_viscosity,
                                      int32_t phase, int32_t direction, double pressure,
                                      double* result, int32_t* status) {
  if (result == nullptr) return;
  *result = 0.0;
  const double rate = record != nullptr ? get_f64(record, PTRAV_RATE_1) : 0.0;
  const double h = bottom_depth - top_depth;
  const bool usable = record != nullptr && is_finite(rate) && is_finite(h) &&
                      is_finite(inside_diameter) && inside_diameter > 0.0 && is_finite(water_sg) &&
                      water_sg > 0.0 && is_finite(water_viscosity) && water_viscosity > 0.0 &&
                      phase == 1 && (direction == 1 || direction == -1) && is_finite(pressure);
  if (!usable) {
    if (status != nullptr) *status = 2;
    return;
  }
  const double d = inside_diameter / 12.0;
  const double roughness = field_or(record, PTRAV_ROUGHNESS, 0.0006) / 12.0;
  const double rho = kWater * water_sg * (1.0 + 3.0e-6 * pressure);
  const double area = kPi * d * d / 4.0;
  const double v = rate * kBarrel / kSecondsPerDay / area;
  const double friction = friction_gradient(rho, v, water_viscosity, d, roughness);
  *result = (rho / 144.0 + direction * friction) * h;
  if (status != nullptr) *status = 0;
}

}  // extern "C"
