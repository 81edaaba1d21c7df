"""Quick curves by hand; the element-wise correlations against the C exports called through
ctypes; the units= keyword (the conversion factors are the C++ suites' to check)."""

import ctypes

import numpy as np
import pytest

import dlv
from conftest import BAR_PER_PSI, example

M3_PER_STB = 0.158987294928  # 1 bbl = 42 US gal of 231 in3
M3_PER_MSCF = 28.316846592  # 1000 ft3 of 0.3048 m ft


def _refs(*values):
    return [ctypes.byref(ctypes.c_double(v)) for v in values]


def test_z_factor_and_liquid_viscosity_match_the_exports_element_wise(clib):
    t, p = np.array([60.0, 250.0])[:, None], np.array([14.7, 2500.0, 8000.0])
    z, out = dlv.z_factor(t, p[None, :], 0.7), (ctypes.c_double * 3)()
    assert z.shape == (2, 3) and isinstance(dlv.z_factor(150.0, 2500.0, 0.65), float)
    for (i, j), value in np.ndenumerate(z):
        clib.zfachy(*_refs(t[i, 0], p[j], 0.7), out)
        assert value == out[0], (i, j)
    cases = np.array([  # temperature, API, Rs, pressure, bubble point, correlation
        (180.0, 35.0, 400.0, 3000.0, 2500.0, 0),  # undersaturated correction
        (200.0, 25.0, 300.0, 1000.0, 1500.0, 1),  # Glaso
        (180.0, 35.0, 0.5, 1000.0, 1500.0, 0),  # Beggs-Robinson range check fails: only water
        (180.0, 35.0, 0.5, 1000.0, 1500.0, 2),  # same input without the range checks
    ])
    got = dlv.liquid_viscosity(*cases.T[:5], correlation=cases[:, 5].astype(np.int32))
    for k, (temp, api, rs, pres, pb, code) in enumerate(cases):
        out[:], ierr = [np.nan] * 3, ctypes.c_int32(-1)
        clib.liqvis(ctypes.c_double(temp), *_refs(api), *map(ctypes.c_double, (rs, pres, pb)), out,
                    ctypes.byref(out, 8), ctypes.byref(out, 16),
                    ctypes.byref(ctypes.c_int32(int(code))), ctypes.byref(ierr))
        np.testing.assert_array_equal([got.dead_oil[k], got.oil[k], got.water[k], got.ierr[k]],
                                      [*out, ierr.value], err_msg=str(k))
    assert list(got.ierr) == [0, 0, 1, 0]


@pytest.mark.parametrize("name, per_rate", [("vogel_oil", M3_PER_STB),
                                            ("darcy_gas", M3_PER_MSCF)])
def test_units_keyword_converts_the_result(name, per_rate):
    field = dlv.calculate(example(name))
    metric = dlv.calculate(example(name), units="metric")
    assert metric.units["rate"] == "sm3/d" and metric.units["pressure"] == "bar gauge"
    np.testing.assert_allclose(metric.rate, field.rate * per_rate, rtol=1e-9)
    np.testing.assert_allclose(metric.pressure, field.pressure * BAR_PER_PSI, rtol=1e-9,
                               atol=1e-12)
    # The metric twin asked for field units gives the field results.
    back = dlv.calculate(example(f"{name}_metric"), units="field")
    np.testing.assert_allclose(back.rate, field.rate, rtol=1e-9)


def test_quick_functions_default_and_take_metric_units():
    # pwf/pr = 0.75: 1 - 0.2 * 0.75 - 0.8 * 0.75^2 = 0.4, so qmax = 1000 / 0.4 = 2500 STB/d,
    # without a bubble point as with one at the reservoir pressure.
    field = dlv.vogel(2400, 1000, 1800)
    assert field.max_rate == pytest.approx(2500.0, rel=1e-12)
    assert dlv.vogel(2400, 1000, 1800, 2400).max_rate == field.max_rate
    # A test above the bubble point: J = 500 / (3000 - 2500), qmax = J (pr - pb) + J pb / 1.8.
    assert dlv.vogel(3000, 500, 2500, 2000).max_rate == pytest.approx(1000 + 2000 / 1.8, rel=1e-12)
    line = dlv.pi_line(1000, 2.0)  # q = J (pr - p) from 1000 psi down to none
    assert (line.pressure[0], line.pressure[24], line.max_rate) == (1000, 0, 2000)
    np.testing.assert_allclose(line.rate, 2.0 * (1000 - line.pressure), rtol=1e-12)
    metric = dlv.vogel(2400 * BAR_PER_PSI, 1000 * M3_PER_STB, 1800 * BAR_PER_PSI, units="metric")
    np.testing.assert_allclose(metric.rate, field.rate * M3_PER_STB, rtol=1e-9)
    # z takes an absolute pressure: 2500 psia at 150 degF (65.5556 degC).
    assert dlv.z_factor((150 - 32) / 1.8, 2500 * BAR_PER_PSI, 0.65, units="metric") == (
        pytest.approx(dlv.z_factor(150, 2500, 0.65), rel=1e-9))
    for call in (lambda: dlv.calculate(example("vogel_oil"), units="imperial"),
                 lambda: dlv.vogel(2400, 1000, 1800, units="SI")):
        with pytest.raises(ValueError, match="field or metric"):
            call()
