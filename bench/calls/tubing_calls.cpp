// Runs one tubing traverse of tubing_cases.hpp a fixed number of times, for
// the instruction counts of bench/tubing_instructions.sh, and prints the steps
// and fluid evaluations of one traverse.
//   dlv_tubing_calls oil|gas CORRELATION CALLS
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#include "tubing_cases.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s oil|gas CORRELATION CALLS\n", argv[0]);
    return 2;
  }
  const bool oil = std::strcmp(argv[1], "oil") == 0;
  const auto correlation = dlv::correlation_from_name(argv[2]);
  if (!correlation) {
    std::fprintf(stderr, "no correlation %s\n", argv[2]);
    return 2;
  }
  const dlv::TraverseRequest request =
      oil ? tubing_cases::oil_well(*correlation) : tubing_cases::gas_well(*correlation);
  static std::array<dlv::ProfileNode, 512> profile{};
  const long calls = std::strtol(argv[3], nullptr, 10);
  dlv::TraverseResult r;
  for (long k = 0; k < calls; ++k) r = dlv::traverse(request, profile);
  std::printf("%d %d %.17g\n", r.steps, r.fluid_evaluations, r.end_pressure);
  return 0;
}
