/* ABI host: loads the DLV library the way a host application does (dlopen on
 * Linux, LoadLibraryA on Windows), resolves every export by its plain name,
 * runs a fixed set of calculations and prints every result as text.
 *
 *   host <library> [cases]
 *
 * <library> is the path of libDLV.so or DLV.dll; [cases] is "all" (default)
 * or "dotnet" (only the calculations that the .NET host repeats). Log files
 * are written to the current directory. Output lines:
 *   value <key> <number>   a result, %.17g (nan, inf, -inf spelled out)
 *   text <key> |<string>|  a text result
 *   check <name> ok        an expectation that holds on every platform
 *   check <name> FAIL ...  one that does not
 * windows_check.sh compares the value and text lines of the Linux and the
 * Windows runs and counts the check lines. The floating-point cases run last:
 * they unmask exceptions, and a trap ends the process. */
#if defined(_WIN32)
#define __USE_MINGW_ANSI_STDIO 1
#include <float.h>
#include <windows.h>
#else
#define _GNU_SOURCE
#include <dlfcn.h>
#endif

#include <dirent.h>
#include <fenv.h>
#include <math.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "dlv/dlv.h"

typedef int32_t (*cal_fn)(double*, const double*, const double*, double*, double*, const int32_t*,
                          double*, double*, double*, double*, double*, double*, int32_t,
                          const char*);
typedef int32_t (*cal_csharp_fn)(double*, const double*, double*, const int32_t*, double*, double*,
                                 double*);
typedef double (*vogel_fn)(const double*, const double*, const double*, const double*);
typedef double (*pi_fn)(const double*, const double*);
typedef double (*arrays_fn)(double*, double*);
typedef double (*probe_fn)(const double*);
typedef int32_t (*interpol_fn)(const double*, const double*, int32_t, const double*, double*);
typedef void (*lsort2col_fn)(double*, double*, int32_t, int32_t);
typedef void (*liqvis_fn)(double, const double*, double, double, double, double*, double*, double*,
                          const int32_t*, int32_t*);
typedef void (*zfachy_fn)(const double*, const double*, const double*, double*);
typedef char* (*centerword_fn)(const char*, int32_t);

/* The pointer types above are the public header's declarations. */
#define SAME_TYPE(fn, type) _Static_assert(_Generic(&fn, type : 1, default : 0), #fn)
SAME_TYPE(dlv_cal, cal_fn);
SAME_TYPE(dlv_calCSharp, cal_csharp_fn);
SAME_TYPE(dlvCalcVogel, vogel_fn);
SAME_TYPE(dlvCalcPI, pi_fn);
SAME_TYPE(dlvGetResultRate_PrsArrays, arrays_fn);
SAME_TYPE(test64bitdlv, probe_fn);
SAME_TYPE(interpol, interpol_fn);
SAME_TYPE(lsort2col, lsort2col_fn);
SAME_TYPE(liqvis, liqvis_fn);
SAME_TYPE(zfachy, zfachy_fn);
SAME_TYPE(CenterWord, centerword_fn);

static struct {
  cal_fn cal;
  cal_csharp_fn cal_csharp;
  vogel_fn vogel;
  pi_fn pi;
  arrays_fn arrays;
  probe_fn probe;
  interpol_fn interpol;
  lsort2col_fn lsort2col;
  liqvis_fn liqvis;
  zfachy_fn zfachy;
  centerword_fn centerword;
} lib;

/* ---- output -------------------------------------------------------------- */

static int failures = 0;

static void value(const char* key, double v) {
  if (isnan(v))
    printf("value %s nan\n", key);
  else if (isinf(v))
    printf("value %s %s\n", key, v > 0 ? "inf" : "-inf");
  else
    printf("value %s %.17g\n", key, v);
}

static void valuef(double v, const char* fmt, ...) {
  char key[128];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(key, sizeof key, fmt, ap);
  va_end(ap);
  value(key, v);
}

static void values(const char* prefix, const double* v, int n) {
  for (int i = 0; i < n; ++i) valuef(v[i], "%s[%d]", prefix, i);
}

static void check(const char* name, int ok, const char* fmt, ...) {
  if (ok) {
    printf("check %s ok\n", name);
    return;
  }
  ++failures;
  printf("check %s FAIL ", name);
  va_list ap;
  va_start(ap, fmt);
  vprintf(fmt, ap);
  va_end(ap);
  printf("\n");
}

/* A case that cannot run because an export is missing fails loudly. */
static int needs(const char* name, int present, const char* export_name) {
  if (!present) check(name, 0, "export %s is missing", export_name);
  return present;
}

/* ---- loading ------------------------------------------------------------- */

