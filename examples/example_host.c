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

/* Sets the reservoir description of layer L: pressure psig, temperature
 * degF, permeability md, net thickness ft, drainage radius ft, skin. */
static void set_layer(Well* w, int L, double pr, double t, double k, double h, double re,
                      double skin) {
  w->well[303 + L] = pr;
  w->well[3 + L] = t;
  w->well[53 + L] = k;
  w->well[103 + L] = h;
  w->well[153 + L] = re;
  w->well[253 + L] = skin;
}

/* Sets the produced fluids of layer L: water cut (fraction of the liquid),
 * gas/oil ratio scf/STB and water specific gravity. */
static void set_fluids(Well* w, int L, double water_cut, double gor, double water_sg) {
  w->fluids[75 + L] = water_cut;
  w->fluids[325 + L] = gor;
  w->fluids[175 + L] = water_sg;
}

/* Sets the fluids of a gas layer: gas gravity, liquid yield bbl/MMscf, water
 * cut of that liquid and water gravity. The gas/oil ratio equivalent of the
 * yield goes into the GOR field, which the one-layer summary reports. */
static void set_gas(Well* w, int L, double gas_sg, double yield, double water_cut,
                    double water_sg) {
  w->fluids[225 + L] = gas_sg;
  w->fluids[125 + L] = yield;
  w->fluids[325 + L] = yield > 0.0 ? 1.0e6 / yield : 0.0;
  w->fluids[75 + L] = water_cut;
  w->fluids[175 + L] = water_sg;
}

/* Rate, pressure and third column (drawdown or completion loss) of layer L
 * of a curve block. */
static double curve_rate(const double* c, int L, int i) { return c[L * 25 + i]; }
static double curve_pressure(const double* c, int L, int i) { return c[1250 + L * 25 + i]; }
static double curve_third(const double* c, int L, int i) { return c[2500 + L * 25 + i]; }

/* Layer 0 before and after the completion loss, side by side. */
static void print_completion(const char* title, const Well* w, int gas) {
  const char* unit = gas ? "Mscf/d" : "STB/d";
  printf("\n%s\n", title);
  printf("%4s %14s %12s   %14s %12s %12s\n", "i", "sandface rate", "pwf psig", "well rate",
         "pwf psig", "loss psi");
  printf("%4s %14s %12s   %14s %12s %12s\n", "", unit, "", unit, "", "");
  for (int i = 0; i < 25; ++i)
    printf("%4d %14.3f %12.3f   %14.3f %12.3f %12.3f\n", i, curve_rate(w->layer_curves, 0, i),
           curve_pressure(w->layer_curves, 0, i), curve_rate(w->completion_curves, 0, i),
           curve_pressure(w->completion_curves, 0, i), curve_third(w->completion_curves, 0, i));
}

/* Composite curve of a multilayer well: the well's rate and the rate of each
 * layer on the common pressure grid (negative where a layer takes fluid),
 * then the fluid columns of the commingled stream. */
static void print_composite(const char* title, const Well* w, int layers, int gas) {
  printf("\n%s\n", title);
  printf("%4s %10s %12s", "i", "pwf psig", gas ? "well Mscf/d" : "well STB/d");
  for (int L = 0; L < layers; ++L) printf("   layer %d", L);
  printf(" %10s %12s %10s\n", "water cut", gas ? "LGR bbl/Mscf" : "GOR", "water SG");
  for (int i = 0; i < 25; ++i) {
    printf("%4d %10.3f %12.3f", i, w->summary[25 + i], w->summary[i]);
    for (int L = 0; L < layers; ++L) printf(" %9.2f", curve_rate(w->layer_curves, L, i));
    printf(" %10.4f %12.4f %10.4f\n", w->summary[75 + i], w->summary[100 + i], w->summary[125 + i]);
  }
}

/* Gas well from reservoir properties: Darcy flow plus the non-Darcy term
 * from the formation's turbulence coefficient, in pseudo-pressure. */
static void gas_from_reservoir(cal_fn cal) {
  Well* w = new_well(1, 1);
  put_i32(w->well, 4, 0); /* gas_method 0 */
  set_layer(w, 0, 3000.0, 200.0, 5.0, 40.0, 1490.0, 2.0);
  set_gas(w, 0, 0.65, 15.0, 0.3, 1.04);
  run(cal, w);
  printf("\nz-factor %.4f, gas viscosity %.5f cp at reservoir conditions\n", w->fluids[1000],
         w->fluids[525]);
  print_summary(
      "Gas well from reservoir properties (pr 3000 psig, 200 F, 5 md x 40 ft, skin 2), "
      "Darcy and non-Darcy flow",
      w, 1);
  free(w);
}

/* Water injector with the skin model: skin 3 below the formation parting
 * pressure, -2 above it once the induced fracture opens. */
static void water_injector(cal_fn cal) {
  Well* w = new_well(2, 1);
  put_i32(w->well, 12, 0); /* water_injection_method 0 */
  set_layer(w, 0, 2000.0, 150.0, 20.0, 40.0, 1000.0, 3.0);
  set_fluids(w, 0, 1.0, 0.0, 1.03);
  w->well[1656] = -2.0;   /* second skin */
  w->well[1556] = 3200.0; /* break (parting) pressure */
  w->well[1606] = 6000.0; /* maximum injection rate */
  run(cal, w);
  printf("\nwater viscosity %.4f cp, water FVF %.3f\n", w->fluids[425], w->fluids[625]);
  print_summary(
      "Water injector, skin model (pr 2000 psig, 20 md x 40 ft, skin 3, skin -2 above "
      "3200 psig, up to 6000 STB/d)",
      w, 0);
  free(w);
}

