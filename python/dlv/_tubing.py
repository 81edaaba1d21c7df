"""Tubing traverses of a well document, and the gradient of a correlation at one point."""

import json
from dataclasses import dataclass

import numpy as np

from . import _dlv
from ._units import unit_system
from ._wells import WellError, _document_text, _require_wellfile

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

    def __init__(self, document):
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
    def lifted(self):
        """True when the traverse reached its end."""
        return self.status == "ok"

    def to_dict(self):
        """The result document, as ``dlv traverse --format json`` prints it."""
        return self.document

    def plot(self, path=None, ax=None):
        """Pressure and holdup against depth, the flow patterns shaded."""
        from ._plot import plot_traverse

        return plot_traverse(self, path=path, ax=ax)

    def __repr__(self):
        end = self.bottomhole_pressure if self.start == "wellhead" else self.wellhead_pressure
        return (f"Traverse({self.correlation}, rate={self.rate:g} {self.units['rate']}, "
                f"{len(self.pressure)} nodes, end={end}, status={self.status!r})")


def traverse(well, rate, start="wellhead", start_pressure=None, units=None):
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
    units = "" if units is None else unit_system(units)
    if start not in ("wellhead", "bottom"):
        raise ValueError('start is "wellhead" or "bottom"')
    text, source = _document_text(well)
    problems, result = _dlv.run_traverse(text, float(rate), start,
                                         None if start_pressure is None else float(start_pressure),
                                         units)
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


def tubing_gradient(correlation, *, inside_diameter, roughness, inclination,
                    superficial_liquid_velocity, superficial_gas_velocity, liquid_density,
                    gas_density, liquid_viscosity, gas_viscosity, surface_tension, pressure,
                    payne=True):
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