#if defined(_WIN32)
static HMODULE handle;
static int open_library(const char* path) {
  handle = LoadLibraryA(path);
  if (!handle) printf("# LoadLibraryA(%s) failed, error %lu\n", path, GetLastError());
  return handle != NULL;
}
static void* find(const char* name) {
  FARPROC p = GetProcAddress(handle, name);
  void* v;
  memcpy(&v, &p, sizeof v);
  return v;
}
#else
static void* handle;
static int open_library(const char* path) {
  handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!handle) printf("# dlopen(%s) failed: %s\n", path, dlerror());
  return handle != NULL;
}
static void* find(const char* name) { return dlsym(handle, name); }
#endif

/* ISO C keeps object and function pointers apart: copy the address bytewise. */
static void resolve(const char* name, void* fn, size_t size) {
  void* address = find(name);
  memcpy(fn, &address, size);
  check(name, address != NULL, "not exported under this name");
}

static void resolve_all(void) {
  resolve("dlv_cal", &lib.cal, sizeof lib.cal);
  resolve("dlv_calCSharp", &lib.cal_csharp, sizeof lib.cal_csharp);
  resolve("dlvCalcVogel", &lib.vogel, sizeof lib.vogel);
  resolve("dlvCalcPI", &lib.pi, sizeof lib.pi);
  resolve("dlvGetResultRate_PrsArrays", &lib.arrays, sizeof lib.arrays);
  resolve("test64bitdlv", &lib.probe, sizeof lib.probe);
  resolve("interpol", &lib.interpol, sizeof lib.interpol);
  resolve("lsort2col", &lib.lsort2col, sizeof lib.lsort2col);
  resolve("liqvis", &lib.liqvis, sizeof lib.liqvis);
  resolve("zfachy", &lib.zfachy, sizeof lib.zfachy);
  resolve("CenterWord", &lib.centerword, sizeof lib.centerword);
}

/* ---- files --------------------------------------------------------------- */

static long read_file(const char* path, char* buf, long cap) {
  FILE* f = fopen(path, "rb");
  if (!f) return -1;
  long n = (long)fread(buf, 1, (size_t)cap, f);
  fclose(f);
  return n;
}

static void write_file(const char* path, const char* text) {
  FILE* f = fopen(path, "wb");
  if (!f) return;
  fputs(text, f);
  fclose(f);
}

static int count_directory_entries(void) {
  DIR* d = opendir(".");
  if (!d) return -1;
  int n = 0;
  while (readdir(d)) ++n;
  closedir(d);
  return n;
}

/* Every line of the log ends in "\r\n" and the text does not end mid-line. */
static int crlf_lines_only(const char* text, long n) {
  for (long i = 0; i < n; ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return 0;
    if (text[i] == '\r' && (i + 1 >= n || text[i + 1] != '\n')) return 0;
  }
  return n == 0 || text[n - 1] == '\n';
}

/* ---- blocks of one dlv_cal call -------------------------------------------- */

typedef struct {
  double fluids[1426];
  double tables[45000 / 8];
  double separator[2];
  double layer_curves[3750];
  double well[2008];
  int32_t mode;
  double completion[402];
  double completion_curves[3750];
  double traverse_curves[3750];
  double traverse[12888 / 8];
  double summary[150];
  double results[250];
} Well;

static void put_i32(double* block, size_t byte, int32_t v) {
  memcpy((unsigned char*)block + byte, &v, sizeof v);
}
static void put_u8(double* block, size_t byte, uint8_t v) {
  memcpy((unsigned char*)block + byte, &v, sizeof v);
}

/* A plain well of `layers` layers with correlation fluids. */
static Well* new_well(int32_t mode, int32_t layers) {
  Well* w = calloc(1, sizeof *w);
  if (!w) exit(2);
  w->mode = mode;
  put_i32(w->well, 16, layers); /* layer_count */
  put_i32(w->fluids, 0, 1);     /* fluid_type: correlations */
  w->separator[0] = 100.0;
  w->separator[1] = 80.0;
  for (int L = 0; L < layers; ++L) {
    w->fluids[25 + L] = 35.0 - 3.0 * L;  /* API gravity */
    w->fluids[75 + L] = 0.2;             /* water cut */
    w->fluids[175 + L] = 1.05;           /* water SG */
    w->fluids[225 + L] = 0.7;            /* gas SG */
    w->fluids[325 + L] = 500.0;          /* producing GOR */
    w->well[3 + L] = 180.0 + 5.0 * L;    /* temperature */
    w->well[53 + L] = 50.0;              /* permeability */
    w->well[103 + L] = 30.0 + 10.0 * L;  /* thickness */
    w->well[153 + L] = 1000.0;           /* drainage radius */
    w->well[203 + L] = 0.354;            /* wellbore radius */
    w->well[303 + L] = 2400.0 + 150 * L; /* reservoir pressure */
  }
  return w;
}

