#include "fluids/oil_fvf.hpp"

#include <cmath>

#include "platform/diagnostic_log.hpp"

namespace dlv {

namespace {

// Every check runs, so each faulty input gets its own line in the log. A NaN
// fails none of them. Returns 1 when any input is out of range, else 0.
std::int32_t check_inputs(const OilVolumeInput& in, std::int32_t fvf_correlation) {
  std::int32_t ierr = 0;
  if (in.temperature < -50.0 || in.temperature > 500.0) {
    write_log("Temperature out of range in FVF Calculation, attempting to recover\r\n");
    ierr = 1;
  }
  if (in.pressure < 0.0) {
    write_log("Out of range value for (pressure) in FVF Calculation, attempting to recover\r\n");
    ierr = 1;
  }
  if (in.api_gravity <= 5.0 || in.api_gravity > 100.0) {
    write_log("Out of range value for (API gravity) in FVF Calculation, attempting to recover\r\n");
    ierr = 1;
  }
  if (in.gas_sg < 0.55 || in.gas_sg > 1.5) {
    write_log(
        "Out of range value for (specific gas gravity) in FVF Calculation, attempting to "
        "recover\r\n");
    ierr = 1;
  }
  if (in.sg100 < 0.55 || in.sg100 > 1.5) {
    write_log("Out of range value for SG100\r\n");
    ierr = 1;
  }
  if (in.bubble_point < 0.0 || in.bubble_point > 300000.0) {
    write_log(
        "Out of range value for (bubble point pressure) in FVF Calculation, attempting to "
        "recover\r\n");
    ierr = 1;
  }
  if (in.producing_gor < 0.0) {
    write_log(
        "Out of range value for (producing gas/oil ratio) in FVF Calculation, attempting to "
        "recover\r\n");
    ierr = 1;
  }
  if (fvf_correlation < 0 || fvf_correlation > 3) {
    write_log(
        "Out of range value for (formation volume factor correlation) in FVF Calculation, "
        "attempting to recover\r\n");
    ierr = 1;
  }
  return ierr;
}

// Standing's own limits on the bubble point and the producing ratio.
std::int32_t check_standing_range(const OilVolumeInput& in) {
  std::int32_t ierr = 0;
  if (in.bubble_point > 5000.0) {
    write_log(
        "Bubble Point pressure out of range for Standing correlation in FVF Calculation, "
        "attempting to recover\r\n");
    ierr = 1;
  }
  if (in.producing_gor < 75.0 || in.producing_gor > 37000.0) {
    write_log(
        "Producing gas/oil ratio out of range for Standing correlation in FVF Calculation, "
        "attempting to recover\r\n");
    ierr = 1;
  }
  return ierr;
}

// Volume factor of the oil saturated with r. Code 3 selects no correlation
// and gives 0.0.
double saturated_factor(const OilVolumeInput& in, double r, double oil_sg,
                        std::int32_t fvf_correlation) {
  const double t = in.temperature;
  const double api = in.api_gravity;
  switch (fvf_correlation) {
    case 0: {  // Vasquez and Beggs
      const double x = (t - 60.0) * api / in.sg100;
      const bool light = api > 30.0;
      const double c2 = light ? 0.11 : 0.1751;
      const double c3 = light ? 0.1337 : -1.8106;
      return 1.0 + 0.000467 * r + c2 * x * 0.0001 + c3 * r * x * 1e-8;
    }
    case 1:  // Standing. The gravity ratio is raised to the power 0.5 with pow:
             // sqrt rounds differently in the last place for some ratios.
      return 0.972 + 0.000147 * std::pow(r * std::pow(in.gas_sg / oil_sg, 0.5) + 1.25 * t, 1.175);
    case 2: {  // Glaso
      const double f = r * std::pow(in.gas_sg / oil_sg, 0.526) + 0.968 * t;
      const double l = std::log10(f);
      return std::pow(10.0, -6.58511 + 2.91329 * l - 0.27683 * (l * l)) + 1.0;
    }
    default:
      return 0.0;
  }
}

}  // namespace

void calfvf(const OilVolumeInput& in, std::int32_t fvf_correlation, double& oil_compressibility,
            double& oil_fvf, double& water_fvf, std::int32_t& ierr) {
  const double t = in.temperature;
  const double p = in.pressure;
  const double pb = in.bubble_point;

  oil_fvf = 1.1;
  // A NaN input fails no check and runs through to NaN results.
  ierr = check_inputs(in, fvf_correlation);
  if (ierr == 0 && fvf_correlation == 1) ierr = check_standing_range(in);
  if (ierr == 1) return;

  const double oil_sg = 141.5 / (131.5 + in.api_gravity);
  const bool undersaturated = p >= pb;
  const double r = undersaturated ? in.producing_gor : in.solution_gor;
  const double b = saturated_factor(in, r, oil_sg, fvf_correlation);

  if (!undersaturated) {
    // Below the bubble point the saturated factor holds as it is. Code 3 has
    // none, so Bo keeps its starting 1.1 there.
    if (fvf_correlation != 3) oil_fvf = b;
    oil_compressibility = 0.0;
  } else {
    // Shrink the bubble-point volume with the compressibility, by at most
    // exp(-10). At zero pressure (which passes the checks only with a zero
    // bubble point) the compressibility has no defined value and is taken
    // as 0.0, so Bo is the saturated factor.
    double co = 0.0;
    if (p != 0.0) {
      co = (-1433.0 + 5.0 * in.solution_gor + 17.2 * t - 1180.0 * in.sg100 +
            12.61 * in.api_gravity) /
           (p * 100000.0);
    }
    oil_compressibility = co;
    const double e = co * (pb - p);
    oil_fvf = e > -10.0 ? b * std::exp(e) : b * std::exp(-10.0);
  }
  if (oil_fvf < 1.0) oil_fvf = 1.0;

  const double dt = t - 60.0;
  water_fvf = 1.0 + 0.00012 * dt + 1e-6 * (dt * dt) - 3.33e-6 * p;
}

}  // namespace dlv
