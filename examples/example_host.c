/* Example host: loads the DLV shared library as a production engineer's
 * application would, computes quick curves and a set of full well
 * calculations, and prints the results as tables. */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "dlv/dlv.h"

#ifndef DLV_LIBRARY_PATH
#define DLV_LIBRARY_PATH "libDLV.so"
#endif

typedef double (*vogel_fn)(double*, double*, double*, double*);
typedef double (*pi_fn)(double*, double*);
typedef double (*copy_fn)(double*, double*);
typedef int32_t (*cal_fn)(double*, double*, double*, double*, double*, int32_t*, double*, double*,
                          double*, double*, double*, double*, int32_t, const char*);

/* Blocks of one well, sized as the library documents them. */
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

/* Resolves an export into a function pointer (ISO C keeps object and
 * function pointers apart, so the address is copied bytewise). */
static void load(void* lib, const char* name, void* fn, size_t size) {
  void* address = dlsym(lib, name);
  memcpy(fn, &address, size);
}

static void put_i32(double* block, size_t byte, int32_t v) {
  memcpy((unsigned char*)block + byte, &v, sizeof v);
}
static void put_u8(double* block, size_t byte, uint8_t v) {
  memcpy((unsigned char*)block + byte, &v, sizeof v);
}

static Well* new_well(int32_t mode, int32_t layers) {
  Well* w = calloc(1, sizeof *w);
  if (!w) exit(1);
  w->mode = mode;
  put_i32(w->well, 16, layers); /* layer_count */
  w->separator[0] = 100.0;
  w->separator[1] = 80.0;
  put_i32(w->fluids, 0, 1); /* fluid_type: correlations */
  for (int L = 0; L < layers; ++L) {
    w->fluids[25 + L] = 35.0;   /* API gravity */
    w->fluids[75 + L] = 0.2;    /* water cut */
    w->fluids[175 + L] = 1.05;  /* water SG */
    w->fluids[225 + L] = 0.7;   /* gas SG */
    w->fluids[325 + L] = 500.0; /* producing GOR */
    w->well[3 + L] = 180.0;     /* temperature */
    w->well[53 + L] = 50.0;     /* permeability */
    w->well[103 + L] = 30.0;    /* thickness */
    w->well[153 + L] = 1000.0;  /* drainage radius */
    w->well[203 + L] = 0.354;   /* wellbore radius */
    w->well[303 + L] = 2400.0;  /* reservoir pressure */
  }
  return w;
}

static int32_t run(cal_fn cal, Well* w) {
  return cal(w->fluids, w->tables, w->separator, w->layer_curves, w->well, &w->mode, w->completion,
             w->completion_curves, w->traverse_curves, w->traverse, w->summary, w->results, 0,
             NULL);
}

static void print_summary(const char* title, const Well* w, int gas) {
  printf("\n%s\n", title);
  printf("%4s %14s %14s %14s %10s %12s %10s\n", "i", gas ? "rate Mscf/d" : "rate STB/d", "pwf psig",
         "drawdown", "water cut", gas ? "LGR/GOR" : "GOR", "water SG");
  for (int i = 0; i < 25; ++i)
    printf("%4d %14.3f %14.3f %14.3f %10.4f %12.3f %10.4f\n", i, w->summary[i], w->summary[25 + i],
           w->summary[50 + i], w->summary[75 + i], w->summary[100 + i], w->summary[125 + i]);
}

int main(void) {
  void* lib = dlopen(DLV_LIBRARY_PATH, RTLD_NOW);
  if (!lib) {
    fprintf(stderr, "cannot load %s: %s\n", DLV_LIBRARY_PATH, dlerror());
    return 1;
  }
  vogel_fn calc_vogel = NULL;
  pi_fn calc_pi = NULL;
  copy_fn get_arrays = NULL;
  cal_fn cal = NULL;
  load(lib, "dlvCalcVogel", &calc_vogel, sizeof calc_vogel);
  load(lib, "dlvCalcPI", &calc_pi, sizeof calc_pi);
  load(lib, "dlvGetResultRate_PrsArrays", &get_arrays, sizeof get_arrays);
  load(lib, "dlv_cal", &cal, sizeof cal);
  if (!calc_vogel || !calc_pi || !get_arrays || !cal) {
    fprintf(stderr, "missing export\n");
    return 1;
  }

  /* Quick entries: a Vogel curve and a productivity-index line. */
  double pr = 2400.0, q = 1000.0, pwf = 1800.0, pb = 1900.0, pi = 2.5;
  double vr[25], vp[25], lr[25], lp[25];
  double qmax = calc_vogel(&pr, &q, &pwf, &pb);
  get_arrays(vr, vp);
  double qmax_line = calc_pi(&pr, &pi);
  get_arrays(lr, lp);
  printf("Quick curves: Vogel (pr 2400, test 1000 STB/d at 1800 psig, pb 1900), PI line 2.5\n");
  printf("%4s %12s %12s   %12s %12s\n", "i", "Vogel pwf", "Vogel rate", "PI pwf", "PI rate");
  for (int i = 0; i < 25; ++i)
    printf("%4d %12.3f %12.3f   %12.3f %12.3f\n", i, vp[i], vr[i], lp[i], lr[i]);
  printf("maximum rates: Vogel %.3f STB/d, PI line %.3f STB/d\n", qmax, qmax_line);

  /* One-layer oil well, Vogel's method from one test. */
  Well* w = new_well(0, 1);
  put_i32(w->well, 0, 2); /* method_code 2: Vogel */
  put_i32(w->well, 407 * 8, 1);
  w->well[408] = 1000.0;
  w->well[508] = 1800.0;
  run(cal, w);
  print_summary("One-layer oil well, Vogel method (dlv_cal)", w, 0);
  free(w);

  /* Gas well: back-pressure equation fitted to a four-point flow-after-flow test. */
  w = new_well(1, 1);
  put_i32(w->well, 4, 1); /* gas_method 1: fit C and n */
  put_i32(w->well, 407 * 8, 4);
  const double rates[4] = {1200.0, 2100.0, 2800.0, 3300.0};
  const double pwfs[4] = {2200.0, 1950.0, 1700.0, 1450.0};
  for (int k = 0; k < 4; ++k) {
    w->well[408 + k] = rates[k];
    w->well[508 + k] = pwfs[k];
  }
  put_u8(w->well, 2007 * 8 + 4, 0);
  put_u8(w->well, 2007 * 8 + 5, 0);
  run(cal, w);
  printf("\nfitted back-pressure C = %.6g, n = %.6g\n", w->well[710], w->well[711]);
  print_summary("Gas well, back-pressure curve from a four-point test (dlv_cal)", w, 1);
  free(w);

  dlclose(lib);
  return 0;
}
