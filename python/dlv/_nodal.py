"""Operating points: where a well's inflow meets what its tubing lifts, and their pictures."""

from __future__ import annotations

import json
import warnings
from collections.abc import Iterable, Sequence
from typing import TYPE_CHECKING, Any

import numpy as np
import numpy.typing as npt

from . import _dlv
from ._tubing import PROFILE_COLUMNS
from ._wells import FallbackWarning, Well, WellError, _document_text, _require_wellfile

if TYPE_CHECKING:
    from matplotlib.axes import Axes
    from matplotlib.figure import Figure

VARY_FIELDS = ("wellhead_pressure", "inside_diameter", "water_cut", "producing_gor",
               "reservoir_pressure")


def _numbers(values: Sequence[float | None]) -> npt.NDArray[np.float64]:
    """A list of numbers or nulls as a float array, a null as NaN."""
    return np.array([np.nan if v is None else v for v in values], dtype=float)


class OperatingPoint:
    """The operating point of a well at its tubing's wellhead pressure.

    ``rate`` is STB/d of liquid (oil wells, with ``oil_rate`` beside it),
    Mscf/d (gas wells) or STB/d injected; pressures are psi gauge. ``flows`` is
    False when the curves do not cross stably: then ``message`` says so and
    ``rate`` is 0 (or the unstable crossing's rate). ``crossings`` lists every
    crossing with its label ("stable"/"unstable"). The curves are numpy arrays:
    ``inflow_rate``/``inflow_pressure``, ``tubing_rate``/``tubing_pressure``
    (NaN where the tubing cannot lift the rate), and ``traverse`` maps each
    profile column to an array (None when there is no operating point).
    ``value`` is the sensitivity's value, when the point is one of a family.
    """

    rate: float
    bottomhole_pressure: float
    wellhead_pressure: float
    flows: bool
    converged: bool
    residual: float
    iterations: int
    traverses: int
    message: str
    outcome: str
    direction: str
    crossings: list[dict[str, Any]]
    minimum: Any
    static_pressure: float | None

    def __init__(self, document: dict[str, Any], units: dict[str, str], description: str = "",
                 field: str | None = None) -> None:
        self.document = document
        self.units = units
        self.description = description
        self.field = field
        self.value = document.get("value")
        for key in ("rate", "bottomhole_pressure", "wellhead_pressure", "flows", "converged",
                    "residual", "iterations", "traverses", "message", "outcome", "direction",
                    "crossings", "minimum", "static_pressure"):
            setattr(self, key, document[key])
        self.oil_rate = document.get("oil_rate")
        self.inflow_rate = _numbers(document["inflow_curve"]["rate"])
        self.inflow_pressure = _numbers(document["inflow_curve"]["pressure"])
        self.tubing_rate = _numbers(document["tubing_curve"]["rate"])
        self.tubing_pressure = _numbers(document["tubing_curve"]["pressure"])
        trav = document.get("traverse")
        self.traverse: dict[str, npt.NDArray[Any]] | None = None
        if trav:
            self.traverse = {
                name: np.asarray(trav["profile"][name],
                                 dtype=str if name == "flow_pattern" else float)
                for name in PROFILE_COLUMNS
            }

    @property
    def rate_unit(self) -> str:
        return self.units["rate"]

    def plot(self, path: str | None = None, ax: Axes | None = None) -> Figure:
        """The inflow and tubing curves with the point marked; the unstable branch dashed."""
        return plot_nodal([self], path=path, ax=ax)

    def __repr__(self) -> str:
        if not self.flows:
            return f"OperatingPoint(flows=False, {self.message!r})"
        return (f"OperatingPoint(rate={self.rate:.6g} {self.rate_unit}, "
                f"bottomhole_pressure={self.bottomhole_pressure:.6g} psig, "
                f"traverses={self.traverses})")


def nodal(well: Well, vary: dict[str, Any] | None = None,
          units: str | None = None) -> OperatingPoint | list[OperatingPoint]:
    """The operating point of a well (dict or JSON file path) that has a tubing object.

    ``vary={"wellhead_pressure": [100, 200, 400]}`` (one field of
    ``VARY_FIELDS``) returns a list of operating points, one per value, each
    value applied to a copy of the well and checked before anything is
    computed. Raises ``WellError`` for a well or value that cannot be used; a
    well that does not flow is an answer (``flows`` False). Inflow curves with
    the library's fall-back values issue a ``FallbackWarning``. ``units``
    ("field" or "metric") is the system of the result, by default the well
    file's own; pressures are gauge (psi gauge or bar gauge).
    """
    _require_wellfile()
    text, source = _document_text(well)
    field: str | None = None
    values: list[float] = []
    if vary is not None:
        if not isinstance(vary, dict) or len(vary) != 1:
            raise ValueError('vary takes one field and its values, e.g. '
                             '{"wellhead_pressure": [100, 200]}')
        ((field, given),) = vary.items()
        values = [float(v) for v in np.atleast_1d(given)]
    if units not in (None, "field", "metric"):
        raise ValueError('units is "field" or "metric"')
    problems, fallbacks, result = _dlv.run_nodal(text, field, values, units or "")
    if problems:
        raise WellError(problems, source)
    if fallbacks:
        where = f"{source}: " if source else ""
        warnings.warn(where + "inflow computed with fall-backs: " + "; ".join(fallbacks),
                      FallbackWarning, stacklevel=2)
    doc = json.loads(result)
    description = doc.get("description", "")
    if field is None:
        return OperatingPoint(doc, doc["units"], description)
    return [OperatingPoint(p, doc["units"], description, field) for p in doc["points"]]