static void oil_vogel_inputs(Well* w) {
  put_i32(w->well, 0, 2);       /* method_code 2: Vogel */
  put_i32(w->well, 407 * 8, 1); /* test_count */
  w->well[408] = 1000.0;
  w->well[508] = 1800.0;
}

static void gas_backpressure_inputs(Well* w) {
  static const double rates[4] = {1200.0, 2100.0, 2800.0, 3300.0};
  static const double pwfs[4] = {2200.0, 1950.0, 1700.0, 1450.0};
  put_i32(w->well, 4, 1); /* gas_method 1: back-pressure fit */
  put_i32(w->well, 407 * 8, 4);
  for (int k = 0; k < 4; ++k) {
    w->well[408 + k] = rates[k];
    w->well[508 + k] = pwfs[k];
  }
  put_u8(w->well, 2007 * 8 + 4, 0); /* C fitted */
  put_u8(w->well, 2007 * 8 + 5, 0); /* n fitted */
}

static int32_t run(Well* w, int32_t changed, const char* log_path) {
  return lib.cal(w->fluids, w->tables, w->separator, w->layer_curves, w->well, &w->mode,
                 w->completion, w->completion_curves, w->traverse_curves, w->traverse, w->summary,
                 w->results, changed, log_path);
}

static void print_well(const char* name, const Well* w, int layers) {
  char prefix[96];
  static const char* tables[3] = {"rate", "pressure", "drawdown"};
  snprintf(prefix, sizeof prefix, "%s.summary", name);
  values(prefix, w->summary, 150);
  for (int t = 0; t < 3; ++t)
    for (int L = 0; L < layers; ++L) {
      snprintf(prefix, sizeof prefix, "%s.layer_%s%d", name, tables[t], L);
      values(prefix, w->layer_curves + 1250 * t + 25 * L, 25);
      snprintf(prefix, sizeof prefix, "%s.completion_%s%d", name, tables[t], L);
      values(prefix, w->completion_curves + 1250 * t + 25 * L, 25);
      snprintf(prefix, sizeof prefix, "%s.traverse_%s%d", name, tables[t], L);
      values(prefix, w->traverse_curves + 1250 * t + 25 * L, 25);
    }
  snprintf(prefix, sizeof prefix, "%s.results", name);
  values(prefix, w->results, 250);
  snprintf(prefix, sizeof prefix, "%s.fluids", name);
  values(prefix, w->fluids, 1426);
  snprintf(prefix, sizeof prefix, "%s.well", name);
  values(prefix, w->well, 2008);
}

static int any_nan(const double* v, int n) {
  for (int i = 0; i < n; ++i)
    if (isnan(v[i])) return 1;
  return 0;
}

/* ---- cases --------------------------------------------------------------- */

static void probe_cases(void) {
  if (!needs("probe", lib.probe != NULL, "test64bitdlv")) return;
  double x = 1.5;
  double r = lib.probe(&x);
  check("probe.times64", r == 96.0 && x == 1.5, "test64bitdlv(1.5) = %.17g", r);
  x = -0.1;
  value("probe.minus_tenth", lib.probe(&x));
}

static void quick_cases(void) {
  if (!needs("quick", lib.vogel && lib.pi && lib.arrays, "dlvCalcVogel/dlvCalcPI/arrays")) return;
  double rates[25], pressures[25];
  for (int i = 0; i < 25; ++i) rates[i] = pressures[i] = -1.0;
  double n = lib.arrays(rates, pressures);
  int zeros = 1;
  for (int i = 0; i < 25; ++i) zeros = zeros && rates[i] == 0.0 && pressures[i] == 0.0;
  check("quick.arrays_start_zero", n == 25.0 && zeros, "returned %.17g", n);

  double pr = 2400.0, q = 1000.0, pwf = 1800.0, pb = 1900.0;
  double qmax = lib.vogel(&pr, &q, &pwf, &pb);
  n = lib.arrays(rates, pressures);
  value("quick.vogel.qmax", qmax);
  values("quick.vogel.rates", rates, 25);
  values("quick.vogel.pressures", pressures, 25);
  check("quick.vogel.returns_rate_24", qmax == rates[24] && n == 25.0, "%.17g vs %.17g", qmax,
        rates[24]);
  check("quick.vogel.curve_shape",
        pressures[0] == 2400.0 && rates[0] == 0.0 && pressures[24] == 0.0, "ends %.17g %.17g %.17g",
        pressures[0], rates[0], pressures[24]);

  pr = 2000.0, q = 500.0, pwf = 1200.0, pb = 2500.0; /* saturated */
  qmax = lib.vogel(&pr, &q, &pwf, &pb);
  lib.arrays(rates, pressures);
  value("quick.vogel_saturated.qmax", qmax);
  values("quick.vogel_saturated.rates", rates, 25);
  values("quick.vogel_saturated.pressures", pressures, 25);
  check("quick.vogel_saturated.overwrites", pressures[0] == 2000.0 && qmax == rates[24],
        "pressure[0] %.17g", pressures[0]);

  double pi = 2.5;
  pr = 2400.0;
  qmax = lib.pi(&pr, &pi);
  lib.arrays(rates, pressures);
  value("quick.pi.qmax", qmax);
  values("quick.pi.rates", rates, 25);
  values("quick.pi.pressures", pressures, 25);
  check("quick.pi.straight_line", qmax == rates[24] && qmax == 6000.0 && pressures[0] == 2400.0,
        "qmax %.17g", qmax);
}

