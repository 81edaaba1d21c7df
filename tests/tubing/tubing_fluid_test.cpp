#include "tubing/tubing_fluid.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "guo_wells.hpp"

namespace {

using dlv::FluidState;
using dlv::RateBasis;
using dlv::TubingFluid;
using dlv::TubingFluidModel;

// The fluids of Guo et al. (2007)'s Hagedorn-Brown spreadsheet (Ex 4.4) and
// the field column of the Poettmann-Carpenter spreadsheet (Ex 4.2).
TubingFluid hagedorn_sheet_fluid() {
  return guo_wells::hagedorn_brown_sheet(dlv::Correlation::kNoSlip).fluid;
}
TubingFluid poettmann_sheet_fluid() { return guo_wells::poettmann_carpenter_field().fluid; }

double area(double d_in) { return std::numbers::pi * std::pow(d_in / 12.0, 2) / 4.0; }

// The top node of Guo's Hagedorn-Brown spreadsheet (200 psia, 80 F, 758
// stb/d in 1.995 in tubing); the values are the worked intermediates of that
// case with the spreadsheet's pseudo-criticals for z and the gas viscosity.
TEST(TubingFluid, StockTankFluidGivesTheHagedornSheetTopNode) {
  const FluidState s = dlv::evaluate_fluid(hagedorn_sheet_fluid(), 200.0, 80.0);
  ASSERT_TRUE(s.ok);
  EXPECT_NEAR(s.liquid_density, 52.88809, 1e-5);
  EXPECT_NEAR(s.z, 0.966658, 1e-6);
  EXPECT_NEAR(s.gas_viscosity, 0.009354, 1e-6);
  EXPECT_NEAR(s.gas_density, 0.724119, 1e-6);
  EXPECT_NEAR(s.liquid_viscosity, 4.55, 1e-12);  // (5 * 682.2 + 0.5 * 75.8) / 758
  EXPECT_EQ(s.surface_tension, 30.0);
  const dlv::FlowPoint p = dlv::flow_point(s, 758.0, {1.995, 0.0}, 90.0);
  EXPECT_NEAR(p.superficial_liquid_velocity, 2.269301, 1e-6);
  EXPECT_NEAR(p.superficial_gas_velocity, 2.236425, 1e-6);
  EXPECT_NEAR(p.mass_rate, 228145.0, 0.1);
}

// Guo et al. (2007) Ex 4.2 field column, both ends (own computation of the
// case with the spreadsheet's correlations): Rs, Bo, z and V_m per stb of oil.
TEST(TubingFluid, GuoBlackOilGivesThePoettmannSheetEnds) {
  struct Row {
    double p, t, rs, bo, z, vm;
  };
  const Row rows[] = {
      {500.0, 100.0, 78.423, 1.0421, 0.9318, 45.120},
      {1699.2, 150.0, 301.79, 1.1624, 0.8490, 17.661},
  };
  for (const Row& r : rows) {
    const FluidState s = dlv::evaluate_fluid(poettmann_sheet_fluid(), r.p, r.t);
    ASSERT_TRUE(s.ok);
    EXPECT_NEAR(s.solution_gor, r.rs, 0.01) << r.p;
    EXPECT_NEAR(s.oil_fvf, r.bo, 1e-4) << r.p;
    EXPECT_NEAR(s.z, r.z, 1e-4) << r.p;
    EXPECT_NEAR((s.liquid_volume + s.free_gas_volume) / 0.75, r.vm, 0.002) << r.p;
  }
}

// Free gas is never negative, Rs never exceeds the producing GOR, and a
// well without oil never divides by its oil rate.
TEST(TubingFluid, FreeGasRules) {
  TubingFluid f = poettmann_sheet_fluid();
  f.gas_liquid_ratio = 75.0;  // GOR 100: saturated far below 3000 psia
  FluidState s = dlv::evaluate_fluid(f, 3000.0, 150.0);
  ASSERT_TRUE(s.ok);
  EXPECT_DOUBLE_EQ(s.solution_gor, 100.0);
  EXPECT_EQ(s.free_gas_volume, 0.0);

  f.water_cut = 1.0;
  f.gas_liquid_ratio = 1000.0;
  s = dlv::evaluate_fluid(f, 1000.0, 150.0);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.solution_gor, 0.0);
  EXPECT_NEAR(s.liquid_density, 62.4 * 1.05 / 1.2, 1e-12);
  EXPECT_GT(s.free_gas_volume, 0.0);
}

// The surface mass rate (350.17 lbm per stb of water, 0.0765 lbm/scf of air)
// equals the in-situ mass flux rho_L v_sL + rho_g v_sg at every depth, to the
// rounding of the textbook constants (62.4 * 5.615 against 350.17, 0.0136
// against 0.0765 / 5.615).
TEST(TubingFluid, MassRateIsTheSameAtEveryPressureAndTemperature) {
  const TubingFluid f = poettmann_sheet_fluid();
  const double rate = 2000.0;
  const double d = 1.66;
  for (double p : {300.0, 800.0, 1500.0, 2500.0}) {
    const FluidState s = dlv::evaluate_fluid(f, p, 120.0);
    ASSERT_TRUE(s.ok);
    const dlv::FlowPoint fp = dlv::flow_point(s, rate, {d, 0.0}, 90.0);
    const double in_situ = 86400.0 * area(d) *
                           (fp.liquid_density * fp.superficial_liquid_velocity +
                            fp.gas_density * fp.superficial_gas_velocity);
    EXPECT_NEAR(in_situ / fp.mass_rate, 1.0, 2e-3) << p;
  }
}

TEST(TubingFluid, BadStatesAreFlaggedNotComputed) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double states[][2] = {{nan, 100.0},  {inf, 100.0}, {0.0, 100.0},
                              {-5.0, 100.0}, {500.0, nan}, {500.0, -470.0}};
  for (TubingFluidModel model : {TubingFluidModel::kWell, TubingFluidModel::kStockTank,
                                 TubingFluidModel::kGuoBlackOil, TubingFluidModel::kDryGas}) {
    TubingFluid f = poettmann_sheet_fluid();
    f.model = model;
    for (const auto& st : states) {
      EXPECT_FALSE(dlv::evaluate_fluid(f, st[0], st[1]).ok) << st[0] << " " << st[1];
    }
  }
  // The well model needs the layer's fluid block.
  TubingFluid f = poettmann_sheet_fluid();
  f.model = TubingFluidModel::kWell;
  EXPECT_FALSE(dlv::evaluate_fluid(f, 1000.0, 150.0).ok);
}

// The well's own correlations (the layer block's choices, here all zero:
// Lasater, Vasquez and Beggs, Beggs and Robinson; no tables): saturated
// above its bubble point, free gas below, Rs never above the GOR.
TEST(TubingFluid, WellModelUsesTheLayerCorrelations) {
  std::vector<double> block(DLV_LAYER_FLUIDS_SLOTS, 0.0);
  TubingFluid f = poettmann_sheet_fluid();
  f.model = TubingFluidModel::kWell;
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

TEST(TubingFluid, NamesRoundTrip) {
  for (const char* name : {"well", "stock_tank", "guo_black_oil", "dry_gas"}) {
    const auto model = dlv::tubing_fluid_from_name(name);
    ASSERT_TRUE(model.has_value()) << name;
    EXPECT_EQ(dlv::tubing_fluid_name(*model), name);
  }
  EXPECT_FALSE(dlv::tubing_fluid_from_name("black_oil").has_value());
}

}  // namespace
