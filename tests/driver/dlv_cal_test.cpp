// dlv_cal end to end, through the shared library, with blocks filled as a
// host fills them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "support/host_library.hpp"

namespace {

using host::Blocks;

host::CalFn cal() {
  static const host::CalFn fn = host::symbol<host::CalFn>("dlv_cal");
  EXPECT_NE(fn, nullptr);
  return fn;
}

// Writes values into consecutive slots of a block from slot `first` on.
void put(double* block, int first, std::initializer_list<double> values) {
  for (double v : values) block[first++] = v;
}

// One layer, Vogel's method from one test of 1000 STB/d at 1800 psi.
std::unique_ptr<Blocks> vogel_well(double pr = 2400.0) {
  auto b = Blocks::oil_well();
  b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = pr;
  b->set_method(2);
  b->set_test_count(1);
  b->set_test(0, 1000.0, 1800.0);
  return b;
}

std::vector<double> points(const double* column) { return {column, column + DLV_POINTS}; }

TEST(DlvCal, OneLayerVogelHalvesATestPressureAtReservoirPressure) {
  auto b = vogel_well(2000.0);
  b->set_test(0, 800.0, 2000.0);
  EXPECT_EQ(b->run(cal()), 1);
  EXPECT_EQ((std::array{b->well[DLV_WELL_RECORD_TEST_PRESSURE], b->pressure(0)[0], b->rate(0)[0]}),
            (std::array{1000.0, 2000.0, 0.0}));
  EXPECT_GT(b->rate(0)[24], 800.0);
  // The fluid stage ran and the mixing rule is left at 2.
  EXPECT_GT(b->fluids[DLV_LAYER_FLUIDS_OIL_FVF], 1.0);
  EXPECT_EQ(host::get_i32(b->fluids, DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE), 2);
  EXPECT_EQ(b->results[DLV_RESULTS_RESULT_BUBBLE_POINT], b->fluids[DLV_LAYER_FLUIDS_BUBBLE_POINT]);
}

// Back-pressure curves of oil, q = C (pr^2 - p^2)^n: C and n given, or
// fitted through two tests and written back (n from the log-log slope, C
// from the mean rate over the mean pressure-square difference).
TEST(DlvCal, OilBackPressureCurveOfGivenOrFittedCAndN) {
  for (int method : {4, 5}) {
    auto b = Blocks::oil_well();
    b->set_method(method);
    b->set_test_count(2);
    put(b->well, DLV_WELL_RECORD_TEST_RATE, {500.0, 900.0});
    put(b->well, DLV_WELL_RECORD_TEST_PRESSURE, {2000.0, 1500.0});
    put(b->well, DLV_WELL_RECORD_BACKPRESSURE_C, {0.002, 0.8});
    EXPECT_EQ(b->run(cal()), 1);
    const double c = b->well[DLV_WELL_RECORD_BACKPRESSURE_C];
    const double n = b->well[DLV_WELL_RECORD_BACKPRESSURE_N];
    EXPECT_NEAR(n, method == 5 ? 0.8 : std::log(1.8) / std::log(3.51e6 / 1.76e6), 1e-12);
    EXPECT_NEAR(c, method == 5 ? 0.002 : 700.0 / std::pow(2.635e6, n), 1e-12 * c);
    for (int i = 0; i < 25; ++i) {
      const double p = b->pressure(0)[i];
      EXPECT_NEAR(b->rate(0)[i], c * std::pow(2400.0 * 2400.0 - p * p, n), 1e-9 * b->rate(0)[24])
          << method << ' ' << i;
    }
  }
}

TEST(DlvCal, TwoRateLevelMethodWritesBackTestRatesAndPressures) {
  for (double pr : {2400.0, 0.0}) {
    SCOPED_TRACE(pr);
    auto b = Blocks::oil_well();
    b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = pr;
    b->set_method(7);
    put(b->well, DLV_WELL_RECORD_LEVEL_GRADIENT, {0.4, 2.0, 50.0});  // level gradient, b, a
    put(b->well, DLV_WELL_RECORD_LEVEL_TEST_RATE,
        {300.0, 600.0, 4000.0, 3000.0});  // rates, readings
    EXPECT_EQ(b->run(cal()), 1);
    const double* w = b->well;
    const double pi = w[DLV_WELL_RECORD_PRODUCTIVITY_INDEX];
    EXPECT_EQ((std::array{w[DLV_WELL_RECORD_TEST_RATE], w[DLV_WELL_RECORD_TEST_RATE + 1],
                          w[DLV_WELL_RECORD_TEST_PRESSURE], w[DLV_WELL_RECORD_TEST_PRESSURE + 1]}),
              pr == 0.0 ? (std::array{300.0, 600.0, 4000.0 * 0.4 + 100.0, 3000.0 * 0.4 + 100.0})
                        : (std::array{300.0, 600.0, 2400.0 - 300.0 / pi, 2400.0 - 600.0 / pi}));
    // A computed reservoir pressure stays out of the well record but serves
    // the drawdown column.
    if (pr == 0.0) {
      EXPECT_EQ((std::array{w[DLV_WELL_RECORD_RESERVOIR_PRESSURE], b->drawdown(0)[0],
                            b->drawdown(0)[24]}),
                (std::array{0.0, 0.0, b->pressure(0)[0]}));
    }
  }
}

TEST(DlvCal, GasProductionDefaultsLayerTemperatureAndZ) {
  auto b = Blocks::oil_well(3);
  b->mode = 1;
  b->set_fluid_type(0);
  b->set_gas_method(2);
  b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE + 2] = 0.0;
  b->fluids[DLV_LAYER_FLUIDS_GAS_SG + 1] = 0.0;
  put(b->well, DLV_WELL_RECORD_BACKPRESSURE_C, {0.01, 0.9});
  EXPECT_EQ(b->run(cal()), 1);
  const double* z = b->fluids + DLV_LAYER_FLUIDS_GAS_Z_FACTOR;
  EXPECT_EQ((std::array{b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE + 2],
                        b->fluids[DLV_LAYER_FLUIDS_GAS_SG + 1], z[0], z[1], z[2]}),
            (std::array{b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE],
                        b->fluids[DLV_LAYER_FLUIDS_GAS_SG], 1.0, 1.0, 1.0}));
}