static void utility_cases(void) {
  if (needs("centerword", lib.centerword != NULL, "CenterWord")) {
    const char* r = lib.centerword("ab", 10);
    check("centerword.pads", r && strcmp(r, "   ab") == 0, "|%s|", r ? r : "(null)");
    r = lib.centerword("abc", 4);
    check("centerword.no_pad", r && strcmp(r, "abc") == 0, "|%s|", r ? r : "(null)");
    r = lib.centerword("Rate", 40); /* a padded result longer than the buffer */
    check("centerword.long_fits", r && strlen(r) <= 11, "length %zu", r ? strlen(r) : 0);
    if (r) printf("text centerword.long |%s|\n", r);
  }
  if (needs("interpol", lib.interpol != NULL, "interpol")) {
    double x[4] = {1, 2, 3, 4}, y[4] = {1, 8, 27, 64}, xq = 2.5, yq = -1;
    int32_t k = lib.interpol(x, y, 4, &xq, &yq);
    check("interpol.quadratic", k == 1 && yq == 16.0, "%d %.17g", k, yq);
    xq = 3.0;
    k = lib.interpol(x, y, 4, &xq, &yq);
    check("interpol.exact_hit", k == 1 && yq == 27.0, "%d %.17g", k, yq);
    yq = -7.0;
    k = lib.interpol(x, y, 2, &xq, &yq);
    check("interpol.two_points", k == 0 && yq == -7.0, "%d %.17g", k, yq);
    double fx[5] = {2400, 1800, 1200, 600, 0}, fy[5] = {0, 700, 1300, 1700, 1900};
    xq = 1000.0;
    lib.interpol(fx, fy, 5, &xq, &yq);
    value("interpol.falling", yq);
    xq = 3000.0;
    lib.interpol(fx, fy, 5, &xq, &yq);
    value("interpol.before_start", yq);
  }
  if (needs("lsort2col", lib.lsort2col != NULL, "lsort2col")) {
    double keys[3] = {5, 5, 3}, vals[3] = {10, 20, 30};
    lib.lsort2col(keys, vals, 3, 0);
    check("lsort2col.ascending_ties",
          keys[0] == 3 && keys[1] == 5 && keys[2] == 5 * 1.00001 && vals[0] == 30 &&
              vals[1] == 20 && vals[2] == 10,
          "%g %g %.17g / %g %g %g", keys[0], keys[1], keys[2], vals[0], vals[1], vals[2]);
    double k2[4] = {1, 4, 2, 3}, v2[4] = {1, 2, 3, 4};
    lib.lsort2col(k2, v2, 4, 1);
    check("lsort2col.descending", k2[0] == 4 && k2[3] == 1 && v2[0] == 2 && v2[1] == 4,
          "%g %g %g %g", k2[0], k2[1], k2[2], k2[3]);
  }
  if (needs("liqvis", lib.liqvis != NULL, "liqvis")) {
    double api = 35.0, mod = -1, mo = -1, mw = -1;
    int32_t code = 0, ierr = -1;
    lib.liqvis(180.0, &api, 500.0, 3014.7, 2014.7, &mod, &mo, &mw, &code, &ierr);
    check("liqvis.beggs_robinson",
          ierr == 0 && mod > mo && mo > 0.2 && mo < 2.0 && mw > 0.2 && mw < 0.5,
          "ierr %d mod %.17g mo %.17g mw %.17g", ierr, mod, mo, mw);
    value("liqvis.dead", mod);
    value("liqvis.oil", mo);
    value("liqvis.water", mw);
    code = 1;
    lib.liqvis(180.0, &api, 500.0, 3014.7, 2014.7, &mod, &mo, &mw, &code, &ierr);
    value("liqvis.glaso_dead", mod);
    value("liqvis.glaso_oil", mo);
    mod = mo = mw = -1;
    code = 0;
    lib.liqvis(600.0, &api, 500.0, 3014.7, 2014.7, &mod, &mo, &mw, &code, &ierr);
    check("liqvis.hot_rejected", ierr == 1 && mod == -1 && mo == -1 && mw > 0 && mw != -1,
          "ierr %d mod %.17g mo %.17g mw %.17g", ierr, mod, mo, mw);
    value("liqvis.hot_water", mw);
  }
  if (needs("zfachy", lib.zfachy != NULL, "zfachy")) {
    /* Tpr about 1.64 and ppr about 3.0 for a 0.7 gas: z near 0.85 on the
     * Standing-Katz chart. */
    double t = 180.0, p = 2000.0, sg = 0.7, z = -1.0;
    lib.zfachy(&t, &p, &sg, &z);
    check("zfachy.chart", z > 0.8 && z < 0.9 && t == 180.0 && p == 2000.0 && sg == 0.7, "z %.17g",
          z);
    value("zfachy.z", z);
    p = 14.7;
    lib.zfachy(&t, &p, &sg, &z);
    check("zfachy.near_ideal", fabs(z - 1.0) < 0.01, "z %.17g", z);
  }
}

