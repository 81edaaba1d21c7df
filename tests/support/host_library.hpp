// Loads the shared library as a host does (dlopen, or LoadLibrary for
// DLV.dll) and fills blocks as a host fills them: raw arrays of doubles with
// int32 fields and flag bytes poked at their byte positions.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace host {

using CalFn = std::int32_t (*)(double*, double*, double*, double*, double*, std::int32_t*, double*,
                               double*, double*, double*, double*, double*, std::int32_t,
                               const char*);
using CalCSharpFn = std::int32_t (*)(double*, double*, double*, std::int32_t*, double*, double*,
                                     double*);

// The library, opened once per test program.
#ifdef _WIN32
inline HMODULE library() {
  static HMODULE handle = LoadLibraryA(DLV_LIBRARY_PATH);
  return handle;
}
inline void* address(const char* name) {
  return library() == nullptr ? nullptr : reinterpret_cast<void*>(GetProcAddress(library(), name));
}
inline unsigned long process_id() { return GetCurrentProcessId(); }
#else
inline void* library() {
  static void* handle = dlopen(DLV_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  return handle;
}
inline void* address(const char* name) {
  return library() == nullptr ? nullptr : dlsym(library(), name);
}
inline unsigned long process_id() { return static_cast<unsigned long>(getpid()); }
#endif

template <typename Fn>
Fn symbol(const char* name) {
  return reinterpret_cast<Fn>(address(name));
}

inline void put_i32(double* block, std::size_t byte, std::int32_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block) + byte, &v, sizeof v);
}
inline std::int32_t get_i32(const double* block, std::size_t byte) {
  std::int32_t v;
  std::memcpy(&v, reinterpret_cast<const unsigned char*>(block) + byte, sizeof v);
  return v;
}
inline void put_u8(double* block, std::size_t byte, std::uint8_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block) + byte, &v, sizeof v);
}

// Every block of one dlv_cal call, sized exactly as documented.
struct Blocks {
  double fluids[1426]{};
  double tables[45000 / 8]{};
  double separator[2]{};
  double layer_curves[3750]{};
  double well[2008]{};
  std::int32_t mode = 0;
  double completion[402]{};
  double completion_curves[3750]{};
  double traverse_curves[3750]{};
  double traverse[12888 / 8]{};
  double summary[150]{};
  double results[250]{};

  void set_layer_count(std::int32_t n) { put_i32(well, 16, n); }
  void set_method(std::int32_t m) { put_i32(well, 0, m); }
  void set_gas_method(std::int32_t m) { put_i32(well, 4, m); }
  void set_gas_injection_method(std::int32_t m) { put_i32(well, 8, m); }
  void set_water_injection_method(std::int32_t m) { put_i32(well, 12, m); }
  void set_test_type(std::int32_t t) { put_i32(well, 20, t); }
  void set_test_count(std::int32_t n) { put_i32(well, 407 * 8, n); }
  void set_ratetest_rows(std::int32_t n) { put_i32(well, 2007 * 8, n); }
  void set_given_flags(std::uint8_t c, std::uint8_t n) {
    put_u8(well, 2007 * 8 + 4, c);
    put_u8(well, 2007 * 8 + 5, n);
  }
  void set_fluid_type(std::int32_t t) { put_i32(fluids, 0, t); }
  void set_completion_model(std::int32_t m) { put_i32(completion, 0, m); }

  double* rate(int L) { return layer_curves + L * 25; }
  double* pressure(int L) { return layer_curves + 1250 + L * 25; }
  double* drawdown(int L) { return layer_curves + 2500 + L * 25; }

  // A plain oil reservoir of `layers` layers with correlation fluids.
  static std::unique_ptr<Blocks> oil_well(std::int32_t layers = 1) {
    auto b = std::make_unique<Blocks>();
    b->mode = 0;
    b->set_layer_count(layers);
    b->set_fluid_type(1);
    b->separator[0] = 100.0;
    b->separator[1] = 80.0;
    for (int L = 0; L < layers && L < 50; ++L) {
      b->fluids[25 + L] = 35.0;    // API
      b->fluids[75 + L] = 0.2;     // water cut
      b->fluids[175 + L] = 1.05;   // water SG
      b->fluids[225 + L] = 0.7;    // gas SG
      b->fluids[325 + L] = 500.0;  // producing GOR
      b->well[3 + L] = 180.0;      // temperature
      b->well[53 + L] = 50.0;      // permeability
      b->well[103 + L] = 30.0;     // thickness
      b->well[153 + L] = 1000.0;   // drainage radius
      b->well[203 + L] = 0.354;    // wellbore radius
      b->well[303 + L] = 2400.0;   // reservoir pressure
    }
    return b;
  }

  std::int32_t run(CalFn cal, const char* log_path = nullptr, std::int32_t changed = 0) {
    return cal(fluids, tables, separator, layer_curves, well, &mode, completion, completion_curves,
               traverse_curves, traverse, summary, results, changed, log_path);
  }
};

}  // namespace host
