// Inflow curve of one layer drained by a horizontal well in a box-shaped
// drainage volume, from the productivity of Babu and Odeh: a shape factor for
// the well's position in the box and a partial-penetration skin for a well
// shorter than the box. Oil follows Vogel's curve (straight above an
// undersaturated bubble point); gas rates are J (pr^2 - p^2).
#pragma once

#include <cstdint>

#include "inflow/well_geometry.hpp"
#include "numerics/curve_arguments.hpp"

namespace dlv {

// The well runs along y; x is across the well, z vertical. fluid 0 is oil,
// any other value gas. The box's drainage_area is not used.
// Writes rates[0] = 0 at pressures[0] = pr and rates rising to index 24 at
// pressure 0 (pr - 24 * (pr / 24) for gas and saturated oil). A zero product
// perm_x * thickness * box_width_x * perm_y * box_length_y leaves both arrays
// untouched; a well elevation outside (0, thickness) gives rates that are not
// a number.
void horizontal_well_curve(std::int32_t fluid, const HorizontalWellFluid& properties,
                           const DrainageBox& box, const HorizontalWellPath& well,
                           double reservoir_pressure, CurveOutput curve);

}  // namespace dlv
