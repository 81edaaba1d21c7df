"""Lift tables of well files for reservoir simulators (VFPPROD, VFPINJ).

Axes are given in the deck's FIELD units and written as given: rates stb/d
(OIL, LIQ, WAT) or Mscf/d (GAS), wellhead pressures psia (absolute, as the
deck holds them), GOR and GLR Mscf/stb, WGR and OGR stb/Mscf, water cuts as
fractions. ``units="metric"`` only changes how the deck is written.
"""

from __future__ import annotations

import concurrent.futures
import os
from collections.abc import Iterable, Mapping
from typing import TYPE_CHECKING, Any

import numpy as np
import numpy.typing as npt

from . import _dlv
from ._wells import ProblemRow, Well, WellError, _document_text, _require_wellfile

if TYPE_CHECKING:
    import xarray
    from matplotlib.axes import Axes

# Numbers of an axis: a list, a numpy array or one number.
Axis = npt.ArrayLike

# The dimensions of VfpTable.bhp, outermost first.
DIMS = ("wellhead_pressure", "water", "gas", "lift", "rate")

_WATER = {"water_cuts": "WCT", "water_oil_ratios": "WOR", "water_gas_ratios": "WGR"}
_GAS = {"gors": "GOR", "glrs": "GLR", "ogrs": "OGR"}


