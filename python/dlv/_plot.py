"""Inflow curves drawn with matplotlib."""

from __future__ import annotations

import os
import textwrap
from collections.abc import Sequence
from typing import TYPE_CHECKING, Any

import numpy as np
import numpy.typing as npt

if TYPE_CHECKING:
    from matplotlib.axes import Axes
    from matplotlib.figure import Figure

    from ._result import Result
    from ._tubing import Traverse

FloatArray = npt.NDArray[np.float64]

# Oil-production methods whose curves bend at the bubble point.
BUBBLE_POINT_METHODS = {"darcy_vogel", "vogel", "vogel_two_test", "horizontal", "fractured"}
# The rate-test column each mode reads.
RATE_TEST_COLUMNS = {
    "oil_production": "ratetest_liquid_rates",
    "gas_production": "ratetest_gas_rates",
    "gas_injection": "ratetest_gas_rates",
    "water_injection": "ratetest_water_rates",
}


def measured_points(result: Result) -> tuple[FloatArray, FloatArray]:
    """Measured (rate, pressure) points of the input well: its tests and rate-test rows."""
    well = result.well or {}
    rates: list[float] = []
    pressures: list[float] = []
    for test in well.get("tests", []) or []:
        if "test_rate" in test and "test_pressure" in test:
            rates.append(test["test_rate"])
            pressures.append(test["test_pressure"])
    table = well.get("rate_test") or {}
    column = table.get(RATE_TEST_COLUMNS.get(result.mode or "", ""), [])
    for rate, pressure in zip(column, table.get("ratetest_pressures", [])):
        rates.append(rate)
        pressures.append(pressure)
    return np.asarray(rates, dtype=float), np.asarray(pressures, dtype=float)


def _bubble_layers(result: Result) -> Sequence[int]:
    if result.mode != "oil_production" or result.method not in BUBBLE_POINT_METHODS:
        return []
    return range(result.layer_count) if result.method in {"darcy_vogel", "horizontal"} else [0]


def bubble_points(result: Result) -> list[tuple[int, float]]:
    """(layer, bubble point) for each layer whose curve bends at its bubble point."""
    if "bubble_point" not in result.fluid_properties:
        return []
    shut_in = result.pressure[:, 0]
    pb = result.fluid_properties.bubble_point
    return [(L, pb[L]) for L in _bubble_layers(result) if 0 < pb[L] < shut_in[L]]


def bubble_point_absences(result: Result) -> list[tuple[int, str]]:
    """(layer, why) for each layer whose curve would bend at a bubble point but has none drawn."""
    fluid = result.fluid_properties
    pb = fluid.bubble_point if "bubble_point" in fluid else None
    out = []
    for L in _bubble_layers(result):
        value = np.nan if pb is None else pb[L]
        shut_in = result.pressure[L, 0]
        if np.isnan(value):
            out.append((L, "no bubble point known"))
        elif value >= shut_in:
            out.append((L, f"bubble point {value:.0f} psig \u2265 reservoir pressure:"
                           " the whole curve is two-phase"))
        elif value <= 0:
            out.append((L, "bubble point 0 psig: single-phase straight line"))
    return out


def _injection(result: Result) -> bool:
    return str(result.mode).endswith("injection")


def _label_maximum(ax: Axes, rate: FloatArray, pressure: FloatArray, color: str, unit: str,
                   injection: bool) -> None:
    """Writes the curve's maximum rate beside its point: "AOF" where a producer's
    curve reaches 0 psig, "max" elsewhere (injection, or a curve cut short)."""
    real = np.isfinite(rate) & np.isfinite(pressure)
    if not real.any():
        return
    i = int(np.argmax(np.where(real, rate, -np.inf)))
    ax.plot(rate[i], pressure[i], "o", color=color, ms=4, clip_on=False)
    what = "AOF" if not injection and pressure[i] < 1.0 else "max"
    # Labels of several curves that end near one another step upwards.
    step = sum(1 for t in ax.texts if getattr(t, "_dlv_maximum", False))
    text = ax.annotate(f"{what} {rate[i]:,.0f} {unit}", (rate[i], pressure[i]),
                       xytext=(-4, 6 + 12 * step), textcoords="offset points", color=color,
                       fontsize="small", ha="right")
    text._dlv_maximum = True


