#include "completion/completion_stage.hpp"

#include "completion/completion_losses.hpp"
#include "numerics/curve_utils.hpp"

namespace dlv {

namespace {

constexpr int kPoints = layout::kPoints;

// One layer as its loss model reads it; the crushed-zone permeability is the
// block's own slot, which the liquid crushed-zone model may floor.
struct LossLayer {
  std::int32_t mode;
  double gravel_permeability;
  double& crushed_zone_permeability;
  Perforations perforations;
  LayerRock rock;
  LiquidLossFluid liquid;
  GasLossFluid gas;
};

LossLayer loss_layer(const CompletionBlock& cb, const WellRecord& well, const LayerFluids& fluids,
                     std::int32_t mode, int L, double spf) {
  return LossLayer{
      .mode = mode,
      .gravel_permeability = cb.gravel_permeability()[L],
      .crushed_zone_permeability = cb.crushed_zone_permeability()[L],
      .perforations = {.shots_per_foot = spf,
                       .interval = cb.perforated_interval()[L],
                       .diameter = cb.perforation_diameter()[L],
                       .crushed_zone_thickness = cb.crushed_zone_thickness()[L],
                       .length = cb.perforation_length()[L],
                       .gravel_tunnel_length = cb.gravel_tunnel_length()[L]},
      .rock = {.permeability = well.permeability()[L], .thickness = well.thickness()[L]},
      .liquid = {.fvf = fluids.liquid_fvf()[L],
                 .viscosity = fluids.liquid_viscosity()[L],
                 .density = fluids.liquid_density()[L]},
      .gas = {.temperature = well.layer_temperature()[L],
              .gas_sg = fluids.gas_sg()[L],
              .viscosity = fluids.gas_viscosity()[L]}};
}

// Runs the loss model of one layer over its curve into the loss table.
// Returns false when the model or the mode has none, leaving the table as it
// is.
bool run_loss_model(CompletionModel model, const LossLayer& layer, LayerCurve curve,
                    LossTable table, PseudoPressures pp) {
  const std::int32_t mode = layer.mode;
  const bool liquid = is_liquid_mode(static_cast<CalcMode>(mode));
  const bool gas = is_gas_mode(static_cast<CalcMode>(mode));
  if (!liquid && !gas) return false;

  if (liquid) {
    switch (model) {
      case CompletionModel::kGravelPack:
        gravel_pack_loss_liquid(mode, layer.gravel_permeability, layer.perforations, layer.liquid,
                                curve, table);
        return true;
      case CompletionModel::kCrushedZone:
        crushed_zone_loss_liquid(mode, layer.crushed_zone_permeability, layer.perforations,
                                 layer.liquid, curve, table);
        return true;
      case CompletionModel::kPerforationSkin:
        perforation_skin_loss_liquid(mode, layer.crushed_zone_permeability, layer.perforations,
                                     layer.rock, layer.liquid, curve, table);
        return true;
      default:
        return false;
    }
  }

  switch (model) {
    case CompletionModel::kGravelPack:
      gravel_pack_loss_gas(mode, layer.gravel_permeability, layer.perforations, layer.gas, curve,
                           table, pp);
      return true;
    case CompletionModel::kCrushedZone:
      crushed_zone_loss_gas(mode, layer.crushed_zone_permeability, layer.perforations, layer.gas,
                            curve, table, pp);
      return true;
    case CompletionModel::kPerforationSkin:
      perforation_skin_loss_gas(mode, layer.crushed_zone_permeability, layer.perforations,
                                layer.rock, layer.gas, curve, table, pp);
      return true;
    default:
      return false;
  }
}

}  // namespace

void apply_completion_losses(CompletionBlock completion_block, CurveTables layer_curves,
                             WellRecord well_record, const std::int32_t& calc_mode,
                             CurveTables completion_curves, LayerFluids layer_fluids,
                             PseudoPressures pp) {
  const CompletionModel model = static_cast<CompletionModel>(completion_block.completion_model());
  if (model == CompletionModel::kNone) return;
  const std::int32_t mode = calc_mode;
  const int layer_count = layers(well_record);

  // Working storage of the call, reused layer after layer.
  double loss_rates[kPoints] = {};
  double loss_values[kPoints] = {};
  double loss_pseudo[kPoints] = {};
  double resampled[kPoints] = {};
  std::int32_t count = kPoints;

  for (int L = 0; L < layer_count; ++L) {
    double spf = completion_block.shot_density_factor() * completion_block.shot_density()[L];
    if (spf <= 0.0) spf = 0.1;

    double& kg = completion_block.gravel_permeability()[L];
    if (kg <= 0.0) kg = 0.01;
    double& hp = completion_block.perforated_interval()[L];
    if (hp <= 0.0) hp = 0.1;
    double& d = completion_block.perforation_diameter()[L];
    if (d <= 0.0) d = 0.001;

    const double* q = layer_curves.rate(L).data();
    const double* p = layer_curves.pressure(L).data();
    double* out_rate = completion_curves.rate(L).data();
    double* out_pressure = completion_curves.pressure(L).data();
    double* out_loss = completion_curves.drawdown(L).data();

    const LossLayer layer = loss_layer(completion_block, well_record, layer_fluids, mode, L, spf);
    if (!run_loss_model(model, layer, LayerCurve{q, p},
                        LossTable{loss_rates, loss_values, loss_pseudo, count}, pp)) {
      // No loss model for this model or mode: the curve carries over unchanged.
      for (int i = 0; i < kPoints; ++i) {
        out_rate[i] = q[i];
        out_pressure[i] = p[i];
        out_loss[i] = 0.0;
      }
      continue;
    }

    if (is_injection_mode(static_cast<CalcMode>(mode))) {
      for (int i = 0; i < kPoints; ++i) {
        out_rate[i] = q[i];
        out_pressure[i] = p[i] + loss_values[i];
        out_loss[i] = loss_values[i];
      }
    } else {
      resample_curve(q, p, loss_rates, resampled, count);
      for (int i = 0; i < kPoints; ++i) {
        out_rate[i] = loss_rates[i];
        out_pressure[i] = resampled[i] - loss_values[i];
        out_loss[i] = loss_values[i];
      }
    }
  }
}

}  // namespace dlv