// Rate tests of gas production and of both injections: the gas curve takes
// its reservoir pressure from the table's first row, the injection curves
// start at the reservoir pressure and rise.
TEST(DlvCal, RateTestsOfGasAndInjection) {
  for (int mode : {1, 2, 3}) {
    SCOPED_TRACE(mode);
    auto b = Blocks::oil_well();
    b->mode = mode;
    b->set_gas_method(6);
    b->set_water_injection_method(2);
    b->set_gas_injection_method(5);
    b->set_ratetest_rows(3);
    const double gas_p[3] = {3000.0, 2500.0, 1800.0}, taking_p[3] = {2400.0, 2800.0, 3200.0};
    const double rq[3] = {0.0, 500.0, 1000.0};
    for (int k = 0; k < 3; ++k) {
      b->well[DLV_WELL_RECORD_RATETEST_PRESSURES + k] = mode == 1 ? gas_p[k] : taking_p[k];
      b->well[DLV_WELL_RECORD_RATETEST_GAS_RATES + k] =
          b->well[DLV_WELL_RECORD_RATETEST_WATER_RATES + k] = rq[k];
    }
    EXPECT_EQ(b->run(cal()), 1);
    const double pr = mode == 1 ? 3000.0 : 2400.0;
    EXPECT_EQ((std::array{b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE], b->pressure(0)[0]}),
              (std::array{pr, pr}));
    if (mode == 1) {
      for (int i = 0; i < 25; ++i) EXPECT_EQ(b->drawdown(0)[i], pr - b->pressure(0)[i]);
    } else {
      EXPECT_GT(b->pressure(0)[24], pr);
    }
  }
}

