"""Single curves and fluid correlations straight from the library's exports."""

from collections import namedtuple

import numpy as np

from . import _dlv
from ._units import from_field, to_field, unit_system

QuickCurve = namedtuple("QuickCurve", "rate pressure max_rate")
QuickCurve.__doc__ = """A 25-point curve: rate (STB/d; sm3/d with units="metric"), flowing
pressure (psi gauge; bar gauge with units="metric"), and the rate at zero flowing pressure
(element 24 of rate)."""

Viscosities = namedtuple("Viscosities", "dead_oil oil water ierr")
Viscosities.__doc__ = """Liquid viscosities in cp (= mPa.s); ierr is 1 where an input was out of range
(then dead_oil and oil are NaN: the library leaves them unwritten)."""


def _curve(out, units):
    last, rate, pressure = out
    return QuickCurve(from_field("liquid_rate", rate, units),
                      from_field("pressure_gauge", pressure, units),
                      from_field("liquid_rate", last, units))


def vogel(reservoir_pressure, test_rate, test_pressure, bubble_point=None, units=None):
    """Vogel curve through one test point.

    Pressures are gauge pressures: psi gauge, or bar gauge with
    ``units="metric"``; the rate is STB/d, or sm3/d. The curve comes back in
    the same units.

    Without a bubble point the bubble point is taken at the reservoir
    pressure: Vogel's curve over the whole range (as ``dlv vogel`` does). A
    bubble point below the reservoir pressure gives a straight line above it;
    ``pi_line`` draws a straight line throughout.
    """
    units = unit_system(units)
    if bubble_point is None:
        bubble_point = reservoir_pressure
    p = [to_field("pressure_gauge", v, units)
         for v in (reservoir_pressure, test_pressure, bubble_point)]
    q = to_field("liquid_rate", test_rate, units)
    return _curve(_dlv.vogel(p[0], q, p[1], p[2]), units)


def pi_line(reservoir_pressure, productivity_index, units=None):
    """Straight productivity-index line.

    The reservoir pressure is a gauge pressure: psi gauge and the index in
    STB/d per psi, or with ``units="metric"`` bar gauge and sm3/d per bar.
    The curve comes back in the same units.
    """
    units = unit_system(units)
    return _curve(_dlv.pi_line(to_field("pressure_gauge", reservoir_pressure, units),
                               to_field("productivity_index", productivity_index, units)), units)


def _broadcast(*values):
    """The values broadcast to one shape, each flattened to a contiguous array."""
    arrays = np.broadcast_arrays(*[np.asarray(v) for v in values])
    return arrays[0].shape, [np.ascontiguousarray(a).ravel() for a in arrays]


def _shaped(array, shape):
    return array.reshape(shape) if shape else array[0]


def z_factor(temperature, pressure, gas_sg, units=None):
    """Gas deviation factor by Hall-Yarborough, element-wise with numpy broadcasting.

    The pressure is an ABSOLUTE pressure, unlike the well files' gauge
    pressures: temperature in °F and pressure in psia, or with
    ``units="metric"`` °C and bar absolute; gas_sg relative to air. Returns
    an array of the broadcast shape (a float for scalar inputs).
    """
    units = unit_system(units)
    temperature = to_field("temperature", np.asarray(temperature, dtype=np.float64), units)
    pressure = to_field("pressure_absolute", np.asarray(pressure, dtype=np.float64), units)
    shape, values = _broadcast(temperature, pressure, gas_sg)
    return _shaped(_dlv.zfachy(*(v.astype(np.float64) for v in values)), shape)


def liquid_viscosity(temperature, api_gravity, solution_gor, pressure, bubble_point, correlation=0,
                     units=None):
    """Dead-oil, live-oil and water viscosities (cp = mPa.s), element-wise with broadcasting.

    The pressures are ABSOLUTE pressures: temperature in °F, api_gravity in
    °API, solution_gor in scf/STB, pressure and bubble_point in psia; with
    ``units="metric"`` °C, sm3/sm3 and bar absolute. correlation 0
    Beggs-Robinson, 1 Glaso, 2 Beggs-Robinson without its range checks.
    """
    units = unit_system(units)
    temperature = to_field("temperature", np.asarray(temperature, dtype=np.float64), units)
    solution_gor = to_field("gor", np.asarray(solution_gor, dtype=np.float64), units)
    pressure = to_field("pressure_absolute", np.asarray(pressure, dtype=np.float64), units)
    bubble_point = to_field("pressure_absolute", np.asarray(bubble_point, dtype=np.float64), units)
    shape, values = _broadcast(
        temperature, api_gravity, solution_gor, pressure, bubble_point, correlation
    )
    t, api, rs, p, pb = (v.astype(np.float64) for v in values[:5])
    code = values[5].astype(np.int32)
    out = _dlv.liqvis(t, api, rs, p, pb, code)
    return Viscosities(*(_shaped(a, shape) for a in out))