/* A pre-filled log: the library's messages must follow the host's text. */
static const char host_text[] = "Host log, written before the run\r\n";

static void log_checks(const char* name, const char* path, int expect_messages) {
  static char text[65536];
  long n = read_file(path, text, (long)sizeof text - 1);
  size_t prefix = strlen(host_text);
  char check_name[96];
  snprintf(check_name, sizeof check_name, "%s.log_appended", name);
  check(check_name, n >= (long)prefix && memcmp(text, host_text, prefix) == 0,
        "log %s: %ld bytes, host text not at its start", path, n);
  if (n < (long)prefix) return;
  text[n] = '\0';
  snprintf(check_name, sizeof check_name, "%s.log_crlf", name);
  check(check_name, crlf_lines_only(text, n), "a line of %s does not end in \\r\\n", path);
  if (expect_messages) {
    snprintf(check_name, sizeof check_name, "%s.log_messages", name);
    check(check_name, n > (long)prefix, "no message appended to %s", path);
  }
}

static void cal_cases(void) {
  if (!needs("dlv_cal", lib.cal != NULL, "dlv_cal")) return;

  /* One-layer oil well, Vogel's method, log file that already holds text. */
  write_file("oil_vogel.log", host_text);
  Well* w = new_well(0, 1);
  oil_vogel_inputs(w);
  check("oil_vogel.returns_1", run(w, 0, "oil_vogel.log") == 1, "");
  print_well("oil_vogel", w, 1);
  check("oil_vogel.curve",
        w->summary[25] == 2400.0 && w->summary[49] == 0.0 && w->summary[24] > 1000.0 &&
            w->summary[0] == 0.0,
        "summary ends %.17g %.17g", w->summary[25], w->summary[24]);
  log_checks("oil_vogel", "oil_vogel.log", 0);
  free(w);

  /* Gas well, back-pressure equation fitted to a four-point test. */
  w = new_well(1, 1);
  gas_backpressure_inputs(w);
  remove("gas_backpressure.log");
  check("gas_backpressure.returns_1", run(w, 0, "gas_backpressure.log") == 1, "");
  print_well("gas_backpressure", w, 1);
  check("gas_backpressure.fit", w->well[711] > 0.5 && w->well[711] <= 1.0 && w->well[710] > 0.0,
        "C %.17g n %.17g", w->well[710], w->well[711]);
  free(w);

  /* Water injection from a rate-test table. */
  w = new_well(2, 1);
  put_i32(w->well, 12, 2); /* water_injection_method 2: rate test */
  w->well[303] = 2000.0;
  static const double inj_p[4] = {2000.0, 2400.0, 2800.0, 3300.0};
  static const double inj_q[4] = {0.0, 500.0, 1100.0, 1800.0};
  for (int i = 0; i < 4; ++i) {
    w->well[1907 + i] = inj_p[i];
    w->well[1982 + i] = inj_q[i];
  }
  put_i32(w->well, 2007 * 8, 4);
  remove("water_ratetest.log");
  check("water_ratetest.returns_1", run(w, 0, "water_ratetest.log") == 1, "");
  print_well("water_ratetest", w, 1);
  check("water_ratetest.far_end", w->summary[49] == 6000.0 && w->summary[25] == 2000.0,
        "pressures %.17g .. %.17g", w->summary[25], w->summary[49]);
  free(w);

  /* Out-of-range fluid inputs, run twice on one log: each run appends the
   * same messages after what the file already holds. */
  static char first[65536], second[65536];
  write_file("bad_fluids.log", host_text);
  for (int pass = 0; pass < 2; ++pass) {
    w = new_well(0, 1);
    put_i32(w->well, 0, 6); /* method_code 6: PI line */
    w->well[712] = 2.0;
    w->well[3] = 600.0;    /* beyond the viscosity correlation */
    w->fluids[25] = 85.0;  /* API gravity out of range */
    w->fluids[75] = 35.0;  /* a percentage */
    w->fluids[225] = 0.45; /* light gas */
    check(pass ? "bad_fluids.second_run" : "bad_fluids.returns_1", run(w, 0, "bad_fluids.log") == 1,
          "");
    if (pass == 0) {
      print_well("bad_fluids", w, 1);
      check("bad_fluids.percent_cut", w->fluids[75] == 0.35, "water cut %.17g", w->fluids[75]);
    }
    free(w);
    long n = read_file("bad_fluids.log", pass ? second : first, (long)sizeof first - 1);
    if (n >= 0) (pass ? second : first)[n] = '\0';
  }
  log_checks("bad_fluids", "bad_fluids.log", 1);
  {
    size_t prefix = strlen(host_text), one = strlen(first) - prefix;
    check("bad_fluids.log_second_run_appends",
          strlen(second) == prefix + 2 * one &&
              memcmp(second + prefix + one, first + prefix, one) == 0,
          "first run %zu bytes, after the second %zu", strlen(first), strlen(second));
    check("bad_fluids.temperature_message",
          strstr(first, ":Temperature out of range in liqvis()\r\n") != NULL, "message missing");
    check("bad_fluids.api_message",
          strstr(first, ": Illegal input value for (API gravity) in liqvis()\r\n") != NULL,
          "message missing");
  }

  /* A null and an empty log path write no file. */
  int before = count_directory_entries();
  w = new_well(0, 1);
  w->well[3] = 600.0;
  oil_vogel_inputs(w);
  run(w, 0, NULL);
  run(w, 0, "");
  free(w);
  check("no_log.nothing_written", count_directory_entries() == before, "%d entries, before %d",
        count_directory_entries(), before);

  /* Two layers: composite curve without and with the traverse coupling. */
  w = new_well(0, 2);
  put_i32(w->well, 0, 0); /* method_code 0: Darcy and non-Darcy, per layer */
  remove("two_layer.log");
  check("two_layer.returns_1", run(w, 0, "two_layer.log") == 1, "");
  print_well("two_layer", w, 2);
  free(w);

  w = new_well(0, 2);
  put_i32(w->well, 0, 0);
  w->well[1756] = 8000.0; /* layer depths */
  w->well[1757] = 8400.0;
  w->well[1906] = 8000.0; /* reference depth */
  remove("two_layer_traverse.log");
  check("two_layer_traverse.returns_1", run(w, 0, "two_layer_traverse.log") == 1, "");
  print_well("two_layer_traverse", w, 2);
  free(w);

  /* Two gas layers: Darcy and non-Darcy gas curves and the composite gas
   * curve. */
  w = new_well(1, 2);
  put_i32(w->well, 4, 0);                 /* gas_method 0 */
  w->fluids[125] = w->fluids[126] = 20.0; /* liquid yield */
  check("two_layer_gas.returns_1", run(w, 0, NULL) == 1, "");
  print_well("two_layer_gas", w, 2);
  free(w);

  /* Oil well with perforations in a crushed zone: the completion stage. */
  w = new_well(0, 1);
  put_i32(w->well, 0, 0);
  put_i32(w->completion, 0, 2); /* completion_model 2 */
  w->completion[1] = 1.0;       /* shot density factor */
  w->completion[52] = 20.0;     /* crushed-zone permeability, md */
  w->completion[102] = 0.5;     /* crushed-zone thickness, in */
  w->completion[152] = 4.0;     /* shots per foot */
  w->completion[202] = 0.4;     /* perforation diameter, in */
  w->completion[252] = 20.0;    /* perforated interval, ft */
  w->completion[352] = 10.0;    /* perforation length, in */
  check("completion.returns_1", run(w, 0, NULL) == 1, "");
  print_well("completion", w, 1);
  values("completion.block", w->completion, 402);
  free(w);

  /* Two water-injection layers with the skin model, corrected over their
   * tubing depths through the traverse library. */
  w = new_well(2, 2);
  put_i32(w->well, 12, 0); /* water_injection_method 0: skin */
  for (int L = 0; L < 2; ++L) {
    w->well[1556 + L] = 3200.0;           /* break pressure */
    w->well[1606 + L] = 4000.0;           /* maximum injection rate */
    w->well[1656 + L] = 2.0;              /* second skin */
    w->well[1706 + L] = 8000.0 + 400 * L; /* injection traverse depth */
  }
  check("water_injection_traverse.returns_1", run(w, 0, NULL) == 1, "");
  print_well("water_injection_traverse", w, 2);
  free(w);
}

