/* Example host: loads the DLV shared library as a production engineer's
 * application would, computes quick curves and a set of full well
 * calculations, and prints the results as tables. */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "dlv/dlv_layout.h"

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
  double fluids[DLV_LAYER_FLUIDS_SLOTS];
  double tables[DLV_FLUID_TABLES_SLOTS];
  double separator[DLV_SEPARATOR_SLOTS];
  double layer_curves[DLV_CURVE_BLOCK_SLOTS];
  double well[DLV_WELL_RECORD_SLOTS];
  int32_t mode;
  double completion[DLV_COMPLETION_SLOTS];
  double completion_curves[DLV_CURVE_BLOCK_SLOTS];
  double traverse_curves[DLV_CURVE_BLOCK_SLOTS];
  double traverse[DLV_TRAVERSE_SLOTS];
  double summary[DLV_WELL_SUMMARY_SLOTS];
  double results[DLV_LAYER_RESULTS_SLOTS];
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
  put_i32(w->well, DLV_WELL_RECORD_LAYER_COUNT_BYTE, layers);
  w->separator[DLV_SEPARATOR_PRESSURE] = 100.0;
  w->separator[DLV_SEPARATOR_TEMPERATURE] = 80.0;
  put_i32(w->fluids, DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE, DLV_FLUID_CORRELATIONS);
  for (int L = 0; L < layers; ++L) {
    w->fluids[DLV_LAYER_FLUIDS_API_GRAVITY + L] = 35.0;       /* API gravity */
    w->fluids[DLV_LAYER_FLUIDS_WATER_CUT + L] = 0.2;          /* water cut */
    w->fluids[DLV_LAYER_FLUIDS_WATER_SG + L] = 1.05;          /* water SG */
    w->fluids[DLV_LAYER_FLUIDS_GAS_SG + L] = 0.7;             /* gas SG */
    w->fluids[DLV_LAYER_FLUIDS_PRODUCING_GOR + L] = 500.0;    /* producing GOR */
    w->well[DLV_WELL_RECORD_LAYER_TEMPERATURE + L] = 180.0;   /* temperature */
    w->well[DLV_WELL_RECORD_PERMEABILITY + L] = 50.0;         /* permeability */
    w->well[DLV_WELL_RECORD_THICKNESS + L] = 30.0;            /* thickness */
    w->well[DLV_WELL_RECORD_DRAINAGE_RADIUS + L] = 1000.0;    /* drainage radius */
    w->well[DLV_WELL_RECORD_WELLBORE_RADIUS + L] = 0.354;     /* wellbore radius */
    w->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE + L] = 2400.0; /* reservoir pressure */
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
  for (int i = 0; i < DLV_POINTS; ++i)
    printf("%4d %14.3f %14.3f %14.3f %10.4f %12.3f %10.4f\n", i, w->summary[DLV_SUMMARY_RATE + i],
           w->summary[DLV_SUMMARY_PRESSURE + i], w->summary[DLV_SUMMARY_DRAWDOWN + i],
           w->summary[DLV_SUMMARY_WATER_CUT + i], w->summary[DLV_SUMMARY_GAS_LIQUID + i],
           w->summary[DLV_SUMMARY_WATER_SG + i]);
}

/* Sets the reservoir description of layer L: pressure psig, temperature
 * degF, permeability md, net thickness ft, drainage radius ft, skin. */
static void set_layer(Well* w, int L, double pr, double t, double k, double h, double re,
                      double skin) {
  w->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE + L] = pr;
  w->well[DLV_WELL_RECORD_LAYER_TEMPERATURE + L] = t;
  w->well[DLV_WELL_RECORD_PERMEABILITY + L] = k;
  w->well[DLV_WELL_RECORD_THICKNESS + L] = h;
  w->well[DLV_WELL_RECORD_DRAINAGE_RADIUS + L] = re;
  w->well[DLV_WELL_RECORD_SKIN + L] = skin;
}

/* Sets the produced fluids of layer L: water cut (fraction of the liquid),
 * gas/oil ratio scf/STB and water specific gravity. */
