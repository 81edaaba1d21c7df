// dlv_cal end to end, through the shared library, with blocks filled as a
// host fills them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string>

#include "support/host_library.hpp"

namespace {

using host::Blocks;

class DlvCal : public ::testing::Test {
 protected:
  void SetUp() override {
    cal = host::symbol<host::CalFn>("dlv_cal");
    ASSERT_NE(cal, nullptr);
  }
  host::CalFn cal = nullptr;
};

std::string read_file(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::filesystem::path temp_path(const char* name) {
  return std::filesystem::temp_directory_path() /
         (std::string("dlv_driver_") + std::to_string(host::process_id()) + "_" + name);
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
  put(b->well, DLV_WELL_RECORD_TEST_RATE, {1000.0});
  put(b->well, DLV_WELL_RECORD_TEST_PRESSURE, {1800.0});
  return b;
}

void expect_grid(const double* pressure, double pr) {
  EXPECT_EQ(pressure[0], pr);
  EXPECT_EQ(pressure[24], 0.0);
  for (int i = 1; i < 25; ++i) EXPECT_LT(pressure[i], pressure[i - 1]) << i;
}

TEST_F(DlvCal, OneLayerVogelHalvesATestPressureAtReservoirPressure) {
  auto b = vogel_well(2000.0);
  put(b->well, DLV_WELL_RECORD_TEST_RATE, {800.0});
  put(b->well, DLV_WELL_RECORD_TEST_PRESSURE, {2000.0});
  EXPECT_EQ(b->run(cal), 1);
  EXPECT_EQ(b->well[DLV_WELL_RECORD_TEST_PRESSURE], 1000.0);
  expect_grid(b->pressure(0), 2000.0);
  EXPECT_EQ(b->rate(0)[0], 0.0);
  EXPECT_GT(b->rate(0)[24], 800.0);
  // The one-layer summary copies layer 0 column by column.
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(b->summary[i], b->rate(0)[i]);
    EXPECT_EQ(b->summary[DLV_SUMMARY_PRESSURE + i], b->pressure(0)[i]);
    EXPECT_EQ(b->summary[DLV_SUMMARY_DRAWDOWN + i], b->drawdown(0)[i]);
    EXPECT_EQ(b->drawdown(0)[i], 2000.0 - b->pressure(0)[i]);
    EXPECT_EQ(b->summary[DLV_SUMMARY_WATER_CUT + i], b->fluids[DLV_LAYER_FLUIDS_WATER_CUT]);
    EXPECT_EQ(b->summary[DLV_SUMMARY_GAS_LIQUID + i], 500.0);
    EXPECT_EQ(b->summary[DLV_SUMMARY_WATER_SG + i], b->fluids[DLV_LAYER_FLUIDS_WATER_SG]);
  }
  // The fluid stage ran and the mixing rule is left at 2.
  EXPECT_GT(b->fluids[DLV_LAYER_FLUIDS_OIL_FVF], 1.0);
  EXPECT_EQ(host::get_i32(b->fluids, DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE), 2);
  EXPECT_EQ(b->results[DLV_RESULTS_RESULT_BUBBLE_POINT], b->fluids[DLV_LAYER_FLUIDS_BUBBLE_POINT]);
}

TEST_F(DlvCal, OilMethodsFromTestsFillLayerZero) {
  struct Case {
    int method;
    const char* name;
  };
  for (const Case& c : {Case{3, "two-test Vogel"}, Case{4, "back-pressure fit"},
                        Case{5, "given C and n"}, Case{6, "PI line"}, Case{10, "rate test"}}) {
    SCOPED_TRACE(c.name);
    auto b = Blocks::oil_well();
    b->set_method(c.method);
    b->set_test_count(2);
    put(b->well, DLV_WELL_RECORD_TEST_RATE, {500.0, 900.0});
    put(b->well, DLV_WELL_RECORD_TEST_PRESSURE, {2000.0, 1500.0});
    put(b->well, DLV_WELL_RECORD_BACKPRESSURE_C, {0.002, 0.8, 1.5});  // C, n, PI
    b->set_ratetest_rows(4);
    put(b->well, DLV_WELL_RECORD_RATETEST_PRESSURES, {2400.0, 2000.0, 1500.0, 1000.0});
    put(b->well, DLV_WELL_RECORD_RATETEST_LIQUID_RATES, {0.0, 400.0, 800.0, 1100.0});
    EXPECT_EQ(b->run(cal), 1);
    // The two-test method solves for its own reservoir pressure.
    if (c.method != 3) {
      EXPECT_EQ(b->pressure(0)[0], 2400.0);
    }
    EXPECT_GT(b->pressure(0)[0], 1500.0);
    EXPECT_EQ(b->rate(0)[0], 0.0);
    EXPECT_GT(b->rate(0)[24], 0.0);
    for (int i = 0; i < 25; ++i) EXPECT_TRUE(std::isfinite(b->rate(0)[i])) << i;
  }
}

TEST_F(DlvCal, TwoRateLevelMethodWritesBackTestRatesAndPressures) {
  for (double pr : {2400.0, 0.0}) {
    SCOPED_TRACE(pr);
    auto b = Blocks::oil_well();
    b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = pr;
    b->set_method(7);
    put(b->well, DLV_WELL_RECORD_LEVEL_GRADIENT, {0.4, 2.0, 50.0});  // level gradient, b, a
    put(b->well, DLV_WELL_RECORD_LEVEL_TEST_RATE,
        {300.0, 600.0, 4000.0, 3000.0});  // rates, readings
    EXPECT_EQ(b->run(cal), 1);
    EXPECT_EQ(b->well[DLV_WELL_RECORD_TEST_RATE], 300.0);
    EXPECT_EQ(b->well[DLV_WELL_RECORD_TEST_RATE + 1], 600.0);
    if (pr == 0.0) {
      EXPECT_EQ(b->well[DLV_WELL_RECORD_TEST_PRESSURE], 4000.0 * 0.4 + 100.0);
      EXPECT_EQ(b->well[DLV_WELL_RECORD_TEST_PRESSURE + 1], 3000.0 * 0.4 + 100.0);
      // The computed reservoir pressure stays out of the well record but
      // serves the drawdown column.
      EXPECT_EQ(b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE], 0.0);
      EXPECT_EQ(b->drawdown(0)[0], 0.0);
      EXPECT_EQ(b->drawdown(0)[24], b->pressure(0)[0]);
    } else {
      EXPECT_EQ(b->well[DLV_WELL_RECORD_TEST_PRESSURE],
                2400.0 - 300.0 / b->well[DLV_WELL_RECORD_PRODUCTIVITY_INDEX]);
      EXPECT_EQ(b->well[DLV_WELL_RECORD_TEST_PRESSURE + 1],
                2400.0 - 600.0 / b->well[DLV_WELL_RECORD_PRODUCTIVITY_INDEX]);
    }
  }
}

