// Friction factors, surface tensions and the tubing fluids.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "tables.hpp"
#include "tubing/fluid_terms.hpp"
#include "tubing/friction.hpp"
#include "tubing/surface_tension.hpp"
#include "tubing/tubing_fluid.hpp"

namespace {

using data_table::Row;
using dlv::FluidState;
using dlv::TubingFluid;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TubingFluid poettmann_sheet_fluid() { return guo_wells::well("poettmann_carpenter_field").fluid; }

TEST(FrictionFactor, IndependentValuesAndEdges) {
  for (const Row& row : data_table::read("friction_factors.csv")) {
    const double re = row.number("reynolds"), e = row.number("roughness");
    data_table::expect(
        row, row.text("reynolds"),
        {"colebrook", "chen", "moody_fanning", "chen_fanning", "moody", "fully_rough"},
        {dlv::colebrook_darcy_factor(re, e), dlv::chen_darcy_factor(re, e),
         dlv::moody_fanning_factor(re, e), dlv::chen_fanning_factor(re, e),
         dlv::moody_darcy_factor(re, e), dlv::fully_rough_darcy_factor(e)});
    EXPECT_EQ(row.unread(), "") << row.where;
  }
  // Relative roughness above 0.05 is taken as 0.05.
  EXPECT_EQ(dlv::moody_darcy_factor(1e5, 0.3), dlv::moody_darcy_factor(1e5, 0.05));
  EXPECT_EQ(dlv::chen_darcy_factor(1e5, 0.3), dlv::chen_darcy_factor(1e5, 0.05));
}

TEST(SurfaceTension, ByHandAndBadInput) {
  for (const Row& row : data_table::read("surface_tension.csv")) {
    const double t = row.number("temperature"), p = row.number("pressure");
    if (row.text("kind") == "oil") {
      const double api = row.number("api");
      data_table::expect(
          row, "oil", {"dead", "live"},
          {dlv::dead_oil_surface_tension(api, t), dlv::live_oil_surface_tension(api, t, p)});
    } else {
      data_table::expect(row, "gas-water", {"live"}, {dlv::gas_water_surface_tension(t, p)});
    }
    EXPECT_EQ(row.unread(), "") << row.where;
  }
  // Held constant outside 68-100 F and below 14.7 psia; the mixture by liquid fractions.
  EXPECT_EQ(dlv::dead_oil_surface_tension(30, 20), dlv::dead_oil_surface_tension(30, 68));
  EXPECT_EQ(dlv::dead_oil_surface_tension(30, 300), dlv::dead_oil_surface_tension(30, 100));
  EXPECT_EQ(dlv::gas_water_surface_tension(60, 5.0), dlv::gas_water_surface_tension(60, 14.7));
  EXPECT_DOUBLE_EQ(dlv::liquid_surface_tension(0.25, 20.0, 60.0), 50.0);
  for (double bad : {kNaN, kInf, -kInf}) {
    EXPECT_TRUE(std::isnan(dlv::liquid_surface_tension(0.5, bad, 60)));
  }
  EXPECT_TRUE(std::isnan(dlv::liquid_surface_tension(1.5, 20, 60)));
}

// The split forms against the correlations as Guo's spreadsheets print them
// (pow, log10, 10^x), over the temperatures and pressures of a traverse and
// the three pseudo-critical sets: equal to rounding.
TEST(FluidTerms, SplitFormsMatchThePrintedCorrelations) {
  const double gas_sg = 0.7, api = 35.0, oil_sg = 141.5 / (131.5 + api);
  for (const dlv::PseudoCritical& c :
       {dlv::standing_pseudo_critical(gas_sg), dlv::ahmed_pseudo_critical(gas_sg),
        dlv::hagedorn_sheet_pseudo_critical(gas_sg)}) {
    const dlv::GasTerms gas = dlv::gas_terms(gas_sg, c);
    for (double t : {60.0, 140.0, 250.0}) {
      const dlv::GasTemperatureTerms g = dlv::gas_temperature_terms(t, gas);
      const double dead = dlv::beggs_robinson_dead_oil(dlv::beggs_robinson_gravity_term(api), t);
      EXPECT_NEAR(dead / dlv::beggs_robinson_oil_viscosity(api, t, 0.0), 1.0, 1e-13) << t;
      for (double p : {20.0, 400.0, 2500.0, 6000.0}) {
        const double ppr = p / c.pressure;
        const double rs = dlv::standing_solution_gor(p, t, api, gas_sg);
        const struct {
          const char* name;
          double split, plain;
        } rows[] = {
            {"z", dlv::brill_beggs_z_at(g, ppr, std::log(ppr)), dlv::brill_beggs_z(p, t, c)},
            {"mu_g", dlv::ckb_gas_viscosity_at(g, ppr), dlv::ckb_gas_viscosity(p, t, gas_sg, c)},
            {"Rs",
             dlv::standing_solution_gor_at(gas_sg, dlv::standing_rs_term(t, api), std::log(p)), rs},
            {"Bo", dlv::guo_oil_fvf_at(rs, t, std::sqrt(gas_sg / oil_sg)),
             dlv::guo_oil_fvf(rs, t, gas_sg, oil_sg)},
            {"mu_o", dlv::beggs_robinson_live_oil(dead, std::log(dead), rs),
             dlv::beggs_robinson_oil_viscosity(api, t, rs)},
        };
        for (const auto& r : rows) {
          EXPECT_NEAR(r.split / r.plain, 1.0, 1e-12) << r.name << " T " << t << " p " << p;
        }
      }
    }
  }
}

// A cache keeps the temperature terms of its last temperature: a march that
// moves back and forth between temperatures reads the same fluid as fresh
// evaluations, and a state asked for twice in a row is evaluated once.
TEST(FluidTerms, CachedFluidEqualsFreshEvaluations) {
  const TubingFluid f = poettmann_sheet_fluid();
  dlv::FluidCache cache;
  const double states[][2] = {{150.0, 100.0}, {180.0, 100.5},  {185.0, 100.5}, {210.0, 101.0},
                              {150.0, 100.0}, {3000.0, 200.0}, {3000.0, 210.0}};
  const auto values = [](const FluidState& s) {
    return std::vector<double>{
        s.solution_gor,   s.z,         s.liquid_viscosity, s.gas_viscosity, s.surface_tension,
        s.liquid_density, double(s.ok)};
  };
  for (const auto& st : states) {
    const FluidState fresh = dlv::evaluate_fluid(f, st[0], st[1]);
    dlv::cached_fluid(f, st[0], st[1], cache);
    ASSERT_TRUE(fresh.ok);
    EXPECT_EQ(values(dlv::cached_fluid(f, st[0], st[1], cache)), values(fresh)) << st[0];
  }
  EXPECT_EQ(cache.evaluations, 7);
}

// Guo's worked fluids, the rules of free gas, the mass balance and bad
// states; see the table's notes.
TEST(TubingFluid, TableOfStates) {
  for (const Row& row : data_table::read("fluid_states.csv")) {
    dlv::TraverseRequest r = guo_wells::well(row.text("well"));
    guo_wells::set_fields(row, r);
    const FluidState s = dlv::evaluate_fluid(r.fluid, row.number("p"), row.number("t"));
    EXPECT_EQ(s.ok, !row.has("ok")) << row.where;
    const double rate = row.has("rate") ? row.number("rate") : r.rate;
    const double d = r.geometry.inside_diameter, area = std::numbers::pi * d * d / 576.0;
    const dlv::FlowPoint p = dlv::flow_point(s, rate, {d, 0.0}, 90.0);
    const double in_situ = 86400.0 * area *
                           (p.liquid_density * p.superficial_liquid_velocity +
                            p.gas_density * p.superficial_gas_velocity);
    data_table::expect(
        row, row.text("case"),
        {"rho_L", "z", "mu_g", "rho_g", "mu_L", "sigma", "Rs", "Bo", "V_m", "free_gas", "v_sL",
         "v_sg", "w", "mass_balance"},
        {s.liquid_density, s.z, s.gas_viscosity, s.gas_density, s.liquid_viscosity,
         s.surface_tension, s.solution_gor, s.oil_fvf, (s.liquid_volume + s.free_gas_volume) / 0.75,
         s.free_gas_volume, p.superficial_liquid_velocity, p.superficial_gas_velocity, p.mass_rate,
         in_situ / p.mass_rate});
    EXPECT_EQ(row.unread(), "") << row.where;
  }
}

// The well's own correlations (the layer block's choices, here all zero:
// Lasater, Vasquez and Beggs, Beggs and Robinson; no tables): saturated
// above its bubble point, free gas below, Rs never above the GOR.
TEST(TubingFluid, WellModelUsesTheLayerCorrelations) {
  std::vector<double> block(DLV_LAYER_FLUIDS_SLOTS, 0.0);
  TubingFluid f = poettmann_sheet_fluid();
  f.model = dlv::TubingFluidModel::kWell;
  f.gas_liquid_ratio = 300.0;  // GOR 400
  f.well.fluids = dlv::LayerFluids{block.data()};
  for (double p : {200.0, 1000.0, 6000.0}) {
    const FluidState s = dlv::evaluate_fluid(f, p, 150.0);
    ASSERT_TRUE(s.ok) << p;
    EXPECT_LE(s.solution_gor, 400.0) << p;
    EXPECT_GT(s.liquid_viscosity, 0.0) << p;
    EXPECT_EQ(s.free_gas_volume == 0.0, p == 6000.0) << p;
  }
}

}  // namespace
