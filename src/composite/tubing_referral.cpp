#include "composite/tubing_referral.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include "composite/traverse_coupling.hpp"
#include "numerics/units.hpp"
#include "tubing/traverse.hpp"

namespace dlv {

namespace {

constexpr int kPoints = layout::kPoints;

bool gas_basis(CalcMode mode) {
  return mode == CalcMode::kGasProduction || mode == CalcMode::kGasInjection;
}

bool injector(CalcMode mode) {
  return mode == CalcMode::kWaterInjection || mode == CalcMode::kGasInjection;
}

// Layer L's fluid for the tubing: the "well" model over the layer's own
// correlations and tables. A gravity that is not above 0 keeps the tubing
// fluid's default. Oil wells carry the producing gas/oil ratio per barrel of
// liquid; gas wells the liquid yield; water injectors water alone; gas
// injectors dry gas.
TubingFluid layer_fluid(const ReferralFluids& f, int L) {
  const LayerFluids& lf = f.fluids;
  TubingFluid fluid;
  fluid.model = TubingFluidModel::kWell;
  fluid.basis = gas_basis(f.mode) ? RateBasis::kGas : RateBasis::kLiquid;
  if (lf.api_gravity()[L] > 0.0) fluid.api_gravity = lf.api_gravity()[L];
  if (lf.gas_sg()[L] > 0.0) fluid.gas_sg = lf.gas_sg()[L];
  if (lf.water_sg()[L] > 0.0) fluid.water_sg = lf.water_sg()[L];
  switch (f.mode) {
    case CalcMode::kOilProduction:
      fluid.water_cut = lf.water_cut()[L];
      fluid.gas_liquid_ratio = lf.producing_gor()[L] * (1.0 - fluid.water_cut);
      break;
    case CalcMode::kGasProduction:
      fluid.water_cut = lf.water_cut()[L];
      fluid.liquid_yield = lf.liquid_yield()[L];
      break;
    case CalcMode::kWaterInjection:
      fluid.water_cut = 1.0;
      break;
    case CalcMode::kGasInjection:
      break;
  }
  fluid.well = WellCorrelations{lf, f.tables, f.separator, L};
  return fluid;
}

// The pressure (psi gauge) at the reference depth zr of a point whose
// pressure at the layer depth z is start_psig; nothing when the traverse
// gives no pressure (the rate cannot be lifted, a runaway, unusable input).
// The tubing runs from the shallower of the two depths (its "wellhead") down
// to the deeper (its node); the traverse starts at the layer's end. A layer at
// the reference depth keeps its pressure.
std::optional<double> refer_point(TraverseRequest request, const CouplingTubing& tubing, double z,
                                  double zr, double start_psig) {
  if (z == zr) return start_psig;
  const double top = std::min(z, zr);
  const double bottom = std::max(z, zr);
  request.geometry.node_depth = bottom - top;
  request.temperatures = {tubing.surface_temperature + tubing.temperature_gradient * top,
                          tubing.surface_temperature + tubing.temperature_gradient * bottom};
  request.start = z > zr ? TraverseStart::kNode : TraverseStart::kWellhead;
  request.start_pressure = start_psig + kAtmosphere;
  const TraverseResult r = traverse(request, std::span<ProfileNode>{});
  if (r.status != TraverseStatus::kOk || !std::isfinite(r.end_pressure)) return std::nullopt;
  return r.end_pressure - kAtmosphere;
}

}  // namespace

void refer_curves_by_tubing(const CouplingTubing& tubing, const ReferralFluids& fluids,
                            WellRecord well, CurveTables traverse_curves,
                            CurveTables layer_curves) {
  const int n = layers(well);
  const double zr = well.reference_depth();
  for (int L = 0; L < n; ++L) {
    TraverseRequest request;
    request.correlation = tubing.correlation;
    request.geometry.inside_diameter = tubing.inside_diameter;
    request.geometry.roughness = tubing.roughness;
    request.fluid = layer_fluid(fluids, L);
    request.flow = injector(fluids.mode) ? FlowDirection::kDown : FlowDirection::kUp;
    const double z = well.layer_depth()[L];

    const ReferredLayer c = referred_layer(traverse_curves, layer_curves, L);
    const double* t_rate = c.t_rate;
    const double* t_pressure = c.t_pressure;

    for (int i = 0; i < kPoints; ++i) {
      // The point's own rate, zero included (the static column). A start
      // pressure not above 0 psig is not traversed and refers to 0; so does
      // a first point whose traverse gives no pressure. A later point
      // without a pressure ends the curve as a failed traverse of the
      // traverse library does.
      request.rate = t_rate[i];
      const double start = t_pressure[i];
      double result = 0.0;
      bool failed = false;
      if (start > 0.0) {
        const std::optional<double> referred = refer_point(request, tubing, z, zr, start);
        failed = !referred.has_value();
        if (referred) result = *referred;
      }
      store_referred_point(c, i, start, result, !failed);
    }
    // As with the traverse library, the referred pressures fall with the index.
    keep_referred_pressures_falling(c);
  }
}

}  // namespace dlv
