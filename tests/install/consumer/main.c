/* Computes one Vogel curve through the installed library and checks its
 * shape, and that the header's version is the one the build system found. */
#include <dlv/dlv.h>
#include <stdio.h>
#include <string.h>

#define STR2(x) #x
#define STR(x) STR2(x)

int main(void) {
  const char* numbers =
      STR(DLV_VERSION_MAJOR) "." STR(DLV_VERSION_MINOR) "." STR(DLV_VERSION_PATCH);
  if (strcmp(numbers, DLV_VERSION_STRING) != 0 ||
      strcmp(DLV_VERSION_STRING, DLV_EXPECTED_VERSION) != 0) {
    printf("version mismatch: macros %s, string %s, package %s\n", numbers, DLV_VERSION_STRING,
           DLV_EXPECTED_VERSION);
    return 1;
  }
  double pr = 2400, q = 1000, pwf = 1800, pb = 1900;
  double rates[25], pressures[25];
  double qmax = dlvCalcVogel(&pr, &q, &pwf, &pb);
  dlvGetResultRate_PrsArrays(rates, pressures);
  int ok =
      qmax > q && rates[0] == 0 && pressures[0] == pr && pressures[24] == 0 && rates[24] == qmax;
  for (int i = 1; i < 25; ++i) {
    ok = ok && rates[i] > rates[i - 1] && pressures[i] < pressures[i - 1];
  }
  printf("DLV %s: qmax %.3f, curve %s\n", DLV_VERSION_STRING, qmax, ok ? "ok" : "WRONG");
  for (int i = 0; i < 25; i += 6) {
    printf("  %10.3f %10.3f\n", rates[i], pressures[i]);
  }
  return ok ? 0 : 1;
}
