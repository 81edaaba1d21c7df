// Whole calculations through the driver, as a host runs them, with the heap
// allocations of each call counted (the calculation itself must allocate
// nothing; only the traverse coupling takes its scratch blocks).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "driver/driver.hpp"
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

void put_i32(double* block, std::size_t byte, std::int32_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block) + byte, &v, sizeof v);
}

struct Well {
  double fluids[1426]{};
  double tables[45000 / 8]{};
  double separator[2]{100.0, 80.0};
  double layer_curves[3750]{};
  double well[2008]{};
  std::int32_t mode = 0;
  double completion[402]{};
  double completion_curves[3750]{};
  double traverse_curves[3750]{};
  double traverse[12888 / 8]{};
  double summary[150]{};
  double results[250]{};

  explicit Well(std::int32_t mode_, std::int32_t layers) : mode(mode_) {
    put_i32(well, 16, layers);
    put_i32(fluids, 0, 1);
    for (int L = 0; L < layers; ++L) {
      fluids[25 + L] = 32.0 + 0.1 * L;
      fluids[75 + L] = 0.3;
      fluids[175 + L] = 1.05;
      fluids[225 + L] = 0.72;
      fluids[325 + L] = 600.0;
      well[3 + L] = 170.0 + L;
      well[53 + L] = 20.0 + L;
      well[103 + L] = 25.0;
      well[153 + L] = 1500.0;
      well[203 + L] = 0.354;
      well[253 + L] = 1.0;
      well[303 + L] = 3000.0 - 10.0 * L;
      well[1756 + L] = 8000.0 + 20.0 * L;
    }
  }
  bool under_call_lock = false;  // as every export runs it

  void run() {
    if (under_call_lock) {
      dlv::platform::CallLock lock;
      calculate();
    } else {
      calculate();
    }
  }
  void calculate() {
    dlv::run_calculation(fluids, tables, separator, layer_curves, well, &mode, completion,
                         completion_curves, traverse_curves, traverse, summary, results, 0,
                         nullptr);
  }
};

void measure(benchmark::State& state, Well& w) {
  long allocated = 0;
  for (auto _ : state) {
    const long before = allocations.load();
    w.run();
    allocated += allocations.load() - before;
    benchmark::DoNotOptimize(w.summary[24]);
  }
  state.counters["allocs_per_call"] =
      benchmark::Counter(static_cast<double>(allocated) / static_cast<double>(state.iterations()));
}

std::unique_ptr<Well> one_layer_vogel_oil() {
  auto w = std::make_unique<Well>(0, 1);
  put_i32(w->well, 0, 2);
  put_i32(w->well, 407 * 8, 1);
  w->well[408] = 1000.0;
  w->well[508] = 1800.0;
  return w;
}

std::unique_ptr<Well> one_layer_backpressure_gas() {
  auto w = std::make_unique<Well>(1, 1);
  put_i32(w->well, 4, 1);
  put_i32(w->well, 407 * 8, 4);
  const double p[4] = {2700.0, 2400.0, 2000.0, 1600.0};
  for (int k = 0; k < 4; ++k) {
    w->well[508 + k] = p[k];
    w->well[408 + k] = 0.003 * std::pow(3000.0 * 3000.0 - p[k] * p[k], 0.8);
  }
  return w;
}

void BM_OneLayerVogelOil(benchmark::State& state) { measure(state, *one_layer_vogel_oil()); }
BENCHMARK(BM_OneLayerVogelOil);

void BM_OneLayerBackPressureGas(benchmark::State& state) {
  measure(state, *one_layer_backpressure_gas());
}
BENCHMARK(BM_OneLayerBackPressureGas);

// The same wells with the process-wide call lock taken around each call, as
// every export takes it: the difference is the cost of the lock.
void BM_OneLayerVogelOilUnderCallLock(benchmark::State& state) {
  auto w = one_layer_vogel_oil();
  w->under_call_lock = true;
  measure(state, *w);
}
BENCHMARK(BM_OneLayerVogelOilUnderCallLock);

void BM_OneLayerBackPressureGasUnderCallLock(benchmark::State& state) {
  auto w = one_layer_backpressure_gas();
  w->under_call_lock = true;
  measure(state, *w);
}
BENCHMARK(BM_OneLayerBackPressureGasUnderCallLock);

// The lock alone, taken and released by one thread.
void BM_CallLockAlone(benchmark::State& state) {
  for (auto _ : state) {
    dlv::platform::CallLock lock;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CallLockAlone);

void BM_FiftyLayerGasDarcy(benchmark::State& state) {
  auto w = std::make_unique<Well>(1, 50);
  put_i32(w->well, 4, 0);
  measure(state, *w);
}
BENCHMARK(BM_FiftyLayerGasDarcy);

void BM_FiftyLayerOilDarcyVogel(benchmark::State& state) {
  auto w = std::make_unique<Well>(0, 50);
  put_i32(w->well, 0, 1);
  measure(state, *w);
}
BENCHMARK(BM_FiftyLayerOilDarcyVogel);

void BM_TenLayerGasCompletionModel2(benchmark::State& state) {
  auto w = std::make_unique<Well>(1, 10);
  put_i32(w->well, 4, 0);
  put_i32(w->completion, 0, 2);
  w->completion[1] = 1.0;
  for (int L = 0; L < 10; ++L) {
    w->completion[52 + L] = 20.0;   // crushed-zone permeability
    w->completion[102 + L] = 0.5;   // crushed-zone thickness
    w->completion[152 + L] = 4.0;   // shots per foot
    w->completion[202 + L] = 0.4;   // perforation diameter
    w->completion[252 + L] = 20.0;  // perforated interval
    w->completion[352 + L] = 10.0;  // perforation length
  }
  measure(state, *w);
}
BENCHMARK(BM_TenLayerGasCompletionModel2);

void BM_FiftyLayerOilCompositeWithCoupling(benchmark::State& state) {
  auto w = std::make_unique<Well>(0, 50);
  put_i32(w->well, 0, 0);
  w->well[1906] = 7000.0;  // reference depth
  measure(state, *w);
}
BENCHMARK(BM_FiftyLayerOilCompositeWithCoupling);

}  // namespace
