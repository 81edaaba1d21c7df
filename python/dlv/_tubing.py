"""Tubing traverses of a well document, and the gradient of a correlation at one point."""

from __future__ import annotations

import json
from dataclasses import dataclass
from typing import TYPE_CHECKING, Any

import numpy as np
import numpy.typing as npt

from . import _dlv
from ._units import unit_system
from ._wells import Well, WellError, _document_text, _require_wellfile

if TYPE_CHECKING:
    from matplotlib.axes import Axes
    from matplotlib.figure import Figure

# Profile columns of a traverse, in the order of the result document.
PROFILE_COLUMNS = (
    "measured_depth",
    "vertical_depth",
    "pressure",
    "temperature",
    "holdup",
    "no_slip_holdup",
    "flow_pattern",
    "mixture_density",
    "mixture_velocity",
    "elevation_gradient",
    "friction_gradient",
    "acceleration_gradient",
)


class Traverse:
    """The pressure traverse of a well's tubing at one rate.

    Every profile column is a numpy array (``flow_pattern`` holds names), one
    entry per node in marching order; ``units`` names each column's unit.
    ``status`` is "ok" when the traverse reached its end; otherwise ``message``
    says why and where (``stopped_at``), and the end pressure is None.
    Pressures are psi gauge.
    """

    correlation: str
    fluid: str
    rate: float
    start: str
    status: str
    message: str
    steps: int
    fluid_evaluations: int
    units: dict[str, str]
    measured_depth: npt.NDArray[np.float64]
    vertical_depth: npt.NDArray[np.float64]
    pressure: npt.NDArray[np.float64]
    temperature: npt.NDArray[np.float64]
    holdup: npt.NDArray[np.float64]
    no_slip_holdup: npt.NDArray[np.float64]
    flow_pattern: npt.NDArray[np.str_]
    mixture_density: npt.NDArray[np.float64]
    mixture_velocity: npt.NDArray[np.float64]
    elevation_gradient: npt.NDArray[np.float64]
    friction_gradient: npt.NDArray[np.float64]
    acceleration_gradient: npt.NDArray[np.float64]

    def __init__(self, document: dict[str, Any]) -> None:
        self.document = document
        for key in ("correlation", "fluid", "rate", "start", "status", "message", "steps",
                    "fluid_evaluations", "units"):
            setattr(self, key, document[key])
        self.wellhead_pressure = document["wellhead_pressure"]
        self.bottomhole_pressure = document["bottomhole_pressure"]
        self.stopped_at = document.get("stopped_at")
        self.description = document.get("description", "")
        profile = document["profile"]
        for name in PROFILE_COLUMNS:
            dtype = str if name == "flow_pattern" else float
            setattr(self, name, np.asarray(profile[name], dtype=dtype))

    @property
    def lifted(self) -> bool:
        """True when the traverse reached its end."""
        return self.status == "ok"

    def to_dict(self) -> dict[str, Any]:
        """The result document, as ``dlv traverse --format json`` prints it."""
        return self.document

    def plot(self, path: str | None = None, ax: Axes | None = None) -> Figure:
        """Pressure and holdup against depth, the flow patterns shaded."""
        from ._plot import plot_traverse

        return plot_traverse(self, path=path, ax=ax)

    def __repr__(self) -> str:
        end = self.bottomhole_pressure if self.start == "wellhead" else self.wellhead_pressure
        return (f"Traverse({self.correlation}, rate={self.rate:g} {self.units['rate']}, "
                f"{len(self.pressure)} nodes, end={end}, status={self.status!r})")


def traverse(well: Well, rate: float, start: str = "wellhead",
             start_pressure: float | None = None, units: str | None = None) -> Traverse:
    """Traverses the tubing of a well (dict or JSON file path) at one rate.

    ``rate`` and ``start_pressure`` are in the well's own units: STB/d of
    liquid (oil production, water injection) or Mscf/d (gas modes) and psi
    gauge; in a metric well sm3/d and bar gauge. ``start="wellhead"`` marches
    from the tubing's wellhead pressure down to the node; ``start="bottom"``
    marches up from the node, at ``start_pressure`` or else the well's inflow
    pressure at that rate. ``units`` ("field" or "metric") sets the unit
    system of the profile (default: the well's own); ``Traverse.units`` names
    each column's unit. Raises ``WellError`` for a well that cannot be
    traversed.
    """
    _require_wellfile()
    system = "" if units is None else unit_system(units)
    if start not in ("wellhead", "bottom"):
        raise ValueError('start is "wellhead" or "bottom"')
    text, source = _document_text(well)
    problems, result = _dlv.run_traverse(text, float(rate), start,
                                         None if start_pressure is None else float(start_pressure),
                                         system)
    if problems:
        raise WellError(problems, source)
    return Traverse(json.loads(result))


@dataclass(frozen=True)
class Gradient:
    """-dp/dL along the flow (psi/ft), its terms, the holdups and the flow pattern at a point."""

    elevation: float
    friction: float
    acceleration: float
    total: float
    holdup: float
    no_slip_holdup: float
    mixture_density: float
    mixture_velocity: float
    flow_pattern: str
    ok: bool


def tubing_gradient(correlation: str, *, inside_diameter: float, roughness: float,
                    inclination: float, superficial_liquid_velocity: float,
                    superficial_gas_velocity: float, liquid_density: float, gas_density: float,
                    liquid_viscosity: float, gas_viscosity: float, surface_tension: float,
                    pressure: float, payne: bool = True) -> Gradient:
    """The gradient of a point correlation at one point, for checks against textbooks.

    Units: inches (inside diameter, absolute roughness), degrees from the
    horizontal (90 = vertical upward flow), ft/s, lbm/ft3, cp, dyn/cm and
    psia (absolute pressure). ``payne`` switches the Payne et al. factors of
    beggs_brill. ``ok`` is False where the point cannot be computed.
    """
    _require_wellfile()
    values = _dlv.tubing_gradient(
        correlation, float(inside_diameter), float(roughness), float(inclination),
        float(superficial_liquid_velocity), float(superficial_gas_velocity), float(liquid_density),
        float(gas_density), float(liquid_viscosity), float(gas_viscosity), float(surface_tension),
        float(pressure), bool(payne))
    return Gradient(**values)
