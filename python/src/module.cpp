// The compiled half of the Python package: thin calls of the exported C
// functions of the shared library, serialised by one process-wide lock.
// Every call copies its inputs out of Python objects while holding the GIL,
// releases the GIL, takes the library lock, runs, and copies the results
// back after retaking the GIL; nothing waits for the GIL while holding the
// library lock.
#include <pthread.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "dlv/dlv.h"
#include "field_table.hpp"

namespace py = pybind11;

namespace dlv::python {

std::mutex& library_lock() {
  static std::mutex lock;
  return lock;
}

// A fork (multiprocessing's workers, os.fork) waits until no thread is inside
// the library and holds the lock across it, so that the child never starts
// with the lock, or the library's own call lock, taken by a thread it does not
// have. A thread in a call gives the lock back before it asks for the GIL
// again, so waiting here with the GIL held cannot deadlock.
void hold_library_across_fork() {
  pthread_atfork([] { library_lock().lock(); }, [] { library_lock().unlock(); },
                 [] { library_lock().unlock(); });
}

namespace {

using DoubleArray = py::array_t<double, py::array::c_style>;

// A host block copied out of a numpy array and written back after the call.
struct BlockCopy {
  DoubleArray array;
  std::vector<double> data;
};

BlockCopy copy_block(const py::handle& obj, const char* name, std::size_t slots) {
  if (!py::isinstance<DoubleArray>(obj)) {
    throw py::type_error(std::string(name) + ": expected a C-contiguous float64 numpy array");
  }
  BlockCopy copy{py::reinterpret_borrow<DoubleArray>(obj), {}};
  // Refused before anything is computed, so that no block is left half written.
  if (!copy.array.writeable()) throw py::value_error(std::string(name) + ": array is read-only");
  if (static_cast<std::size_t>(copy.array.size()) != slots) {
    throw py::value_error(std::string(name) + ": expected " + std::to_string(slots) +
                          " slots, got " + std::to_string(copy.array.size()));
  }
  copy.data.assign(copy.array.data(), copy.array.data() + slots);
  return copy;
}

void write_back(BlockCopy& copy) {
  std::memcpy(copy.array.mutable_data(), copy.data.data(), copy.data.size() * sizeof(double));
}

std::int32_t run_cal(const py::list& blocks, std::int32_t changed_pressure_flag,
                     const std::string& log_path) {
  const auto& sizes = block_sizes();
  if (blocks.size() != sizes.size()) {
    throw py::value_error("expected " + std::to_string(sizes.size()) + " blocks");
  }
  // Block 5 is the calculation mode, one int32; the others are double blocks.
  using ModeArray = py::array_t<std::int32_t, py::array::c_style>;
  if (!py::isinstance<ModeArray>(blocks[5]) || py::len(blocks[5]) != 1) {
    throw py::type_error("mode: expected an int32 numpy array of one element");
  }
  auto mode_array = py::reinterpret_borrow<ModeArray>(blocks[5]);
  if (!mode_array.writeable()) throw py::value_error("mode: array is read-only");
  std::int32_t mode = *mode_array.data();
  std::vector<BlockCopy> copies;
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    if (k != 5) copies.push_back(copy_block(blocks[k], sizes[k].name, sizes[k].slots));
  }
  std::int32_t status;
  {
    py::gil_scoped_release release;
    std::lock_guard<std::mutex> hold(library_lock());
    auto d = [&](int k) { return copies[k].data.data(); };
    status = dlv_cal(d(0), d(1), d(2), d(3), d(4), &mode, d(5), d(6), d(7), d(8), d(9), d(10),
                     changed_pressure_flag, log_path.empty() ? nullptr : log_path.c_str());
  }
  *mode_array.mutable_data() = mode;
  for (auto& c : copies) write_back(c);
  return status;
}

using QuickCurve = std::tuple<double, DoubleArray, DoubleArray>;

template <typename Calc>
QuickCurve quick_curve(Calc calc) {
  std::array<double, 25> rates{}, pressures{};
  double last;
  {
    py::gil_scoped_release release;
    std::lock_guard<std::mutex> hold(library_lock());
    last = calc();
    dlvGetResultRate_PrsArrays(rates.data(), pressures.data());
  }
  return {last, DoubleArray(25, rates.data()), DoubleArray(25, pressures.data())};
}

// Number of elements of equally long inputs.
template <typename... Arrays>
std::size_t common_size(const Arrays&... arrays) {
  const py::ssize_t sizes[] = {arrays.size()...};
  for (py::ssize_t s : sizes) {
    if (s != sizes[0]) throw py::value_error("the input arrays differ in length");
  }
  return static_cast<std::size_t>(sizes[0]);
}

// Element-wise z factor over equally long contiguous inputs.
DoubleArray z_factors(const DoubleArray& t, const DoubleArray& p, const DoubleArray& sg) {
  const std::size_t n = common_size(t, p, sg);
  std::vector<double> tv(t.data(), t.data() + n), pv(p.data(), p.data() + n),
      gv(sg.data(), sg.data() + n), z(n, 0.0);
  {
    py::gil_scoped_release release;
    std::lock_guard<std::mutex> hold(library_lock());
    for (std::size_t i = 0; i < n; ++i) zfachy(&tv[i], &pv[i], &gv[i], &z[i]);
  }
  return DoubleArray(static_cast<py::ssize_t>(n), z.data());
}

// Element-wise liquid viscosities; outputs the export leaves unwritten stay NaN.
py::tuple liquid_viscosities(const DoubleArray& t, const DoubleArray& api, const DoubleArray& rs,
                             const DoubleArray& p, const DoubleArray& pb,
                             const py::array_t<std::int32_t, py::array::c_style>& code) {
  const std::size_t n = common_size(t, api, rs, p, pb, code);
  auto vec = [n](const DoubleArray& a) { return std::vector<double>(a.data(), a.data() + n); };
  std::vector<double> tv = vec(t), av = vec(api), rv = vec(rs), pv = vec(p), bv = vec(pb);
  std::vector<std::int32_t> cv(code.data(), code.data() + n), ierr(n, 0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> dead(n, nan), oil(n, nan), water(n, nan);
  {
    py::gil_scoped_release release;
    std::lock_guard<std::mutex> hold(library_lock());
    for (std::size_t i = 0; i < n; ++i) {
      liqvis(tv[i], &av[i], rv[i], pv[i], bv[i], &dead[i], &oil[i], &water[i], &cv[i], &ierr[i]);
    }
  }
  const auto len = static_cast<py::ssize_t>(n);
  return py::make_tuple(DoubleArray(len, dead.data()), DoubleArray(len, oil.data()),
                        DoubleArray(len, water.data()),
                        py::array_t<std::int32_t>(len, ierr.data()));
}

}  // namespace

void bind_blocks(py::module_& m) {
  py::list sizes;
  for (const auto& b : block_sizes()) sizes.append(py::make_tuple(b.name, b.slots));
  m.attr("BLOCKS") = sizes;
  py::list fields;
  for (const auto& f : field_table()) {
    py::tuple shape(f.rank), strides(f.rank);
    for (int k = 0; k < f.rank; ++k) {
      shape[k] = f.shape[k];
      strides[k] = f.strides[k];
    }
    fields.append(py::make_tuple(f.block, f.name, std::string(1, f.kind), f.byte_offset, shape,
                                 strides, f.doc));
  }
  m.attr("FIELDS") = fields;
  m.def("cal", &run_cal, py::arg("blocks"), py::arg("changed_pressure_flag") = 0,
        py::arg("log_path") = std::string(),
        "Runs dlv_cal on the twelve blocks (numpy float64 arrays in argument order) and "
        "writes the results back into them; returns what dlv_cal returns.");
}

}  // namespace dlv::python

