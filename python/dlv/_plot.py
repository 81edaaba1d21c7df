"""Inflow curves drawn with matplotlib."""

import textwrap

import numpy as np

# Oil-production methods whose curves bend at the bubble point.
BUBBLE_POINT_METHODS = {"darcy_vogel", "vogel", "vogel_two_test", "horizontal", "fractured"}
# The rate-test column each mode reads.
RATE_TEST_COLUMNS = {
    "oil_production": "ratetest_liquid_rates",
    "gas_production": "ratetest_gas_rates",
    "gas_injection": "ratetest_gas_rates",
    "water_injection": "ratetest_water_rates",
}


def measured_points(result):
    """Measured (rate, pressure) points of the input well: its tests and rate-test rows."""
    well = result.well or {}
    rates, pressures = [], []
    for test in well.get("tests", []) or []:
        if "test_rate" in test and "test_pressure" in test:
            rates.append(test["test_rate"])
            pressures.append(test["test_pressure"])
    table = well.get("rate_test") or {}
    column = table.get(RATE_TEST_COLUMNS.get(result.mode, ""), [])
    for rate, pressure in zip(column, table.get("ratetest_pressures", [])):
        rates.append(rate)
        pressures.append(pressure)
    return np.asarray(rates, dtype=float), np.asarray(pressures, dtype=float)


def bubble_points(result):
    """(layer, bubble point) for each layer whose curve uses one; empty for other methods."""
    if result.mode != "oil_production" or result.method not in BUBBLE_POINT_METHODS:
        return []
    fluid = result.fluid_properties
    if "bubble_point" not in fluid:
        return []
    shut_in = result.pressure[:, 0]
    layers = range(result.layer_count) if result.method in {"darcy_vogel", "horizontal"} else [0]
    return [(L, fluid.bubble_point[L]) for L in layers if 0 < fluid.bubble_point[L] < shut_in[L]]


def plot_result(result, ax=None, title=None):
    import matplotlib

    if ax is None:
        import matplotlib.pyplot as plt

        _, ax = plt.subplots(figsize=(8, 5.5), layout="constrained")
    unit = result.rate_unit
    colors = matplotlib.rcParams["axes.prop_cycle"].by_key()["color"]
    several = result.layer_count > 1
    kind = "injection" if str(result.mode).endswith("injection") else "inflow"
    for L in range(result.layer_count):
        color = colors[L % len(colors)]
        label = f"layer {L}" if several else f"{kind} curve"
        ax.plot(result.rate[L], result.pressure[L], "-", color=color, lw=1.8, label=label)
        if result.completion is not None:
            ax.plot(result.completion.rate[L], result.completion.pressure[L], "--", color=color,
                    lw=1.2, label=f"{label}, after completion loss")
        if result.traverse is not None:
            ax.plot(result.traverse.rate[L], result.traverse.pressure[L], "-.", color=color,
                    lw=1.2, label=f"{label}, at reference depth")
    if several and "rate" in result.well_curve:
        ax.plot(result.well_curve.rate, result.well_curve.pressure, "-", color="black", lw=2.6,
                label="composite (well)")
    rates, pressures = measured_points(result)
    if rates.size:
        ax.plot(rates, pressures, "o", ms=7, mfc="white", mec="black", mew=1.5, ls="none",
                label="test points", zorder=5)
    for L, pb in bubble_points(result):
        ax.axhline(pb, color=colors[L % len(colors)], ls=":", lw=1.2,
                   label=f"bubble point{f', layer {L}' if several else ''} ({pb:.0f} psig)")
    ax.set_xlabel(f"Rate ({unit})")
    ax.set_ylabel("Flowing bottom-hole pressure (psi gauge)")
    if title is None:
        title = (result.well or {}).get("description") or f"{result.mode}, {result.method}"
    ax.set_title("\n".join(textwrap.wrap(title, 80)), fontsize="medium")
    if rates.size and rates.min() < 0 or np.nanmin(result.rate) < 0:
        ax.axvline(0.0, color="grey", lw=0.8)  # negative rates: a layer takes fluid
    ax.set_xlim(left=min(0.0, ax.get_xlim()[0]))
    ax.set_ylim(bottom=min(0.0, ax.get_ylim()[0]))
    ax.grid(True, alpha=0.3)
    ax.legend(loc="best", fontsize="small")
    return ax


def save_plot(result, path, dpi=100, size=(8, 5.5)):
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


def plot_traverse(trav, path=None, ax=None):
    """Pressure and holdup against measured depth (depth down), patterns shaded."""
    import matplotlib

    if path is not None and ax is None:
        matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    from matplotlib.patches import Patch

    if ax is None:
        fig, ax = plt.subplots(figsize=(7, 6))
    else:
        fig = ax.figure
    depth = trav.measured_depth
    seen = {}
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