/* The calculations that DotNetHost.cs repeats through dlv_calCSharp: no
 * fluid tables, changed_pressure_flag 0, no log. */
static void dotnet_cases(void) {
  if (needs("dotnet_quick", lib.vogel && lib.arrays, "dlvCalcVogel/arrays")) {
    double pr = 2400.0, q = 1000.0, pwf = 1800.0, pb = 1900.0, rates[25], pressures[25];
    value("dotnet_quick.qmax", lib.vogel(&pr, &q, &pwf, &pb));
    lib.arrays(rates, pressures);
    values("dotnet_quick.rates", rates, 25);
    values("dotnet_quick.pressures", pressures, 25);
  }
  if (!needs("dotnet_cases", lib.cal != NULL, "dlv_cal")) return;
  Well* w = new_well(0, 1);
  oil_vogel_inputs(w);
  run(w, 0, "");
  values("dotnet_vogel.summary", w->summary, 150);
  values("dotnet_vogel.fluids", w->fluids, 1426);
  values("dotnet_vogel.well", w->well, 2008);
  free(w);
  w = new_well(1, 1);
  gas_backpressure_inputs(w);
  run(w, 0, "");
  values("dotnet_gas.summary", w->summary, 150);
  values("dotnet_gas.fluids", w->fluids, 1426);
  values("dotnet_gas.well", w->well, 2008);
  free(w);
}

