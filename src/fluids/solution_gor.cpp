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

}  // namespace

void split_produced_gas(double pressure, double temperature, double gas_sg,
                        double /*separator_pressure*/, double /*separator_temperature*/,
                        double api_gravity, double oil_rate, double water_rate,
                        const double& producing_gor, double& solution_gor, double& solution_gwr,
                        double& dissolved_gas_sg, double& free_gas_sg) {
  const double rp = producing_gor;
  if (solution_gor < 0.0) solution_gor = 0.0;
  if (rp <= solution_gor) solution_gor = rp;
  const double rs = solution_gor;

  // Each pressure row at the temperature, then the five results at the pressure.
  std::int32_t table_status = 0;
  std::array<double, kSolubilityPressures> at_temperature{};
  for (std::int32_t row = 0; row < kSolubilityPressures; ++row) {
    at_temperature[row] = flagr(kSolubilityTemperature.data(), kWaterSolubility[row].data(),
                                temperature, kDegree, kSolubilityTemperatures, table_status);
  }
  double rsw = flagr(kSolubilityPressure.data(), at_temperature.data(), pressure, kDegree,
                     kSolubilityPressures, table_status);

  // The water cannot hold more gas than the oil leaves over.
  const double produced = oil_rate * rp;
  const double dissolved = oil_rate * rs + water_rate * rsw;
  if (dissolved >= produced) {
    rsw = water_rate > 0.0 ? (produced - oil_rate * rs) / water_rate : 0.0;
  }
  solution_gwr = rsw;

  double gd = (api_gravity + 12.5) / 50.0 - 3.5715e-6 * api_gravity * rs;
  if (gd < 0.56) gd = 0.56;
  dissolved_gas_sg = gd;

  const double total_mass = oil_rate * rp * 0.0764 * gas_sg;
  const double dissolved_mass = 0.0764 * gd * (rs * oil_rate + rsw * water_rate);
  const double free_mass = total_mass - dissolved_mass;
  const double free_volume = 0.0764 * (oil_rate * (rp - rs) - water_rate * rsw);

  double gf = free_volume > 0.0 ? free_mass / free_volume : gas_sg;
  if (gf < 0.55) gf = 0.55;
  if (gf > gas_sg) gf = gas_sg;
  free_gas_sg = gf;
}

