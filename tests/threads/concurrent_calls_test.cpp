// Several host threads calling the library at once: every call runs whole
// under the library's lock, so each thread gets the results and the log it
// would get alone, and no file descriptor is left open or closed twice.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/host_library.hpp"
#include "support/open_descriptors.hpp"

namespace {

using QuickVogel = double (*)(double*, double*, double*, double*);
using CopyArrays = double (*)(double*, double*);

using test_support::open_descriptors;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string log_path(int thread) {
  return ::testing::TempDir() + "dlv_thread_" + std::to_string(getpid()) + "_" +
         std::to_string(thread) + ".log";
}

// A one-layer Vogel oil well; an API gravity outside the correlations' range
// when `noisy`, so that every run writes messages to its log; a changed
// reservoir pressure of 2000 psi when `changed`.
std::unique_ptr<host::Blocks> vogel_well(bool noisy, std::int32_t changed) {
  auto b = host::Blocks::vogel_well();
  if (noisy) b->fluids[DLV_LAYER_FLUIDS_API_GRAVITY] = 90.0;
  if (changed != 0) b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = 2000.0;
  return b;
}

struct Expected {
  std::vector<double> summary;
  std::string log;
};

// One run alone: what every concurrent run of the same well must give.
Expected run_alone(host::CalFn cal, bool noisy, std::int32_t changed, const std::string& path) {
  std::remove(path.c_str());
  auto b = vogel_well(noisy, changed);
  EXPECT_EQ(b->run(cal, path.c_str(), changed), 1);
  Expected e{std::vector<double>(b->summary, std::end(b->summary)), read_file(path)};
  std::remove(path.c_str());
  return e;
}

TEST(ConcurrentCalls, EachThreadGetsItsOwnCurvesAndLogAndNoDescriptorLeaks) {
  auto cal = host::symbol<host::CalFn>("dlv_cal");
  auto vogel = host::symbol<QuickVogel>("dlvCalcVogel");
  auto copy = host::symbol<CopyArrays>("dlvGetResultRate_PrsArrays");
  ASSERT_NE(cal, nullptr) << dlerror();
  ASSERT_NE(vogel, nullptr);
  ASSERT_NE(copy, nullptr);

  // A reference run first: the stored Vogel reference values are then the
  // same whichever reference run came last, so the changed-pressure runs
  // have one right answer.
  const Expected quiet = run_alone(cal, false, 0, log_path(99));
  const Expected noisy = run_alone(cal, true, 0, log_path(99));
  const Expected changed = run_alone(cal, false, 1, log_path(99));
  ASSERT_FALSE(noisy.log.empty());
  ASSERT_TRUE(quiet.log.empty());
  ASSERT_NE(changed.summary, quiet.summary);

  constexpr int kThreads = 6;
  constexpr int kRuns = 40;
  // Quick curves at the wells' reservoir pressure (a quick Vogel call is a
  // reference calculation too), one test rate per thread.
  std::vector<double> quick_qmax(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    double pr = 2400.0, q = 1000.0 + 100.0 * t, pwf = 1800.0, pb = 1900.0;
    quick_qmax[t] = vogel(&pr, &q, &pwf, &pb);
  }
  const int descriptors_before = open_descriptors();
  std::vector<std::string> faults(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const std::string path = log_path(t);
      std::remove(path.c_str());
      const bool is_noisy = t % 3 == 1;
      const std::int32_t flag = t % 3 == 2 ? 1 : 0;
      const Expected& want = is_noisy ? noisy : flag != 0 ? changed : quiet;
      for (int run = 0; run < kRuns; ++run) {
        auto b = vogel_well(is_noisy, flag);
        if (b->run(cal, path.c_str(), flag) != 1) faults[t] += "return value; ";
        if (std::vector<double>(b->summary, std::end(b->summary)) != want.summary)
          faults[t] += "summary of run " + std::to_string(run) + "; ";
        // Quick calls in between: each returns its own curve's last rate,
        // and the arrays copied out hold one thread's curve, never a mix.
        double pr = 2400.0, q = 1000.0 + 100.0 * t, pwf = 1800.0, pb = 1900.0;
        double rates[25], pressures[25];
        if (vogel(&pr, &q, &pwf, &pb) != quick_qmax[t]) faults[t] += "quick result; ";
        copy(rates, pressures);
        if (std::find(quick_qmax.begin(), quick_qmax.end(), rates[24]) == quick_qmax.end() ||
            pressures[0] != 2400.0)
          faults[t] += "quick arrays; ";
      }
      std::string expected_log;
      for (int run = 0; run < kRuns; ++run) expected_log += want.log;
      if (read_file(path) != expected_log) faults[t] += "log contents; ";
      std::remove(path.c_str());
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(faults[t], "") << "thread " << t;
  EXPECT_EQ(open_descriptors(), descriptors_before);
}

}  // namespace
