/* The public headers compile as C99 with every warning, in either order. */
#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"

int dlv_layout_c99_check(void);
int dlv_layout_c99_check(void) {
  DlvMode mode = DLV_MODE_GAS_PRODUCTION;
  DlvGasMethod method = DLV_GAS_METHOD_BACKPRESSURE_FIT;
  return (int)mode + (int)method + DLV_WELL_RECORD_BACKPRESSURE_C;
}
