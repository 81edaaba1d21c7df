#include "fluids/oil_fvf.hpp"

#include <cmath>

#include "platform/diagnostic_log.hpp"

namespace dlv {

void calfvf(double temperature, double pressure, double api_gravity, double gas_sg, double sg100,
            double bubble_point, double producing_gor, double solution_gor,
            double& oil_compressibility, double& oil_fvf, double& water_fvf,
            std::int32_t fvf_correlation, std::int32_t& ierr) {
  const double t = temperature;
  const double p = pressure;
  const double pb = bubble_point;
  const double rp = producing_gor;
  const double rs = solution_gor;

  ierr = 0;
  oil_fvf = 1.1;

  // Every check runs, so each faulty input gets its own line in the log. A
  // NaN fails none of them and runs through to NaN results.
  if (t < -50.0 || t > 500.0) {
    write_log("Temperature out of range in FVF Calculation, attempting to recover\r\n");
    ierr = 1;
  }
  if (p < 0.0) {
    write_log("Out of range value for (pressure) in FVF Calculation, attempting to recover\r\n");
    ierr = 1;
  }
  if (api_gravity <= 5.0 || api_gravity > 100.0) {
    write_log("Out of range value for (API gravity) in FVF Calculation, attempting to recover\r\n");
    ierr = 1;
  }
  if (gas_sg < 0.55 || gas_sg > 1.5) {
    write_log(
        "Out of range value for (specific gas gravity) in FVF Calculation, attempting to "
        "recover\r\n");
    ierr = 1;
  }
  if (sg100 < 0.55 || sg100 > 1.5) {
    write_log("Out of range value for SG100\r\n");
    ierr = 1;
  }
  if (pb < 0.0 || pb > 300000.0) {
    write_log(
        "Out of range value for (bubble point pressure) in FVF Calculation, attempting to "
        "recover\r\n");
    ierr = 1;
  }
  if (rp < 0.0) {
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
  if (ierr == 0 && fvf_correlation == 1) {
    if (pb > 5000.0) {
      write_log(
          "Bubble Point pressure out of range for Standing correlation in FVF Calculation, "
          "attempting to recover\r\n");
      ierr = 1;
    }
    if (rp < 75.0 || rp > 37000.0) {
      write_log(
          "Producing gas/oil ratio out of range for Standing correlation in FVF Calculation, "
          "attempting to recover\r\n");
      ierr = 1;
    }
  }
  if (ierr == 1) return;

  const double oil_sg = 141.5 / (131.5 + api_gravity);
  const bool undersaturated = p >= pb;
  const double r = undersaturated ? rp : rs;

  // Volume factor of the oil saturated with r. Code 3 selects no correlation
  // and leaves it at 0.0.
  double b = 0.0;
  switch (fvf_correlation) {
    case 0: {  // Vasquez and Beggs
      const double x = (t - 60.0) * api_gravity / sg100;
      double c2;
      double c3;
      if (api_gravity > 30.0) {
        c2 = 0.11;
        c3 = 0.1337;
      } else {
        c2 = 0.1751;
        c3 = -1.8106;
      }
      b = 1.0 + 0.000467 * r + c2 * x * 0.0001 + c3 * r * x * 1e-8;
      break;
    }
    case 1:  // Standing. The gravity ratio is raised to the power 0.5 with pow:
             // sqrt rounds differently in the last place for some ratios.
      b = 0.972 + 0.000147 * std::pow(r * std::pow(gas_sg / oil_sg, 0.5) + 1.25 * t, 1.175);
      break;
    case 2: {  // Glaso
      const double f = r * std::pow(gas_sg / oil_sg, 0.526) + 0.968 * t;
      const double l = std::log10(f);
      b = std::pow(10.0, -6.58511 + 2.91329 * l - 0.27683 * (l * l)) + 1.0;
      break;
    }
    default:
      break;
  }

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
      co = (-1433.0 + 5.0 * rs + 17.2 * t - 1180.0 * sg100 + 12.61 * api_gravity) / (p * 100000.0);
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
