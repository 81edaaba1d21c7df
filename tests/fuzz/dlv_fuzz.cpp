// libFuzzer target over every export of the library, called as a host calls
// it. Each input is decoded into structured fields (which export, the mode,
// method codes, counts inside and far outside their ranges, flags, the
// completion model, the traverse record, the log path, the host's
// floating-point environment) followed by raw overrides of any slot or byte,
// biased to special values. Blocks are allocated at their exact sizes so that
// the sanitizers see any access outside them. After every call it checks the
// return value, that the host's floating-point control and status words are
// as the host left them, and that no file descriptor was left open.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "../support/open_descriptors.hpp"
#include "blocks/block_layout.hpp"
#include "dlv/dlv.h"

namespace {

namespace L = dlv::layout;

// --- host floating-point environment -----------------------------------------

struct FpState {
  std::uint16_t x87_control;
  std::uint16_t x87_status;
  std::uint32_t mxcsr;
  bool operator==(const FpState&) const = default;
};

FpState read_fp() {
  FpState s{};
  __asm__ __volatile__("fnstcw %0" : "=m"(s.x87_control));
  __asm__ __volatile__("fnstsw %0" : "=m"(s.x87_status));
  __asm__ __volatile__("stmxcsr %0" : "=m"(s.mxcsr));
  return s;
}

// Host environments: the default, every exception unmasked, rounding down
// with flush-to-zero, and sticky flags already raised.
void load_host_fp(int choice, std::uint16_t& saved_x87, std::uint32_t& saved_mxcsr) {
  __asm__ __volatile__("fnstcw %0" : "=m"(saved_x87));
  __asm__ __volatile__("stmxcsr %0" : "=m"(saved_mxcsr));
  static constexpr std::uint16_t x87[] = {0x037f, 0x0340, 0x077f, 0x027f};
  static constexpr std::uint32_t sse[] = {0x1f80, 0x0000, 0xbf80, 0x1fbf};
  std::uint16_t cw = x87[choice];
  std::uint32_t csr = sse[choice];
  __asm__ __volatile__("fnclex");
  __asm__ __volatile__("fldcw %0" : : "m"(cw));
  __asm__ __volatile__("ldmxcsr %0" : : "m"(csr));
}

void restore_fp(std::uint16_t x87, std::uint32_t mxcsr) {
  __asm__ __volatile__("fnclex");
  __asm__ __volatile__("fldcw %0" : : "m"(x87));
  __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr));
}

// --- descriptors and log paths -------------------------------------------------

using test_support::open_descriptors;

std::string scratch_dir;

const char* log_path(int choice) {
  static const std::string file = scratch_dir + "/dlv.log";
  static const std::string missing = scratch_dir + "/missing/dlv.log";
  static const std::string fifo = scratch_dir + "/fifo";
  switch (choice) {
    case 0:
      return nullptr;
    case 1:
      return "";
    case 2:
      return file.c_str();
    case 3:
      return scratch_dir.c_str();
    case 4:
      return missing.c_str();
    default:
      return fifo.c_str();
  }
}

[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "dlv_fuzz: %s\n", what);
  std::abort();
}

// --- values ------------------------------------------------------------------

double special_double(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 11)) {
    case 0:
      return std::numeric_limits<double>::quiet_NaN();
    case 1:
      return std::numeric_limits<double>::infinity();
    case 2:
      return -std::numeric_limits<double>::infinity();
    case 3:
      return 0.0;
    case 4:
      return -0.0;
    case 5:
      return std::numeric_limits<double>::denorm_min();
    case 6:
      return std::numeric_limits<double>::max();
    case 7:
      return -1.0;
    case 8:
      return 1e-300;
    case 9:
      return in.ConsumeFloatingPointInRange(-1e4, 1e4);
    case 10:
      return in.ConsumeFloatingPoint<double>();
    default: {
      double d;
      const std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
  }
}

