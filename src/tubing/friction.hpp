// Friction factors of pipe flow: laminar, Colebrook-White (by Newton's
// method, with the laminar and transition rule), Chen's explicit factor in
// its Darcy and Fanning forms, and the fully rough Nikuradse factor of the
// dry-gas methods.
//
// Every factor takes the relative roughness eps/D (absolute roughness over
// inside diameter, any consistent unit) and clamps it to 0.05. An input that
// is NaN, infinite or negative gives NaN, which the gradients turn into a
// failed point.
#pragma once

namespace dlv {

// The largest relative roughness the factors use; rougher pipe is clamped.
inline constexpr double kMaxRelativeRoughness = 0.05;

// Laminar Darcy factor 64/N_Re (N_Re > 0).
double laminar_darcy_factor(double reynolds);

// Chen (1979) explicit Darcy factor at any N_Re > 0, with no laminar rule.
// NaN at N_Re <= 0 and below N_Re of about 7, where its logarithm has no
// positive argument.
double chen_darcy_factor(double reynolds, double relative_roughness);
// Chen's Fanning form: the same bracket with -4 log10, a quarter of the Darcy
// factor.
double chen_fanning_factor(double reynolds, double relative_roughness);

// The turbulent Colebrook-White Darcy factor, by Newton's method on
// 1/sqrt(f) until two iterates agree to 1e-12 relative (at most 100
// iterations); NaN where the equation has no positive root. Meant for N_Re >= 4000; see
// moody_darcy_factor for the factor at any Reynolds number.
double colebrook_darcy_factor(double reynolds, double relative_roughness);

// The library's Moody factor at any Reynolds number: 0 at N_Re <= 0 (no flow),
// 64/N_Re below 2000, Colebrook at and above 4000, and in between the straight
// line in N_Re from 0.032 at 2000 to the Colebrook factor at 4000.
double moody_darcy_factor(double reynolds, double relative_roughness);
// The same factor in Fanning form (a quarter of the Darcy factor).
double moody_fanning_factor(double reynolds, double relative_roughness);

// The fully rough (Nikuradse) Darcy factor [1/(1.74 - 2 log10(2 eps/D))]^2 of
// the dry-gas methods; 0 for smooth pipe.
double fully_rough_darcy_factor(double relative_roughness);

}  // namespace dlv
