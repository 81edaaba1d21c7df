/* The public headers compile as C99 with every warning, in either order. */
#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"

/* The list of every field expands to names, byte offsets and counts. */
#define CHECK_FIELD_BYTES(BLOCK, FIELD, KIND, COUNT) +DLV_FIELD_BYTE(BLOCK, FIELD, KIND) + (COUNT)
#define CHECK_FIELD_NAME(BLOCK, FIELD, KIND, COUNT) #BLOCK "." #FIELD,
static const char *const field_names[] = {DLV_FIELDS(CHECK_FIELD_NAME)};

int dlv_layout_c99_check(void);
int dlv_layout_c99_check(void) {
  DlvMode mode = DLV_MODE_GAS_PRODUCTION;
  DlvGasMethod method = DLV_GAS_METHOD_BACKPRESSURE_FIT;
  long fields = 0 DLV_FIELDS(CHECK_FIELD_BYTES);
  return (int)mode + (int)method + DLV_WELL_RECORD_BACKPRESSURE_C + (int)(fields % 2) +
         (int)(sizeof field_names / sizeof field_names[0]);
}