// A count or code: mostly inside [lo, hi], sometimes just outside or far away.
std::int32_t code(FuzzedDataProvider& in, std::int32_t lo, std::int32_t hi) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
      return lo - 1;
    case 1:
      return hi + 1;
    case 2:
      return std::numeric_limits<std::int32_t>::min();
    case 3:
      return std::numeric_limits<std::int32_t>::max();
    case 4:
      return in.ConsumeIntegral<std::int32_t>();
    default:
      return in.ConsumeIntegralInRange(lo, hi);
  }
}

void put_i32(std::vector<double>& block, std::size_t byte, std::int32_t v) {
  if (byte + sizeof v <= block.size() * sizeof(double))
    std::memcpy(reinterpret_cast<unsigned char*>(block.data()) + byte, &v, sizeof v);
}

// Exactly `n` doubles on the heap, released when it goes.
struct HeapBlock {
  explicit HeapBlock(std::size_t n) : data(new double[n]()), size(n) {}
  ~HeapBlock() { delete[] data; }
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;
  double* data;
  std::size_t size;
};

// Copies a staged block into its exact-size heap block.
void place(const std::vector<double>& staged, HeapBlock& block) {
  std::memcpy(block.data, staged.data(), block.size * sizeof(double));
}

// Raw overrides: any slot of any staged block takes a special value, or an
// int32 or a byte goes anywhere.
void raw_overrides(FuzzedDataProvider& in, std::vector<std::vector<double>*>& blocks) {
  const int count = in.ConsumeIntegralInRange(0, 24);
  for (int k = 0; k < count && in.remaining_bytes() > 0; ++k) {
    auto& block = *blocks[in.ConsumeIntegralInRange<std::size_t>(0, blocks.size() - 1)];
    const std::size_t bytes = block.size() * sizeof(double);
    auto* raw = reinterpret_cast<unsigned char*>(block.data());
    switch (in.ConsumeIntegralInRange(0, 2)) {
      case 0:
        block[in.ConsumeIntegralInRange<std::size_t>(0, block.size() - 1)] = special_double(in);
        break;
      case 1: {
        const std::int32_t v = code(in, -2, 60);
        std::memcpy(raw + 4 * in.ConsumeIntegralInRange<std::size_t>(0, bytes / 4 - 1), &v, 4);
        break;
      }
      default:
        raw[in.ConsumeIntegralInRange<std::size_t>(0, bytes - 1)] =
            in.ConsumeIntegral<std::uint8_t>();
    }
  }
}

// --- the full calculation ----------------------------------------------------

constexpr std::size_t kFluidSlots = L::fluids::min_slots;
constexpr std::size_t kTableSlots = L::tables::total_bytes / sizeof(double);
constexpr std::size_t kCurveSlots = L::curves::total_slots;
constexpr std::size_t kWellSlots = L::well::min_slots;
constexpr std::size_t kCompletionSlots = L::completion::min_slots;
constexpr std::size_t kTraverseSlots = L::traverse::record_bytes / sizeof(double);