class VfpTable:
    """A lift table: the bottom-hole pressures (psia, at ``datum_depth`` ft
    vertical) over its axes.

    ``bhp`` is a numpy array indexed (wellhead pressure, water, gas, lift,
    rate); an injection table has one entry on the water, gas and lift
    dimensions. ``filled`` lists the 0-based indices of the entries the tubing
    could not carry (filled so that the table stays monotone) and ``falls``
    those whose pressure falls as the wellhead pressure rises.
    """

    def __init__(self, table: Mapping[str, Any], source: str | None = None) -> None:
        self.source = source
        self.kind = table["kind"]
        self.flo_type = table["flo_type"]
        self.wfr_type = table["wfr_type"] if self.kind == "production" else None
        self.gfr_type = table["gfr_type"] if self.kind == "production" else None
        self.datum_depth = table["datum_depth"]
        self.rates = np.asarray(table["rates"], dtype=float)
        self.wellhead_pressures = np.asarray(table["wellhead_pressures"], dtype=float)
        self.water = np.asarray(table["wfr"], dtype=float)
        self.gas = np.asarray(table["gfr"], dtype=float)
        self.alq = np.asarray(table["alq"], dtype=float)
        shape = (len(self.wellhead_pressures), max(len(self.water), 1), max(len(self.gas), 1),
                 max(len(self.alq), 1), len(self.rates))
        self.bhp = np.asarray(table["bhp"], dtype=float).reshape(shape)
        self.units = self._axis_units()
        self.filled = [tuple(i) for i in table.get("filled", ())]
        self.falls = [tuple(i) for i in table.get("falls", ())]

    def _axis_units(self) -> dict[str, str]:
        """The unit of every axis and of the pressures (the deck's FIELD units)."""
        gas_rate = self.flo_type == "GAS"
        water = {"WCT": "fraction of liquid", "WOR": "STB/STB", "WGR": "STB/Mscf"}
        gas = {"GOR": "Mscf/STB", "GLR": "Mscf/STB", "OGR": "STB/Mscf"}
        return {"rates": "Mscf/d" if gas_rate else "STB/d", "wellhead_pressures": "psia",
                "water": water.get(self.wfr_type or "", ""), "gas": gas.get(self.gfr_type or "", ""),
                "alq": "", "bhp": "psia", "datum_depth": "ft"}

    def _table(self, table_number: int = 1, units: str = "field") -> dict[str, Any]:
        return {"kind": self.kind, "flo_type": self.flo_type, "wfr_type": self.wfr_type,
                "gfr_type": self.gfr_type, "table_number": int(table_number),
                "datum_depth": float(self.datum_depth), "units": units,
                "rates": self.rates.tolist(), "wellhead_pressures": self.wellhead_pressures.tolist(),
                "wfr": self.water.tolist(), "gfr": self.gas.tolist(), "alq": self.alq.tolist(),
                "bhp": self.bhp.ravel().tolist()}

    def deck_text(self, table_number: int = 1, units: str = "field") -> str:
        """The keyword as deck text, ready for INCLUDE, with its VFPPDIMS/VFPIDIMS sizes."""
        if units not in ("field", "metric"):
            raise ValueError('units is "field" or "metric"')
        return _dlv.vfp_deck_text(self._table(table_number, units))

    def write(self, path: str | os.PathLike[str], table_number: int = 1,
              units: str = "field") -> None:
        """Writes the deck text to path."""
        text = self.deck_text(table_number, units)
        with open(path, "w") as f:
            f.write(text)

    def _coords(self) -> dict[str, npt.NDArray[np.float64]]:
        water = self.water if len(self.water) else np.zeros(1)
        gas = self.gas if len(self.gas) else np.zeros(1)
        lift = self.alq if len(self.alq) else np.zeros(1)
        return dict(zip(DIMS, (self.wellhead_pressures, water, gas, lift, self.rates)))

    def to_xarray(self) -> xarray.DataArray:
        """The pressures as an xarray DataArray labelled by the axes (Debian python3-xarray)."""
        import xarray as xr

        return xr.DataArray(self.bhp, coords=self._coords(), dims=DIMS, name="bottomhole_pressure",
                            attrs={"units": "psia", "datum_depth_ft": self.datum_depth,
                                   "kind": self.kind, "flo_type": self.flo_type,
                                   "wfr_type": self.wfr_type or "", "gfr_type": self.gfr_type or ""})

    def plot(self, path: str | None = None, ax: Axes | None = None, water: int = 0, gas: int = 0,
             lift: int = 0) -> Axes:
        """Bottom-hole pressure against rate, one curve per wellhead pressure, at the
        given water, gas and lift indices; filled entries are marked. Returns ax."""
        import matplotlib.pyplot as plt

        fig = None
        if ax is None:
            fig, ax = plt.subplots(figsize=(7, 5), layout="constrained")
        filled = set(self.filled)
        for k, thp in enumerate(self.wellhead_pressures):
            line, = ax.plot(self.rates, self.bhp[k, water, gas, lift], marker="o", ms=3,
                            label=f"THP {thp:g} psia")
            marks = [f for f in range(len(self.rates)) if (k, water, gas, lift, f) in filled]
            if marks:
                ax.plot(self.rates[marks], self.bhp[k, water, gas, lift, marks], "x",
                        color=line.get_color(), ms=8)
        unit = "Mscf/d" if self.flo_type == "GAS" else "stb/d"
        ax.set_xlabel(f"{self.flo_type} rate [{unit}]")
        ax.set_ylabel(f"bottom-hole pressure at {self.datum_depth:g} ft [psia]")
        if self.kind == "production":
            ax.set_title(f"{self.wfr_type} {self._coords()['water'][water]:g}, "
                         f"{self.gfr_type} {self._coords()['gas'][gas]:g}")
        ax.grid(True, alpha=0.3)
        ax.legend()
        if path is not None and fig is not None:
            fig.savefig(path)
            plt.close(fig)
        return ax

    def __repr__(self) -> str:
        return (f"VfpTable({self.kind}, {self.flo_type}, shape={self.bhp.shape}, "
                f"datum {self.datum_depth:g} ft, {len(self.filled)} filled)")


def _axes(rates: Axis, wellhead_pressures: Axis, alq: Axis | None, flo: str | None,
          datum_depth: float | None, fractions: Mapping[str, Axis | None]) -> dict[str, Any]:
    axes: dict[str, Any] = {"rates": _floats(rates, "rates"),
            "wellhead_pressures": _floats(wellhead_pressures, "wellhead_pressures"),
            "alq": _floats(alq, "alq") if alq is not None else [],
            "flo_type": flo, "datum_depth": None if datum_depth is None else float(datum_depth)}
    for key, names in (("wfr", _WATER), ("gfr", _GAS)):
        given = [(n, v) for n, v in fractions.items() if n in names and v is not None]
        if len(given) > 1:
            raise ValueError(f"give one of {', '.join(names)}, not {len(given)}")
        axes[key] = _floats(given[0][1], given[0][0]) if given else []
        axes[key + "_type"] = names[given[0][0]] if given else None
    return axes


