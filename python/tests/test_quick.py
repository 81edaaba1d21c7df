"""Quick curves and the element-wise correlations against the C exports called through ctypes."""

import ctypes
import threading

import numpy as np
import pytest

import dlv


def _c_curve(clib, entry, *args):
    ptrs = [ctypes.byref(ctypes.c_double(a)) for a in args]
    last = getattr(clib, entry)(*ptrs)
    rates, pressures = (ctypes.c_double * 25)(), (ctypes.c_double * 25)()
    assert clib.dlvGetResultRate_PrsArrays(rates, pressures) == 25.0
    return last, np.array(rates), np.array(pressures)


@pytest.mark.parametrize(
    "function,entry,args",
    [
        (dlv.vogel, "dlvCalcVogel", (2400, 1000, 1800, 1900)),   # saturated below pb
        (dlv.vogel, "dlvCalcVogel", (3000, 500, 2500, 2000)),    # test above pb
        (dlv.vogel, "dlvCalcVogel", (2000, 800, 1500, 0)),       # no bubble point
        (dlv.pi_line, "dlvCalcPI", (2400, 1.5)),
        (dlv.pi_line, "dlvCalcPI", (1000, 0.0)),
    ],
)
def test_quick_curves_match_the_exports(clib, function, entry, args):
    curve = function(*args)
    last, rates, pressures = _c_curve(clib, entry, *args)
    assert curve.max_rate == last == curve.rate[24]
    np.testing.assert_array_equal(curve.rate, rates)
    np.testing.assert_array_equal(curve.pressure, pressures)


def _c_z(clib, t, p, g):
    z = ctypes.c_double(-1)
    clib.zfachy(*(ctypes.byref(ctypes.c_double(v)) for v in (t, p, g)), ctypes.byref(z))
    return z.value


def test_z_factor_matches_the_export_element_wise(clib):
    t = np.array([60.0, 150.0, 250.0])[:, None]
    p = np.array([14.7, 500.0, 2500.0, 8000.0])[None, :]
    z = dlv.z_factor(t, p, 0.7)
    assert z.shape == (3, 4)
    for i in range(3):
        for j in range(4):
            assert z[i, j] == _c_z(clib, t[i, 0], p[0, j], 0.7)
    assert isinstance(dlv.z_factor(150.0, 2500.0, 0.65), float)


def _c_liqvis(clib, t, api, rs, p, pb, code):
    out = [ctypes.c_double(np.nan) for _ in range(3)]
    ierr = ctypes.c_int32(-1)
    clib.liqvis(t, ctypes.byref(ctypes.c_double(api)), rs, p, pb, *(ctypes.byref(o) for o in out),
                ctypes.byref(ctypes.c_int32(code)), ctypes.byref(ierr))
    return [o.value for o in out] + [ierr.value]


LIQVIS_CASES = [
    (180.0, 35.0, 400.0, 2000.0, 2500.0, 0),   # saturated
    (180.0, 35.0, 400.0, 3000.0, 2500.0, 0),   # undersaturated correction
    (200.0, 25.0, 300.0, 1000.0, 1500.0, 1),   # Glaso
    (180.0, 35.0, 0.5, 1000.0, 1500.0, 0),     # Beggs-Robinson range check fails
    (180.0, 35.0, 0.5, 1000.0, 1500.0, 2),     # same input without the range checks
    (600.0, 35.0, 400.0, 1000.0, 1500.0, 0),   # temperature out of range: only water
    (180.0, 35.0, 400.0, 1000.0, 1500.0, 3),   # unknown correlation: only water
]


def test_liquid_viscosity_matches_the_export(clib):
    columns = list(zip(*LIQVIS_CASES))
    got = dlv.liquid_viscosity(*columns[:5], correlation=np.array(columns[5]))
    for k, case in enumerate(LIQVIS_CASES):
        want = _c_liqvis(clib, *case)
        np.testing.assert_array_equal(
            [got.dead_oil[k], got.oil[k], got.water[k], got.ierr[k]], want, err_msg=str(case))
    assert list(got.ierr) == [0, 0, 0, 1, 0, 1, 1]
    assert np.isnan(got.oil[5]) and not np.isnan(got.water[5])


def test_calls_from_many_threads_give_the_serial_results():
    inputs = [(2400 + 10 * k, 1000, 1800, 1900) for k in range(8)]
    serial = [dlv.vogel(*a).rate for a in inputs]
    grid = np.linspace(100, 5000, 2000)
    z_serial = dlv.z_factor(150, grid, 0.7)
    results, errors = {}, []

    def work(k):
        try:
            for _ in range(20):
                results[k] = dlv.vogel(*inputs[k]).rate
                np.testing.assert_array_equal(dlv.z_factor(150, grid, 0.7), z_serial)
        except Exception as exc:  # noqa: BLE001 - reported below
            errors.append(exc)

    threads = [threading.Thread(target=work, args=(k,)) for k in range(8)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert not errors
    for k in range(8):
        np.testing.assert_array_equal(results[k], serial[k])