// A plausible well of `layers` layers, for the fields the input leaves alone:
// reservoir, fracture and horizontal-well geometry, tests, completion.
void plausible_well(std::vector<double>& fluids, std::vector<double>& well,
                    std::vector<double>& completion, int layers) {
  well[L::well::productivity_index] = 2.0;
  well[L::well::backpressure_c] = 0.003;
  well[L::well::backpressure_n] = 0.8;
  well[L::well::rate_multiplier] = 1.0;
  well[L::well::reference_depth] = 7000.0;
  completion[L::completion::shot_density_factor] = 1.0;
  for (int i = 0; i < layers && i < L::kLayers; ++i) {
    fluids[L::fluids::api_gravity + i] = 32.0 + i;
    fluids[L::fluids::water_cut + i] = 0.3;
    fluids[L::fluids::water_sg + i] = 1.05;
    fluids[L::fluids::gas_sg + i] = 0.72;
    fluids[L::fluids::producing_gor + i] = 600.0;
    well[L::well::layer_temperature + i] = 170.0 + i;
    well[L::well::permeability + i] = 20.0 + i;
    well[L::well::thickness + i] = 25.0;
    well[L::well::drainage_radius + i] = 1500.0;
    well[L::well::wellbore_radius + i] = 0.354;
    well[L::well::reservoir_pressure + i] = 3000.0 - 10.0 * i;
    well[L::well::layer_depth + i] = 8000.0 + 20.0 * i;
    fluids[L::fluids::total_compressibility + i] = 1e-5;
    well[L::well::perm_y + i] = 20.0;
    well[L::well::perm_z + i] = 2.0;
    well[L::well::drainage_area + i] = 160.0;
    well[L::well::well_start_y + i] = 500.0;
    well[L::well::box_length_y + i] = 2000.0;
    well[L::well::well_position_x + i] = 1000.0;
    well[L::well::box_width_x + i] = 2000.0;
    well[L::well::well_elevation_z + i] = 12.0;
    well[L::well::well_length + i] = 1000.0;
    well[L::well::fracture_half_length + i] = 150.0;
    well[L::well::porosity + i] = 0.2;
    well[L::well::production_time + i] = 720.0;
    well[L::well::fracture_width + i] = 0.1;
    well[L::well::fracture_permeability + i] = 1e5;
    well[L::well::break_pressure + i] = 5000.0;
    well[L::well::max_injection_rate + i] = 5000.0;
    completion[L::completion::gravel_permeability + i] = 100.0;
    completion[L::completion::crushed_zone_permeability + i] = 10.0;
    completion[L::completion::crushed_zone_thickness + i] = 0.5;
    completion[L::completion::shot_density + i] = 4.0;
    completion[L::completion::perforation_diameter + i] = 0.4;
    completion[L::completion::perforated_interval + i] = 20.0;
    completion[L::completion::gravel_tunnel_length + i] = 2.0;
    completion[L::completion::perforation_length + i] = 10.0;
  }
  for (int t = 0; t < L::well::kTestCapacity; ++t) {
    well[L::well::test_rate + t] = 500.0 + 100.0 * t;
    well[L::well::test_pressure + t] = 2500.0 - 100.0 * t;
  }
}