def _floats(values: Axis, name: str) -> list[float]:
    try:
        return [float(v) for v in np.atleast_1d(np.asarray(values, dtype=float))]
    except (TypeError, ValueError) as exc:
        raise ValueError(f"{name}: a list of numbers ({exc})") from None


def _rows(exc: WellError) -> list[ProblemRow]:
    """A WellError's problems as the rows it was made from: errors cross from a worker as
    rows, since an exception is rebuilt from its message alone."""
    return [(*p, line) for p, line in zip(exc.problems, exc.lines)]


def _traverse_part(text: str, axes: dict[str, Any]) -> tuple[list[ProblemRow], Any]:
    """Runs in a worker: the problems, or the traversed pressures of part of a table
    (NaN where none)."""
    return _dlv.vfp_traverse(text, axes)


def _split(table: Mapping[str, Any], parts: int) -> tuple[list[dict[str, Any]], int]:
    """The axes of up to `parts` tables that together hold the table's combinations, and the
    dimension of bhp they join along: the water or gas axis (any size), or the wellhead
    pressures (two entries each at least)."""
    sizes = {1: len(table["wfr"]), 2: len(table["gfr"]), 0: len(table["wellhead_pressures"]) // 2}
    dim = max(sizes, key=lambda d: min(sizes[d], parts))
    count = max(1, min(sizes[dim], parts))
    key = {0: "wellhead_pressures", 1: "wfr", 2: "gfr"}[dim]
    parts_axes = []
    for chunk in np.array_split(np.asarray(table[key]), count):
        axes = {k: table[k] for k in ("rates", "wellhead_pressures", "wfr", "gfr", "alq",
                                      "flo_type", "wfr_type", "gfr_type", "datum_depth")}
        if table["kind"] == "injection":
            axes.update(wfr_type=None, gfr_type=None)
        axes[key] = chunk.tolist()
        parts_axes.append(axes)
    return parts_axes, dim


def _build(text: str, source: str | None, axes: dict[str, Any],
           executor: concurrent.futures.Executor | None = None,
           processes: int | None = None) -> VfpTable:
    problems, table = _dlv.vfp_prepare(text, axes)
    if problems:
        raise WellError(problems, source)
    parts = processes or 1
    if executor is None and parts <= 1:
        problems, raw = _dlv.vfp_traverse(text, axes)
        if problems:
            raise WellError(problems, source)
    else:
        parts_axes, dim = _split(table, parts)
        own = executor is None
        pool = executor or concurrent.futures.ProcessPoolExecutor(max_workers=len(parts_axes))
        try:
            futures = [pool.submit(_traverse_part, text, s) for s in parts_axes]
            pieces = []
            for f in futures:
                problems, piece = f.result()
                if problems:
                    raise WellError(problems, source)
                pieces.append(piece)
        finally:
            if own:
                pool.shutdown()
        shape = lambda t: (len(t["wellhead_pressures"]), max(len(t["wfr"]), 1),  # noqa: E731
                           max(len(t["gfr"]), 1), max(len(t["alq"]), 1), len(t["rates"]))
        joined = np.concatenate([np.asarray(p["bhp"]).reshape(shape(p)) for p in pieces], axis=dim)
        raw = dict(table, bhp=joined.ravel().tolist())
    filled = _dlv.vfp_fill(raw)
    if filled["problems"]:
        raise WellError(filled["problems"], source)
    return VfpTable(filled, source)


def vfp_table(well: Well, rates: Axis, wellhead_pressures: Axis, water_cuts: Axis | None = None,
              gors: Axis | None = None, alq: Axis | None = None, *,
              water_oil_ratios: Axis | None = None, water_gas_ratios: Axis | None = None,
              glrs: Axis | None = None, ogrs: Axis | None = None, flo: str | None = None,
              datum_depth: float | None = None, processes: int | None = None) -> VfpTable:
    """The lift table of a well (dict or JSON file path) over the given axes.

    One of ``water_cuts``, ``water_oil_ratios``, ``water_gas_ratios`` and one
    of ``gors``, ``glrs``, ``ogrs`` give the water and gas axes (an axis left
    out takes the well file's own value); ``alq`` may only hold 0, the tubing
    taking no lift gas. ``flo`` is "OIL", "LIQ", "GAS" or "WAT" (default:
    LIQ for oil wells, GAS for gas wells, the injected phase for injectors).
    ``datum_depth`` is the vertical depth (ft) of the pressures, by default
    the tubing's node. ``processes`` splits the traverses over that many
    processes; the table is filled once, the same as on one. Raises
    ``WellError`` for a well or axes that cannot make a table.
    """
    _require_wellfile()
    text, source = _document_text(well)
    axes = _axes(rates, wellhead_pressures, alq, flo, datum_depth,
                 {"water_cuts": water_cuts, "water_oil_ratios": water_oil_ratios,
                  "water_gas_ratios": water_gas_ratios, "gors": gors, "glrs": glrs, "ogrs": ogrs})
    return _build(text, source, axes, processes=processes)


def _one_table(text: str, source: str | None, axes: dict[str, Any]) -> tuple[bool, Any]:
    """Runs in a worker: one well's whole table, or its problems."""
    try:
        return True, _build(text, source, axes)
    except WellError as exc:
        return False, _rows(exc)


def vfp_tables(wells: Iterable[Well], rates: Axis, wellhead_pressures: Axis,
               water_cuts: Axis | None = None, gors: Axis | None = None, alq: Axis | None = None,
               *, executor: concurrent.futures.Executor | None = None,
               processes: int | None = None, errors: str = "raise",
               **options: Any) -> list[VfpTable | WellError]:
    """The lift tables of many wells over the same axes, in input order.

    ``executor``: any ``concurrent.futures.Executor`` (a process pool, or a
    Dask cluster's ``client.get_executor()``), one well per task; the well
    files are read here and sent as text. Without one, ``processes`` > 1 runs
    a process pool of that size, else the wells run here one after another.
    ``errors="raise"`` raises the first well's ``WellError``; ``"return"``
    puts the error in that well's place. Other options as ``vfp_table``.
    """
    _require_wellfile()
    if errors not in ("raise", "return"):
        raise ValueError('errors is "raise" or "return"')
    fractions: dict[str, Axis | None] = {"water_cuts": water_cuts, "gors": gors}
    unknown = set(options) - {"water_oil_ratios", "water_gas_ratios", "glrs", "ogrs", "flo",
                              "datum_depth"}
    if unknown:
        raise TypeError(f"unknown options: {', '.join(sorted(unknown))}")
    fractions.update({k: v for k, v in options.items() if k in (*_WATER, *_GAS)})
    axes = _axes(rates, wellhead_pressures, alq, options.get("flo"), options.get("datum_depth"),
                 fractions)
    documents = [_document_text(w) for w in wells]
    own = executor is None and processes is not None and processes > 1
    pool = concurrent.futures.ProcessPoolExecutor(max_workers=processes) if own else executor
    try:
        if pool is None:
            done = (_one_table(text, source, axes) for text, source in documents)
        else:
            futures = [pool.submit(_one_table, text, source, axes) for text, source in documents]
            done = (f.result() for f in futures)
        outcomes: list[VfpTable | WellError] = []
        for (ok, value), (_, source) in zip(done, documents):
            if not ok:
                value = WellError(value, source)
                if errors == "raise":
                    raise value
            outcomes.append(value)
        return outcomes
    finally:
        if own and pool is not None:
            pool.shutdown(cancel_futures=True)


__all__ = ["VfpTable", "vfp_table", "vfp_tables", "DIMS"]