// Both given-flags clear: C and n fitted. Four tests on one curve give its
// exponent; a single test has no spread and falls back to n = 1. C is the
// mean rate over the mean pressure-square difference to the power n.
TEST_F(DlvCal, GasBackPressureFitRecoversExponent) {
  const double pr = 2500.0, c = 0.004, n = 0.75, p[4] = {2300.0, 2000.0, 1700.0, 1300.0};
  for (int count : {4, 1}) {
    auto b = Blocks::oil_well();
    b->mode = 1;
    b->set_gas_method(1);
    b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = pr;
    b->set_test_count(count);
    b->set_given_flags(0, 0);
    double sum_q = 0.0, sum_d = 0.0;
    for (int k = 0; k < count; ++k) {
      b->well[DLV_WELL_RECORD_TEST_PRESSURE + k] = p[k];
      b->well[DLV_WELL_RECORD_TEST_RATE + k] = c * std::pow(pr * pr - p[k] * p[k], n);
      sum_q += b->well[DLV_WELL_RECORD_TEST_RATE + k];
      sum_d += pr * pr - p[k] * p[k];
    }
    EXPECT_EQ(b->run(cal), 1);
    const double fitted = count == 1 ? 1.0 : n;
    EXPECT_NEAR(b->well[DLV_WELL_RECORD_BACKPRESSURE_N], fitted, count == 1 ? 0.0 : 1e-9);
    EXPECT_NEAR(b->well[DLV_WELL_RECORD_BACKPRESSURE_C],
                (sum_q / count) / std::pow(sum_d / count, b->well[DLV_WELL_RECORD_BACKPRESSURE_N]),
                1e-12);
    expect_grid(b->summary + 25, pr);
  }
}

