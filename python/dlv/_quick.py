"""Single curves and fluid correlations straight from the library's exports."""

from __future__ import annotations

from typing import Any, NamedTuple

import numpy as np
import numpy.typing as npt

from . import _dlv
from ._units import from_field, to_field, unit_system


class QuickCurve(NamedTuple):
    """A 25-point curve: rate (STB/d; sm3/d with units="metric"), flowing
    pressure (psi gauge; bar gauge with units="metric"), and the rate at zero flowing pressure
    (element 24 of rate)."""

    rate: npt.NDArray[np.float64]
    pressure: npt.NDArray[np.float64]
    max_rate: float


class Viscosities(NamedTuple):
    """Liquid viscosities in cp (= mPa.s); ierr is 1 where an input was out of range
    (then dead_oil and oil are NaN: the library leaves them unwritten)."""

    dead_oil: Any
    oil: Any
    water: Any
    ierr: Any


# A number or anything numpy makes an array of.
Numbers = npt.ArrayLike


def _curve(out: tuple[float, npt.NDArray[np.float64], npt.NDArray[np.float64]],
           units: str) -> QuickCurve:
    last, rate, pressure = out
    return QuickCurve(from_field("liquid_rate", rate, units),
                      from_field("pressure_gauge", pressure, units),
                      from_field("liquid_rate", last, units))


def vogel(reservoir_pressure: float, test_rate: float, test_pressure: float,
          bubble_point: float | None = None, units: str | None = None) -> QuickCurve:
    """Vogel curve through one test point.

    Pressures are gauge pressures: psi gauge, or bar gauge with
    ``units="metric"``; the rate is STB/d, or sm3/d. The curve comes back in
    the same units.

    Without a bubble point the bubble point is taken at the reservoir
    pressure: Vogel's curve over the whole range (as ``dlv vogel`` does). A
    bubble point below the reservoir pressure gives a straight line above it;
    ``pi_line`` draws a straight line throughout.
    """
    system = unit_system(units)
    if bubble_point is None:
        bubble_point = reservoir_pressure
    p = [to_field("pressure_gauge", v, system)
         for v in (reservoir_pressure, test_pressure, bubble_point)]
    q = to_field("liquid_rate", test_rate, system)
    return _curve(_dlv.vogel(p[0], q, p[1], p[2]), system)


def pi_line(reservoir_pressure: float, productivity_index: float,
            units: str | None = None) -> QuickCurve:
    """Straight productivity-index line.

    The reservoir pressure is a gauge pressure: psi gauge and the index in
    STB/d per psi, or with ``units="metric"`` bar gauge and sm3/d per bar.
    The curve comes back in the same units.
    """
    system = unit_system(units)
    return _curve(_dlv.pi_line(to_field("pressure_gauge", reservoir_pressure, system),
                               to_field("productivity_index", productivity_index, system)), system)


def _broadcast(*values: Numbers) -> tuple[tuple[int, ...], list[npt.NDArray[Any]]]:
    """The values broadcast to one shape, each flattened to a contiguous array."""
    arrays = np.broadcast_arrays(*[np.asarray(v) for v in values])
    return arrays[0].shape, [np.ascontiguousarray(a).ravel() for a in arrays]


def _shaped(array: Any, shape: tuple[int, ...]) -> Any:
    return array.reshape(shape) if shape else array[0]


def z_factor(temperature: Numbers, pressure: Numbers, gas_sg: Numbers,
             units: str | None = None) -> Any:
    """Gas deviation factor by Hall-Yarborough, element-wise with numpy broadcasting.

    The pressure is an ABSOLUTE pressure, unlike the well files' gauge
    pressures: temperature in °F and pressure in psia, or with
    ``units="metric"`` °C and bar absolute; gas_sg relative to air. Returns
    an array of the broadcast shape (a float for scalar inputs).
    """
    system = unit_system(units)
    temperature = to_field("temperature", np.asarray(temperature, dtype=np.float64), system)
    pressure = to_field("pressure_absolute", np.asarray(pressure, dtype=np.float64), system)
    shape, values = _broadcast(temperature, pressure, gas_sg)
    return _shaped(_dlv.zfachy(*(v.astype(np.float64) for v in values)), shape)


def liquid_viscosity(temperature: Numbers, api_gravity: Numbers, solution_gor: Numbers,
                     pressure: Numbers, bubble_point: Numbers, correlation: Numbers = 0,
                     units: str | None = None) -> Viscosities:
    """Dead-oil, live-oil and water viscosities (cp = mPa.s), element-wise with broadcasting.

    The pressures are ABSOLUTE pressures: temperature in °F, api_gravity in
    °API, solution_gor in scf/STB, pressure and bubble_point in psia; with
    ``units="metric"`` °C, sm3/sm3 and bar absolute. correlation 0
    Beggs-Robinson, 1 Glaso, 2 Beggs-Robinson without its range checks.
    """
    system = unit_system(units)
    temperature = to_field("temperature", np.asarray(temperature, dtype=np.float64), system)
    solution_gor = to_field("gor", np.asarray(solution_gor, dtype=np.float64), system)
    pressure = to_field("pressure_absolute", np.asarray(pressure, dtype=np.float64), system)
    bubble_point = to_field("pressure_absolute", np.asarray(bubble_point, dtype=np.float64), system)
    shape, values = _broadcast(
        temperature, api_gravity, solution_gor, pressure, bubble_point, correlation
    )
    t, api, rs, p, pb = (v.astype(np.float64) for v in values[:5])
    code = values[5].astype(np.int32)
    out = _dlv.liqvis(t, api, rs, p, pb, code)
    return Viscosities(*(_shaped(a, shape) for a in out))