void calrs(double pressure, double temperature, double gas_sg, double separator_pressure,
           double separator_temperature, double api_gravity, double oil_rate, double water_rate,
           const double& producing_gor, double& solution_gor, double& solution_gwr,
           double& dissolved_gas_sg, double& free_gas_sg, double& sg100, double& bubble_point,
           std::int32_t rs_correlation, std::int32_t& ierr) {
  const double p = pressure;
  const double t = temperature;
  const double rp = producing_gor;

  // A gas well: all of the gas counts as dissolved, nothing is checked.
  if (rp > 999999.0) {
    solution_gor = rp;
    bubble_point = bubble_point_fallback(p, rp);
    sg100 = gas_sg;
    dissolved_gas_sg = gas_sg;
    free_gas_sg = gas_sg;
    ierr = 0;
    return;
  }

  // Every check runs, so each faulty input gets its own line in the log. A
  // NaN fails none of them and runs through to NaN results.
  ierr = 0;
  if (p < 0.0 || p > 50000.0) {
    write_log("Out of range input value for (pressure) in calrs()\r\n");
    ierr = 1;
  }
  if (t < -50.0 || t > 500.0) {
    write_log("Temperature out of range in calrs()\r\n");
    ierr = 1;
  }
  if (gas_sg < 0.55 || gas_sg >= 1.5) {
    write_log("Out of range input value for (specific gravity) in calrs()\r\n");
    ierr = 1;
  }
  if (separator_pressure < 0.0 || separator_pressure > 50000.0) {
    write_log("Out of range input value for (separator pressure) in calrs()\r\n");
    ierr = 1;
  }
  if (separator_temperature < -50.0 || separator_temperature > 500.0) {
    write_log("Out of range input value for (separator temperature) in calrs()\r\n");
    ierr = 1;
  }
  if (api_gravity <= 5.0 || api_gravity > 100.0) {
    write_log("Out of range input value for (API gravity) in calrs()\r\n");
    ierr = 1;
  }
  if (oil_rate < 0.0) {
    write_log("Out of range input value for (oil flow rate) in calrs()\r\n");
    ierr = 1;
  }
  if (water_rate < 0.0) {
    write_log("Out of range input value for (water flow rate) in calrs()\r\n");
    ierr = 1;
  }
  if (rp < 0.0) {
    write_log("Out of range input value for (solution gas/oil ratio) in calrs()\r\n");
    ierr = 1;
  }
  if (rs_correlation < 0 || rs_correlation > 4) {
    write_log("Out of range input value for (sol. gas/oil ratio correlation) in calrs()\r\n");
    ierr = 1;
  }

  if (ierr == 0) {
    if (rp <= 0.0) {
      // No gas at all: the oil is at its bubble point.
      solution_gor = 0.0;
      solution_gwr = 0.0;
      dissolved_gas_sg = gas_sg;
      free_gas_sg = gas_sg;
      sg100 = gas_sg;
      bubble_point = p;
    } else {
      sg100 = gas_sg;
      const double tr = t + kRankineOffset;
      const double oil_sg = 141.5 / (131.5 + api_gravity);
      std::int32_t table_status = 0;

      switch (rs_correlation) {
        case 0: {  // Lasater; the produced gas is not split.
          const double x = p * gas_sg / tr;
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
          if (api_gravity < 51.1) {
            mo = flagr(kMolecularWeightApi.data(), kMolecularWeight.data(), api_gravity, kDegree,
                       kMolecularWeightPoints, table_status);
          } else {
            mo = 6084.0 / (api_gravity - 5.9);
          }
          solution_gor = 379.3 * 350.0 * oil_sg / mo * yg / (1.0 - yg);

          const double z = rp * mo / (oil_sg * 132800.0);
          const double y = z / (z + 1.0);
          const double reduced = flagr(kLasaterGasFraction.data(), kLasaterReducedPressure.data(),
                                       y, kDegree, kLasaterPoints, table_status);
          bubble_point = reduced * tr / gas_sg;
          break;
        }
        case 1: {  // Standing
          const double a = 0.0125 * api_gravity - 0.00091 * t;
          const double f = std::pow(10.0, a);
          solution_gor = gas_sg * std::pow(p * f / 18.0, 1.205);
          split_produced_gas(p, t, gas_sg, separator_pressure, separator_temperature, api_gravity,
                             oil_rate, water_rate, producing_gor, solution_gor, solution_gwr,
                             dissolved_gas_sg, free_gas_sg);
          bubble_point = (18.0 / f) * std::pow(rp / dissolved_gas_sg, 0.83);
          break;
        }
        case 2: {  // Vasquez and Beggs, with the gas gravity referred to 100 psig
          sg100 = gas_sg * (1.0 + 0.5912 * api_gravity * separator_temperature * 0.0001 *
                                      std::log10(separator_pressure / 114.7));
          double c1;
          double c2;
          double c3;
          if (api_gravity > 30.0) {
            c1 = 1.187;
            c2 = 56.06;
            c3 = 10.393;
          } else {
            c1 = 1.0937;
            c2 = 27.64;
            c3 = 11.172;
          }
          solution_gor = (sg100 * std::pow(p, c1) / c2) * std::pow(10.0, c3 * api_gravity / tr);
          split_produced_gas(p, t, gas_sg, separator_pressure, separator_temperature, api_gravity,
                             oil_rate, water_rate, producing_gor, solution_gor, solution_gwr,
                             dissolved_gas_sg, free_gas_sg);
          bubble_point = std::pow(
              c2 * rp / (dissolved_gas_sg * std::pow(10.0, c3 * api_gravity / tr)), 1.0 / c1);
          break;
        }
        case 3: {  // Glaso. Above about 19,286 psia the root argument is
                   // negative and at or below 0 F the temperature power is
                   // zero or undefined: the results are then NaN or infinite,
                   // as the arithmetic gives them.
          const double s = std::sqrt(5.17967 - 1.20872 * std::log10(p));
          const double e = (1.7447 - s) / 0.60436;
          solution_gor = gas_sg * std::pow(std::pow(api_gravity, 0.989) * std::pow(10.0, e) /
                                               std::pow(t, 0.172),
                                           1.22549);
          split_produced_gas(p, t, gas_sg, separator_pressure, separator_temperature, api_gravity,
                             oil_rate, water_rate, producing_gor, solution_gor, solution_gwr,
                             dissolved_gas_sg, free_gas_sg);
          const double q = std::pow(rp / dissolved_gas_sg, 0.816) * std::pow(t, 0.172) /
                           std::pow(api_gravity, 0.989);
          const double b = 0.60436 * std::log10(q) - 1.7447;
          bubble_point = std::pow(10.0, (5.17967 - b * b) / 1.20872);
          break;
        }
        default:
          // Code 4 is accepted and computes nothing: Rs, Rsw and the two gas
          // gravities keep the values they came with.
          break;
      }
    }
  }

  // An implausibly high bubble point, also one left over from before a
  // failed check, falls back to the larger of p and Rp / 10.
  if (bubble_point > 2.0 * p) bubble_point = bubble_point_fallback(p, rp);
}

}  // namespace dlv
