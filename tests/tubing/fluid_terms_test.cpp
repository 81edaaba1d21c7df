#include "tubing/fluid_terms.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "guo_wells.hpp"
#include "tubing/tubing_fluid.hpp"

namespace {

using dlv::PseudoCritical;

// The split forms against the correlations as Guo's spreadsheets print them
// (pow, log10, 10^x), over the temperatures and pressures of a traverse and
// the three pseudo-critical sets: equal to rounding.
TEST(FluidTerms, SplitFormsMatchThePrintedCorrelations) {
  const double gas_sg = 0.7;
  const double api = 35.0;
  const double oil_sg = 141.5 / (131.5 + api);
  for (const PseudoCritical& c :
       {dlv::standing_pseudo_critical(gas_sg), dlv::ahmed_pseudo_critical(gas_sg),
        dlv::hagedorn_sheet_pseudo_critical(gas_sg)}) {
    const dlv::GasTerms gas = dlv::gas_terms(gas_sg, c);
    for (double t : {60.0, 140.0, 250.0}) {
      const dlv::GasTemperatureTerms g = dlv::gas_temperature_terms(t, gas);
      const double dead = dlv::beggs_robinson_dead_oil(dlv::beggs_robinson_gravity_term(api), t);
      EXPECT_NEAR(dead / dlv::beggs_robinson_oil_viscosity(api, t, 0.0), 1.0, 1e-13) << t;
      for (double p : {20.0, 400.0, 2500.0, 6000.0}) {
        const double ppr = p / c.pressure;
        const double ln_p = std::log(p);
        const double rs =
            dlv::standing_solution_gor_at(gas_sg, dlv::standing_rs_term(t, api), ln_p);
        const double plain_rs = dlv::standing_solution_gor(p, t, api, gas_sg);
        const struct {
          const char* name;
          double split, plain;
        } rows[] = {
            {"z", dlv::brill_beggs_z_at(g, ppr, std::log(ppr)), dlv::brill_beggs_z(p, t, c)},
            {"mu_g", dlv::ckb_gas_viscosity_at(g, ppr), dlv::ckb_gas_viscosity(p, t, gas_sg, c)},
            {"Rs", rs, plain_rs},
            {"Bo", dlv::guo_oil_fvf_at(plain_rs, t, std::sqrt(gas_sg / oil_sg)),
             dlv::guo_oil_fvf(plain_rs, t, gas_sg, oil_sg)},
            {"mu_o", dlv::beggs_robinson_live_oil(dead, std::log(dead), plain_rs),
             dlv::beggs_robinson_oil_viscosity(api, t, plain_rs)},
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
  const dlv::TubingFluid f = guo_wells::poettmann_carpenter_field().fluid;
  dlv::FluidCache cache;
  const double states[][2] = {{150.0, 100.0}, {180.0, 100.5},  {185.0, 100.5}, {210.0, 101.0},
                              {150.0, 100.0}, {3000.0, 200.0}, {3000.0, 210.0}};
  for (const auto& st : states) {
    const dlv::FluidState fresh = dlv::evaluate_fluid(f, st[0], st[1]);
    dlv::cached_fluid(f, st[0], st[1], cache);
    const dlv::FluidState& cached = dlv::cached_fluid(f, st[0], st[1], cache);
    ASSERT_TRUE(fresh.ok);
    EXPECT_EQ((std::vector<double>{cached.solution_gor, cached.z, cached.liquid_viscosity,
                                   cached.gas_viscosity, cached.surface_tension,
                                   cached.liquid_density, double(cached.ok)}),
              (std::vector<double>{fresh.solution_gor, fresh.z, fresh.liquid_viscosity,
                                   fresh.gas_viscosity, fresh.surface_tension, fresh.liquid_density,
                                   1.0}))
        << st[0];
  }
  EXPECT_EQ(cache.evaluations, 7);
}

}  // namespace