void full_calculation(FuzzedDataProvider& in, bool dotnet) {
  std::vector<double> fluids(kFluidSlots), tables(kTableSlots), separator{100.0, 80.0},
      well(kWellSlots), completion(kCompletionSlots), traverse(kTraverseSlots), mode_slot(1);
  const std::int32_t layers = code(in, 0, L::kLayers);
  plausible_well(fluids, well, completion, in.ConsumeIntegralInRange(1, L::kLayers));
  const std::int32_t mode = code(in, 0, 3);
  put_i32(well, L::well::layer_count_byte, layers);
  put_i32(well, L::well::method_code_byte, code(in, 0, 12));
  put_i32(well, L::well::gas_method_byte, code(in, 0, 12));
  put_i32(well, L::well::gas_injection_method_byte, code(in, 0, 12));
  put_i32(well, L::well::water_injection_method_byte, code(in, 0, 12));
  put_i32(well, L::well::deliverability_test_type_byte, code(in, 0, 3));
  put_i32(well, L::well::test_count * 8, code(in, 0, L::well::kTestCapacity));
  put_i32(well, L::well::ratetest_row_count * 8, code(in, 0, L::well::kRateTestCapacity));
  reinterpret_cast<unsigned char*>(well.data())[L::well::backpressure_c_given_byte] =
      in.ConsumeIntegral<std::uint8_t>();
  reinterpret_cast<unsigned char*>(well.data())[L::well::backpressure_n_given_byte] =
      in.ConsumeIntegral<std::uint8_t>();
  put_i32(fluids, L::fluids::fluid_type, code(in, 0, 3));
  for (int i = 0; i < 3; ++i) {
    const std::int32_t correlation = code(in, 0, 4);
    for (std::size_t start :
         {L::fluids::rs_correlation, L::fluids::fvf_correlation, L::fluids::viscosity_correlation})
      put_i32(fluids, start * 8 + 4 * static_cast<std::size_t>(i), correlation);
  }
  // Property tables in use get rising axes and counts in and out of range.
  for (int t = 0; t < L::tables::kTableCount; ++t) {
    if (!in.ConsumeBool()) continue;
    const std::size_t base = static_cast<std::size_t>(t) * L::tables::table_slots;
    put_i32(tables, L::tables::use_flags * 8 + 4 * static_cast<std::size_t>(t), 1);
    put_i32(tables, (base + L::tables::counts) * 8, code(in, 1, L::tables::kTemperatureCapacity));
    put_i32(tables, (base + L::tables::counts) * 8 + 4, code(in, 1, L::tables::kPressureCapacity));
    const double scale = in.ConsumeFloatingPointInRange(0.01, 10.0);
    for (int i = 0; i < L::tables::kTemperatureCapacity; ++i)
      tables[base + L::tables::temperatures + static_cast<std::size_t>(i)] = 60.0 + 25.0 * i;
    for (int j = 0; j < L::tables::kPressureCapacity; ++j) {
      tables[base + L::tables::pressures + static_cast<std::size_t>(j)] = 100.0 * j;
      for (int i = 0; i < L::tables::kTemperatureCapacity; ++i)
        tables[base + L::tables::values +
               static_cast<std::size_t>(j * L::tables::kTemperatureCapacity + i)] =
            scale * (1.0 + 0.01 * i + 0.002 * j);
    }
  }
  put_i32(completion, L::completion::completion_model * 8, code(in, 0, 4));
  put_i32(traverse, L::traverse::record_type, code(in, 0, 3));
  put_i32(traverse, L::traverse::suppress_fluid_errors, code(in, 0, 1));
  put_i32(traverse, L::traverse::segment_count, code(in, 0, 50));
  put_i32(traverse, L::traverse::direction_flag, code(in, 0, 1));
  put_i32(traverse, L::traverse::template_reset, code(in, 0, 1));
  const std::int32_t changed = code(in, 0, 1);
  const int path = in.ConsumeIntegralInRange(0, 5);
  const int host_fp = in.ConsumeIntegralInRange(0, 3);
  std::vector<std::vector<double>*> staged{&fluids, &tables,     &separator,
                                           &well,   &completion, &traverse};
  raw_overrides(in, staged);

  HeapBlock f(kFluidSlots), t(kTableSlots), s(2), lc(kCurveSlots), w(kWellSlots),
      c(kCompletionSlots), cc(kCurveSlots), tc(kCurveSlots), tr(kTraverseSlots),
      summary(L::summary::total_slots), results(L::results::total_slots);
  place(fluids, f);
  place(tables, t);
  place(separator, s);
  place(well, w);
  place(completion, c);
  place(traverse, tr);
  auto* m = new std::int32_t(mode);

  std::uint16_t saved_x87;
  std::uint32_t saved_mxcsr;
  load_host_fp(host_fp, saved_x87, saved_mxcsr);
  const FpState before = read_fp();
  const std::int32_t r =
      dotnet ? dlv_calCSharp(f.data, s.data, w.data, m, c.data, tr.data, summary.data)
             : dlv_cal(f.data, t.data, s.data, lc.data, w.data, m, c.data, cc.data, tc.data,
                       tr.data, summary.data, results.data, changed, log_path(path));
  const FpState after = read_fp();
  restore_fp(saved_x87, saved_mxcsr);
  delete m;
  if (r != 1) fault("the full calculation did not return 1");
  if (!(before == after)) fault("the host's floating-point environment changed");
}

// --- the small exports -------------------------------------------------------

