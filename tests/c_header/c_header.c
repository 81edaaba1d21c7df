/* A C99 host that includes the public header and calls every export once.
 * It fails to build when the header stops being C99, and exits non-zero when
 * a call gives a result other than the known one. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "dlv/dlv.h"

static double layer_fluids[DLV_LAYER_FLUIDS_SLOTS];
static const double fluid_tables[DLV_FLUID_TABLES_SLOTS];
static const double separator[DLV_SEPARATOR_SLOTS];
static double layer_curves[DLV_CURVE_BLOCK_SLOTS];
static double well_record[DLV_WELL_RECORD_SLOTS];
static double completion[DLV_COMPLETION_SLOTS];
static double completion_curves[DLV_CURVE_BLOCK_SLOTS];
static double traverse_curves[DLV_CURVE_BLOCK_SLOTS];
static double traverse[DLV_TRAVERSE_SLOTS];
static double summary[DLV_WELL_SUMMARY_SLOTS];
static double results[DLV_LAYER_RESULTS_SLOTS];

static int failures = 0;

static void expect(int ok, const char* what) {
  if (!ok) {
    printf("FAIL %s\n", what);
    ++failures;
  }
}

int main(void) {
  /* A mode outside the four builds no curve; the run still returns 1. */
  const int32_t no_mode = -1;
  const double pr = 2400.0, pi = 1.5, q = 1000.0, pwf = 1800.0, pb = 1900.0, half = 1.5;
  const double x[3] = {0.0, 1.0, 2.0}, y[3] = {0.0, 1.0, 4.0}, xq = 1.5;
  const double t = 150.0, p = 1000.0, sg = 0.7, api = 35.0;
  const int32_t code = 0;
  double rates[DLV_POINTS], pressures[DLV_POINTS], yq = -1.0, z = 0.0;
  double keys[3] = {2.0, 3.0, 1.0}, values[3] = {20.0, 30.0, 10.0};
  double dead = 0.0, live = 0.0, water = 0.0;
  int32_t ierr = -1;
  const char* centred;

  expect(dlv_cal(layer_fluids, fluid_tables, separator, layer_curves, well_record, &no_mode,
                 completion, completion_curves, traverse_curves, traverse, summary, results, 0,
                 NULL) == 1,
         "dlv_cal");
  expect(dlv_calCSharp(layer_fluids, separator, well_record, &no_mode, completion, traverse,
                       summary) == 1,
         "dlv_calCSharp");

  expect(dlvCalcPI(&pr, &pi) == 3600.0, "dlvCalcPI");
  expect(dlvGetResultRate_PrsArrays(rates, pressures) == (double)DLV_POINTS, "result arrays");
  expect(rates[DLV_POINTS - 1] == 3600.0 && pressures[0] == pr, "PI line ends");
  expect(dlvCalcVogel(&pr, &q, &pwf, &pb) > q, "dlvCalcVogel");
  expect(test64bitdlv(&half) == 96.0, "test64bitdlv");

  expect(interpol(x, y, 3, &xq, &yq) == 1 && yq == 2.25, "interpol");
  expect(interpol(x, y, 2, &xq, &yq) == 0 && yq == 2.25, "interpol, two points");
  lsort2col(keys, values, 3, 0);
  expect(keys[0] == 1.0 && values[0] == 10.0 && values[2] == 30.0, "lsort2col");

  liqvis(t, &api, 500.0, 2000.0, 2500.0, &dead, &live, &water, &code, &ierr);
  expect(ierr == 0 && dead > live && live > 0.0 && water > 0.0, "liqvis");
  zfachy(&t, &p, &sg, &z);
  expect(z > 0.85 && z < 0.9, "zfachy");

  centred = CenterWord("ab", 10);
  expect(strcmp(centred, "   ab") == 0, "CenterWord");

  return failures == 0 ? 0 : 1;
}
