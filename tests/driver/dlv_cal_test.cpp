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
  b->well[303] = pr;
  b->set_method(2);
  b->set_test_count(1);
  put(b->well, 408, {1000.0});
  put(b->well, 508, {1800.0});
  return b;
}

void expect_grid(const double* pressure, double pr) {
  EXPECT_EQ(pressure[0], pr);
  EXPECT_EQ(pressure[24], 0.0);
  for (int i = 1; i < 25; ++i) EXPECT_LT(pressure[i], pressure[i - 1]) << i;
}

TEST_F(DlvCal, OneLayerVogelHalvesATestPressureAtReservoirPressure) {
  auto b = vogel_well(2000.0);
  put(b->well, 408, {800.0});
  put(b->well, 508, {2000.0});
  EXPECT_EQ(b->run(cal), 1);
  EXPECT_EQ(b->well[508], 1000.0);
  expect_grid(b->pressure(0), 2000.0);
  EXPECT_EQ(b->rate(0)[0], 0.0);
  EXPECT_GT(b->rate(0)[24], 800.0);
  // The one-layer summary copies layer 0 column by column.
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(b->summary[i], b->rate(0)[i]);
    EXPECT_EQ(b->summary[25 + i], b->pressure(0)[i]);
    EXPECT_EQ(b->summary[50 + i], b->drawdown(0)[i]);
    EXPECT_EQ(b->drawdown(0)[i], 2000.0 - b->pressure(0)[i]);
    EXPECT_EQ(b->summary[75 + i], b->fluids[75]);
    EXPECT_EQ(b->summary[100 + i], 500.0);
    EXPECT_EQ(b->summary[125 + i], b->fluids[175]);
  }
  // The fluid stage ran and the mixing rule is left at 2.
  EXPECT_GT(b->fluids[575], 1.0);
  EXPECT_EQ(host::get_i32(b->fluids, 1425 * 8), 2);
  EXPECT_EQ(b->results[200], b->fluids[825]);
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
    put(b->well, 408, {500.0, 900.0});     // test rates
    put(b->well, 508, {2000.0, 1500.0});   // and pressures
    put(b->well, 710, {0.002, 0.8, 1.5});  // C, n, PI
    b->set_ratetest_rows(4);
    put(b->well, 1907, {2400.0, 2000.0, 1500.0, 1000.0});  // rate-test pressures
    put(b->well, 1932, {0.0, 400.0, 800.0, 1100.0});       // and liquid rates
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
    b->well[303] = pr;
    b->set_method(7);
    put(b->well, 713, {0.4, 2.0, 50.0});                // level gradient, b, a
    put(b->well, 717, {300.0, 600.0, 4000.0, 3000.0});  // level test rates, readings
    EXPECT_EQ(b->run(cal), 1);
    EXPECT_EQ(b->well[408], 300.0);
    EXPECT_EQ(b->well[409], 600.0);
    if (pr == 0.0) {
      EXPECT_EQ(b->well[508], 4000.0 * 0.4 + 100.0);
      EXPECT_EQ(b->well[509], 3000.0 * 0.4 + 100.0);
      // The computed reservoir pressure stays out of the well record but
      // serves the drawdown column.
      EXPECT_EQ(b->well[303], 0.0);
      EXPECT_EQ(b->drawdown(0)[0], 0.0);
      EXPECT_EQ(b->drawdown(0)[24], b->pressure(0)[0]);
    } else {
      EXPECT_EQ(b->well[508], 2400.0 - 300.0 / b->well[712]);
      EXPECT_EQ(b->well[509], 2400.0 - 600.0 / b->well[712]);
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
    b->well[303] = pr;
    b->set_test_count(count);
    b->set_given_flags(0, 0);
    double sum_q = 0.0, sum_d = 0.0;
    for (int k = 0; k < count; ++k) {
      b->well[508 + k] = p[k];
      b->well[408 + k] = c * std::pow(pr * pr - p[k] * p[k], n);
      sum_q += b->well[408 + k];
      sum_d += pr * pr - p[k] * p[k];
    }
    EXPECT_EQ(b->run(cal), 1);
    const double fitted = count == 1 ? 1.0 : n;
    EXPECT_NEAR(b->well[711], fitted, count == 1 ? 0.0 : 1e-9);
    EXPECT_NEAR(b->well[710], (sum_q / count) / std::pow(sum_d / count, b->well[711]), 1e-12);
    expect_grid(b->summary + 25, pr);
  }
}