void small_export(FuzzedDataProvider& in, int which) {
  std::uint16_t saved_x87;
  std::uint32_t saved_mxcsr;
  const int host_fp = in.ConsumeIntegralInRange(0, 3);
  std::vector<double> v(6);
  for (double& x : v) x = special_double(in);
  const std::int32_t n = code(in, 0, 40);
  const std::size_t exact = n > 0 && n <= 40 ? static_cast<std::size_t>(n) : 0;
  HeapBlock a(exact), b(exact), out(25), out2(25);
  for (std::size_t i = 0; i < exact; ++i) {
    a.data[i] = special_double(in);
    b.data[i] = special_double(in);
  }
  const std::int32_t count = exact > 0 ? n : (n > 0 ? 0 : n);  // never past the arrays
  const std::int32_t flag = code(in, 0, 4);
  const std::string word = in.ConsumeRandomLengthString(64);
  char* word_copy = new char[word.size() + 1];
  std::memcpy(word_copy, word.c_str(), word.size() + 1);
  std::int32_t ierr = 0, correlation = flag;

  // Only the export runs in the host's environment: the checks below do
  // arithmetic of their own, which would raise flags there.
  FpState before{}, after{};
  auto in_host_environment = [&](auto call) {
    load_host_fp(host_fp, saved_x87, saved_mxcsr);
    before = read_fp();
    auto result = call();
    after = read_fp();
    restore_fp(saved_x87, saved_mxcsr);
    return result;
  };
  bool ok = true;
  switch (which) {
    case 0: {
      const double q =
          in_host_environment([&] { return dlvCalcVogel(&v[0], &v[1], &v[2], &v[3]); });
      dlvGetResultRate_PrsArrays(out.data, out2.data);
      ok = std::memcmp(&q, &out.data[24], sizeof q) == 0;
      break;
    }
    case 1: {
      const double q = in_host_environment([&] { return dlvCalcPI(&v[0], &v[1]); });
      dlvGetResultRate_PrsArrays(out.data, out2.data);
      ok = std::memcmp(&q, &out.data[24], sizeof q) == 0;
      break;
    }
    case 2:
      ok = in_host_environment([&] { return dlvGetResultRate_PrsArrays(out.data, out2.data); }) ==
           25.0;
      break;
    case 3: {
      const double r = in_host_environment([&] { return test64bitdlv(&v[0]); });
      const double want = v[0] * 64.0;
      ok = std::isnan(want) ? std::isnan(r) : r == want;
      break;
    }
    case 4: {
      const std::int32_t r =
          in_host_environment([&] { return interpol(a.data, b.data, count, &v[0], &v[1]); });
      ok = r == 0 || r == 1;
      break;
    }
    case 5:
      in_host_environment([&] {
        lsort2col(a.data, b.data, count, flag);
        return 0;
      });
      break;
    case 6:
      in_host_environment([&] {
        liqvis(v[0], &v[1], v[2], v[3], v[4], &v[5], &out.data[0], &out.data[1], &correlation,
               &ierr);
        return 0;
      });
      ok = ierr == 0 || ierr == 1;
      break;
    case 7:
      in_host_environment([&] {
        zfachy(&v[0], &v[1], &v[2], &v[3]);
        return 0;
      });
      break;
    default: {
      const std::int32_t width = code(in, 0, 11);
      const char* centred = in_host_environment([&] { return CenterWord(word_copy, width); });
      ok = centred != nullptr && std::strlen(centred) < 12;
      break;
    }
  }
  delete[] word_copy;
  if (!ok) fault("an export returned a value outside its range");
  if (!(before == after)) fault("the host's floating-point environment changed");
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
  FuzzedDataProvider in(data, size);
  const int descriptors = open_descriptors();
  const int which = in.ConsumeIntegralInRange(0, 10);
  if (which <= 8)
    small_export(in, which);
  else
    full_calculation(in, which == 10);
  if (open_descriptors() != descriptors) fault("a file descriptor was left open");
  // The log file would otherwise grow without end.
  std::remove((scratch_dir + "/dlv.log").c_str());
  return 0;
}
