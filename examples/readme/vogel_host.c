/* A one-layer oil well on Vogel's curve from one test, through dlv_cal. */
#include <dlv/dlv.h>
#include <dlv/dlv_layout.h>
#include <stdio.h>
#include <string.h>

static double fluids[DLV_LAYER_FLUIDS_SLOTS], tables[DLV_FLUID_TABLES_SLOTS],
    separator[DLV_SEPARATOR_SLOTS], layer_curves[DLV_CURVE_BLOCK_SLOTS],
    well[DLV_WELL_RECORD_SLOTS], completion[DLV_COMPLETION_SLOTS],
    completion_curves[DLV_CURVE_BLOCK_SLOTS], traverse_curves[DLV_CURVE_BLOCK_SLOTS],
    traverse[DLV_TRAVERSE_SLOTS], summary[DLV_WELL_SUMMARY_SLOTS], results[DLV_LAYER_RESULTS_SLOTS];

static void put_int32(double* block, int byte_offset, int32_t value) {
  memcpy((char*)block + byte_offset, &value, 4);
}

int main(void) {
  int32_t mode = DLV_MODE_OIL_PRODUCTION;
  int i;
  put_int32(well, DLV_WELL_RECORD_METHOD_CODE_BYTE, DLV_OIL_METHOD_VOGEL);
  put_int32(well, DLV_WELL_RECORD_LAYER_COUNT_BYTE, 1);
  put_int32(well, DLV_WELL_RECORD_TEST_COUNT_BYTE, 1);
  well[DLV_WELL_RECORD_RESERVOIR_PRESSURE + 0] = 2400; /* psi gauge, layer 0 */
  well[DLV_WELL_RECORD_LAYER_TEMPERATURE + 0] = 180;   /* degF */
  well[DLV_WELL_RECORD_TEST_RATE + 0] = 1000;          /* STB/d */
  well[DLV_WELL_RECORD_TEST_PRESSURE + 0] = 1800;      /* psi gauge */

  /* Fluid: properties by correlations, with the bubble point given and kept. */
  put_int32(fluids, DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE, DLV_FLUID_CORRELATIONS);
  fluids[DLV_LAYER_FLUIDS_API_GRAVITY + 0] = 35;
  fluids[DLV_LAYER_FLUIDS_GAS_SG + 0] = 0.7;
  fluids[DLV_LAYER_FLUIDS_WATER_SG + 0] = 1.05;
  fluids[DLV_LAYER_FLUIDS_PRODUCING_GOR + 0] = 350; /* scf/STB */
  fluids[DLV_LAYER_FLUIDS_BUBBLE_POINT + 0] = 1900; /* psi gauge */
  put_int32(fluids, DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE + 4 * 0, 1);
  separator[DLV_SEPARATOR_PRESSURE] = 100;
  separator[DLV_SEPARATOR_TEMPERATURE] = 80;

  dlv_cal(fluids, tables, separator, layer_curves, well, &mode, completion, completion_curves,
          traverse_curves, traverse, summary, results, 0, NULL);

  printf("%8s %12s\n", "STB/d", "psi gauge");
  for (i = 0; i < DLV_POINTS; i += 4)
    printf("%8.1f %12.1f\n", summary[DLV_SUMMARY_RATE + i], summary[DLV_SUMMARY_PRESSURE + i]);
  printf("oil FVF %.3f RB/STB, oil viscosity %.3f cp\n", fluids[DLV_LAYER_FLUIDS_OIL_FVF],
         fluids[DLV_LAYER_FLUIDS_OIL_VISCOSITY]);
  return 0;
}
