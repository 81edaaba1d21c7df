// Whole calculations through the driver, as a host runs them, with the heap
// allocations of each call counted (the calculation itself must allocate
// nothing; only the traverse coupling takes its scratch blocks).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>

#include "bench_wells.hpp"
#include "platform/call_lock.hpp"

extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);

namespace {
std::atomic<long> allocations{0};
}

// Every allocation of the process passes through here.
extern "C" void* malloc(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t n, std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(n, size);
}

namespace {

void measure(benchmark::State& state, bench_wells::Well& w, bool under_call_lock = false) {
  long allocated = 0;
  for (auto _ : state) {
    const long before = allocations.load();
    if (under_call_lock) {
      dlv::platform::CallLock lock;
      w.run();
    } else {
      w.run();
    }
    allocated += allocations.load() - before;
    benchmark::DoNotOptimize(w.summary[DLV_SUMMARY_RATE + DLV_POINTS - 1]);
  }
  state.counters["allocs_per_call"] =
      benchmark::Counter(static_cast<double>(allocated) / static_cast<double>(state.iterations()));
}

void BM_OneLayerVogelOil(benchmark::State& state) {
  measure(state, *bench_wells::OneLayerVogelOil());
}
BENCHMARK(BM_OneLayerVogelOil);

void BM_OneLayerBackPressureGas(benchmark::State& state) {
  measure(state, *bench_wells::OneLayerBackPressureGas());
}
BENCHMARK(BM_OneLayerBackPressureGas);

// The same wells with the process-wide call lock taken around each call, as
// every export takes it: the difference is the cost of the lock.
void BM_OneLayerVogelOilUnderCallLock(benchmark::State& state) {
  measure(state, *bench_wells::OneLayerVogelOil(), true);
}
BENCHMARK(BM_OneLayerVogelOilUnderCallLock);

void BM_OneLayerBackPressureGasUnderCallLock(benchmark::State& state) {
  measure(state, *bench_wells::OneLayerBackPressureGas(), true);
}
BENCHMARK(BM_OneLayerBackPressureGasUnderCallLock);

// The lock alone, taken and released by one thread.
void BM_CallLockAlone(benchmark::State& state) {
  for (auto _ : state) {
    dlv::platform::CallLock lock;
  }
}
BENCHMARK(BM_CallLockAlone);

void BM_FiftyLayerGasDarcy(benchmark::State& state) {
  measure(state, *bench_wells::FiftyLayerGasDarcy());
}
BENCHMARK(BM_FiftyLayerGasDarcy);

void BM_FiftyLayerOilDarcyVogel(benchmark::State& state) {
  measure(state, *bench_wells::FiftyLayerOilDarcyVogel());
}
BENCHMARK(BM_FiftyLayerOilDarcyVogel);

void BM_TenLayerGasCompletionModel2(benchmark::State& state) {
  measure(state, *bench_wells::TenLayerGasCompletionModel2());
}
BENCHMARK(BM_TenLayerGasCompletionModel2);

void BM_FiftyLayerOilCompositeWithCoupling(benchmark::State& state) {
  measure(state, *bench_wells::FiftyLayerOilCompositeWithCoupling());
}
BENCHMARK(BM_FiftyLayerOilCompositeWithCoupling);

}  // namespace
