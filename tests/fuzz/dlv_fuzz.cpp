// libFuzzer target over every export of the library, called as a host calls it. Each input
// is decoded into structured fields (which export, the mode, method codes, counts inside and
// far outside their ranges, flags, the completion model, the traverse record, the log path,
// the host's floating-point environment) followed by raw overrides of any slot or byte,
// biased to special values. Blocks have their exact sizes (allocated once, refilled for every
// input) so that the sanitizers see any access outside them. After every call it checks the
// return value, that the host's floating-point control and status words are as the host left
// them, and that no file descriptor was left open.
#include <sys/stat.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "blocks/block_layout.hpp"
#include "dlv/dlv.h"
#include "fuzz_support.hpp"
#include "ptrav.h"

namespace {

namespace L = dlv::layout;
using fuzz_support::code;
using fuzz_support::fault;
using fuzz_support::in_host_environment;
using fuzz_support::put_i32;
using fuzz_support::special;

std::string scratch_dir;

// No path, an empty one, a file, a directory, a missing directory's file, a fifo.
const char* log_path(int choice) {
  static const std::string paths[] = {"", scratch_dir + "/dlv.log", scratch_dir,
                                      scratch_dir + "/missing/dlv.log", scratch_dir + "/fifo"};
  return choice == 0 ? nullptr : paths[choice - 1].c_str();
}

// A layer count: one to three layers fifteen times in sixteen (every per-layer branch, at a
// small share of the traverse work of a full well), otherwise a count as code() draws it, which
// holds every layer about half the time.
std::int32_t layer_count(FuzzedDataProvider& in) {
  const int choice = in.ConsumeIntegralInRange(0, 15);
  return choice < 15 ? 1 + choice % 3 : code(in, 0, L::kLayers);
}

constexpr std::size_t kCurveSlots = L::curves::total_slots;

// A plausible well of `layers` layers, for the fields the input leaves alone:
// reservoir, fracture and horizontal-well geometry, tests, completion.
void plausible_well(std::vector<double>& fluids, std::vector<double>& well,
                    std::vector<double>& completion, int layers) {
  well[L::well::productivity_index] = 2.0;
  well[L::well::backpressure_c] = 0.003;
  well[L::well::backpressure_n] = 0.8;
  well[L::well::rate_multiplier] = 1.0;
  well[L::well::reference_depth] = 8010.0;  // between the first two layers
  completion[L::completion::shot_density_factor] = 1.0;
  namespace F = L::fluids;
  namespace W = L::well;
  namespace C = L::completion;
  // Per layer: the block, the slot of layer 0, its value and the step from layer to layer.
  const struct {
    std::vector<double>& block;
    std::size_t slot;
    double first, step;
  } values[] = {// clang-format off
      {fluids, F::api_gravity, 32, 1}, {fluids, F::water_cut, 0.3, 0},
      {fluids, F::water_sg, 1.05, 0}, {fluids, F::gas_sg, 0.72, 0},
      {fluids, F::producing_gor, 600, 0}, {fluids, F::total_compressibility, 1e-5, 0},
      {well, W::layer_temperature, 170, 1}, {well, W::permeability, 20, 1},
      {well, W::thickness, 25, 0}, {well, W::drainage_radius, 1500, 0},
      {well, W::wellbore_radius, 0.354, 0}, {well, W::reservoir_pressure, 3000, -10},
      {well, W::layer_depth, 8000, 20}, {well, W::perm_y, 20, 0}, {well, W::perm_z, 2, 0},
      {well, W::drainage_area, 160, 0}, {well, W::well_start_y, 500, 0},
      {well, W::box_length_y, 2000, 0}, {well, W::well_position_x, 1000, 0},
      {well, W::box_width_x, 2000, 0}, {well, W::well_elevation_z, 12, 0},
      {well, W::well_length, 1000, 0}, {well, W::fracture_half_length, 150, 0},
      {well, W::porosity, 0.2, 0}, {well, W::production_time, 720, 0},
      {well, W::fracture_width, 0.1, 0}, {well, W::fracture_permeability, 1e5, 0},
      {well, W::break_pressure, 5000, 0}, {well, W::max_injection_rate, 5000, 0},
      {completion, C::gravel_permeability, 100, 0},
      {completion, C::crushed_zone_permeability, 10, 0},
      {completion, C::crushed_zone_thickness, 0.5, 0}, {completion, C::shot_density, 4, 0},
      {completion, C::perforation_diameter, 0.4, 0},
      {completion, C::perforated_interval, 20, 0}, {completion, C::gravel_tunnel_length, 2, 0},
      {completion, C::perforation_length, 10, 0}};
  // clang-format on
  for (std::size_t i = 0; i < static_cast<std::size_t>(std::min(layers, L::kLayers)); ++i)
    for (const auto& v : values) v.block[v.slot + i] = v.first + v.step * static_cast<double>(i);
  for (int t = 0; t < L::well::kTestCapacity; ++t) {
    well[L::well::test_rate + t] = 500.0 + 100.0 * t;
    well[L::well::test_pressure + t] = 2500.0 - 100.0 * t;
  }
}

// The blocks of one call, each of its exact size (a vector built with its size holds no more),
// zero but for the separator.
struct CallBlocks {
  static std::vector<double> block(std::size_t n) { return std::vector<double>(n); }
  std::vector<double> fluids = block(L::fluids::min_slots),
                      tables = block(L::tables::total_bytes / sizeof(double)),
                      separator = {100.0, 80.0}, well = block(L::well::min_slots),
                      completion = block(L::completion::min_slots),
                      traverse = block(L::traverse::record_bytes / sizeof(double)),
                      layer_curves = block(kCurveSlots), completion_curves = block(kCurveSlots),
                      traverse_curves = block(kCurveSlots),
                      summary = block(L::summary::total_slots),
                      results = block(L::results::total_slots);
};

// Bounds on the traverse work of one input (the harness's guard, not the library's): when
// the layers in use, referred to the reference depth in segments as the traverse library cuts
// them, would need more than kMaxSegmentSteps steps over all points, the input keeps two
// layers (which still refer their curves).
constexpr double kMaxSegmentSteps = 2000;

void bound_traverse_work(std::vector<double>& well, const std::vector<double>& traverse) {
  std::int32_t count = 0;
  std::memcpy(&count, reinterpret_cast<const char*>(well.data()) + L::well::layer_count_byte, 4);
  double segment = traverse[PTRAV_SEGMENT_LENGTH / 8];
  if (segment == 0.0) segment = 100.0;
  double steps = 0.0;
  for (int i = 0; i < std::min(count, L::kLayers); ++i) {
    const double span = std::fabs(well[L::well::layer_depth + i] - well[L::well::reference_depth]);
    steps +=
        L::kPoints * (std::isfinite(span / segment) && segment > 0.0
                          ? std::clamp(std::ceil(span / segment), 1.0, 1.0 * PTRAV_MAX_SEGMENTS)
                          : 1.0 * PTRAV_MAX_SEGMENTS);
  }
  if (steps > kMaxSegmentSteps) put_i32(well, L::well::layer_count_byte, 2);
}

void full_calculation(FuzzedDataProvider& in, bool dotnet) {
  CallBlocks blocks;
  auto& [fluids, tables, separator, well, completion, traverse, lc, cc, tc, summary, results] =
      blocks;
  const std::int32_t layers = layer_count(in);
  plausible_well(fluids, well, completion, in.ConsumeIntegralInRange(1, L::kLayers));
  const std::int32_t mode = code(in, 0, 3);
  put_i32(well, L::well::layer_count_byte, layers);
  reinterpret_cast<unsigned char*>(well.data())[L::well::backpressure_c_given_byte] =
      in.ConsumeIntegral<std::uint8_t>();
  reinterpret_cast<unsigned char*>(well.data())[L::well::backpressure_n_given_byte] =
      in.ConsumeIntegral<std::uint8_t>();
  for (int i = 0; i < 3; ++i) {
    const std::int32_t correlation = code(in, 0, 4);
    for (std::size_t start :
         {L::fluids::rs_correlation, L::fluids::fvf_correlation, L::fluids::viscosity_correlation})
      put_i32(fluids, start * 8 + 4 * static_cast<std::size_t>(i), correlation);
  }
  // Property tables in use get rising axes and counts in and out of range.
  namespace TB = L::tables;
  for (std::size_t t = 0; t < TB::kTableCount; ++t) {
    if (!in.ConsumeBool()) continue;
    const std::size_t base = t * TB::table_slots, nt = TB::kTemperatureCapacity;
    put_i32(tables, TB::use_flags * 8 + 4 * t, 1);
    put_i32(tables, (base + TB::counts) * 8, code(in, 1, TB::kTemperatureCapacity));
    put_i32(tables, (base + TB::counts) * 8 + 4, code(in, 1, TB::kPressureCapacity));
    const double scale = in.ConsumeFloatingPointInRange(0.01, 10.0);
    for (std::size_t i = 0; i < nt; ++i) tables[base + TB::temperatures + i] = 60.0 + 25.0 * i;
    for (std::size_t j = 0; j < TB::kPressureCapacity; ++j) {
      tables[base + TB::pressures + j] = 100.0 * j;
      for (std::size_t i = 0; i < nt; ++i)
        tables[base + TB::values + j * nt + i] = scale * (1.0 + 0.01 * i + 0.002 * j);
    }
  }
  // Codes at their bytes: the block, the byte and the largest code in range.
  namespace W = L::well;
  namespace T = L::traverse;
  const struct {
    std::vector<double>& block;
    std::size_t byte;
    std::int32_t hi;
  } codes[] = {// clang-format off
      {well, W::method_code_byte, 12}, {well, W::gas_method_byte, 12},
      {well, W::gas_injection_method_byte, 12}, {well, W::water_injection_method_byte, 12},
      {well, W::deliverability_test_type_byte, 3}, {well, W::test_count * 8, W::kTestCapacity},
      {well, W::ratetest_row_count * 8, W::kRateTestCapacity}, {fluids, L::fluids::fluid_type, 3},
      {completion, L::completion::completion_model * 8, 4}, {traverse, T::record_type, 3},
      {traverse, T::suppress_fluid_errors, 1}, {traverse, T::segment_count, 50},
      {traverse, T::direction_flag, 1}, {traverse, T::template_reset, 1}};
  // clang-format on
  for (const auto& c : codes) put_i32(c.block, c.byte, code(in, 0, c.hi));
  const std::int32_t changed = code(in, 0, 1);
  const int path = in.ConsumeIntegralInRange(0, 5);
  const int host_fp = in.ConsumeIntegralInRange(0, 3);
  fuzz_support::overrides(in, {fluids, tables, separator, well, completion, traverse}, 24);
  bound_traverse_work(well, traverse);

  auto* m = new std::int32_t(mode);
  const std::int32_t r = in_host_environment(host_fp, [&] {
    return dotnet ? dlv_calCSharp(blocks.fluids.data(), blocks.separator.data(), blocks.well.data(),
                                  m, blocks.completion.data(), blocks.traverse.data(),
                                  blocks.summary.data())
                  : dlv_cal(blocks.fluids.data(), blocks.tables.data(), blocks.separator.data(),
                            blocks.layer_curves.data(), blocks.well.data(), m,
                            blocks.completion.data(), blocks.completion_curves.data(),
                            blocks.traverse_curves.data(), blocks.traverse.data(),
                            blocks.summary.data(), blocks.results.data(), changed, log_path(path));
  });
  delete m;
  if (r != 1) fault("the full calculation did not return 1");
}

void small_export(FuzzedDataProvider& in, int which) {
  const int host_fp = in.ConsumeIntegralInRange(0, 3);
  std::vector<double> v(6);
  for (double& x : v) x = special(in);
  const std::int32_t n = code(in, 0, 40);
  const std::size_t exact = n > 0 && n <= 40 ? static_cast<std::size_t>(n) : 0;
  const std::unique_ptr<double[]> a(new double[exact]()), b(new double[exact]());
  std::vector<double> out(25), out2(25);
  for (std::size_t i = 0; i < exact; ++i) {
    a[i] = special(in);
    b[i] = special(in);
  }
  const std::int32_t count = exact > 0 ? n : (n > 0 ? 0 : n);  // never past the arrays
  const std::int32_t flag = code(in, 0, 4);
  const std::string word = in.ConsumeRandomLengthString(64);
  char* word_copy = new char[word.size() + 1];
  std::memcpy(word_copy, word.c_str(), word.size() + 1);
  std::int32_t ierr = 0, correlation = flag;

  const auto host = [host_fp](auto call) { return in_host_environment(host_fp, call); };
  bool ok = true;
  switch (which) {
    case 0:
    case 1: {
      const double q = host([&] {
        return which == 0 ? dlvCalcVogel(&v[0], &v[1], &v[2], &v[3]) : dlvCalcPI(&v[0], &v[1]);
      });
      dlvGetResultRate_PrsArrays(out.data(), out2.data());
      ok = std::memcmp(&q, &out[24], sizeof q) == 0;
      break;
    }
    case 2:
      ok = host([&] { return dlvGetResultRate_PrsArrays(out.data(), out2.data()); }) == 25.0;
      break;
    case 3: {
      const double r = host([&] { return test64bitdlv(&v[0]); }), want = v[0] * 64.0;
      ok = std::isnan(want) ? std::isnan(r) : r == want;
      break;
    }
    case 4: {
      const std::int32_t r = host([&] { return interpol(a.get(), b.get(), count, &v[0], &v[1]); });
      ok = r == 0 || r == 1;
      break;
    }
    case 5:
      host([&] { return lsort2col(a.get(), b.get(), count, flag), 0; });
      break;
    case 6:
      host([&] {
        return liqvis(v[0], &v[1], v[2], v[3], v[4], &v[5], &out[0], &out[1], &correlation, &ierr),
               0;
      });
      ok = ierr == 0 || ierr == 1;
      break;
    case 7:
      host([&] { return zfachy(&v[0], &v[1], &v[2], &v[3]), 0; });
      break;
    default: {
      const std::int32_t width = code(in, 0, 11);
      const char* centred = host([&] { return CenterWord(word_copy, width); });
      ok = centred != nullptr && std::strlen(centred) < 12;
      break;
    }
  }
  delete[] word_copy;
  if (!ok) fault("an export returned a value outside its range");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/dlv_fuzz_XXXXXX";
  if (mkdtemp(pattern) == nullptr) fault("no scratch directory");
  scratch_dir = pattern;
  mkfifo((scratch_dir + "/fifo").c_str(), 0644);
  std::atexit([] {
    for (const char* name : {"/fifo", "/dlv.log"}) std::remove((scratch_dir + name).c_str());
    rmdir(scratch_dir.c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz_support::DescriptorWatch descriptors;
  FuzzedDataProvider in(data, size);
  descriptors.before();
  const int which = in.ConsumeIntegralInRange(0, 10);
  if (which <= 8)
    small_export(in, which);
  else
    full_calculation(in, which == 10);
  descriptors.after();
  // The log file would otherwise grow without end.
  std::remove((scratch_dir + "/dlv.log").c_str());
  return 0;
}
