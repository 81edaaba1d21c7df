// Runs one benchmark well a fixed number of times, for the instruction
// counts: callgrind counts the whole process at two call counts, and the
// difference is the cost of the extra calls alone.
//   dlv_bench_calls BM_NAME CALLS
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench_wells.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s BENCHMARK_NAME CALLS\n", argv[0]);
    return 2;
  }
  for (const auto& entry : bench_wells::kWells) {
    if (std::strcmp(entry.name, argv[1]) != 0) continue;
    auto w = entry.make();
    const long calls = std::strtol(argv[2], nullptr, 10);
    for (long k = 0; k < calls; ++k) w->run();
    std::printf("%s %ld calls, summary rate at point 24: %.17g\n", entry.name, calls,
                w->summary[DLV_SUMMARY_RATE + DLV_POINTS - 1]);
    return 0;
  }
  std::fprintf(stderr, "no benchmark well %s\n", argv[1]);
  return 2;
}
