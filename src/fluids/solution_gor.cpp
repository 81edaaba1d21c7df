#include "fluids/solution_gor.hpp"

#include <array>
#include <cmath>

#include "numerics/interpolation.hpp"
#include "numerics/units.hpp"
#include "platform/diagnostic_log.hpp"

namespace dlv {

namespace {

// Lasater's chart: reduced bubble-point pressure pb * gas_sg / TR against the
// mole fraction of gas in the saturated liquid.
constexpr std::int32_t kLasaterPoints = 17;
constexpr std::array<double, kLasaterPoints> kLasaterReducedPressure = {
    0.17, 0.3, 0.43, 0.58, 0.75, 0.94, 1.19, 1.47, 1.74, 2.1, 2.7, 3.29, 3.8, 4.3, 4.9, 5.7, 6.7};
constexpr std::array<double, kLasaterPoints> kLasaterGasFraction = {
    0.05, 0.10, 0.15, 0.20, 0.25, 0.30, 0.35, 0.40, 0.45,
    0.50, 0.55, 0.60, 0.65, 0.70, 0.75, 0.80, 0.85};

// Molecular weight of the stock-tank oil against its API gravity.
constexpr std::int32_t kMolecularWeightPoints = 10;
constexpr std::array<double, kMolecularWeightPoints> kMolecularWeightApi = {
    5.0, 13.0, 19.0, 24.0, 28.0, 33.0, 38.0, 44.0, 52.0, 70.0};
constexpr std::array<double, kMolecularWeightPoints> kMolecularWeight = {
    600.0, 500.0, 450.0, 400.0, 350.0, 300.0, 250.0, 200.0, 150.0, 100.0};

// Gas solubility in water, scf/STB of water: one row per pressure (psia), one
// column per temperature (degrees F).
constexpr std::int32_t kSolubilityPressures = 5;
constexpr std::int32_t kSolubilityTemperatures = 4;
constexpr std::array<double, kSolubilityPressures> kSolubilityPressure = {14.7, 200.0, 1000.0,
                                                                          3000.0, 10000.0};
constexpr std::array<double, kSolubilityTemperatures> kSolubilityTemperature = {80.0, 160.0, 220.0,
                                                                                340.0};
constexpr std::array<std::array<double, kSolubilityTemperatures>, kSolubilityPressures>
    kWaterSolubility = {{
        {0.0, 0.0, 0.0, 0.0},
        {2.2, 1.5, 1.5, 1.0},
        {10.3, 7.4, 6.6, 8.9},
        {20.7, 15.5, 16.3, 25.1},
        {36.9, 31.0, 34.0, 56.9},
    }};

// Every table is read with a parabola through three neighbouring points.
constexpr std::int32_t kDegree = 2;

// The larger of p and Rp / 10, the bubble point of a gas well and the
// fallback of an implausibly high bubble point. A NaN pressure gives Rp / 10.
double bubble_point_fallback(double pressure, double producing_gor) {
  const double from_ratio = producing_gor / 10.0;
  return pressure > from_ratio ? pressure : from_ratio;
}

// Every check runs, so each faulty input gets its own line in the log. A NaN
// fails none of them. Returns 1 when any input is out of range, else 0.
std::int32_t check_inputs(const SolutionGasInput& in, std::int32_t rs_correlation) {
  std::int32_t ierr = 0;
  if (in.pressure < 0.0 || in.pressure > 50000.0) {
    write_log("Out of range input value for (pressure) in calrs()\r\n");
    ierr = 1;
  }
  if (in.temperature < -50.0 || in.temperature > 500.0) {
    write_log("Temperature out of range in calrs()\r\n");
    ierr = 1;
  }
  if (in.gas_sg < 0.55 || in.gas_sg >= 1.5) {
    write_log("Out of range input value for (specific gravity) in calrs()\r\n");
    ierr = 1;
  }
  if (in.separator_pressure < 0.0 || in.separator_pressure > 50000.0) {
    write_log("Out of range input value for (separator pressure) in calrs()\r\n");
    ierr = 1;
  }
  if (in.separator_temperature < -50.0 || in.separator_temperature > 500.0) {
    write_log("Out of range input value for (separator temperature) in calrs()\r\n");
    ierr = 1;
  }
  if (in.api_gravity <= 5.0 || in.api_gravity > 100.0) {
    write_log("Out of range input value for (API gravity) in calrs()\r\n");
    ierr = 1;
  }
  if (in.oil_rate < 0.0) {
    write_log("Out of range input value for (oil flow rate) in calrs()\r\n");
    ierr = 1;
  }
  if (in.water_rate < 0.0) {
    write_log("Out of range input value for (water flow rate) in calrs()\r\n");
    ierr = 1;
  }
  if (in.producing_gor < 0.0) {
    write_log("Out of range input value for (solution gas/oil ratio) in calrs()\r\n");
    ierr = 1;
  }
  if (rs_correlation < 0 || rs_correlation > 4) {
    write_log("Out of range input value for (sol. gas/oil ratio correlation) in calrs()\r\n");
    ierr = 1;
  }
  return ierr;
}

// Lasater: Rs from the chart at the reduced pressure, the bubble point from
// the chart at the gas fraction of the producing ratio; the produced gas is
// not split.
void lasater(const SolutionGasInput& in, double tr, double oil_sg, ProducedGasSplit& gas,
             double& bubble_point) {
  std::int32_t table_status = 0;
  const double api = in.api_gravity;
  const double x = in.pressure * in.gas_sg / tr;
  double yg;
  if (x < 0.17) {
    yg = 0.2941 * x;
  } else if (x <= 6.7) {
    yg = flagr(kLasaterReducedPressure.data(), kLasaterGasFraction.data(), x, kDegree,
               kLasaterPoints, table_status);
  } else {
    yg = 0.85;
  }
  double mo;
  if (api < 51.1) {
    mo = flagr(kMolecularWeightApi.data(), kMolecularWeight.data(), api, kDegree,
               kMolecularWeightPoints, table_status);
  } else {
    mo = 6084.0 / (api - 5.9);
  }
  gas.solution_gor = 379.3 * 350.0 * oil_sg / mo * yg / (1.0 - yg);

  const double z = in.producing_gor * mo / (oil_sg * 132800.0);
  const double y = z / (z + 1.0);
  const double reduced = flagr(kLasaterGasFraction.data(), kLasaterReducedPressure.data(), y,
                               kDegree, kLasaterPoints, table_status);
  bubble_point = reduced * tr / in.gas_sg;
}

void standing(const SolutionGasInput& in, ProducedGasSplit& gas, double& bubble_point) {
  const double a = 0.0125 * in.api_gravity - 0.00091 * in.temperature;
  const double f = std::pow(10.0, a);
  gas.solution_gor = in.gas_sg * std::pow(in.pressure * f / 18.0, 1.205);
  split_produced_gas(in, gas);
  bubble_point = (18.0 / f) * std::pow(in.producing_gor / gas.dissolved_gas_sg, 0.83);
}

// Vasquez and Beggs, with the gas gravity referred to 100 psig in sg100.
void vasquez_beggs(const SolutionGasInput& in, double tr, ProducedGasSplit& gas, double& sg100,
                   double& bubble_point) {
  const double api = in.api_gravity;
  sg100 = in.gas_sg * (1.0 + 0.5912 * api * in.separator_temperature * 0.0001 *
                                 std::log10(in.separator_pressure / 114.7));
  const bool light = api > 30.0;
  const double c1 = light ? 1.187 : 1.0937;
  const double c2 = light ? 56.06 : 27.64;
  const double c3 = light ? 10.393 : 11.172;
  gas.solution_gor = (sg100 * std::pow(in.pressure, c1) / c2) * std::pow(10.0, c3 * api / tr);
  split_produced_gas(in, gas);
  bubble_point = std::pow(
      c2 * in.producing_gor / (gas.dissolved_gas_sg * std::pow(10.0, c3 * api / tr)), 1.0 / c1);
}

// Glaso. Above about 19,286 psia the root argument is negative and at or
// below 0 F the temperature power is zero or undefined: the results are then
// NaN or infinite, as the arithmetic gives them.
void glaso(const SolutionGasInput& in, ProducedGasSplit& gas, double& bubble_point) {
  const double t = in.temperature;
  const double api = in.api_gravity;
  const double s = std::sqrt(5.17967 - 1.20872 * std::log10(in.pressure));
  const double e = (1.7447 - s) / 0.60436;
  gas.solution_gor =
      in.gas_sg * std::pow(std::pow(api, 0.989) * std::pow(10.0, e) / std::pow(t, 0.172), 1.22549);
  split_produced_gas(in, gas);
  const double q = std::pow(in.producing_gor / gas.dissolved_gas_sg, 0.816) * std::pow(t, 0.172) /
                   std::pow(api, 0.989);
  const double b = 0.60436 * std::log10(q) - 1.7447;
  bubble_point = std::pow(10.0, (5.17967 - b * b) / 1.20872);
}

// Rs and the bubble point of a layer with gas, by the chosen correlation.
// Code 4 is accepted and computes nothing: Rs, Rsw and the two gas gravities
// keep the values they came with.
void correlate(const SolutionGasInput& in, std::int32_t rs_correlation, ProducedGasSplit& gas,
               double& sg100, double& bubble_point) {
  sg100 = in.gas_sg;
  const double tr = in.temperature + kRankineOffset;
  const double oil_sg = 141.5 / (131.5 + in.api_gravity);
  switch (rs_correlation) {
    case 0:
      lasater(in, tr, oil_sg, gas, bubble_point);
      break;
    case 1:
      standing(in, gas, bubble_point);
      break;
    case 2:
      vasquez_beggs(in, tr, gas, sg100, bubble_point);
      break;
    case 3:
      glaso(in, gas, bubble_point);
      break;
    default:
      break;
  }
}

}  // namespace

void split_produced_gas(const SolutionGasInput& in, ProducedGasSplit& gas) {
  const double rp = in.producing_gor;
  const double qo = in.oil_rate;
  const double qw = in.water_rate;
  if (gas.solution_gor < 0.0) gas.solution_gor = 0.0;
  if (rp <= gas.solution_gor) gas.solution_gor = rp;
  const double rs = gas.solution_gor;

  // Each pressure row at the temperature, then the five results at the pressure.
  std::int32_t table_status = 0;
  std::array<double, kSolubilityPressures> at_temperature{};
  for (std::int32_t row = 0; row < kSolubilityPressures; ++row) {
    at_temperature[row] = flagr(kSolubilityTemperature.data(), kWaterSolubility[row].data(),
                                in.temperature, kDegree, kSolubilityTemperatures, table_status);
  }
  double rsw = flagr(kSolubilityPressure.data(), at_temperature.data(), in.pressure, kDegree,
                     kSolubilityPressures, table_status);

  // The water cannot hold more gas than the oil leaves over.
  const double produced = qo * rp;
  const double dissolved = qo * rs + qw * rsw;
  if (dissolved >= produced) {
    rsw = qw > 0.0 ? (produced - qo * rs) / qw : 0.0;
  }
  gas.solution_gwr = rsw;

  double gd = (in.api_gravity + 12.5) / 50.0 - 3.5715e-6 * in.api_gravity * rs;
  if (gd < 0.56) gd = 0.56;
  gas.dissolved_gas_sg = gd;

  const double total_mass = qo * rp * 0.0764 * in.gas_sg;
  const double dissolved_mass = 0.0764 * gd * (rs * qo + rsw * qw);
  const double free_mass = total_mass - dissolved_mass;
  const double free_volume = 0.0764 * (qo * (rp - rs) - qw * rsw);

  double gf = free_volume > 0.0 ? free_mass / free_volume : in.gas_sg;
  if (gf < 0.55) gf = 0.55;
  if (gf > in.gas_sg) gf = in.gas_sg;
  gas.free_gas_sg = gf;
}

void calrs(const SolutionGasInput& in, std::int32_t rs_correlation, ProducedGasSplit& gas,
           double& sg100, double& bubble_point, std::int32_t& ierr) {
  const double p = in.pressure;
  const double rp = in.producing_gor;

  // A gas well: all of the gas counts as dissolved, nothing is checked.
  if (rp > 999999.0) {
    gas.solution_gor = rp;
    bubble_point = bubble_point_fallback(p, rp);
    sg100 = in.gas_sg;
    gas.dissolved_gas_sg = in.gas_sg;
    gas.free_gas_sg = in.gas_sg;
    ierr = 0;
    return;
  }

  // A NaN input fails no check and runs through to NaN results.
  ierr = check_inputs(in, rs_correlation);
  if (ierr == 0 && rp <= 0.0) {
    // No gas at all: the oil is at its bubble point.
    gas = ProducedGasSplit{0.0, 0.0, in.gas_sg, in.gas_sg};
    sg100 = in.gas_sg;
    bubble_point = p;
  } else if (ierr == 0) {
    correlate(in, rs_correlation, gas, sg100, bubble_point);
  }

  // An implausibly high bubble point, also one left over from before a
  // failed check, falls back to the larger of p and Rp / 10.
  if (bubble_point > 2.0 * p) bubble_point = bubble_point_fallback(p, rp);
}

}  // namespace dlv
