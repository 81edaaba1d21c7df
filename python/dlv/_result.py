"""The result of one well: the curves as numpy arrays by name."""

from __future__ import annotations

import copy
import json
from collections.abc import ItemsView, Iterator, KeysView, Mapping
from typing import TYPE_CHECKING, Any

import numpy as np
import numpy.typing as npt

if TYPE_CHECKING:
    import pandas
    from matplotlib.axes import Axes

FloatArray = npt.NDArray[np.float64]


class Columns:
    """Named numpy columns (attribute or item access); ``units`` gives each column's unit."""

    def __init__(self, columns: Mapping[str, Any], units: Mapping[str, str]) -> None:
        self._columns: dict[str, FloatArray] = {k: np.asarray(v, dtype=float) for k, v in columns.items()}
        self.units = {k: units.get(k, "") for k in self._columns}

    def __getattr__(self, name: str) -> FloatArray:
        if name.startswith("_"):  # not a column (and not yet set while unpickling)
            raise AttributeError(name)
        try:
            return self._columns[name]
        except KeyError:
            raise AttributeError(name) from None

    def __getitem__(self, name: str) -> FloatArray:
        return self._columns[name]

    def __contains__(self, name: object) -> bool:
        return name in self._columns

    def __iter__(self) -> Iterator[str]:
        return iter(self._columns)

    def keys(self) -> KeysView[str]:
        return self._columns.keys()

    def items(self) -> ItemsView[str, FloatArray]:
        return self._columns.items()

    def __dir__(self) -> list[str]:
        return list(self._columns) + ["units", "keys", "items"]

    def __repr__(self) -> str:
        names = ", ".join(f"{k} [{u}]" if u else k for k, u in self.units.items())
        return f"Columns({names})"


def _stack(layers: list[dict[str, Any]], key: str, column: str) -> FloatArray | None:
    if not layers or key not in layers[0]:
        return None
    return np.array([layer[key][column] for layer in layers], dtype=float)