def _draw(result: Result, ax: Axes, colors: Sequence[str], first: int,
          name: str | None = None) -> int:
    """Draws one result's curves, tests, bubble points and markers; returns the next colour index."""
    unit = result.rate_unit
    several = result.layer_count > 1
    injection = _injection(result)
    kind = "injection" if injection else "inflow"
    prefix = f"{name}: " if name else ""
    for L in range(result.layer_count):
        color = colors[(first + L) % len(colors)]
        label = f"{prefix}layer {L}" if several else name or f"{kind} curve"
        ax.plot(result.rate[L], result.pressure[L], "-", color=color, lw=1.8, label=label)
        if not several:
            _label_maximum(ax, result.rate[L], result.pressure[L], color, unit, injection)
        if result.completion is not None:
            rate, pressure = result.completion.rate[L], result.completion.pressure[L]
            ax.plot(rate, pressure, "--", color=color, lw=1.2,
                    label=f"{label}, after completion loss")
            _label_maximum(ax, rate, pressure, color, unit, injection)
        if result.traverse is not None:
            ax.plot(result.traverse.rate[L], result.traverse.pressure[L], "-.", color=color,
                    lw=1.2, label=f"{label}, at reference depth")
    used = result.layer_count
    if several and "rate" in result.well_curve:
        color = "black" if not name else colors[(first + used) % len(colors)]
        used += 1 if name else 0
        ax.plot(result.well_curve.rate, result.well_curve.pressure, "-", color=color, lw=2.6,
                label=prefix + "composite (well)")
        _label_maximum(ax, result.well_curve.rate, result.well_curve.pressure, color, unit,
                       injection)
    rates, pressures = measured_points(result)
    if rates.size:
        ax.plot(rates, pressures, "o", ms=7, mfc="white", mec="black", mew=1.5, ls="none",
                label=prefix + "test points", zorder=5)
    where = lambda L: f", layer {L}" if several else ""  # noqa: E731
    for L, pb in bubble_points(result):
        ax.axhline(pb, color=colors[(first + L) % len(colors)], ls=":", lw=1.2,
                   label=f"{prefix}bubble point{where(L)} ({pb:.0f} psig)")
    for L, why in bubble_point_absences(result):
        ax.plot([], [], " ", label=f"{prefix}{why}{where(L)}")
    if _injection(result):
        layers = (result.well or {}).get("layers", [])
        pr = result.pressure[:, 0]
        for L in range(result.layer_count):
            color = colors[(first + L) % len(colors)]
            ax.axhline(pr[L], color=color, ls="-", lw=0.8, alpha=0.6,
                       label=f"{prefix}reservoir pressure{where(L)} ({pr[L]:.0f} psig)")
            brk = layers[L].get("break_pressure", 0) if L < len(layers) else 0
            if brk > 0:
                ax.axhline(brk, color=color, ls="--", lw=0.8, alpha=0.8,
                           label=f"{prefix}break pressure{where(L)} ({brk:.0f} psig)")
    return first + used


def _finish(ax: Axes, results: Sequence[Result], title: str | None) -> Axes:
    first = results[0]
    ax.set_xlabel(f"Rate ({first.rate_unit})")
    ax.set_ylabel("Flowing bottom-hole pressure (psi gauge)")
    if title is not None:
        ax.set_title("\n".join(textwrap.wrap(title, 80)), fontsize="medium")
    rates = np.concatenate([np.ravel(r.rate) for r in results] +
                           [measured_points(r)[0] for r in results])
    if np.nanmin(rates) < 0:
        ax.axvline(0.0, color="grey", lw=0.8)  # negative rates: a layer takes fluid
        ax.set_xlim(left=min(0.0, ax.get_xlim()[0]))
    else:
        ax.set_xlim(left=0.0)  # the curves start at zero rate
    if all(_injection(r) for r in results):
        # Injection curves start at the reservoir pressure: the axis starts there too.
        low = min(np.nanmin(r.pressure) for r in results)
        top = ax.get_ylim()[1]
        ax.set_ylim(bottom=max(0.0, low - 0.05 * (top - low)))
    else:
        lowest = min(float(np.nanmin(r.pressure)) for r in results)
        ax.set_ylim(bottom=min(0.0, lowest))  # producers' curves end at 0 psig
    ax.grid(True, alpha=0.3)
    # Outside the axes, to the right, in short wrapped lines: the legend never
    # hides a curve and leaves the axes most of the width.
    handles, labels = ax.get_legend_handles_labels()
    labels = ["\n".join(textwrap.wrap(label, 34)) for label in labels]
    ax.legend(handles, labels, loc="upper left", bbox_to_anchor=(1.01, 1.0), borderaxespad=0.0,
              fontsize="small", frameon=False)
    return ax


def plot_result(result: Result, ax: Axes | None = None, title: str | None = None) -> Axes:
    """Draws one result: curves, their maximum rates, tests, bubble points; returns ax."""
    import matplotlib

    if ax is None:
        import matplotlib.pyplot as plt

        _, ax = plt.subplots(figsize=(8, 5.5), layout="constrained")
    colors = matplotlib.rcParams["axes.prop_cycle"].by_key()["color"]
    _draw(result, ax, colors, 0)
    if title is None:
        title = (result.well or {}).get("description") or f"{result.mode}, {result.method}"
    return _finish(ax, [result], title)