static void set_fluids(Well* w, int L, double water_cut, double gor, double water_sg) {
  w->fluids[DLV_LAYER_FLUIDS_WATER_CUT + L] = water_cut;
  w->fluids[DLV_LAYER_FLUIDS_PRODUCING_GOR + L] = gor;
  w->fluids[DLV_LAYER_FLUIDS_WATER_SG + L] = water_sg;
}

/* Sets the fluids of a gas layer: gas gravity, liquid yield bbl/MMscf, water
 * cut of that liquid and water gravity. The gas/oil ratio equivalent of the
 * yield goes into the GOR field, which the one-layer summary reports. */
static void set_gas(Well* w, int L, double gas_sg, double yield, double water_cut,
                    double water_sg) {
  w->fluids[DLV_LAYER_FLUIDS_GAS_SG + L] = gas_sg;
  w->fluids[DLV_LAYER_FLUIDS_LIQUID_YIELD + L] = yield;
  w->fluids[DLV_LAYER_FLUIDS_PRODUCING_GOR + L] = yield > 0.0 ? 1.0e6 / yield : 0.0;
  w->fluids[DLV_LAYER_FLUIDS_WATER_CUT + L] = water_cut;
  w->fluids[DLV_LAYER_FLUIDS_WATER_SG + L] = water_sg;
}

/* Rate, pressure and third column (drawdown or completion loss) of layer L
 * of a curve block. */
static double curve_rate(const double* c, int L, int i) {
  return c[DLV_CURVES_RATE + L * DLV_POINTS + i];
}
static double curve_pressure(const double* c, int L, int i) {
  return c[DLV_CURVES_PRESSURE + L * DLV_POINTS + i];
}
static double curve_third(const double* c, int L, int i) {
  return c[DLV_CURVES_DRAWDOWN + L * DLV_POINTS + i];
}

/* Layer 0 before and after the completion loss, side by side. */
static void print_completion(const char* title, const Well* w, int gas) {
  const char* unit = gas ? "Mscf/d" : "STB/d";
  printf("\n%s\n", title);
  printf("%4s %14s %12s   %14s %12s %12s\n", "i", "sandface rate", "pwf psig", "well rate",
         "pwf psig", "loss psi");
  printf("%4s %14s %12s   %14s %12s %12s\n", "", unit, "", unit, "", "");
  for (int i = 0; i < DLV_POINTS; ++i)
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
  for (int i = 0; i < DLV_POINTS; ++i) {
    printf("%4d %10.3f %12.3f", i, w->summary[DLV_SUMMARY_PRESSURE + i],
           w->summary[DLV_SUMMARY_RATE + i]);
    for (int L = 0; L < layers; ++L) printf(" %9.2f", curve_rate(w->layer_curves, L, i));
    printf(" %10.4f %12.4f %10.4f\n", w->summary[DLV_SUMMARY_WATER_CUT + i],
           w->summary[DLV_SUMMARY_GAS_LIQUID + i], w->summary[DLV_SUMMARY_WATER_SG + i]);
  }
}

/* Gas well from reservoir properties: Darcy flow plus the non-Darcy term
 * from the formation's turbulence coefficient, in pseudo-pressure. */
static void gas_from_reservoir(cal_fn cal) {
  Well* w = new_well(DLV_MODE_GAS_PRODUCTION, 1);
  put_i32(w->well, DLV_WELL_RECORD_GAS_METHOD_BYTE, DLV_GAS_METHOD_DARCY_NONDARCY);
  set_layer(w, 0, 3000.0, 200.0, 5.0, 40.0, 1490.0, 2.0);
  set_gas(w, 0, 0.65, 15.0, 0.3, 1.04);
  run(cal, w);
  printf("\nz-factor %.4f, gas viscosity %.5f cp at reservoir conditions\n",
         w->fluids[DLV_LAYER_FLUIDS_GAS_Z_FACTOR], w->fluids[DLV_LAYER_FLUIDS_GAS_VISCOSITY]);
  print_summary(
      "Gas well from reservoir properties (pr 3000 psig, 200 F, 5 md x 40 ft, skin 2), "
      "Darcy and non-Darcy flow",
      w, 1);
  free(w);
}

/* Water injector with the skin model: skin 3 below the formation parting
 * pressure, -2 above it once the induced fracture opens. */