class Result:
    """The curves of one well, computed by ``dlv.calculate``.

    Per-layer curves are arrays of shape (layers, 25): ``rate``,
    ``pressure``, ``drawdown``. Rates are in ``units['rate']`` (STB/d in oil
    production and water injection, Mscf/d in the gas modes); pressures in
    psi gauge; drawdowns and completion losses in psi. ``completion`` and
    ``traverse`` hold the curves of those stages when the well asked for
    them (else None). ``well_curve`` holds the well's (composite) curve and
    its fluid columns, ``fluid_properties`` the derived fluid properties per
    layer, ``summary`` the summary values, ``notes`` every note of the
    result (inputs the library replaced, what the result reports such as
    completion pressures below 0 psi gauge, then its fall-backs and log
    messages), ``fallback_notes`` the fall-backs alone and ``fallbacks``
    whether there are any: True means some values are the library's floors
    or sentinels, not computed inflow. A value with nothing to describe (null
    in the document: water gravity with no water, z of a layer without gas
    computed) is NaN. ``document`` is the result document itself, ``well``
    the input.
    """

    # Attributes filled from the document on first use.
    _BUILT = ("units", "layer_count", "mode", "method", "notes", "fallback_notes", "fallbacks",
              "summary", "completion",
              "traverse", "well_curve", "fluid_properties", "fractured_well", "flow_regime")

    units: dict[str, str]
    layer_count: int
    mode: str | None
    method: str | None
    notes: list[str]
    fallback_notes: list[str]
    fallbacks: bool
    summary: dict[str, Any]
    completion: Columns | None
    traverse: Columns | None
    well_curve: Columns
    fluid_properties: Columns
    fractured_well: Columns | None
    flow_regime: list[str | None] | None
    # The per-layer curves, None for a result without layers.
    _rate: Any
    _pressure: Any
    _drawdown: Any

    def __init__(self, document: dict[str, Any] | None = None, well: dict[str, Any] | None = None,
                 source: str | None = None, text: str | None = None,
                 well_text: str | None = None) -> None:
        # The document and the input well may come as JSON text (from a worker
        # process); they are parsed, and the arrays built, on first use.
        self._document, self._text = document, text
        self._well, self._well_text = well, well_text
        self.source = source
        self._built = False

    def __getattr__(self, name: str) -> Any:
        if name in Result._BUILT and not self.__dict__.get("_built", True):
            self._build()
            return self.__dict__[name]
        raise AttributeError(name)

    def __getstate__(self) -> dict[str, Any]:
        # Pickled as JSON text: cheap to send from a worker process.
        document, well = self._document, self._well
        return {
            "text": self._text if self._text is not None else json.dumps(document),
            "well_text": self._well_text if self._well_text is not None else json.dumps(well),
            "source": self.source,
        }

    def __setstate__(self, state: dict[str, Any]) -> None:
        Result.__init__(self, None, None, state["source"], state["text"], state["well_text"])

    def _build(self) -> None:
        self._built = True
        document = self.document
        self.units = dict(document.get("units", {}))
        layers = document.get("layers", [])
        self.layer_count = len(layers)
        self.mode = document.get("mode")
        self.method = document.get("method")
        self.fallback_notes = list(document.get("fallbacks", []))
        self.fallbacks = bool(self.fallback_notes)
        self.notes = list(document.get("notes", [])) + self.fallback_notes
        self.summary = dict(document.get("summary", {}))
        self._rate = _stack(layers, "curve", "rate")
        self._pressure = _stack(layers, "curve", "pressure")
        self._drawdown = _stack(layers, "curve", "drawdown")
        self.completion = self._stage(layers, "completion_curve", "completion_loss")
        self.traverse = self._stage(layers, "traverse_curve", "drawdown")
        self.well_curve = Columns(document.get("well_curve", {}), self.units)
        names = layers[0].get("fluid_properties", {}).keys() if layers else []
        self.fluid_properties = Columns(
            {n: [layer["fluid_properties"][n] for layer in layers] for n in names}, self.units
        )
        fractured = [layer["fractured_well"] for layer in layers if "fractured_well" in layer]
        self.fractured_well = None
        self.flow_regime = None
        if fractured and len(fractured) == len(layers):
            numeric = [k for k, v in fractured[0].items() if not isinstance(v, str)]
            self.fractured_well = Columns({k: [f[k] for f in fractured] for k in numeric}, self.units)
            self.flow_regime = [f.get("flow_regime") for f in fractured]

    def _stage(self, layers: list[dict[str, Any]], key: str, third: str) -> Columns | None:
        if not layers or key not in layers[0]:
            return None
        return Columns(
            {c: _stack(layers, key, c) for c in ("rate", "pressure", third)}, self.units
        )

    @property
    def document(self) -> dict[str, Any]:
        """The result document (a dict), as the dlv command writes it in JSON."""
        if self._document is None:
            assert self._text is not None  # a Result holds its document or its text
            self._document = json.loads(self._text)
        return self._document

    @property
    def well(self) -> dict[str, Any] | None:
        """The input well document (a dict)."""
        if self._well is None and self._well_text is not None:
            self._well = json.loads(self._well_text)
        return self._well

    @property
    def rate(self) -> FloatArray:
        """Rate of each layer at each point, shape (layers, 25); STB/d, or Mscf/d in the gas modes."""
        if not self._built:
            self._build()
        return self._rate

    @property
    def pressure(self) -> FloatArray:
        """Flowing bottom-hole pressure of each layer at each point, shape (layers, 25); psi gauge."""
        if not self._built:
            self._build()
        return self._pressure

    @property
    def drawdown(self) -> FloatArray:
        """Reservoir pressure minus flowing pressure, shape (layers, 25); psi."""
        if not self._built:
            self._build()
        return self._drawdown

    @property
    def rate_unit(self) -> str:
        """Unit of every rate of this result: "STB/d" or "Mscf/d"."""
        return self.units.get("rate", "")

    def to_dict(self) -> dict[str, Any]:
        """The result document as plain JSON values (what the dlv command writes with --format json)."""
        return copy.deepcopy(self.document)

    def to_dataframe(self) -> pandas.DataFrame:
        """Every curve point in one pandas DataFrame: the table of ``dlv run --format csv``.

        One row per point; columns ``curve`` ("layer", "completion", "traverse"
        or "well"), ``layer`` (missing for the well curve), ``point`` (0-24),
        then each quantity with its unit in the name (``rate_stb_per_d``,
        ``pressure_psig``, ``drawdown_psi``, ``completion_loss_psi``,
        ``water_cut_fraction``, ...). A column a curve does not have, or a
        value with nothing to describe, is NaN. ``attrs["units"]`` keeps the
        units of the result document by its own column names.
        """
        import io

        import pandas as pd

        from . import _dlv

        text = self._text if self._text is not None else json.dumps(self.document)
        frame = pd.read_csv(io.StringIO(_dlv.render_csv(text)), float_precision="round_trip")
        frame["layer"] = frame["layer"].astype("Int64")
        frame.attrs["units"] = dict(self.units)
        return frame

    def plot(self, ax: Axes | None = None, **kwargs: Any) -> Axes:
        """Draws the inflow curves on a matplotlib Axes (a new figure when ax is None); returns ax."""
        from ._plot import plot_result

        return plot_result(self, ax=ax, **kwargs)

    def __repr__(self) -> str:
        top = self.summary.get("maximum_rate")
        top = f"{top:.1f}" if isinstance(top, (int, float)) else top
        return (
            f"<Result {self.mode}/{self.method}: {self.layer_count} layer(s), "
            f"maximum rate {top} {self.rate_unit}>"
        )