def plot_results(results: Sequence[Result], names: Sequence[str], ax: Axes,
                 title: str | None = None) -> Axes:
    """Draws several wells on one chart, each named in the legend; returns ax."""
    import matplotlib

    colors = matplotlib.rcParams["axes.prop_cycle"].by_key()["color"]
    first = 0
    for result, name in zip(results, names):
        first = _draw(result, ax, colors, first, name=name)
    units = {r.rate_unit for r in results}
    if len(units) > 1:
        raise ValueError(f"wells with different rate units on one chart: {sorted(units)}")
    return _finish(ax, results, title)


def save_plot(result: Result, path: str | os.PathLike[str], dpi: int = 100,
              size: tuple[float, float] = (8, 5.5)) -> None:
    """Writes the picture of a result to a PNG (or any format matplotlib knows by the suffix).

    Draws on a figure of its own, outside pyplot, so no window opens and the
    interactive backend, if any, is left alone.
    """
    from matplotlib.figure import Figure

    fig = Figure(figsize=size, layout="constrained")
    plot_result(result, ax=fig.subplots())
    fig.savefig(path, dpi=dpi)


# Shades of the flow patterns along a traverse.
PATTERN_COLOURS = {
    "liquid": "#c6dbef",
    "gas": "#fdd0a2",
    "static": "#eeeeee",
    "homogeneous": "#d9d9d9",
    "segregated": "#c7e9c0",
    "transition": "#fff7bc",
    "intermittent": "#fcbba1",
    "distributed": "#dadaeb",
    "bubble": "#9ecae1",
    "slug": "#fdae6b",
    "mist": "#e5f5e0",
}


def plot_traverse(trav: Traverse, path: str | None = None, ax: Axes | None = None) -> Figure:
    """Pressure and holdup against measured depth (depth down), patterns shaded."""
    import matplotlib

    if path is not None and ax is None:
        matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    from matplotlib.patches import Patch

    fig: Any
    if ax is None:
        fig, ax = plt.subplots(figsize=(7, 6))
    else:
        fig = ax.figure
    depth = trav.measured_depth
    seen: dict[str, str] = {}
    for i in range(len(depth) - 1):
        name = str(trav.flow_pattern[i])
        colour = PATTERN_COLOURS.get(name, "#ffffff")
        ax.axhspan(depth[i], depth[i + 1], color=colour, alpha=0.6, lw=0)
        seen[name] = colour
    ax.plot(trav.pressure, depth, color="C0", lw=2, label="pressure")
    ax.set_xlabel("pressure [psi gauge]")
    ax.set_ylabel("measured depth [ft]")
    if not ax.yaxis_inverted():
        ax.invert_yaxis()
    holdup_ax = ax.twiny()
    holdup_ax.plot(trav.holdup, depth, color="C3", lw=1.5, label="holdup")
    holdup_ax.plot(trav.no_slip_holdup, depth, color="C3", lw=1, ls="--", label="no-slip holdup")
    holdup_ax.set_xlim(0, 1)
    holdup_ax.set_xlabel("liquid holdup [fraction]", color="C3")
    handles = [ax.get_lines()[0]] + holdup_ax.get_lines()
    handles += [Patch(color=c, alpha=0.6, label=n) for n, c in seen.items()]
    ax.legend(handles=handles, loc="lower left", fontsize="small", framealpha=0.9)
    title = f"{trav.correlation}, {trav.rate:g} {trav.units['rate']}"
    if not trav.lifted:
        title += f"\n{trav.message}"
    fig.suptitle(title, fontsize="medium")
    fig.tight_layout()
    if path is not None:
        fig.savefig(path, dpi=110)
    return fig


def save_plots(results: Sequence[Result], names: Sequence[str], path: str | os.PathLike[str],
               dpi: int = 100, size: tuple[float, float] = (8, 5.5)) -> None:
    """Writes several wells on one chart to a picture file."""
    from matplotlib.figure import Figure

    fig = Figure(figsize=size, layout="constrained")
    plot_results(results, names, fig.subplots(), title=", ".join(names))
    fig.savefig(path, dpi=dpi)


def picture_suffix(path: str | os.PathLike[str]) -> bool:
    """True when a path names a picture file by a suffix matplotlib writes."""
    from matplotlib.figure import Figure

    suffix = os.path.splitext(os.fspath(path))[1].lower().lstrip(".")
    return bool(suffix) and suffix in Figure().canvas.get_supported_filetypes()
