// Feeds one build of libDLV.so a seeded stream of dlv_cal calls through the
// public C entry point (the library is loaded with dlopen, the blocks are
// filled by slot as a host fills them) and writes what the host can see after
// each call: every block, the return value and the log file.
//
//   identity_runner LIB SEED CALLS digest          one line of hashes per call
//   identity_runner LIB SEED CALLS dump N FILE     the raw blocks of call N
//   identity_runner compare FILE_A FILE_B          names the first differing field
//
// Two builds given the same seed see the same stream; tools/identity_check.sh
// runs each build in its own process and compares the outputs.
#include <dlfcn.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"

namespace {

using DlvCal = std::int32_t (*)(double*, double*, double*, double*, double*, std::int32_t*, double*,
                                double*, double*, double*, double*, double*, std::int32_t,
                                const char*);

// The blocks in argument order (the mode is a single int32), sized by dlv.h.
enum Block {
  kLayerFluids,
  kFluidTables,
  kSeparator,
  kLayerCurves,
  kWellRecord,
  kCompletion,
  kCompletionCurves,
  kTraverseCurves,
  kTraverse,
  kSummary,
  kResults,
  kBlockCount
};
struct BlockInfo {
  const char* name;
  std::size_t slots;
};
constexpr BlockInfo kBlocks[kBlockCount] = {
    {"layer_fluids", DLV_LAYER_FLUIDS_SLOTS},      {"fluid_tables", DLV_FLUID_TABLES_SLOTS},
    {"separator_conditions", DLV_SEPARATOR_SLOTS}, {"layer_curves", DLV_CURVE_BLOCK_SLOTS},
    {"well_record", DLV_WELL_RECORD_SLOTS},        {"completion_block", DLV_COMPLETION_SLOTS},
    {"completion_curves", DLV_CURVE_BLOCK_SLOTS},  {"traverse_curves", DLV_CURVE_BLOCK_SLOTS},
    {"traverse_block", DLV_TRAVERSE_SLOTS},        {"well_summary", DLV_WELL_SUMMARY_SLOTS},
    {"layer_results", DLV_LAYER_RESULTS_SLOTS},
};

bool is_curve_block(int block) {
  return block == kLayerCurves || block == kCompletionCurves || block == kTraverseCurves;
}

// Field starts within the blocks, from the field map's list, for naming a
// differing slot. The curve fields stand in each of the three curve blocks.
struct Field {
  std::string block;
  std::size_t slot;
  const char* name;
};
#define FIELD_ENTRY(BLOCK, FIELD, KIND, COUNT) \
  {#BLOCK, DLV_FIELD_BYTE(BLOCK, FIELD, KIND) / 8, #FIELD},
const Field kFields[] = {DLV_FIELDS(FIELD_ENTRY)};
#undef FIELD_ENTRY
const char* const kListName[kBlockCount] = {"LAYER_FLUIDS", "FLUID_TABLES", "SEPARATOR", "CURVES",
                                            "WELL_RECORD",  "COMPLETION",   "CURVES",    "CURVES",
                                            "TRAVERSE",     "SUMMARY",      "RESULTS"};

std::string field_name(int block, std::size_t slot) {
  const Field* best = nullptr;
  for (const Field& f : kFields) {
    if (f.block == kListName[block] && f.slot <= slot && (best == nullptr || f.slot >= best->slot))
      best = &f;
  }
  if (best == nullptr) return "";
  std::string s = best->name;
  const std::size_t index = slot - best->slot;
  if (is_curve_block(block)) {
    s += " of layer " + std::to_string(index / DLV_POINTS) + ", point " +
         std::to_string(index % DLV_POINTS);
  } else {
    s += "[" + std::to_string(index) + "]";
  }
  return s;
}

// splitmix64: the same stream on every machine.
struct Random {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  double uniform(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(next() >> 11) / 9007199254740992.0;
  }
  int pick(int lo, int hi) {
    return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  bool chance(double p) { return uniform(0.0, 1.0) < p; }
};

struct Blocks {
  std::vector<double> b[kBlockCount];
  std::int32_t mode = 0;
  std::int32_t changed_pressure_flag = 0;
  Blocks() {
    for (int k = 0; k < kBlockCount; ++k) b[k].assign(kBlocks[k].slots, 0.0);
  }
  double* fluids() { return b[kLayerFluids].data(); }
  double* tables() { return b[kFluidTables].data(); }
  double* well() { return b[kWellRecord].data(); }
  double* completion() { return b[kCompletion].data(); }
  double* traverse() { return b[kTraverse].data(); }
};

void put_i32(double* block, std::size_t byte, std::int32_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block) + byte, &v, sizeof v);
}
void put_byte(double* block, std::size_t byte, unsigned char v) {
  reinterpret_cast<unsigned char*>(block)[byte] = v;
}

// A host property table: temperature and pressure axes, values rising with
// pressure and falling with temperature around `level`.
void fill_table(Random& r, double* tables, int k, double level, double p_top) {
  double* t = tables + DLV_FLUID_TABLE_SLOTS * k;
  const int nt = r.pick(1, DLV_FLUID_TABLE_TEMPERATURE_CAPACITY);
  const int np = r.chance(0.1) ? r.pick(0, 1) : r.pick(2, DLV_FLUID_TABLE_PRESSURE_CAPACITY);
  for (int i = 0; i < nt; ++i) t[DLV_FLUID_TABLE_TEMPERATURES + i] = 60.0 + 40.0 * i;
  for (int j = 0; j < np; ++j) t[DLV_FLUID_TABLE_PRESSURES + j] = p_top * (j + 1) / np;
  for (int j = 0; j < np; ++j) {
    for (int i = 0; i < nt; ++i) {
      t[DLV_FLUID_TABLE_VALUES + j * DLV_FLUID_TABLE_TEMPERATURE_CAPACITY + i] =
          level * (1.0 + 0.3 * j / (np > 1 ? np - 1 : 1)) * (1.0 - 0.02 * i);
    }
  }
  put_i32(t, DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE, nt);
  put_i32(t, DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE, np);
}

void new_well(Random& r, Blocks& w) {
  w = Blocks{};
  double* f = w.fluids();
  double* well = w.well();
  w.mode = r.pick(0, 3);
  if (r.chance(0.02)) w.mode = r.chance(0.5) ? -1 : 4;
  w.changed_pressure_flag = r.chance(0.3) ? 1 : 0;

  const int layers = r.chance(0.4) ? 1 : r.pick(1, DLV_LAYERS);
  std::int32_t count = layers;
  if (r.chance(0.03)) count = r.chance(0.5) ? 0 : r.pick(DLV_LAYERS + 1, DLV_LAYERS + 10);
  put_i32(well, DLV_WELL_RECORD_METHOD_CODE_BYTE, r.pick(-1, 11));
  put_i32(well, DLV_WELL_RECORD_GAS_METHOD_BYTE, r.pick(0, 7));
  put_i32(well, DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE, r.pick(0, 6));
  put_i32(well, DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE, r.pick(0, 3));
  put_i32(well, DLV_WELL_RECORD_LAYER_COUNT_BYTE, count);
  put_i32(well, DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE, r.pick(0, 2));

  const int type = r.chance(0.1) ? 0 : r.pick(1, 4);
  put_i32(f, DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE, type);
  put_i32(f, DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE, r.pick(0, 2));
  const double base_pr = r.uniform(800.0, 5500.0);
  for (int L = 0; L < DLV_LAYERS; ++L) {
    const bool used = L < layers;
    f[DLV_LAYER_FLUIDS_API_GRAVITY + L] = r.uniform(15.0, 45.0);
    f[DLV_LAYER_FLUIDS_WATER_CUT + L] = r.chance(0.1) ? r.uniform(1.0, 90.0) : r.uniform(0.0, 0.95);
    f[DLV_LAYER_FLUIDS_LIQUID_YIELD + L] = r.uniform(0.0, 80.0);
    f[DLV_LAYER_FLUIDS_WATER_SG + L] = r.uniform(1.0, 1.1);
    f[DLV_LAYER_FLUIDS_GAS_SG + L] = r.chance(0.05) ? 0.0 : r.uniform(0.55, 1.1);
    f[DLV_LAYER_FLUIDS_PRODUCING_GOR + L] = r.uniform(50.0, 3000.0);
    f[DLV_LAYER_FLUIDS_BUBBLE_POINT + L] = r.chance(0.5) ? r.uniform(500.0, 4000.0) : 0.0;
    f[DLV_LAYER_FLUIDS_TOTAL_COMPRESSIBILITY + L] = r.uniform(1e-6, 3e-5);
    f[DLV_LAYER_FLUIDS_SAMPLE_KEY + L] = r.uniform(10.0, 40.0);
    put_i32(f, DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE + 4 * L, r.chance(0.2) ? 1 : 0);
    put_i32(f, DLV_LAYER_FLUIDS_SAMPLE_SET_BYTE + 4 * L, r.pick(0, 3));
    put_i32(f, DLV_LAYER_FLUIDS_RS_CORRELATION_BYTE + 4 * L, r.pick(0, 3));
    put_i32(f, DLV_LAYER_FLUIDS_FVF_CORRELATION_BYTE + 4 * L, r.pick(0, 2));
    put_i32(f, DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION_BYTE + 4 * L, r.pick(0, 3));
    if (!used && r.chance(0.8)) continue;
    well[DLV_WELL_RECORD_LAYER_TEMPERATURE + L] =
        r.chance(0.05) && L > 0 ? 0.0 : r.uniform(80.0, 300.0);
    well[DLV_WELL_RECORD_PERMEABILITY + L] = r.uniform(0.5, 300.0);
    well[DLV_WELL_RECORD_THICKNESS + L] = r.uniform(5.0, 150.0);
    well[DLV_WELL_RECORD_DRAINAGE_RADIUS + L] = r.uniform(300.0, 3000.0);
    well[DLV_WELL_RECORD_WELLBORE_RADIUS + L] = r.uniform(0.25, 0.5);
    well[DLV_WELL_RECORD_SKIN + L] = r.uniform(-3.0, 15.0);
    well[DLV_WELL_RECORD_RESERVOIR_PRESSURE + L] = base_pr * r.uniform(0.7, 1.3);
    well[DLV_WELL_RECORD_PERM_Y + L] = r.uniform(1.0, 200.0);
    well[DLV_WELL_RECORD_PERM_Z + L] = r.uniform(1.0, 50.0);
    well[DLV_WELL_RECORD_DRAINAGE_AREA + L] = r.uniform(20.0, 160.0);
    well[DLV_WELL_RECORD_WELL_START_Y + L] = r.uniform(0.0, 200.0);
    well[DLV_WELL_RECORD_BOX_LENGTH_Y + L] = r.uniform(1000.0, 4000.0);
    well[DLV_WELL_RECORD_WELL_POSITION_X + L] = r.uniform(200.0, 1000.0);
    well[DLV_WELL_RECORD_BOX_WIDTH_X + L] = r.uniform(1000.0, 3000.0);
    well[DLV_WELL_RECORD_WELL_ELEVATION_Z + L] = r.uniform(1.0, 50.0);
    well[DLV_WELL_RECORD_WELL_LENGTH + L] = r.uniform(200.0, 2000.0);
    well[DLV_WELL_RECORD_FRACTURE_HALF_LENGTH + L] = r.uniform(20.0, 500.0);
    well[DLV_WELL_RECORD_POROSITY + L] = r.uniform(0.05, 0.3);
    well[DLV_WELL_RECORD_PRODUCTION_TIME + L] = r.uniform(1.0, 2000.0);
    well[DLV_WELL_RECORD_FRACTURE_WIDTH + L] = r.uniform(0.01, 0.5);
    well[DLV_WELL_RECORD_FRACTURE_PERMEABILITY + L] = r.uniform(1000.0, 100000.0);
    well[DLV_WELL_RECORD_BREAK_PRESSURE + L] =
        r.uniform(0.0, 2.0) * well[DLV_WELL_RECORD_RESERVOIR_PRESSURE + L];
    well[DLV_WELL_RECORD_MAX_INJECTION_RATE + L] = r.uniform(100.0, 20000.0);
    well[DLV_WELL_RECORD_SECOND_SKIN + L] = r.uniform(-1.0, 5.0);
    well[DLV_WELL_RECORD_LAYER_DEPTH + L] = r.uniform(3000.0, 12000.0);
  }

  // Tests: rates and flowing pressures below the reservoir pressure.
  const int tests = r.pick(1, 6);
  put_i32(well, DLV_WELL_RECORD_TEST_COUNT_BYTE, tests);
  const double pr0 = well[DLV_WELL_RECORD_RESERVOIR_PRESSURE];
  const double cn = r.uniform(0.001, 0.05);
  const double n = r.uniform(0.5, 1.0);
  for (int k = 0; k < tests; ++k) {
    const double p = pr0 * (0.95 - 0.12 * k) * r.uniform(0.97, 1.0);
    well[DLV_WELL_RECORD_TEST_PRESSURE + k] = r.chance(0.03) ? pr0 : p;
    well[DLV_WELL_RECORD_TEST_SHUTIN_PRESSURE + k] =
        r.chance(0.3) ? pr0 * r.uniform(0.98, 1.02) : 0.0;
    well[DLV_WELL_RECORD_TEST_RATE + k] = w.mode == DLV_MODE_GAS_PRODUCTION
                                              ? cn * std::pow(pr0 * pr0 - p * p, n)
                                              : r.uniform(100.0, 3000.0);
  }
  well[DLV_WELL_RECORD_BACKPRESSURE_C] = r.chance(0.5) ? cn : 0.0;
  well[DLV_WELL_RECORD_BACKPRESSURE_N] = r.chance(0.5) ? n : 0.0;
  put_byte(well, DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE, r.chance(0.3) ? 1 : 0);
  put_byte(well, DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE, r.chance(0.3) ? 1 : 0);
  well[DLV_WELL_RECORD_PRODUCTIVITY_INDEX] = r.uniform(0.1, 10.0);
  well[DLV_WELL_RECORD_LEVEL_GRADIENT] = r.uniform(0.3, 0.45);
  well[DLV_WELL_RECORD_SURFACE_TERM_FACTORS] = r.uniform(0.5, 1.5);
  well[DLV_WELL_RECORD_SURFACE_TERM_FACTORS + 1] = r.uniform(10.0, 200.0);
  well[DLV_WELL_RECORD_LEVEL_TEST_RATE] = r.uniform(100.0, 1000.0);
  well[DLV_WELL_RECORD_LEVEL_TEST_RATE + 1] = r.uniform(1000.0, 2000.0);
  well[DLV_WELL_RECORD_LEVEL_READING] = r.uniform(1000.0, 5000.0);
  well[DLV_WELL_RECORD_LEVEL_READING + 1] = r.uniform(2000.0, 7000.0);
  if (r.chance(0.1)) well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = 0.0;
  well[DLV_WELL_RECORD_RATE_MULTIPLIER] = r.uniform(0.5, 2.0);
  well[DLV_WELL_RECORD_NON_DARCY_COEFFICIENT] = r.uniform(0.0, 1e-3);
  for (int k = 0; k < 2 * DLV_INJECTION_COEFFICIENT_PAIRS; ++k)
    well[DLV_WELL_RECORD_INJECTION_COEFFICIENTS + k] =
        r.uniform(0.01, 2.0) * (k % 2 ? 1.0 : 1000.0);
  // Rate-test rows: pressures falling, rates rising.
  const int rows = r.pick(0, DLV_RATETEST_CAPACITY);
  put_i32(well, DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE, rows);
  for (int k = 0; k < rows; ++k) {
    well[DLV_WELL_RECORD_RATETEST_PRESSURES + k] = pr0 * (1.0 - static_cast<double>(k) / 26.0);
    well[DLV_WELL_RECORD_RATETEST_LIQUID_RATES + k] = 40.0 * k * r.uniform(0.9, 1.1);
    well[DLV_WELL_RECORD_RATETEST_GAS_RATES + k] = 30.0 * k * r.uniform(0.9, 1.1);
    well[DLV_WELL_RECORD_RATETEST_WATER_RATES + k] = 10.0 * k * r.uniform(0.9, 1.1);
  }

  // Host property tables (solution GOR, oil FVF, oil viscosity, z, gas viscosity).
  double* tables = w.tables();
  const int used_tables[] = {DLV_TABLE_SOLUTION_GOR, DLV_TABLE_OIL_FVF, DLV_TABLE_OIL_VISCOSITY,
                             DLV_TABLE_GAS_Z_FACTOR, DLV_TABLE_GAS_VISCOSITY};
  const double levels[] = {400.0, 1.2, 1.5, 0.85, 0.018};
  for (int i = 0; i < 5; ++i) {
    if (!r.chance(0.15)) continue;
    fill_table(r, tables, used_tables[i], levels[i], 2.0 * base_pr);
    put_i32(tables, DLV_FLUID_TABLES_USE_TABLE_BYTE + 4 * used_tables[i], 1);
  }

  // Completion.
  double* c = w.completion();
  if (r.chance(0.35)) {
    put_i32(c, DLV_COMPLETION_COMPLETION_MODEL_BYTE, r.pick(1, 4));
    c[DLV_COMPLETION_SHOT_DENSITY_FACTOR] = r.uniform(0.5, 1.0);
    for (int L = 0; L < DLV_LAYERS; ++L) {
      c[DLV_COMPLETION_GRAVEL_PERMEABILITY + L] = r.uniform(10000.0, 200000.0);
      c[DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY + L] = r.uniform(5.0, 100.0);
      c[DLV_COMPLETION_CRUSHED_ZONE_THICKNESS + L] = r.uniform(0.2, 1.0);
      c[DLV_COMPLETION_SHOT_DENSITY + L] = r.uniform(1.0, 12.0);
      c[DLV_COMPLETION_PERFORATION_DIAMETER + L] = r.uniform(0.2, 0.7);
      c[DLV_COMPLETION_PERFORATED_INTERVAL + L] = r.uniform(5.0, 60.0);
      c[DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH + L] = r.uniform(0.5, 3.0);
      c[DLV_COMPLETION_PERFORATION_LENGTH + L] = r.uniform(3.0, 20.0);
    }
  }

  // The traverse coupling: a reference depth among the layer depths.
  if (r.chance(0.15)) well[DLV_WELL_RECORD_REFERENCE_DEPTH] = r.uniform(2000.0, 12000.0);
  w.b[kSeparator][DLV_SEPARATOR_PRESSURE] = r.uniform(50.0, 200.0);
  w.b[kSeparator][DLV_SEPARATOR_TEMPERATURE] = r.uniform(60.0, 120.0);
}

// FNV-1a over bytes.
std::uint64_t fnv(const void* data, std::size_t n, std::uint64_t h = 14695981039346656037ULL) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ULL;
  return h;
}