static void water_injector(cal_fn cal) {
  Well* w = new_well(DLV_MODE_WATER_INJECTION, 1);
  put_i32(w->well, DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE, DLV_WATER_INJECTION_METHOD_SKIN);
  set_layer(w, 0, 2000.0, 150.0, 20.0, 40.0, 1000.0, 3.0);
  set_fluids(w, 0, 1.0, 0.0, 1.03);
  w->well[DLV_WELL_RECORD_SECOND_SKIN] = -2.0;          /* second skin */
  w->well[DLV_WELL_RECORD_BREAK_PRESSURE] = 3200.0;     /* break (parting) pressure */
  w->well[DLV_WELL_RECORD_MAX_INJECTION_RATE] = 6000.0; /* maximum injection rate */
  run(cal, w);
  printf("\nwater viscosity %.4f cp, water FVF %.3f\n", w->fluids[DLV_LAYER_FLUIDS_WATER_VISCOSITY],
         w->fluids[DLV_LAYER_FLUIDS_WATER_FVF]);
  print_summary(
      "Water injector, skin model (pr 2000 psig, 20 md x 40 ft, skin 3, skin -2 above "
      "3200 psig, up to 6000 STB/d)",
      w, 0);
  free(w);
}

/* Gravel-packed oil well: Darcy inflow with Vogel's curve below the bubble
 * point, then the linear-flow loss through the gravel-filled tunnels. */
static void gravel_packed_oil(cal_fn cal) {
  Well* w = new_well(DLV_MODE_OIL_PRODUCTION, 1);
  put_i32(w->well, DLV_WELL_RECORD_METHOD_CODE_BYTE, DLV_OIL_METHOD_DARCY_VOGEL);
  set_layer(w, 0, 2800.0, 190.0, 250.0, 40.0, 1490.0, 0.0);
  set_fluids(w, 0, 0.1, 400.0, 1.05);
  w->fluids[DLV_LAYER_FLUIDS_API_GRAVITY] = 32.0;
  put_i32(w->completion, DLV_COMPLETION_COMPLETION_MODEL_BYTE, DLV_COMPLETION_GRAVEL_PACK);
  w->completion[DLV_COMPLETION_SHOT_DENSITY_FACTOR] = 1.0;   /* shot density factor */
  w->completion[DLV_COMPLETION_GRAVEL_PERMEABILITY] = 100.0; /* gravel permeability, darcies */
  w->completion[DLV_COMPLETION_SHOT_DENSITY] = 12.0;         /* shots per foot */
  w->completion[DLV_COMPLETION_PERFORATION_DIAMETER] = 0.5;  /* perforation diameter, in */
  w->completion[DLV_COMPLETION_PERFORATED_INTERVAL] = 30.0;  /* perforated interval, ft */
  w->completion[DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH] = 2.5;  /* gravel tunnel length, in */
  run(cal, w);
  printf("\nbubble point %.1f psig, liquid FVF %.4f, liquid viscosity %.4f cp\n",
         w->results[DLV_RESULTS_RESULT_BUBBLE_POINT], w->fluids[DLV_LAYER_FLUIDS_LIQUID_FVF],
         w->fluids[DLV_LAYER_FLUIDS_LIQUID_VISCOSITY]);
  print_completion(
      "Gravel-packed oil well (pr 2800 psig, 250 md x 40 ft; 12 spf, 0.5 in, 30 ft, "
      "100 D gravel, 2.5 in tunnels): reservoir curve and curve after the pack",
      w, 0);
  free(w);
}

/* Perforated gas well: perforation and crushed-zone skins plus the
 * rate-dependent skin of flow converging into the tunnels. */
