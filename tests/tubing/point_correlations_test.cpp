#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "tables.hpp"
#include "tubing/beggs_brill.hpp"
#include "tubing/correlation.hpp"
#include "tubing/gray.hpp"
#include "tubing/hagedorn_brown.hpp"
#include "tubing/tubing_fluid.hpp"

namespace {

using data_table::Row;
using dlv::Correlation;
using dlv::FlowPattern;
using dlv::FlowPoint;
using dlv::Gradient;

TEST(Names, RoundTripAndPointKinds) {
  for (int i = 0; i <= static_cast<int>(Correlation::kCullenderSmith); ++i) {
    const auto c = static_cast<Correlation>(i);
    EXPECT_EQ(dlv::correlation_from_name(dlv::correlation_name(c)), c);
  }
  EXPECT_EQ(dlv::correlation_name(Correlation::kHagedornBrownOriginal), "hagedorn_brown_original");
  EXPECT_FALSE(dlv::correlation_from_name("Beggs_Brill").has_value());
  EXPECT_TRUE(dlv::is_point_correlation(Correlation::kGray));
  EXPECT_FALSE(dlv::is_point_correlation(Correlation::kCullenderSmith));
  EXPECT_FALSE(dlv::is_point_correlation(Correlation::kPoettmannCarpenter));
  EXPECT_STREQ(dlv::flow_pattern_name(FlowPattern::kIntermittent), "intermittent");
  for (const char* name : {"well", "stock_tank", "guo_black_oil", "dry_gas"}) {
    EXPECT_EQ(dlv::tubing_fluid_name(*dlv::tubing_fluid_from_name(name)), name);
  }
  EXPECT_FALSE(dlv::tubing_fluid_from_name("black_oil").has_value());
}

// The groups of the correlation that computed a point of point_gradients.csv.
void expect_groups(const Row& row, const std::string& label, Correlation c, const FlowPoint& p,
                   bool payne) {
  if (c == Correlation::kBeggsBrill) {
    const dlv::BeggsBrillHoldup h = dlv::beggs_brill_holdup(p, payne);
    const auto holdup = [&](FlowPattern pattern) {
      return dlv::beggs_brill_pattern_holdup(pattern, h.no_slip_holdup, h.froude,
                                             h.liquid_velocity_number, p.inclination);
    };
    const auto a =
        holdup(h.pattern == FlowPattern::kTransition ? FlowPattern::kSegregated : h.pattern);
    const auto b = holdup(FlowPattern::kIntermittent);
    data_table::expect(
        row, label,
        {"N_FR", "N_LV", "A", "H_L0", "C", "psi", "pattern_H_L", "intermittent_H_L0",
         "intermittent_C", "intermittent_psi", "intermittent_H_L"},
        {h.froude, h.liquid_velocity_number, h.transition_weight, a.horizontal, a.coefficient,
         a.factor, a.inclined, b.horizontal, b.coefficient, b.factor, b.inclined});
  } else if (c == Correlation::kHagedornBrown || c == Correlation::kHagedornBrownOriginal) {
    const auto g = dlv::hagedorn_brown_groups(p, c == Correlation::kHagedornBrown
                                                     ? dlv::HagedornBrownForm::kModified
                                                     : dlv::HagedornBrownForm::kSpreadsheet);
    data_table::expect(row, label, {"N_LV", "N_D", "N_L", "CN_L", "X", "H_L/psi", "Y", "psi"},
                       {g.liquid_velocity_number, g.diameter_number, g.viscosity_number,
                        g.viscosity_correction, g.x, g.holdup_ratio, g.y, g.psi});
  } else if (c == Correlation::kGray) {
    const dlv::GrayGroups g = dlv::gray_groups(p);
    data_table::expect(row, label, {"holdup_exponent", "relative_roughness", "friction_factor"},
                       {g.holdup_exponent, g.relative_roughness, g.friction_factor});
  }
}

// Published and hand-worked points; see the table's notes.
TEST(PointGradient, TableOfPoints) {
  for (const Row& row : data_table::read("point_gradients.csv")) {
    std::array<double, 12> fields{};
    std::istringstream numbers(row.text("point"));
    for (double& x : fields) numbers >> x;
    const auto p = std::bit_cast<FlowPoint>(fields);
    const bool payne = !row.has("payne") || row.number("payne") != 0.0;
    for (Correlation c : guo_wells::correlations(row, true)) {
      const std::string label = row.text("case") + " " + std::string(dlv::correlation_name(c));
      const Gradient g = dlv::point_gradient(c, p, {.payne = payne});
      EXPECT_EQ(g.ok, !row.has("ok") || row.number("ok") != 0.0) << label;
      if (row.has("pattern")) {
        EXPECT_EQ(dlv::flow_pattern_name(g.pattern), row.text("pattern")) << label;
      }
      data_table::expect(row, label,
                         {"lambda_L", "H_L", "rho_s", "elevation", "friction", "E_k", "total",
                          "no_acceleration", "total_less_terms"},
                         {g.no_slip_holdup, g.holdup, g.mixture_density, g.elevation, g.friction,
                          g.kinetic_energy_factor, g.total, g.total - g.acceleration,
                          g.total - (g.elevation + g.friction)});
      expect_groups(row, label, c, p, payne);
    }
    EXPECT_EQ(row.unread(), "") << row.where;
  }
}

TEST(HagedornBrown, ChartFitValues) {
  for (const Row& row : data_table::read("hagedorn_brown_charts.csv")) {
    const std::string& fit = row.text("fit");
    const double x = row.number("x");
    const double value = fit == "CN_L"      ? dlv::hagedorn_brown_viscosity_correction(x)
                         : fit == "H_L/psi" ? dlv::hagedorn_brown_holdup_ratio(x)
                                            : dlv::hagedorn_brown_psi(x);
    data_table::expect(row, fit, {"value"}, {value});
    EXPECT_EQ(row.unread(), "") << row.where;
  }
}

// Extreme but finite input either fails or gives finite numbers throughout.
TEST(PointGradient, ExtremeInputNeverGivesNaN) {
  // The Takacs point (v_sL, v_sg, rho_L, rho_g, mu_L, mu_g, sigma, d, eps, angle, p, w).
  const std::array<double, 12> takacs{0.79, 1.93,  49.9,   1.79, 3.0,   0.02,
                                      8.0,  2.441, 0.0006, 90.0, 361.3, 0.0};
  const std::size_t kInclination = 9;
  for (Correlation c : guo_wells::every_correlation(true)) {
    for (std::size_t field = 0; field < takacs.size(); ++field) {
      for (double value : {0.0, 1e-300, 1e-12, 1e-3, 1e3, 1e12, 1e300}) {
        for (double angle : {90.0, 0.0, -30.0}) {
          std::array<double, 12> p = takacs;
          p[kInclination] = angle;
          if (field != kInclination) p[field] = value;
          const Gradient g = dlv::point_gradient(c, std::bit_cast<FlowPoint>(p));
          if (!g.ok) continue;
          for (double x : {g.elevation, g.friction, g.total, g.mixture_density}) {
            EXPECT_TRUE(std::isfinite(x)) << dlv::correlation_name(c) << " " << value;
          }
          EXPECT_GE(g.holdup, 0.0);
          EXPECT_LE(g.holdup, 1.0);
        }
      }
    }
  }
}

}  // namespace
