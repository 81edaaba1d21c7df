// Writes lift table 1 of the one-producer deck with the library's writer,
// filled from an analytic stand-in for the tubing traverse: the head of the
// column at the datum (8025 ft), heavier with water and lighter with gas, plus
// friction rising with the square of the rate. Combinations above 6000 psia
// count as rates the tubing cannot lift, so the fill policy is exercised too.
// Usage: write_standin_table OUTPUT_FILE [field|metric]
//        write_standin_table --bhp FLO THP WCT GOR ALQ   (the stand-in's own value, psia)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "wellfile/vfp_table.hpp"

namespace wf = dlv::wellfile;

namespace {

std::optional<double> standin_bhp(double q, double thp, double wct, double gor, double) {
  const double bhp = thp + 8025 * (0.30 + 0.10 * wct - 0.08 * gor) + 0.02 * q + 1e-4 * q * q;
  if (bhp > 6000) return std::nullopt;
  return bhp;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 7 && std::string(argv[1]) == "--bhp") {
    double v[5];
    for (int k = 0; k < 5; ++k) v[k] = std::strtod(argv[k + 2], nullptr);
    const auto bhp = standin_bhp(v[0], v[1], v[2], v[3], v[4]);
    if (!bhp) return 1;
    std::printf("%.10g\n", *bhp);
    return 0;
  }
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: write_standin_table OUTPUT_FILE [field|metric]\n");
    return 2;
  }
  wf::VfpTable t;
  t.table_number = 1;
  t.datum_depth = 8025;
  t.units =
      argc == 3 && std::string(argv[2]) == "metric" ? wf::VfpUnits::metric : wf::VfpUnits::field;
  t.axes.flo = {50, 200, 500, 1000, 1500, 2000, 2500, 3000, 4000, 6000, 8000};  // stb/d
  t.axes.thp = {50, 100, 200, 400, 800};                                        // psia
  t.axes.wfr = {0, 0.05, 0.1, 0.2, 0.4};                                        // water cut
  t.axes.gfr = {0.2, 0.4, 0.6, 1.0};  // Mscf/stb; the deck's 0.5 falls between two
  t.axes.alq = {0};
  const auto result = wf::fill_vfp_table(t, standin_bhp);
  for (const auto& p : result.problems) std::fprintf(stderr, "%s\n", p.text().c_str());
  if (!result.problems.empty()) return 1;
  std::fprintf(stderr, "%zu entries filled, %zu falls\n", result.filled.size(),
               result.falls.size());
  std::ofstream out(argv[1]);
  out << wf::vfp_deck_text(t);
  return out.good() ? 0 : 1;
}
