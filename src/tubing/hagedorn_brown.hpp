// Hagedorn and Brown, in two forms. The modified form: the log-polynomial
// chart fits with their guards, the holdup never below the no-slip holdup,
// Griffith's bubble flow with its mass-flow friction, and the Colebrook
// Fanning factor at a Reynolds number with the diameter in ft. The spreadsheet
// form (Guo's): the same fits with only the Y >= 0.012 clamp, no floor, no
// Griffith, and Chen's Fanning factor at every Reynolds number, computed with
// the diameter in inches. Neither has an acceleration term.
#pragma once

#include "tubing/flow_point.hpp"

namespace dlv {

enum class HagedornBrownForm {
  kModified,     // "hagedorn_brown"
  kSpreadsheet,  // "hagedorn_brown_original"
};

// The chart fits (Guo's spreadsheet log-polynomials), without guards:
// CN_L of the liquid viscosity number N_L, H_L/psi of the group X.
double hagedorn_brown_viscosity_correction(double viscosity_number);
double hagedorn_brown_holdup_ratio(double x);
// psi of the group Y, taken at Y = 0.012 below it.
double hagedorn_brown_psi(double y);

// The groups and the holdup of a two-phase point outside bubble flow.
struct HagedornBrownGroups {
  double liquid_velocity_number = 0.0;  // N_LV
  double gas_velocity_number = 0.0;     // N_GV
  double diameter_number = 0.0;         // N_D
  double viscosity_number = 0.0;        // N_L
  double viscosity_correction = 0.0;    // CN_L
  double x = 0.0;                       // X, as the holdup fit takes it
  double holdup_ratio = 0.0;            // H_L/psi
  double y = 0.0;                       // Y before any clamp
  double psi = 0.0;
  double holdup = 0.0;  // H_L within [0, 1] (modified form: at least lambda_L)
};

// The groups of a point where both phases flow (the caller has checked it).
HagedornBrownGroups hagedorn_brown_groups(const FlowPoint& point, HagedornBrownForm form);

// The Hagedorn and Brown gradient; single-phase and static points take the
// shared bypass. Fails when the surface tension is not positive. The
// friction uses FlowPoint::mass_rate when it is positive, else the in-situ
// mass rate. A downward flow keeps the upflow holdup (the correlation has no
// angle in it); only the elevation term changes sign.
Gradient hagedorn_brown(const FlowPoint& point, HagedornBrownForm form);

}  // namespace dlv