TEST_F(DlvCal, GasProductionDefaultsLayerTemperatureAndZ) {
  auto b = Blocks::oil_well(3);
  b->mode = 1;
  b->set_fluid_type(0);
  b->set_gas_method(2);
  b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE + 2] = 0.0;
  b->fluids[DLV_LAYER_FLUIDS_GAS_SG + 1] = 0.0;
  put(b->well, DLV_WELL_RECORD_BACKPRESSURE_C, {0.01, 0.9});
  EXPECT_EQ(b->run(cal), 1);
  EXPECT_EQ(b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE + 2],
            b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE]);
  EXPECT_EQ(b->fluids[DLV_LAYER_FLUIDS_GAS_SG + 1], b->fluids[DLV_LAYER_FLUIDS_GAS_SG]);
  for (int L = 0; L < 3; ++L) EXPECT_EQ(b->fluids[DLV_LAYER_FLUIDS_GAS_Z_FACTOR + L], 1.0);
}

// Rate tests of gas production and of both injections: the gas curve takes
// its reservoir pressure from the table's first row, the injection curves
// start at the reservoir pressure and rise.
TEST_F(DlvCal, RateTestsOfGasAndInjection) {
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
    EXPECT_EQ(b->run(cal), 1);
    const double pr = mode == 1 ? 3000.0 : 2400.0;
    EXPECT_EQ(b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE], pr);
    EXPECT_EQ(b->pressure(0)[0], pr);
    if (mode == 1) {
      for (int i = 0; i < 25; ++i) EXPECT_EQ(b->drawdown(0)[i], pr - b->pressure(0)[i]);
    } else {
      EXPECT_GT(b->pressure(0)[24], pr);
    }
  }
}

TEST_F(DlvCal, FracturedLayersAllTakeTheFluidsOfLayerZero) {
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
  EXPECT_EQ(b->run(cal), 1);
  EXPECT_NE(b->fluids[DLV_LAYER_FLUIDS_LIQUID_FVF + 1],
            b->fluids[DLV_LAYER_FLUIDS_LIQUID_FVF]);  // the layers' own fluids differ
  for (int i = 0; i < 25; ++i) EXPECT_EQ(b->rate(1)[i], b->rate(0)[i]) << i;
}

TEST_F(DlvCal, GasInjectionTakesGasPropertiesAtFourTimesReservoirPressure) {
  using ZFn = void (*)(double*, double*, double*, double*);
  auto zfachy = host::symbol<ZFn>("zfachy");
  ASSERT_NE(zfachy, nullptr);
  auto b = Blocks::oil_well();
  b->mode = 3;
  b->set_gas_injection_method(0);
  b->well[DLV_WELL_RECORD_BREAK_PRESSURE] = 4000.0;      // break pressure
  b->well[DLV_WELL_RECORD_MAX_INJECTION_RATE] = 5000.0;  // maximum rate
  EXPECT_EQ(b->run(cal), 1);
  double t = b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE],
         p = 4.0 * b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] + 14.7,
         sg = b->fluids[DLV_LAYER_FLUIDS_GAS_SG], z = 0.0;  // psia
  zfachy(&t, &p, &sg, &z);
  EXPECT_EQ(b->fluids[DLV_LAYER_FLUIDS_GAS_Z_FACTOR], z);
}

