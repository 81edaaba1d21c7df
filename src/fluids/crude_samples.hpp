// Built-in properties of particular crudes, used instead of the general
// correlations: laboratory data of six crude samples in three sets of two,
// blended in a key value and corrected for temperature, and closed-form fits
// of one field crude.
//
// Units: pressure in psia on entry (gauge pg = p - 14.7 inside the fits),
// temperature in degrees F, Bo in reservoir barrels per stock-tank barrel, Rs
// in scf/STB, viscosity in cp.
#pragma once

#include <cstdint>

namespace dlv {

inline constexpr int kCrudeSampleRows = 87;

// Laboratory data of the six samples, rows 0-14, 15-29, 30-44, 45-59, 60-74
// and 75-86, each sample ordered by falling pressure. Columns: pressure
// (psia), Bo, Rs (scf/STB), oil viscosity (cp).
extern const double crude_sample_table[kCrudeSampleRows][4];

// One sample set: the row ranges (first and last row, inclusive) of its two
// samples in crude_sample_table and the key of each sample.
struct CrudeSampleSet {
  int first_begin;
  int first_end;
  int second_begin;
  int second_end;
  double first_key;
  double second_key;
};

// Sample sets 0, 1 and 2.
extern const CrudeSampleSet crude_sample_sets[3];

// Viscosity, Bo and Rs of one sample set at the table's reference
// temperature: each sample interpolated linearly in pressure (extrapolated
// along its end segments outside its pressures), then the two samples blended
// linearly in the key.
void interpolate_sample_set(const double (&table)[kCrudeSampleRows][4], double& viscosity,
                            double& oil_fvf, double& solution_gor, double pressure,
                            double sample_key, const CrudeSampleSet& set);

// Oil viscosity, Bo and Rs of sample set `sample_set` at (p, T), blended at
// sample_key and corrected for temperature. A set other than 0, 1 and 2 writes
// nothing.
void crude_sample_properties(const double& pressure, const double& temperature,
                             const std::int32_t& sample_set, const double& sample_key,
                             double& oil_viscosity, double& oil_fvf, double& solution_gor);

// Oil viscosity, Bo and Rs of the field crude at (p, T); Bo changes form
// above 4320 psi gauge.
void field_crude_properties(const double& pressure, const double& temperature,
                            double& oil_viscosity, double& oil_fvf, double& solution_gor);

}  // namespace dlv
