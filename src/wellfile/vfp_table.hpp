// Lift tables for reservoir simulators: the bottom-hole pressure of a well over
// grids of rate, wellhead pressure, water fraction, gas fraction and artificial
// lift, written as the VFPPROD (producers) or VFPINJ (injectors) keyword of the
// Eclipse deck format.
//
// API, in the order a caller uses it:
//   VfpTable                     the header, the axes and the bottom-hole pressures
//   validate_vfp_table(table)    every problem of the header and axes; empty when usable
//   fill_vfp_table(table, bhp)   runs bhp(flo, thp, wfr, gfr, alq) over every combination,
//                                fills what it cannot compute, reports both
//   vfp_surface_rates(...)       one combination as surface oil, water and gas rates (and
//                                lift gas), the rates a traverse is run with
//   find_bhp_falls(table)        every entry whose pressure falls as the wellhead pressure rises
//   vfp_deck_text(table)         the keyword as deck text, ready for INCLUDE
//
// Units. A table holds every value in the deck's FIELD units whatever it is
// written in: rates stb/d (OIL, LIQ, WAT) or Mscf/d (GAS), pressures psia (the
// table is absolute; the rest of the named layer is psi gauge), WCT and WOR
// stb/stb, GOR and GLR Mscf/stb, WGR and OGR stb/Mscf, lift gas Mscf/d (GRAT) or
// Mscf/stb (IGLR, TGLR), datum depth ft. `units` only chooses how the deck text
// is written; METRIC converts with exact factors on the way out.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

enum class VfpKind { production, injection };
enum class VfpFlo { oil, liquid, gas, water };  // OIL, LIQ, GAS; WAT for injectors only
enum class VfpWfr { water_cut, water_oil_ratio, water_gas_ratio };     // WCT, WOR, WGR
enum class VfpGfr { gas_oil_ratio, gas_liquid_ratio, oil_gas_ratio };  // GOR, GLR, OGR
// Artificial lift: none (written ' ', axis {0}), lift-gas rate (GRAT), injected
// gas-liquid ratio (IGLR) or total gas-liquid ratio (TGLR).
enum class VfpAlq { none, gas_rate, injected_glr, total_glr };
enum class VfpUnits { field, metric };

// The library's own limits on a table. The format leaves the sizes to the
// deck's VFPPDIMS / VFPIDIMS; these bound what the library writes.
inline constexpr int kVfpMaxTableNumber = 9999;
inline constexpr std::size_t kVfpMaxAxisEntries = 100;
inline constexpr std::size_t kVfpMaxValues = 1'000'000;  // bottom-hole pressures in one table
// A FIELD gas-liquid or gas-oil ratio above this many Mscf/stb (100 000 scf/stb)
// is taken for a value given in scf/stb.
inline constexpr double kVfpLargestMscfPerStb = 100.0;

struct VfpAxes {
  std::vector<double> flo;  // rates, ascending (at least 2)
  std::vector<double> thp;  // wellhead pressures, psia, ascending (at least 2)
  std::vector<double> wfr;  // water fractions (production; empty for injection)
  std::vector<double> gfr;  // gas fractions (production; empty for injection)
  std::vector<double> alq;  // artificial-lift values ({0} without lift; empty for injection)
};

// Position of one bottom-hole pressure, 0-based (the deck's indices are 1-based).
struct VfpIndex {
  std::size_t thp = 0, wfr = 0, gfr = 0, alq = 0, flo = 0;
  bool operator==(const VfpIndex&) const = default;
};

struct VfpTable {
  VfpKind kind = VfpKind::production;
  int table_number = 1;
  double datum_depth = 0;  // ft, the depth the pressures are given at
  VfpFlo flo = VfpFlo::liquid;
  VfpWfr wfr = VfpWfr::water_cut;
  VfpGfr gfr = VfpGfr::gas_oil_ratio;
  VfpAlq alq = VfpAlq::none;
  VfpUnits units = VfpUnits::field;
  VfpAxes axes;
  // psia, THP outermost then WFR, GFR, ALQ, FLO innermost (FLO varies fastest),
  // as the deck's rows hold them; for injection only THP and FLO.
  std::vector<double> bhp;

  // Entries along each axis; an injection table counts 1 for WFR, GFR and ALQ.
  std::size_t thp_count() const { return axes.thp.size(); }
  std::size_t wfr_count() const;
  std::size_t gfr_count() const;
  std::size_t alq_count() const;
  std::size_t flo_count() const { return axes.flo.size(); }
  std::size_t value_count() const;  // the size bhp must have
  std::size_t offset(const VfpIndex& i) const;
  double& at(const VfpIndex& i) { return bhp[offset(i)]; }
  double at(const VfpIndex& i) const { return bhp[offset(i)]; }
};

// Calls f(index) for every entry of the table in the order bhp holds them:
// THP outermost, FLO innermost.
template <class F>
void for_each_vfp_index(const VfpTable& t, F&& f) {
  VfpIndex i;
  for (i.thp = 0; i.thp < t.thp_count(); ++i.thp)
    for (i.wfr = 0; i.wfr < t.wfr_count(); ++i.wfr)
      for (i.gfr = 0; i.gfr < t.gfr_count(); ++i.gfr)
        for (i.alq = 0; i.alq < t.alq_count(); ++i.alq)
          for (i.flo = 0; i.flo < t.flo_count(); ++i.flo) f(static_cast<const VfpIndex&>(i));
}