/* ---- floating-point environment ------------------------------------------ */

static unsigned read_mxcsr(void) {
  unsigned v;
  __asm__ __volatile__("stmxcsr %0" : "=m"(v));
  return v;
}
static unsigned read_x87_cw(void) {
  unsigned short v;
  __asm__ __volatile__("fnstcw %0" : "=m"(v));
  return v;
}
static unsigned read_x87_sw(void) {
  unsigned short v;
  __asm__ __volatile__("fnstsw %0" : "=m"(v));
  return v;
}
static void load_x87_cw(unsigned cw) {
  unsigned short v = (unsigned short)cw;
  __asm__ __volatile__("fldcw %0" : : "m"(v));
}
static void load_mxcsr(unsigned v) { __asm__ __volatile__("ldmxcsr %0" : : "m"(v)); }

typedef struct {
  unsigned mxcsr, x87_cw, x87_flags, controlfp;
} FpState;

static FpState fp_state(void) {
  FpState s = {read_mxcsr(), read_x87_cw(), read_x87_sw() & 0x3fu, 0};
#if defined(_WIN32)
  s.controlfp = _controlfp(0, 0);
#endif
  return s;
}

/* Unmask invalid, divide-by-zero and overflow on both units, then leave the
 * inexact flag raised as the caller's own. */
static void unmask_exceptions(void) {
  feclearexcept(FE_ALL_EXCEPT);
#if defined(_WIN32)
  _controlfp(_MCW_EM & ~(unsigned)(_EM_INVALID | _EM_ZERODIVIDE | _EM_OVERFLOW), _MCW_EM);
  load_x87_cw(read_x87_cw() & ~0x0du);
#else
  feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
#endif
  feraiseexcept(FE_INEXACT);
}

static void fp_compare(const char* name, FpState before, int result_ok, const char* what) {
  FpState after = fp_state();
  check(name,
        result_ok && after.mxcsr == before.mxcsr && after.x87_cw == before.x87_cw &&
            after.x87_flags == before.x87_flags && after.controlfp == before.controlfp,
        "%s; mxcsr %#x -> %#x, x87 cw %#x -> %#x, x87 flags %#x -> %#x, _controlfp %#x -> %#x",
        what, before.mxcsr, after.mxcsr, before.x87_cw, after.x87_cw, before.x87_flags,
        after.x87_flags, before.controlfp, after.controlfp);
}

/* Results that depend on the rounding mode, flush-to-zero and the x87
 * precision: viscosities (pow, exp, log10), z by Newton's method and, when
 * it is exported, a whole Vogel well. */
typedef struct {
  double viscosity[2][3], z[3];
  Well well;
} Sensitive;

