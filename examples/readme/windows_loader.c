/* Kept as the README shows it (windows.h first): not reformatted. */
/* clang-format off */
#include <windows.h>
#include <stdint.h>
#include <stdio.h>

typedef double (*vogel_fn)(double*, double*, double*, double*);
typedef double (*arrays_fn)(double*, double*);
typedef int32_t (*cal_fn)(double*, double*, double*, double*, double*, int32_t*, double*,
                          double*, double*, double*, double*, double*, int32_t, const char*);

int main(void) {
  HMODULE dlv = LoadLibraryA("DLV.dll"); /* PTRAV.dll must sit beside it */
  if (!dlv) return 1;
  vogel_fn calc_vogel = (vogel_fn)(void*)GetProcAddress(dlv, "dlvCalcVogel");
  arrays_fn get_arrays = (arrays_fn)(void*)GetProcAddress(dlv, "dlvGetResultRate_PrsArrays");
  cal_fn dlv_cal = (cal_fn)(void*)GetProcAddress(dlv, "dlv_cal");
  if (!calc_vogel || !get_arrays || !dlv_cal) return 1;

  double pr = 2400, q = 1000, pwf = 1800, pb = 1900, rates[25], pressures[25];
  double qmax = calc_vogel(&pr, &q, &pwf, &pb);
  get_arrays(rates, pressures);
  printf("maximum rate %.1f STB/d\n", qmax);
  /* dlv_cal: fill the blocks exactly as on Linux (see "How a host calls it");
   * log_path is a narrow (ANSI) path such as "C:\\wells\\dlv.log". */
  FreeLibrary(dlv);
  return 0;
}
