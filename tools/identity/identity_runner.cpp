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

namespace {

using DlvCal = std::int32_t (*)(double*, double*, double*, double*, double*, std::int32_t*, double*,
                                double*, double*, double*, double*, double*, std::int32_t,
                                const char*);

// Block sizes in slots, in argument order (the mode is a single int32).
struct BlockInfo {
  const char* name;
  std::size_t slots;
};
constexpr BlockInfo kBlocks[] = {
    {"layer_fluids", 1426},      {"fluid_tables", 5625},    {"separator_conditions", 2},
    {"layer_curves", 3750},      {"well_record", 2008},     {"completion_block", 402},
    {"completion_curves", 3750}, {"traverse_curves", 3750}, {"traverse_block", 1611},
    {"well_summary", 150},       {"layer_results", 250},
};
constexpr int kBlockCount = sizeof kBlocks / sizeof kBlocks[0];

// Field starts within the blocks, for naming a differing slot.
struct Field {
  int block;
  std::size_t slot;
  const char* name;
};
constexpr Field kFields[] = {
    {0, 0, "fluid_type"},
    {0, 25, "api_gravity"},
    {0, 75, "water_cut"},
    {0, 125, "liquid_yield"},
    {0, 175, "water_sg"},
    {0, 225, "gas_sg"},
    {0, 275, "oil_sg"},
    {0, 325, "producing_gor"},
    {0, 375, "oil_viscosity"},
    {0, 425, "water_viscosity"},
    {0, 475, "liquid_viscosity"},
    {0, 525, "gas_viscosity"},
    {0, 575, "oil_fvf"},
    {0, 625, "water_fvf"},
    {0, 675, "liquid_fvf"},
    {0, 725, "liquid_density"},
    {0, 775, "oil_fraction"},
    {0, 825, "bubble_point"},
    {0, 875, "bubble_point_given"},
    {0, 900, "solution_gor"},
    {0, 950, "total_compressibility"},
    {0, 1000, "gas_z_factor"},
    {0, 1050, "sample_set"},
    {0, 1075, "sample_key"},
    {0, 1125, "correlation codes"},
    {0, 1425, "viscosity_mixing_rule"},
    {3, 0, "rate"},
    {3, 1250, "pressure"},
    {3, 2500, "drawdown"},
    {4, 0, "method codes and counts"},
    {4, 3, "layer_temperature"},
    {4, 53, "permeability"},
    {4, 303, "reservoir_pressure"},
    {4, 353, "(unnamed)"},
    {4, 407, "test_count"},
    {4, 408, "test_rate"},
    {4, 508, "test_pressure"},
    {4, 608, "test_shutin_pressure"},
    {4, 708, "(unnamed)"},
    {4, 710, "backpressure_c, n, productivity_index, level fields"},
    {4, 722, "horizontal-well fields"},
    {4, 1247, "fractured-well fields"},
    {4, 1548, "injection fields"},
    {4, 1756, "layer_depth"},
    {4, 1906, "reference_depth"},
    {4, 1907, "rate-test rows"},
    {6, 0, "rate"},
    {6, 1250, "pressure"},
    {6, 2500, "drawdown"},
    {7, 0, "rate"},
    {7, 1250, "pressure"},
    {7, 2500, "drawdown"},
    {9, 0, "rate"},
    {9, 25, "pressure"},
    {9, 50, "drawdown"},
    {9, 75, "water_cut"},
    {9, 100, "gas_liquid"},
    {9, 125, "water_sg"},
    {10, 0, "result_status"},
    {10, 25, "flow_regime_flag"},
    {10, 50, "effective_radius_ratio"},
    {10, 100, "fracture_conductivity"},
    {10, 150, "dimensionless_time"},
    {10, 200, "result_bubble_point"},
};

std::string field_name(int block, std::size_t slot) {
  const Field* best = nullptr;
  for (const Field& f : kFields) {
    if (f.block == block && f.slot <= slot && (best == nullptr || f.slot >= best->slot)) best = &f;
  }
  if (best == nullptr) return "";
  std::string s = best->name;
  const std::size_t index = slot - best->slot;
  if (block == 3 || block == 6 || block == 7) {
    s += " of layer " + std::to_string(index / 25) + ", point " + std::to_string(index % 25);
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
  double* fluids() { return b[0].data(); }
  double* tables() { return b[1].data(); }
  double* well() { return b[4].data(); }
  double* completion() { return b[5].data(); }
  double* traverse() { return b[8].data(); }
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
  double* t = tables + 562 * k;
  const int nt = r.pick(1, 10);
  const int np = r.chance(0.1) ? r.pick(0, 1) : r.pick(2, 50);
  for (int i = 0; i < nt; ++i) t[i] = 60.0 + 40.0 * i;
  for (int j = 0; j < np; ++j) t[10 + j] = p_top * (j + 1) / np;
  for (int j = 0; j < np; ++j) {
    for (int i = 0; i < nt; ++i) {
      t[60 + j * 10 + i] = level * (1.0 + 0.3 * j / (np > 1 ? np - 1 : 1)) * (1.0 - 0.02 * i);
    }
  }
  put_i32(t, 560 * 8, nt);
  put_i32(t, 560 * 8 + 4, np);
}

void new_well(Random& r, Blocks& w) {
  w = Blocks{};
  double* f = w.fluids();
  double* well = w.well();
  w.mode = r.pick(0, 3);
  if (r.chance(0.02)) w.mode = r.chance(0.5) ? -1 : 4;
  w.changed_pressure_flag = r.chance(0.3) ? 1 : 0;

  const int layers = r.chance(0.4) ? 1 : r.pick(1, 50);
  std::int32_t count = layers;
  if (r.chance(0.03)) count = r.chance(0.5) ? 0 : r.pick(51, 60);
  put_i32(well, 0, r.pick(-1, 11));  // oil method
  put_i32(well, 4, r.pick(0, 7));    // gas method
  put_i32(well, 8, r.pick(0, 6));    // gas injection method
  put_i32(well, 12, r.pick(0, 3));   // water injection method
  put_i32(well, 16, count);
  put_i32(well, 20, r.pick(0, 2));  // deliverability test type

  const int type = r.chance(0.1) ? 0 : r.pick(1, 4);
  put_i32(f, 0, type);
  put_i32(f, 1425 * 8, r.pick(0, 2));
  const double base_pr = r.uniform(800.0, 5500.0);
  for (int L = 0; L < 50; ++L) {
    const bool used = L < layers;
    f[25 + L] = r.uniform(15.0, 45.0);
    f[75 + L] = r.chance(0.1) ? r.uniform(1.0, 90.0) : r.uniform(0.0, 0.95);
    f[125 + L] = r.uniform(0.0, 80.0);
    f[175 + L] = r.uniform(1.0, 1.1);
    f[225 + L] = r.chance(0.05) ? 0.0 : r.uniform(0.55, 1.1);
    f[325 + L] = r.uniform(50.0, 3000.0);
    f[825 + L] = r.chance(0.5) ? r.uniform(500.0, 4000.0) : 0.0;
    f[950 + L] = r.uniform(1e-6, 3e-5);
    f[1075 + L] = r.uniform(10.0, 40.0);
    put_i32(f, 875 * 8 + 4 * L, r.chance(0.2) ? 1 : 0);
    put_i32(f, 1050 * 8 + 4 * L, r.pick(0, 3));
    put_i32(f, 1125 * 8 + 4 * L, r.pick(0, 3));
    put_i32(f, 1150 * 8 + 4 * L, r.pick(0, 2));
    put_i32(f, 1175 * 8 + 4 * L, r.pick(0, 3));
    if (!used && r.chance(0.8)) continue;
    well[3 + L] = r.chance(0.05) && L > 0 ? 0.0 : r.uniform(80.0, 300.0);
    well[53 + L] = r.uniform(0.5, 300.0);
    well[103 + L] = r.uniform(5.0, 150.0);
    well[153 + L] = r.uniform(300.0, 3000.0);
    well[203 + L] = r.uniform(0.25, 0.5);
    well[253 + L] = r.uniform(-3.0, 15.0);
    well[303 + L] = base_pr * r.uniform(0.7, 1.3);
    well[722 + L] = r.uniform(1.0, 200.0);
    well[772 + L] = r.uniform(1.0, 50.0);
    well[822 + L] = r.uniform(20.0, 160.0);
    well[872 + L] = r.uniform(0.0, 200.0);
    well[972 + L] = r.uniform(1000.0, 4000.0);
    well[1022 + L] = r.uniform(200.0, 1000.0);
    well[1072 + L] = r.uniform(1000.0, 3000.0);
    well[1122 + L] = r.uniform(1.0, 50.0);
    well[1172 + L] = r.uniform(200.0, 2000.0);
    well[1247 + L] = r.uniform(20.0, 500.0);
    well[1297 + L] = r.uniform(0.05, 0.3);
    well[1347 + L] = r.uniform(1.0, 2000.0);
    well[1397 + L] = r.uniform(0.01, 0.5);
    well[1447 + L] = r.uniform(1000.0, 100000.0);
    well[1556 + L] = r.uniform(0.0, 2.0) * well[303 + L];
    well[1606 + L] = r.uniform(100.0, 20000.0);
    well[1656 + L] = r.uniform(-1.0, 5.0);
    well[1756 + L] = r.uniform(3000.0, 12000.0);
  }

  // Tests: rates and flowing pressures below the reservoir pressure.
  const int tests = r.pick(1, 6);
  put_i32(well, 407 * 8, tests);
  const double pr0 = well[303];
  const double cn = r.uniform(0.001, 0.05);
  const double n = r.uniform(0.5, 1.0);
  for (int k = 0; k < tests; ++k) {
    const double p = pr0 * (0.95 - 0.12 * k) * r.uniform(0.97, 1.0);
    well[508 + k] = r.chance(0.03) ? pr0 : p;
    well[608 + k] = r.chance(0.3) ? pr0 * r.uniform(0.98, 1.02) : 0.0;
    well[408 + k] = w.mode == 1 ? cn * std::pow(pr0 * pr0 - p * p, n) : r.uniform(100.0, 3000.0);
  }
  well[710] = r.chance(0.5) ? cn : 0.0;
  well[711] = r.chance(0.5) ? n : 0.0;
  put_byte(well, 2007 * 8 + 4, r.chance(0.3) ? 1 : 0);
  put_byte(well, 2007 * 8 + 5, r.chance(0.3) ? 1 : 0);
  well[712] = r.uniform(0.1, 10.0);
  well[713] = r.uniform(0.3, 0.45);
  well[714] = r.uniform(0.5, 1.5);
  well[715] = r.uniform(10.0, 200.0);
  well[717] = r.uniform(100.0, 1000.0);
  well[718] = r.uniform(1000.0, 2000.0);
  well[719] = r.uniform(1000.0, 5000.0);
  well[720] = r.uniform(2000.0, 7000.0);
  if (r.chance(0.1)) well[303] = 0.0;
  well[1497] = r.uniform(0.5, 2.0);
  well[1498] = r.uniform(0.0, 1e-3);
  for (int k = 0; k < 8; ++k) well[1548 + k] = r.uniform(0.01, 2.0) * (k % 2 ? 1.0 : 1000.0);
  // Rate-test rows: pressures falling, rates rising.
  const int rows = r.pick(0, 25);
  put_i32(well, 2007 * 8, rows);
  for (int k = 0; k < rows; ++k) {
    well[1907 + k] = pr0 * (1.0 - static_cast<double>(k) / 26.0);
    well[1932 + k] = 40.0 * k * r.uniform(0.9, 1.1);
    well[1957 + k] = 30.0 * k * r.uniform(0.9, 1.1);
    well[1982 + k] = 10.0 * k * r.uniform(0.9, 1.1);
  }

  // Host property tables (solution GOR, oil FVF, oil viscosity, z, gas viscosity).
  double* tables = w.tables();
  const int used_tables[] = {0, 1, 4, 6, 7};
  const double levels[] = {400.0, 1.2, 1.5, 0.85, 0.018};
  for (int i = 0; i < 5; ++i) {
    if (!r.chance(0.15)) continue;
    fill_table(r, tables, used_tables[i], levels[i], 2.0 * base_pr);
    put_i32(tables, 5620 * 8 + 4 * used_tables[i], 1);
  }

  // Completion.
  double* c = w.completion();
  if (r.chance(0.35)) {
    put_i32(c, 0, r.pick(1, 4));
    c[1] = r.uniform(0.5, 1.0);
    for (int L = 0; L < 50; ++L) {
      c[2 + L] = r.uniform(10000.0, 200000.0);
      c[52 + L] = r.uniform(5.0, 100.0);
      c[102 + L] = r.uniform(0.2, 1.0);
      c[152 + L] = r.uniform(1.0, 12.0);
      c[202 + L] = r.uniform(0.2, 0.7);
      c[252 + L] = r.uniform(5.0, 60.0);
      c[302 + L] = r.uniform(0.5, 3.0);
      c[352 + L] = r.uniform(3.0, 20.0);
    }
  }

  // The traverse coupling: a reference depth among the layer depths.
  if (r.chance(0.15)) well[1906] = r.uniform(2000.0, 12000.0);
  w.b[2][0] = r.uniform(50.0, 200.0);
  w.b[2][1] = r.uniform(60.0, 120.0);
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
        cal(w.b[0].data(), w.b[1].data(), w.b[2].data(), w.b[3].data(), w.b[4].data(), &w.mode,
            w.b[5].data(), w.b[6].data(), w.b[7].data(), w.b[8].data(), w.b[9].data(),
            w.b[10].data(), w.changed_pressure_flag, with_log ? log_path.c_str() : "");
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