#ifdef DLV_WITH_WELLFILE
namespace dlv::python {
void bind_wellfile(py::module_& m);
void bind_tubing(py::module_& m);
void bind_nodal(py::module_& m);
void bind_vfp(py::module_& m);
}  // namespace dlv::python
#endif

PYBIND11_MODULE(_dlv, m) {
  using namespace dlv::python;
  m.doc() = "Calls into the DLV shared library, one at a time.";
  m.attr("__version__") = DLV_VERSION_STRING;
  hold_library_across_fork();
  bind_blocks(m);
#ifdef DLV_WITH_WELLFILE
  bind_wellfile(m);
  bind_tubing(m);
  bind_nodal(m);
  bind_vfp(m);
#endif
  m.def(
      "vogel",
      [](double pr, double q, double pwf, double pb) {
        return quick_curve([&] { return dlvCalcVogel(&pr, &q, &pwf, &pb); });
      },
      py::arg("reservoir_pressure"), py::arg("test_rate"), py::arg("test_pressure"),
      py::arg("bubble_point"));
  m.def(
      "pi_line",
      [](double pr, double pi) { return quick_curve([&] { return dlvCalcPI(&pr, &pi); }); },
      py::arg("reservoir_pressure"), py::arg("productivity_index"));
  m.def("zfachy", &z_factors);
  m.def("liqvis", &liquid_viscosities);
}