def _same_inflow(points: Sequence[OperatingPoint]) -> bool:
    first = points[0]
    return all(np.array_equal(p.inflow_rate, first.inflow_rate, equal_nan=True)
               and np.array_equal(p.inflow_pressure, first.inflow_pressure, equal_nan=True)
               for p in points)


def _draw_point(ax: Axes, point: OperatingPoint, colours: tuple[str, str], label: str,
                annotate: bool, inflow: bool = True) -> None:
    colour, tubing = colours
    injection = point.direction == "injection"
    if inflow:
        ax.plot(point.inflow_rate, point.inflow_pressure, color=colour, lw=2.5,
                alpha=1.0 if annotate else 0.5,
                label=f"{label}inflow" if label or annotate else None)
    if label and not point.flows:
        label = label.rstrip(": ") + " (does not flow): "
    q, p = point.tubing_rate, point.tubing_pressure
    if not injection and len(q) > 1:
        # A crossing is unstable where the tubing curve falls faster than the
        # inflow curve (left of the tubing curve's minimum, as a rule): that
        # branch is dashed, segment by segment.
        ipr = np.interp(q, point.inflow_rate, point.inflow_pressure)
        unstable_segment = np.diff(p) / np.diff(q) < np.diff(ipr) / np.diff(q)
        stable_y, unstable_y = np.full_like(p, np.nan), np.full_like(p, np.nan)
        for i, unstable in enumerate(unstable_segment):
            target = unstable_y if unstable else stable_y
            target[i:i + 2] = p[i:i + 2]
        ax.plot(q, unstable_y, color=tubing, lw=1.5, ls="--",
                label=f"{label}tubing, unstable branch"
                if annotate and unstable_segment.any() else None)
        ax.plot(q, stable_y, color=tubing, lw=1.5,
                label=f"{label}tubing" if label or annotate else None)
    else:
        ax.plot(q, p, color=tubing, lw=1.5,
                label=f"{label}tubing" if label or annotate else None)
    for x in point.crossings:
        if x["label"] != "stable":
            ax.plot(x["rate"], x["pressure"], "o", mfc="white", mec=colour, ms=7)
            if annotate:
                ax.annotate("unstable", (x["rate"], x["pressure"]), textcoords="offset points",
                            xytext=(6, 6), fontsize="small", color=colour)
    if point.flows:
        ax.plot(point.rate, point.bottomhole_pressure, "o", color=colour, ms=8, zorder=5)
        text = (f"{point.rate:.0f} {point.rate_unit}\n"
                f"{point.bottomhole_pressure:.0f} psig")
        ax.annotate(text, (point.rate, point.bottomhole_pressure), textcoords="offset points",
                    xytext=(8, -28 if injection else 8), fontsize="small", color=colour,
                    bbox=dict(boxstyle="round,pad=0.2", fc="white", ec=colour, alpha=0.85))


def plot_nodal(points: Iterable[OperatingPoint], path: str | None = None, ax: Axes | None = None,
               title: str | None = None) -> Figure:
    """Draws one or several operating points (a family) on one chart; returns the figure."""
    import matplotlib

    if path is not None and ax is None:
        matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    drawn = list(points)
    fig: Any
    if not drawn:
        raise ValueError("no operating points to draw")
    if ax is None:
        fig, ax = plt.subplots(figsize=(8, 5.5))
    else:
        fig = ax.figure
    colours = matplotlib.rcParams["axes.prop_cycle"].by_key()["color"]
    one = len(drawn) == 1
    # A family whose values leave the inflow alone (wellhead pressure, tubing
    # size) shares one inflow curve, drawn once.
    shared = not one and _same_inflow(drawn)
    if shared:
        ax.plot(drawn[0].inflow_rate, drawn[0].inflow_pressure, color="black", lw=2.5,
                label="inflow")
    for i, point in enumerate(drawn):
        label = "" if one else f"{point.field} = {point.value:g}: "
        pair = (colours[0], colours[1]) if one else (colours[i % len(colours)],) * 2
        _draw_point(ax, point, pair, label, annotate=one, inflow=not shared)
    first = drawn[0]
    ax.set_xlabel(f"rate [{first.rate_unit}]")
    ax.set_ylabel("bottom-hole pressure [psi gauge]")
    ax.set_xlim(left=0)
    ax.set_ylim(bottom=0)
    ax.grid(True, alpha=0.3)
    ax.legend(fontsize="small", loc="best")
    if title is None:
        title = first.description or "operating point"
        if one and not first.flows:
            title += f"\n{first.message}"
        elif one:
            title += f"\nwellhead {first.wellhead_pressure:g} psig"
        else:
            title += f"\nvarying {first.field}"
    import textwrap

    ax.set_title("\n".join(textwrap.fill(line, 90) for line in title.split("\n")),
                 fontsize="medium")
    fig.tight_layout()
    if path is not None:
        fig.savefig(path, dpi=110)
    return fig