std::string read_file(const std::string& path) {
  std::string s;
  if (FILE* fp = std::fopen(path.c_str(), "rb")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0) s.append(buf, n);
    std::fclose(fp);
  }
  return s;
}

}  // namespace

// Compares two dumps of one call: the return value, the mode, every block
// slot by slot, then the log files.
int compare_dumps(const std::string& a, const std::string& b) {
  const std::string x = read_file(a);
  const std::string y = read_file(b);
  std::size_t at = 0;
  auto same = [&](std::size_t n) {
    const bool eq = x.size() >= at + n && y.size() >= at + n && x.compare(at, n, y, at, n) == 0;
    at += n;
    return eq;
  };
  if (!same(4)) return std::printf("return value differs\n"), 1;
  if (!same(4)) return std::printf("calc_mode differs\n"), 1;
  for (int k = 0; k < kBlockCount; ++k) {
    for (std::size_t s = 0; s < kBlocks[k].slots; ++s) {
      const std::size_t here = at;
      if (same(8)) continue;
      double u = 0.0, v = 0.0;
      if (x.size() >= here + 8) std::memcpy(&u, x.data() + here, 8);
      if (y.size() >= here + 8) std::memcpy(&v, y.data() + here, 8);
      std::printf("%s slot %zu (%s): %.17g vs %.17g\n", kBlocks[k].name, s,
                  field_name(k, s).c_str(), u, v);
      return 1;
    }
  }
  if (x.compare(at, std::string::npos, y, at, std::string::npos) != 0) {
    std::printf("log file differs:\n--- earlier build\n%s\n--- this build\n%s\n",
                x.substr(at).c_str(), y.substr(at).c_str());
    return 1;
  }
  std::printf("no difference\n");
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "compare") return compare_dumps(argv[2], argv[3]);
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s LIB SEED CALLS digest | dump N FILE\n", argv[0]);
    return 2;
  }
  void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (lib == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", argv[1], dlerror());
    return 2;
  }
  auto cal = reinterpret_cast<DlvCal>(dlsym(lib, "dlv_cal"));
  if (cal == nullptr) {
    std::fprintf(stderr, "no dlv_cal in %s\n", argv[1]);
    return 2;
  }
  Random r{std::strtoull(argv[2], nullptr, 10)};
  const long calls = std::strtol(argv[3], nullptr, 10);
  const std::string action = argv[4];
  const long dump_call = action == "dump" && argc >= 7 ? std::strtol(argv[5], nullptr, 10) : -1;
  const std::string log_path = "/tmp/dlv_identity_" + std::to_string(getpid()) + ".log";

  Blocks w;
  std::uint64_t total = 14695981039346656037ULL;
  for (long call = 0; call < calls; ++call) {
    // Repeated calls of the same well keep the blocks as the last call left
    // them; a few change the pressure flag or the mode in between.
    if (call == 0 || !r.chance(0.25)) {
      new_well(r, w);
    } else if (r.chance(0.2)) {
      w.changed_pressure_flag ^= 1;
    }
    const bool with_log = r.chance(0.7);
    std::remove(log_path.c_str());
    const std::int32_t rc =
        cal(w.b[kLayerFluids].data(), w.b[kFluidTables].data(), w.b[kSeparator].data(),
            w.b[kLayerCurves].data(), w.b[kWellRecord].data(), &w.mode, w.b[kCompletion].data(),
            w.b[kCompletionCurves].data(), w.b[kTraverseCurves].data(), w.b[kTraverse].data(),
            w.b[kSummary].data(), w.b[kResults].data(), w.changed_pressure_flag,
            with_log ? log_path.c_str() : "");
    const std::string log = read_file(log_path);

    if (call == dump_call) {
      FILE* out = std::fopen(argv[6], "wb");
      if (out == nullptr) return 2;
      std::fwrite(&rc, sizeof rc, 1, out);
      std::fwrite(&w.mode, sizeof w.mode, 1, out);
      for (int k = 0; k < kBlockCount; ++k) std::fwrite(w.b[k].data(), 8, w.b[k].size(), out);
      std::fwrite(log.data(), 1, log.size(), out);
      std::fclose(out);
      break;
    }
    if (action == "digest") {
      std::printf("%ld rc=%d mode=%d", call, rc, w.mode);
      std::uint64_t line = fnv(&rc, sizeof rc);
      for (int k = 0; k < kBlockCount; ++k) {
        const std::uint64_t h = fnv(w.b[k].data(), 8 * w.b[k].size());
        std::printf(" %s=%016llx", kBlocks[k].name, static_cast<unsigned long long>(h));
        line = fnv(&h, sizeof h, line);
      }
      const std::uint64_t hl = fnv(log.data(), log.size());
      std::printf(" log=%016llx\n", static_cast<unsigned long long>(hl));
      line = fnv(&hl, sizeof hl, line);
      total = fnv(&line, sizeof line, total);
    }
  }
  std::remove(log_path.c_str());
  if (action == "digest") {
    std::fprintf(stderr, "%ld calls, digest %016llx\n", calls,
                 static_cast<unsigned long long>(total));
  }
  return 0;
}
