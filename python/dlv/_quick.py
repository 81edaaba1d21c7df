"""Single curves and fluid correlations straight from the library's exports."""

from collections import namedtuple

import numpy as np

from . import _dlv

QuickCurve = namedtuple("QuickCurve", "rate pressure max_rate")
QuickCurve.__doc__ = """A 25-point curve: rate (STB/d), flowing pressure (psig), and the
rate at zero flowing pressure (element 24 of rate)."""

Viscosities = namedtuple("Viscosities", "dead_oil oil water ierr")
Viscosities.__doc__ = """Liquid viscosities in cp; ierr is 1 where an input was out of range
(then dead_oil and oil are NaN: the library leaves them unwritten)."""


def vogel(reservoir_pressure, test_rate, test_pressure, bubble_point=None):
    """Vogel curve through one test point (pressures in psig, rate in STB/d).

    Without a bubble point the bubble point is taken at the reservoir
    pressure: Vogel's curve over the whole range (as ``dlv vogel`` does). A
    bubble point below the reservoir pressure gives a straight line above it;
    ``pi_line`` draws a straight line throughout.
    """
    if bubble_point is None:
        bubble_point = reservoir_pressure
    last, rate, pressure = _dlv.vogel(reservoir_pressure, test_rate, test_pressure, bubble_point)
    return QuickCurve(rate, pressure, last)


def pi_line(reservoir_pressure, productivity_index):
    """Straight productivity-index line (psig; STB/d per psi)."""
    last, rate, pressure = _dlv.pi_line(reservoir_pressure, productivity_index)
    return QuickCurve(rate, pressure, last)


def _broadcast(*values):
    """The values broadcast to one shape, each flattened to a contiguous array."""
    arrays = np.broadcast_arrays(*[np.asarray(v) for v in values])
    return arrays[0].shape, [np.ascontiguousarray(a).ravel() for a in arrays]


def _shaped(array, shape):
    return array.reshape(shape) if shape else array[0]


def z_factor(temperature, pressure, gas_sg):
    """Gas deviation factor by Hall-Yarborough, element-wise with numpy broadcasting.

    temperature in °F, pressure in psia, gas_sg relative to air. Returns an
    array of the broadcast shape (a float for scalar inputs).
    """
    shape, values = _broadcast(temperature, pressure, gas_sg)
    return _shaped(_dlv.zfachy(*(v.astype(np.float64) for v in values)), shape)


def liquid_viscosity(temperature, api_gravity, solution_gor, pressure, bubble_point, correlation=0):
    """Dead-oil, live-oil and water viscosities (cp), element-wise with broadcasting.

    temperature in °F, api_gravity in °API, solution_gor in scf/STB, pressure
    and bubble_point in psia; correlation 0 Beggs-Robinson, 1 Glaso, 2
    Beggs-Robinson without its range checks.
    """
    shape, values = _broadcast(
        temperature, api_gravity, solution_gor, pressure, bubble_point, correlation
    )
    t, api, rs, p, pb = (v.astype(np.float64) for v in values[:5])
    code = values[5].astype(np.int32)
    out = _dlv.liqvis(t, api, rs, p, pb, code)
    return Viscosities(*(_shaped(a, shape) for a in out))