// Every problem of the header and the axes, each with its path ("rates[2]",
// "gors", "table_number", ...), the message and the expected unit and range.
// Axis paths are named by the axis's type: rates, wellhead_pressures,
// water_cuts | water_oil_ratios | water_gas_ratios, gors | glrs | ogrs, alq.
std::vector<Problem> validate_vfp_table(const VfpTable& table);

// Bottom-hole pressure (psia) at one combination, in the table's FIELD units;
// no value where the tubing cannot carry the rate at that wellhead pressure.
using VfpBhpFunction = std::function<std::optional<double>(double flo, double thp, double wfr,
                                                           double gfr, double alq)>;

struct VfpFillResult {
  std::vector<Problem> problems;  // non-empty: the table is invalid, nothing was computed
  std::vector<VfpIndex> filled;   // entries the function gave no finite positive value for
  std::vector<VfpIndex> falls;    // find_bhp_falls after filling
};

// Sizes table.bhp and calls bhp for every combination, THP outermost and FLO
// innermost (consecutive calls differ in rate only). A missing, non-finite or
// non-positive result is filled as follows (the fill policy):
//  - production: the largest computed pressure of its row (same THP, WFR, GFR,
//    ALQ) plus 10 % of it; a row with nothing computed takes the largest
//    computed pressure of the table plus 10 %. A rate the tubing cannot lift
//    shows as needing more bottom-hole pressure than any rate it can, so a
//    simulator on wellhead-pressure control never settles on it.
//  - injection: 14.7 psia, the pressure at which the traverse stops: a rate
//    that cannot be pushed through the tubing at that wellhead pressure shows
//    as reaching the formation with no pressure left, so the simulator never
//    injects it.
//  - then, so that filling never makes a pressure fall as the wellhead pressure
//    rises, each filled entry is raised to the entry below it (lower THP, same
//    FLO, WFR, GFR, ALQ) and lowered to the smallest computed entry above it.
// If nothing at all can be computed, the table is left unfilled and the
// result holds one problem.
VfpFillResult fill_vfp_table(VfpTable& table, const VfpBhpFunction& bhp);

// The rates of one combination, in the units a traverse takes.
struct VfpSurfaceRates {
  double oil = 0;       // stb/d
  double water = 0;     // stb/d
  double gas = 0;       // formation gas, scf/d
  double lift_gas = 0;  // injected lift gas, scf/d (enters the tubing at the lift depth)
};
// flo, wfr, gfr, alq in the table's FIELD units. Producers: LIQ: q_L = FLO and
// the water cut or water-oil ratio splits it; OIL: q_o = FLO; GAS: q_g = FLO
// (Mscf/d), q_w = WGR·FLO, q_o = OGR·FLO. GOR gives q_g = 1000·GOR·q_o, GLR
// q_g = 1000·GLR·q_L. Lift gas: GRAT 1000·ALQ, IGLR 1000·ALQ·q_L, TGLR what
// lifts the total gas-liquid ratio to ALQ (none when the formation gas already
// reaches it). Injectors: the one phase FLO names. The table must be valid.
VfpSurfaceRates vfp_surface_rates(const VfpTable& table, double flo, double wfr, double gfr,
                                  double alq);

// Every entry (at the higher of the two wellhead pressures) whose bottom-hole
// pressure is below the one at the next lower wellhead pressure, with the same
// FLO, WFR, GFR and ALQ.
std::vector<VfpIndex> find_bhp_falls(const VfpTable& table);

// One entry for a message: "THP 2 (200 psia), WFR 1 (0), GFR 2 (1), ALQ 1 (0),
// FLO 3 (2000 stb/d)", 1-based as in the deck, values in FIELD units.
std::string vfp_index_text(const VfpTable& table, const VfpIndex& i);

// The keyword as deck text in table.units: a comment with the VFPPDIMS /
// VFPIDIMS sizes the table needs, the keyword, the records each ending with
// '/', 1-based indices with THP outermost and ALQ innermost, every row
// complete, lines kept under 100 characters. Throws std::invalid_argument
// when the table is invalid or its pressures are incomplete or not finite.
std::string vfp_deck_text(const VfpTable& table);

// The conversion of the deck's FIELD units to METRIC, exact: pressure psia ->
// barsa, liquid stb -> sm3, gas Mscf -> sm3, length ft -> m.
inline constexpr double kPaPerPsi = 6894.757293168;
inline constexpr double kBarsaPerPsia = kPaPerPsi / 1e5;
inline constexpr double kM3PerBbl = 0.158987294928;
inline constexpr double kM3PerScf = 0.028316846592;
inline constexpr double kM3PerMscf = 1000 * kM3PerScf;
inline constexpr double kMetresPerFoot = 0.3048;

}  // namespace dlv::wellfile
