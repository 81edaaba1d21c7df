// Guo et al. (2007)'s two published tubing wells and a dry-gas well
// (data/wells.csv), as traverse requests that the tubing suites share, and the
// request fields a table row can set by column name.
#pragma once

#include <cmath>
#include <numbers>
#include <span>
#include <string_view>
#include <vector>

#include "data_table.hpp"
#include "tubing/traverse.hpp"

namespace guo_wells {

// Calls visit(column, field) for every number of a request a table can set.
template <class Visit>
void for_each_number(dlv::TraverseRequest& r, Visit visit) {
  dlv::TubingFluid& f = r.fluid;
  visit("node_depth", r.geometry.node_depth), visit("diameter", r.geometry.inside_diameter);
  visit("roughness", r.geometry.roughness), visit("inclination", r.geometry.inclination);
  visit("t_head", r.temperatures.wellhead), visit("t_node", r.temperatures.node);
  visit("api", f.api_gravity), visit("gas_sg", f.gas_sg), visit("water_sg", f.water_sg);
  visit("water_fvf", f.water_fvf), visit("water_cut", f.water_cut);
  visit("glr", f.gas_liquid_ratio), visit("liquid_yield", f.liquid_yield);
  visit("oil_viscosity", f.oil_viscosity), visit("water_viscosity", f.water_viscosity);
  visit("surface_tension", f.surface_tension), visit("rate", r.rate);
  visit("start_pressure", r.start_pressure), visit("max_step", r.max_step);
}

// Sets what the row gives; "tvd" sets the inclination of a straight hole.
inline void set_fields(const data_table::Row& row, dlv::TraverseRequest& r) {
  for_each_number(r, [&](const char* column, double& field) {
    if (row.has(column)) field = row.number(column);
  });
  if (row.has("tvd")) {
    r.geometry.inclination =
        std::acos(row.number("tvd") / r.geometry.node_depth) * 180.0 / std::numbers::pi;
  }
  if (row.has("model")) r.fluid.model = *dlv::tubing_fluid_from_name(row.text("model"));
  if (row.has("basis"))
    r.fluid.basis = row.text("basis") == "gas" ? dlv::RateBasis::kGas : dlv::RateBasis::kLiquid;
  if (row.has("start"))
    r.start =
        row.text("start") == "node" ? dlv::TraverseStart::kNode : dlv::TraverseStart::kWellhead;
  if (row.has("flow"))
    r.flow = row.text("flow") == "down" ? dlv::FlowDirection::kDown : dlv::FlowDirection::kUp;
}

// The named well of data/wells.csv; an empty name is the default request.
inline dlv::TraverseRequest well(std::string_view name,
                                 dlv::Correlation correlation = dlv::Correlation::kNoSlip) {
  dlv::TraverseRequest r;
  r.correlation = correlation;
  for (const data_table::Row& row : data_table::read("wells.csv")) {
    if (row.text("well") == name) set_fields(row, r);
  }
  return r;
}

// Every correlation, point and whole-well.
inline constexpr dlv::Correlation kEveryCorrelation[] = {dlv::Correlation::kNoSlip,
                                                         dlv::Correlation::kHagedornBrown,
                                                         dlv::Correlation::kHagedornBrownOriginal,
                                                         dlv::Correlation::kBeggsBrill,
                                                         dlv::Correlation::kGray,
                                                         dlv::Correlation::kPoettmannCarpenter,
                                                         dlv::Correlation::kAverageTemperatureZ,
                                                         dlv::Correlation::kCullenderSmith};

// The correlation a row names, or all of `every` for "*".
inline std::vector<dlv::Correlation> correlations(const data_table::Row& row,
                                                  std::span<const dlv::Correlation> every) {
  if (row.text("correlation") == "*") return {every.begin(), every.end()};
  return {*dlv::correlation_from_name(row.text("correlation"))};
}

}  // namespace guo_wells