/* Gravel-packed oil well: Darcy inflow with Vogel's curve below the bubble
 * point, then the linear-flow loss through the gravel-filled tunnels. */
static void gravel_packed_oil(cal_fn cal) {
  Well* w = new_well(0, 1);
  put_i32(w->well, 0, 1); /* method_code 1: Darcy with Vogel */
  set_layer(w, 0, 2800.0, 190.0, 250.0, 40.0, 1490.0, 0.0);
  set_fluids(w, 0, 0.1, 400.0, 1.05);
  w->fluids[25] = 32.0;
  put_i32(w->completion, 0, 1); /* completion_model 1: gravel pack */
  w->completion[1] = 1.0;       /* shot density factor */
  w->completion[2] = 100.0;     /* gravel permeability, darcies */
  w->completion[152] = 12.0;    /* shots per foot */
  w->completion[202] = 0.5;     /* perforation diameter, in */
  w->completion[252] = 30.0;    /* perforated interval, ft */
  w->completion[302] = 2.5;     /* gravel tunnel length, in */
  run(cal, w);
  printf("\nbubble point %.1f psig, liquid FVF %.4f, liquid viscosity %.4f cp\n", w->results[200],
         w->fluids[675], w->fluids[475]);
  print_completion(
      "Gravel-packed oil well (pr 2800 psig, 250 md x 40 ft; 12 spf, 0.5 in, 30 ft, "
      "100 D gravel, 2.5 in tunnels): reservoir curve and curve after the pack",
      w, 0);
  free(w);
}

/* Perforated gas well: perforation and crushed-zone skins plus the
 * rate-dependent skin of flow converging into the tunnels. */
static void perforated_gas(cal_fn cal) {
  Well* w = new_well(1, 1);
  put_i32(w->well, 4, 0); /* gas_method 0 */
  set_layer(w, 0, 3500.0, 220.0, 10.0, 30.0, 1490.0, 0.0);
  set_gas(w, 0, 0.65, 10.0, 0.5, 1.05);
  put_i32(w->completion, 0, 3); /* completion_model 3: perforation skins */
  w->completion[1] = 1.0;       /* shot density factor */
  w->completion[52] = 2.0;      /* crushed-zone permeability, md */
  w->completion[102] = 0.5;     /* crushed-zone thickness, in */
  w->completion[152] = 4.0;     /* shots per foot */
  w->completion[202] = 0.36;    /* perforation diameter, in */
  w->completion[252] = 30.0;    /* perforated interval, ft */
  w->completion[352] = 8.0;     /* perforation length, in */
  run(cal, w);
  print_completion(
      "Perforated gas well (pr 3500 psig, 10 md x 30 ft; 4 spf, 0.36 in x 8 in, crushed zone "
      "0.5 in at 2 md): reservoir curve and curve after the perforations",
      w, 1);
  free(w);
}

/* Three oil layers at different pressures, Darcy with Vogel per layer: at
 * high flowing pressure the depleted middle layer takes fluid from the others. */
static void three_layer_oil(cal_fn cal) {
  Well* w = new_well(0, 3);
  put_i32(w->well, 0, 1); /* method_code 1: Darcy with Vogel */
  set_layer(w, 0, 2600.0, 180.0, 80.0, 25.0, 1000.0, 1.0);
  set_layer(w, 1, 1900.0, 182.0, 40.0, 15.0, 1000.0, 0.0);
  set_layer(w, 2, 3100.0, 188.0, 20.0, 20.0, 1000.0, 2.0);
  set_fluids(w, 0, 0.10, 450.0, 1.03);
  set_fluids(w, 1, 0.40, 600.0, 1.07);
  set_fluids(w, 2, 0.05, 350.0, 1.05);
  run(cal, w);
  print_composite(
      "Three-layer oil well with crossflow (pr 2600 / 1900 / 3100 psig), composite curve "
      "and fluid columns",
      w, 3, 0);
  free(w);
}

/* Two gas layers from reservoir properties, commingled. */
static void two_layer_gas(cal_fn cal) {
  Well* w = new_well(1, 2);
  put_i32(w->well, 4, 0); /* gas_method 0 */
  set_layer(w, 0, 3200.0, 210.0, 8.0, 30.0, 1490.0, 1.0);
  set_layer(w, 1, 2600.0, 200.0, 3.0, 20.0, 1490.0, 0.0);
  set_gas(w, 0, 0.65, 25.0, 0.2, 1.04);
  set_gas(w, 1, 0.70, 60.0, 0.5, 1.08);
  run(cal, w);
  print_composite(
      "Two-layer gas well (pr 3200 / 2600 psig, 25 / 60 bbl/MMscf), composite curve and fluid "
      "columns",
      w, 2, 1);
  free(w);
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

  gas_from_reservoir(cal);
  water_injector(cal);
  gravel_packed_oil(cal);
  perforated_gas(cal);
  three_layer_oil(cal);
  two_layer_gas(cal);

  dlclose(lib);
  return 0;
}