static void sensitive_results(Sensitive* r) {
  memset(r, 0, sizeof *r);
  for (int32_t code = 0; code < 2; ++code) {
    double api = 31.7;
    int32_t ierr = 0;
    lib.liqvis(173.3, &api, 411.1, 3317.9, 2222.2, &r->viscosity[code][0], &r->viscosity[code][1],
               &r->viscosity[code][2], &code, &ierr);
  }
  double t = 171.1, sg = 0.6931, p[3] = {14.7, 1234.5, 4321.1};
  for (int k = 0; k < 3; ++k) lib.zfachy(&t, &p[k], &sg, &r->z[k]);
  if (lib.cal) {
    Well* w = new_well(0, 1);
    oil_vogel_inputs(w);
    run(w, 0, NULL);
    memcpy(&r->well, w, sizeof *w); /* padding included: w came zeroed from calloc */
    free(w);
  }
}

static void begin(const char* name) {
  printf("# begin %s\n", name);
  fflush(stdout);
}

static void fp_cases(void) {
  fenv_t host_env;
  fegetenv(&host_env);
  unmask_exceptions();
  FpState s = fp_state();
  int unmasked =
      (s.mxcsr & 0x0680u) == 0 && (s.x87_cw & 0x0du) == 0 && ((s.mxcsr | s.x87_flags) & 0x20u) != 0;
  fesetenv(&host_env);
  check("fp.unmasked_for_test", unmasked, "mxcsr %#x x87 cw %#x", s.mxcsr, s.x87_cw);

  if (lib.probe) {
    begin("fp.overflow");
    unmask_exceptions();
    s = fp_state();
    double big = 1e308;
    double r = lib.probe(&big);
    fp_compare("fp.overflow", s, isinf(r), "test64bitdlv(1e308) is not inf");
    fesetenv(&host_env);
  }
  if (needs("fp.vogel_nan", lib.vogel != NULL, "dlvCalcVogel")) {
    begin("fp.vogel_nan");
    unmask_exceptions();
    s = fp_state();
    double zero[4] = {0, 0, 0, 0};
    double r = lib.vogel(&zero[0], &zero[1], &zero[2], &zero[3]);
    fp_compare("fp.vogel_nan", s, isnan(r), "dlvCalcVogel(0, 0, 0, 0) is not NaN");
    fesetenv(&host_env);
  }
  if (needs("fp.liqvis_zero", lib.liqvis != NULL, "liqvis")) {
    begin("fp.liqvis_zero");
    unmask_exceptions();
    s = fp_state();
    double api = 35.0, mod = 0, mo = 0, mw = 0;
    int32_t code = 1, ierr = 0;
    lib.liqvis(0.0, &api, 500.0, 3000.0, 2000.0, &mod, &mo, &mw, &code, &ierr);
    fp_compare("fp.liqvis_zero", s, 1, "");
    fesetenv(&host_env);
  }
  if (lib.liqvis && lib.zfachy) {
    /* Rounding upward, flush-to-zero and denormals-are-zero on SSE, 53-bit
     * x87 precision: the library computes in its own environment, so the
     * results are those of the default environment, bit for bit. */
    static Sensitive reference, odd;
    sensitive_results(&reference);
    fesetround(FE_UPWARD);
    load_mxcsr(read_mxcsr() | 0x8040u);
    load_x87_cw((read_x87_cw() & ~0x0300u) | 0x0200u);
    s = fp_state();
    sensitive_results(&odd);
    fp_compare("fp.host_settings_ignored", s, memcmp(&reference, &odd, sizeof odd) == 0,
               "results differ from those in the default environment");
    fesetenv(&host_env);
  }
  if (needs("fp.dlv_cal_nan", lib.cal != NULL, "dlv_cal")) {
    begin("fp.dlv_cal_nan");
    Well* w = new_well(0, 1);
    oil_vogel_inputs(w);
    w->well[303] = 0.0; /* reservoir pressure 0: the water line divides 0 by 0 */
    w->well[508] = 0.0;
    unmask_exceptions();
    s = fp_state();
    int32_t r = run(w, 0, NULL);
    fp_compare("fp.dlv_cal_nan", s, r == 1 && any_nan(w->summary, 150),
               "dlv_cal did not return 1 with NaN in the summary");
    fesetenv(&host_env);
    free(w);
  }
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s <library> [all|dotnet]\n", argv[0]);
    return 2;
  }
  int dotnet_only = argc > 2 && strcmp(argv[2], "dotnet") == 0;
  setvbuf(stdout, NULL, _IOFBF, 1 << 16);
  if (!open_library(argv[1])) {
    check("load_library", 0, "%s", argv[1]);
    return 1;
  }
  check("load_library", 1, "");
  resolve_all();
  if (dotnet_only) {
    dotnet_cases();
  } else {
    probe_cases();
    quick_cases();
    utility_cases();
    cal_cases();
    dotnet_cases();
    fp_cases();
  }
  printf("# end, %d failed\n", failures);
  fflush(stdout);
  return failures ? 1 : 0;
}