TEST_F(DlvCal, SummaryComesFromTheCurvesInForce) {
  // Two equal layers without completion: the composite carries twice a layer.
  auto two = Blocks::oil_well(2);
  two->set_method(0);
  EXPECT_EQ(two->run(cal), 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(two->summary[DLV_SUMMARY_PRESSURE + i], two->pressure(0)[i]) << i;
    EXPECT_NEAR(two->summary[i], 2.0 * two->rate(0)[i], 1e-9 * two->rate(0)[24]) << i;
  }
  // One layer with a gravel pack: the summary is the completion curve.
  auto one = Blocks::oil_well();
  one->set_method(0);
  one->set_completion_model(1);
  // Shot density factor and gravel permeability; shots per foot, perforation
  // diameter (in), perforated interval and gravel tunnel length (in).
  put(one->completion, DLV_COMPLETION_SHOT_DENSITY_FACTOR, {1.0, 50000.0});
  one->completion[DLV_COMPLETION_SHOT_DENSITY] = 12.0;
  one->completion[DLV_COMPLETION_PERFORATION_DIAMETER] = 0.5;
  one->completion[DLV_COMPLETION_PERFORATED_INTERVAL] = 30.0;
  one->completion[DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH] = 6.0;
  EXPECT_EQ(one->run(cal), 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(one->summary[i], one->completion_curves[i]) << i;
    EXPECT_EQ(one->summary[DLV_SUMMARY_PRESSURE + i],
              one->completion_curves[DLV_CURVES_PRESSURE + i])
        << i;
  }
  EXPECT_LT(one->summary[DLV_SUMMARY_RATE + 24], one->rate(0)[24]);
}

TEST_F(DlvCal, UnknownModeRunsNoMethodButFillsTheSummary) {
  auto b = Blocks::oil_well();
  b->mode = 5;
  for (int i = 0; i < 25; ++i) {
    b->layer_curves[i] = 10.0 * i;
    b->layer_curves[DLV_CURVES_PRESSURE + i] = 100.0 - i;
    b->layer_curves[DLV_CURVES_DRAWDOWN + i] = i;
  }
  EXPECT_EQ(b->run(cal), 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(b->summary[i], 10.0 * i);
    EXPECT_EQ(b->summary[DLV_SUMMARY_PRESSURE + i], 100.0 - i);
    EXPECT_EQ(b->summary[DLV_SUMMARY_DRAWDOWN + i], i);
  }
}