TEST(DlvCal, FracturedLayersAllTakeTheFluidsOfLayerZero) {
  auto b = Blocks::oil_well(2);
  b->set_method(9);
  b->fluids[DLV_LAYER_FLUIDS_API_GRAVITY + 1] = 20.0;  // a heavier, wetter crude in layer 1
  b->fluids[DLV_LAYER_FLUIDS_WATER_CUT + 1] = 0.7;
  // Fracture half-length, porosity, production time, fracture width and
  // permeability, the same in both layers.
  put(b->well, DLV_WELL_RECORD_FRACTURE_HALF_LENGTH, {300.0, 300.0});
  put(b->well, DLV_WELL_RECORD_POROSITY, {0.2, 0.2});
  put(b->well, DLV_WELL_RECORD_PRODUCTION_TIME, {1000.0, 1000.0});
  put(b->well, DLV_WELL_RECORD_FRACTURE_WIDTH, {0.02, 0.02});
  put(b->well, DLV_WELL_RECORD_FRACTURE_PERMEABILITY, {1.0e5, 1.0e5});
  b->well[DLV_WELL_RECORD_RATE_MULTIPLIER] = 1.0;
  EXPECT_EQ(b->run(cal()), 1);
  EXPECT_NE(b->fluids[DLV_LAYER_FLUIDS_LIQUID_FVF + 1],
            b->fluids[DLV_LAYER_FLUIDS_LIQUID_FVF]);  // the layers' own fluids differ
  EXPECT_EQ(points(b->rate(1)), points(b->rate(0)));
}

TEST(DlvCal, GasInjectionTakesGasPropertiesAtFourTimesReservoirPressure) {
  using ZFn = void (*)(double*, double*, double*, double*);
  auto zfachy = host::symbol<ZFn>("zfachy");
  auto b = Blocks::oil_well();
  b->mode = 3;
  b->set_gas_injection_method(0);
  b->well[DLV_WELL_RECORD_BREAK_PRESSURE] = 4000.0;      // break pressure
  b->well[DLV_WELL_RECORD_MAX_INJECTION_RATE] = 5000.0;  // maximum rate
  EXPECT_EQ(b->run(cal()), 1);
  double t = b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE],
         p = 4.0 * b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] + 14.7,
         sg = b->fluids[DLV_LAYER_FLUIDS_GAS_SG], z = 0.0;  // psia
  zfachy(&t, &p, &sg, &z);
  EXPECT_EQ(b->fluids[DLV_LAYER_FLUIDS_GAS_Z_FACTOR], z);
}

TEST(DlvCal, UnknownModeRunsNoMethodButFillsTheSummary) {
  auto b = Blocks::oil_well();
  b->mode = 5;
  std::vector<double> columns(3 * DLV_POINTS);  // rates, pressures and drawdowns
  for (int i = 0; i < 25; ++i) {
    b->rate(0)[i] = columns[i] = 10.0 * i;
    b->pressure(0)[i] = columns[25 + i] = 100.0 - i;
    b->drawdown(0)[i] = columns[50 + i] = i;
  }
  EXPECT_EQ(b->run(cal()), 1);
  EXPECT_EQ(std::vector<double>(b->summary, b->summary + 3 * DLV_POINTS), columns);
}