static void perforated_gas(cal_fn cal) {
  Well* w = new_well(DLV_MODE_GAS_PRODUCTION, 1);
  put_i32(w->well, DLV_WELL_RECORD_GAS_METHOD_BYTE, DLV_GAS_METHOD_DARCY_NONDARCY);
  set_layer(w, 0, 3500.0, 220.0, 10.0, 30.0, 1490.0, 0.0);
  set_gas(w, 0, 0.65, 10.0, 0.5, 1.05);
  put_i32(w->completion, DLV_COMPLETION_COMPLETION_MODEL_BYTE, DLV_COMPLETION_PERFORATION_SKINS);
  w->completion[DLV_COMPLETION_SHOT_DENSITY_FACTOR] = 1.0;       /* shot density factor */
  w->completion[DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY] = 2.0; /* crushed-zone permeability, md */
  w->completion[DLV_COMPLETION_CRUSHED_ZONE_THICKNESS] = 0.5;    /* crushed-zone thickness, in */
  w->completion[DLV_COMPLETION_SHOT_DENSITY] = 4.0;              /* shots per foot */
  w->completion[DLV_COMPLETION_PERFORATION_DIAMETER] = 0.36;     /* perforation diameter, in */
  w->completion[DLV_COMPLETION_PERFORATED_INTERVAL] = 30.0;      /* perforated interval, ft */
  w->completion[DLV_COMPLETION_PERFORATION_LENGTH] = 8.0;        /* perforation length, in */
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
  Well* w = new_well(DLV_MODE_OIL_PRODUCTION, 3);
  put_i32(w->well, DLV_WELL_RECORD_METHOD_CODE_BYTE, DLV_OIL_METHOD_DARCY_VOGEL);
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
  Well* w = new_well(DLV_MODE_GAS_PRODUCTION, 2);
  put_i32(w->well, DLV_WELL_RECORD_GAS_METHOD_BYTE, DLV_GAS_METHOD_DARCY_NONDARCY);
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
  double vr[DLV_POINTS], vp[DLV_POINTS], lr[DLV_POINTS], lp[DLV_POINTS];
  double qmax = calc_vogel(&pr, &q, &pwf, &pb);
  get_arrays(vr, vp);
  double qmax_line = calc_pi(&pr, &pi);
  get_arrays(lr, lp);
  printf("Quick curves: Vogel (pr 2400, test 1000 STB/d at 1800 psig, pb 1900), PI line 2.5\n");
  printf("%4s %12s %12s   %12s %12s\n", "i", "Vogel pwf", "Vogel rate", "PI pwf", "PI rate");
  for (int i = 0; i < DLV_POINTS; ++i)
    printf("%4d %12.3f %12.3f   %12.3f %12.3f\n", i, vp[i], vr[i], lp[i], lr[i]);
  printf("maximum rates: Vogel %.3f STB/d, PI line %.3f STB/d\n", qmax, qmax_line);

  /* One-layer oil well, Vogel's method from one test. */
  Well* w = new_well(DLV_MODE_OIL_PRODUCTION, 1);
  put_i32(w->well, DLV_WELL_RECORD_METHOD_CODE_BYTE, DLV_OIL_METHOD_VOGEL);
  put_i32(w->well, DLV_WELL_RECORD_TEST_COUNT_BYTE, 1);
  w->well[DLV_WELL_RECORD_TEST_RATE] = 1000.0;
  w->well[DLV_WELL_RECORD_TEST_PRESSURE] = 1800.0;
  run(cal, w);
  print_summary("One-layer oil well, Vogel method (dlv_cal)", w, 0);
  free(w);

  /* Gas well: back-pressure equation fitted to a four-point flow-after-flow test. */
  w = new_well(DLV_MODE_GAS_PRODUCTION, 1);
  put_i32(w->well, DLV_WELL_RECORD_GAS_METHOD_BYTE, DLV_GAS_METHOD_BACKPRESSURE_FIT);
  put_i32(w->well, DLV_WELL_RECORD_TEST_COUNT_BYTE, 4);
  const double rates[4] = {1200.0, 2100.0, 2800.0, 3300.0};
  const double pwfs[4] = {2200.0, 1950.0, 1700.0, 1450.0};
  for (int k = 0; k < 4; ++k) {
    w->well[DLV_WELL_RECORD_TEST_RATE + k] = rates[k];
    w->well[DLV_WELL_RECORD_TEST_PRESSURE + k] = pwfs[k];
  }
  put_u8(w->well, DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE, 0);
  put_u8(w->well, DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE, 0);
  run(cal, w);
  printf("\nfitted back-pressure C = %.6g, n = %.6g\n", w->well[DLV_WELL_RECORD_BACKPRESSURE_C],
         w->well[DLV_WELL_RECORD_BACKPRESSURE_N]);
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