TEST_F(DlvCal, GasProductionDefaultsLayerTemperatureAndZ) {
  auto b = Blocks::oil_well(3);
  b->mode = 1;
  b->set_fluid_type(0);
  b->set_gas_method(2);
  b->well[3 + 2] = 0.0;
  b->fluids[225 + 1] = 0.0;
  put(b->well, 710, {0.01, 0.9});
  EXPECT_EQ(b->run(cal), 1);
  EXPECT_EQ(b->well[3 + 2], b->well[3]);
  EXPECT_EQ(b->fluids[225 + 1], b->fluids[225]);
  for (int L = 0; L < 3; ++L) EXPECT_EQ(b->fluids[1000 + L], 1.0);
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
      b->well[1907 + k] = mode == 1 ? gas_p[k] : taking_p[k];
      b->well[1957 + k] = b->well[1982 + k] = rq[k];
    }
    EXPECT_EQ(b->run(cal), 1);
    const double pr = mode == 1 ? 3000.0 : 2400.0;
    EXPECT_EQ(b->well[303], pr);
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
  b->fluids[25 + 1] = 20.0;  // a heavier, wetter crude in layer 1
  b->fluids[75 + 1] = 0.7;
  // Fracture half-length, porosity, production time, fracture width and
  // permeability, the same in both layers.
  const double fracture[5] = {300.0, 0.2, 1000.0, 0.02, 1.0e5};
  for (int k = 0; k < 5; ++k) put(b->well, 1247 + 50 * k, {fracture[k], fracture[k]});
  b->well[1497] = 1.0;
  EXPECT_EQ(b->run(cal), 1);
  EXPECT_NE(b->fluids[675 + 1], b->fluids[675]);  // the layers' own fluids differ
  for (int i = 0; i < 25; ++i) EXPECT_EQ(b->rate(1)[i], b->rate(0)[i]) << i;
}

TEST_F(DlvCal, GasInjectionTakesGasPropertiesAtFourTimesReservoirPressure) {
  using ZFn = void (*)(double*, double*, double*, double*);
  auto zfachy = host::symbol<ZFn>("zfachy");
  ASSERT_NE(zfachy, nullptr);
  auto b = Blocks::oil_well();
  b->mode = 3;
  b->set_gas_injection_method(0);
  b->well[1556] = 4000.0;  // break pressure
  b->well[1606] = 5000.0;  // maximum rate
  EXPECT_EQ(b->run(cal), 1);
  double t = b->well[3], p = 4.0 * b->well[303] + 14.7, sg = b->fluids[225], z = 0.0;  // psia
  zfachy(&t, &p, &sg, &z);
  EXPECT_EQ(b->fluids[1000], z);
}

TEST_F(DlvCal, SummaryComesFromTheCurvesInForce) {
  // Two equal layers without completion: the composite carries twice a layer.
  auto two = Blocks::oil_well(2);
  two->set_method(0);
  EXPECT_EQ(two->run(cal), 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(two->summary[25 + i], two->pressure(0)[i]) << i;
    EXPECT_NEAR(two->summary[i], 2.0 * two->rate(0)[i], 1e-9 * two->rate(0)[24]) << i;
  }
  // One layer with a gravel pack: the summary is the completion curve.
  auto one = Blocks::oil_well();
  one->set_method(0);
  one->set_completion_model(1);
  // Shot density factor and gravel permeability; shots per foot, perforation
  // diameter (in), perforated interval and gravel tunnel length (in).
  put(one->completion, 1, {1.0, 50000.0});
  for (const auto& [slot, value] : {std::pair{152, 12.0}, {202, 0.5}, {252, 30.0}, {302, 6.0}})
    one->completion[slot] = value;
  EXPECT_EQ(one->run(cal), 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(one->summary[i], one->completion_curves[i]) << i;
    EXPECT_EQ(one->summary[25 + i], one->completion_curves[1250 + i]) << i;
  }
  EXPECT_LT(one->summary[24], one->rate(0)[24]);
}

TEST_F(DlvCal, UnknownModeRunsNoMethodButFillsTheSummary) {
  auto b = Blocks::oil_well();
  b->mode = 5;
  for (int i = 0; i < 25; ++i) {
    b->layer_curves[i] = 10.0 * i;
    b->layer_curves[1250 + i] = 100.0 - i;
    b->layer_curves[2500 + i] = i;
  }
  EXPECT_EQ(b->run(cal), 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(b->summary[i], 10.0 * i);
    EXPECT_EQ(b->summary[25 + i], 100.0 - i);
    EXPECT_EQ(b->summary[50 + i], i);
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
  b->well[712] = 1.0;
  b->fluids[25] = -40.0;  // API far out of range: the correlations complain
  b->well[3] = 900.0;     // and so does the temperature
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
  EXPECT_EQ(reference->summary[24], 2800.0);
  EXPECT_NEAR(reference->fluids[575], 1.2970594225566998, 1e-12);
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
      b->well[1548 + 2 * k] = pairs[same_as < 0 ? k : same_as][0];
      b->well[1549 + 2 * k] = pairs[same_as < 0 ? k : same_as][1];
    }
    b->well[1556] = 3500.0;
    b->well[1606] = 1.0e4;
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
      b->well[303] = nan;
      b->well[408] = 0.0;
      // Every completion model and code, and the traverse coupling, on garbage.
      b->set_completion_model((method + 4) % 5);
      b->completion[1] = nan;
      b->well[1906] = nan;        // reference depth
      b->well[1756 + 3] = 5.0e4;  // one deep layer
      b->fluids[1050] = 12345.0;  // a sample set far outside the table
      EXPECT_EQ(b->run(cal), 1);
      b->set_layer_count(-7);
      b->set_test_count(-1);
      b->set_ratetest_rows(-5);
      EXPECT_EQ(b->run(cal), 1);
    }
  }
}

}  // namespace