TEST_F(DlvCal, LogIsAppendedAndOnlyWrittenWhenNamed) {
  const auto path = temp_path("append.log");
  {
    std::ofstream out(path, std::ios::binary);
    out << "existing text\r\n";
  }
  auto b = Blocks::oil_well();
  b->set_method(6);
  b->well[DLV_WELL_RECORD_PRODUCTIVITY_INDEX] = 1.0;
  b->fluids[DLV_LAYER_FLUIDS_API_GRAVITY] =
      -40.0;  // API far out of range: the correlations complain
  b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE] = 900.0;  // and so does the temperature
  EXPECT_EQ(b->run(cal, path.string().c_str()), 1);
  const std::string text = read_file(path);
  ASSERT_GT(text.size(), std::string("existing text\r\n").size());
  EXPECT_EQ(text.rfind("existing text\r\n", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  std::filesystem::remove(path);

  // Null and empty paths: no file anywhere, and the run completes.
  EXPECT_EQ(b->run(cal, nullptr), 1);
  EXPECT_EQ(b->run(cal, ""), 1);
}

// The .NET entry always starts a new reference pressure: after a reference
// call at 2400 psi, a call at 1900 psi gives what a fresh call at 1900 gives.
TEST_F(DlvCal, DotNetEntryWritesNoLogAndStartsANewReferencePressure) {
  auto csharp = host::symbol<host::CalCSharpFn>("dlv_calCSharp");
  ASSERT_NE(csharp, nullptr);
  auto reference = vogel_well();
  auto a = vogel_well(1900.0);
  auto b = std::make_unique<Blocks>(*a);
  EXPECT_EQ(reference->run(cal), 1);
  // Recorded values, which the .NET host checks as well.
  EXPECT_EQ(reference->summary[DLV_SUMMARY_RATE + 24], 2800.0);
  EXPECT_NEAR(reference->fluids[DLV_LAYER_FLUIDS_OIL_FVF], 1.2970594225566998, 1e-12);
  const auto cwd = std::filesystem::current_path();
  const auto dir = temp_path("dotnet_dir");
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  EXPECT_EQ(
      csharp(b->fluids, b->separator, b->well, &b->mode, b->completion, b->traverse, b->summary),
      1);
  std::filesystem::current_path(cwd);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
  std::filesystem::remove_all(dir);
  EXPECT_EQ(a->run(cal), 1);
  for (int i = 0; i < 150; ++i) EXPECT_EQ(a->summary[i], b->summary[i]) << i;
}

// Each coefficient injection method reads its own coefficient pair (water
// pair 0; gas methods 1 and 2 pair 1, 3 pair 2, 4 pair 3): with four distinct
// pairs the curve equals the one where every pair is the pair the method
// reads. Rates and pressures are written, the drawdowns are left alone.
TEST_F(DlvCal, CoefficientInjectionReadsItsOwnPairAndWritesNoDrawdown) {
  const double pairs[4][2] = {{3.0, 0.5}, {2.0, 1.0}, {1.5e-3, 4.0e-4}, {2.5e-3, 7.0e-4}};
  auto run = [&](int mode, int method, int same_as) {
    auto b = Blocks::oil_well();
    b->mode = mode;
    b->set_water_injection_method(method);
    b->set_gas_injection_method(method);
    for (int k = 0; k < 4; ++k) {
      b->well[DLV_WELL_RECORD_INJECTION_COEFFICIENTS + 2 * k] = pairs[same_as < 0 ? k : same_as][0];
      b->well[DLV_WELL_RECORD_INJECTION_COEFFICIENTS + 1 + 2 * k] =
          pairs[same_as < 0 ? k : same_as][1];
    }
    b->well[DLV_WELL_RECORD_BREAK_PRESSURE] = 3500.0;
    b->well[DLV_WELL_RECORD_MAX_INJECTION_RATE] = 1.0e4;
    for (int i = 0; i < 25; ++i) b->drawdown(0)[i] = -7.0;
    EXPECT_EQ(b->run(cal), 1);
    return b;
  };
  const int cases[5][3] = {{2, 1, 0}, {3, 1, 1}, {3, 2, 1}, {3, 3, 2}, {3, 4, 3}};
  for (const auto& [mode, method, pair] : cases) {
    SCOPED_TRACE(mode * 10 + method);
    auto distinct = run(mode, method, -1), same = run(mode, method, pair);
    EXPECT_EQ(distinct->pressure(0)[0], 2400.0);
    for (int i = 0; i < 25; ++i) {
      EXPECT_EQ(distinct->rate(0)[i], same->rate(0)[i]) << i;
      EXPECT_EQ(distinct->pressure(0)[i], same->pressure(0)[i]) << i;
      EXPECT_EQ(distinct->drawdown(0)[i], -7.0) << i;
    }
    if (mode == 2 || method > 1) {
      EXPECT_GT(distinct->rate(0)[24], 0.0);
    }
  }
}

TEST_F(DlvCal, CountsBeyondTheBlocksStayInside) {
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
      EXPECT_EQ(b->run(cal), 1);
      b->set_layer_count(-7);
      b->set_test_count(-1);
      b->set_ratetest_rows(-5);
      EXPECT_EQ(b->run(cal), 1);
    }
  }
}

}  // namespace