// The .NET entry always starts a new reference pressure: after a reference
// call at 2400 psi, a call at 1900 psi gives what a fresh call at 1900 gives.
TEST(DlvCal, DotNetEntryWritesNoLogAndStartsANewReferencePressure) {
  auto csharp = host::symbol<host::CalCSharpFn>("dlv_calCSharp");
  auto reference = vogel_well();
  auto a = vogel_well(1900.0);
  auto b = std::make_unique<Blocks>(*a);
  EXPECT_EQ(reference->run(cal()), 1);
  // Recorded values, which the .NET host checks as well.
  EXPECT_EQ(reference->summary[DLV_SUMMARY_RATE + 24], 2800.0);
  EXPECT_NEAR(reference->fluids[DLV_LAYER_FLUIDS_OIL_FVF], 1.2970594225566998, 1e-12);
  const auto cwd = std::filesystem::current_path();
  const auto dir = std::filesystem::temp_directory_path() /
                   ("dlv_driver_dotnet_" + std::to_string(host::process_id()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  EXPECT_EQ(
      csharp(b->fluids, b->separator, b->well, &b->mode, b->completion, b->traverse, b->summary),
      1);
  std::filesystem::current_path(cwd);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
  std::filesystem::remove_all(dir);
  EXPECT_EQ(a->run(cal()), 1);
  EXPECT_EQ(std::vector<double>(std::begin(a->summary), std::end(a->summary)),
            std::vector<double>(std::begin(b->summary), std::end(b->summary)));
}

// Each coefficient injection method reads its own coefficient pair (water
// pair 0; gas methods 1 and 2 pair 1, 3 pair 2, 4 pair 3): with four distinct
// pairs the curve equals the one where every pair is the pair the method
// reads. Rates and pressures are written, the drawdowns are left alone.
TEST(DlvCal, CoefficientInjectionReadsItsOwnPairAndWritesNoDrawdown) {
  const double pairs[4][2] = {{3.0, 0.5}, {2.0, 1.0}, {1.5e-3, 4.0e-4}, {2.5e-3, 7.0e-4}};
  auto run = [&](int mode, int method, int same_as) {
    auto b = Blocks::oil_well();
    b->mode = mode;
    b->set_water_injection_method(method);
    b->set_gas_injection_method(method);
    for (int k = 0; k < 8; ++k) {
      b->well[DLV_WELL_RECORD_INJECTION_COEFFICIENTS + k] =
          pairs[same_as < 0 ? k / 2 : same_as][k % 2];
    }
    b->well[DLV_WELL_RECORD_BREAK_PRESSURE] = 3500.0;
    b->well[DLV_WELL_RECORD_MAX_INJECTION_RATE] = 1.0e4;
    for (int i = 0; i < 25; ++i) b->drawdown(0)[i] = -7.0;
    EXPECT_EQ(b->run(cal()), 1);
    return b;
  };
  const int cases[5][3] = {{2, 1, 0}, {3, 1, 1}, {3, 2, 1}, {3, 3, 2}, {3, 4, 3}};
  for (const auto& [mode, method, pair] : cases) {
    SCOPED_TRACE(mode * 10 + method);
    auto distinct = run(mode, method, -1), same = run(mode, method, pair);
    EXPECT_EQ(distinct->pressure(0)[0], 2400.0);
    EXPECT_EQ(points(distinct->rate(0)), points(same->rate(0)));
    EXPECT_EQ(points(distinct->pressure(0)), points(same->pressure(0)));
    EXPECT_EQ(points(distinct->drawdown(0)), std::vector<double>(DLV_POINTS, -7.0));
    if (mode == 2 || method > 1) {
      EXPECT_GT(distinct->rate(0)[24], 0.0);
    }
  }
}

TEST(DlvCal, CountsBeyondTheBlocksStayInside) {
  // Sanitizer builds catch any access outside the documented sizes.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int mode = 0; mode < 4; ++mode) {
    for (int method : {-3, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
      SCOPED_TRACE(mode * 100 + method);
      auto b = Blocks::oil_well(50);
      b->mode = mode;
      b->set_layer_count(100000);
      b->set_method(method);
      b->set_gas_method(method);
      b->set_water_injection_method(method);
      b->set_gas_injection_method(method);
      b->set_test_count(5000);
      b->set_ratetest_rows(99);
      b->set_given_flags(0, 0);
      b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = nan;
      b->well[DLV_WELL_RECORD_TEST_RATE] = 0.0;
      // Every completion model and code, and the traverse coupling, on garbage.
      b->set_completion_model((method + 4) % 5);
      b->completion[DLV_COMPLETION_SHOT_DENSITY_FACTOR] = nan;
      b->well[DLV_WELL_RECORD_REFERENCE_DEPTH] = nan;    // reference depth
      b->well[DLV_WELL_RECORD_LAYER_DEPTH + 3] = 5.0e4;  // one deep layer
      b->fluids[DLV_LAYER_FLUIDS_SAMPLE_SET] = 12345.0;  // a sample set far outside the table
      EXPECT_EQ(b->run(cal()), 1);
      b->set_layer_count(-7);
      b->set_test_count(-1);
      b->set_ratetest_rows(-5);
      EXPECT_EQ(b->run(cal()), 1);
    }
  }
}

}  // namespace
