// Lift tables of a well file: every combination of a table's axes traversed
// down the well's tubing from the wellhead, the table filled and checked.
//
// Axes are given in the deck's FIELD units, the values written as they are
// given: rates stb/d (OIL, LIQ) or Mscf/d (GAS), wellhead pressures psia (the
// table is absolute, unlike the rest of the named layer, so that the axis is
// the one the simulator's THP limits are stated in), GOR and GLR Mscf/stb (an
// axis a thousand times too large, given in scf/stb, is refused as such), WGR
// and OGR stb/Mscf. METRIC only changes how the deck is written.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "wellfile/vfp_table.hpp"
#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// Called after each traverse with the entries done and the table's total.
using VfpProgress = std::function<void(std::size_t done, std::size_t total)>;

// What kind of table to build. Types left empty take the well's own: a
// producer on the liquid basis LIQ, WCT, GOR; a gas well GAS, WGR, OGR; a
// water injector WAT; a gas injector GAS.
struct VfpOptions {
  std::optional<VfpFlo> flo;
  std::optional<VfpWfr> wfr;
  std::optional<VfpGfr> gfr;
  int table_number = 1;
  // Vertical depth (ft) the pressures are given at; default the vertical depth
  // of the tubing's node. The simulator compares it with the well's reference
  // depth, which is a vertical depth.
  std::optional<double> datum_depth;
  VfpUnits units = VfpUnits::field;
  VfpProgress progress;  // empty: no progress reports
};

struct VfpBuild {
  std::vector<Problem> problems;  // non-empty: nothing computed (or nothing could be)
  VfpTable table;                 // filled when problems is empty
  std::vector<VfpIndex> filled;   // entries the tubing could not carry, filled by policy
  std::vector<VfpIndex> falls;    // entries whose pressure falls as the wellhead pressure rises
};

// Checks the well, its tubing and the axes, then traverses every combination
// from the wellhead (THP psia) to the datum and fills the table. A water or
// gas-fraction axis left empty takes the well file's own value (its water cut
// and producing GOR, or for a gas well its water-gas and oil-gas ratios from
// the water cut and liquid yield). The lift axis must be empty or all zeros:
// the tubing takes no injected lift gas.
VfpBuild build_vfp_table(const json& doc, const VfpAxes& axes, const VfpOptions& options);

// The header and axes that build_vfp_table fills, the defaults resolved, or
// the problems; no traverse is run.
VfpBuild prepare_vfp_table(const json& doc, const VfpAxes& axes, const VfpOptions& options);

// The traverses of build_vfp_table without the fill: table.bhp holds every
// combination's pressure in the table's order, NaN where the tubing cannot
// carry the rate. A table computed in parts (split along its water axis, say)
// is joined and then filled once with fill_vfp_table, as a whole table is.
VfpBuild traverse_vfp_table(const json& doc, const VfpAxes& axes, const VfpOptions& options);

// Fills a table whose bhp holds traversed pressures (NaN where none) by the
// writer's fill policy, and reports the filled entries and the falls.
VfpFillResult fill_traversed_vfp_table(VfpTable& table);

}  // namespace dlv::wellfile
