"""The twelve blocks of ``dlv_cal`` as numpy arrays with named views."""

from __future__ import annotations

from typing import TYPE_CHECKING, Any

import numpy as np
import numpy.typing as npt

from . import _dlv

if TYPE_CHECKING:
    from ._wells import Well

_KINDS = {"d": np.float64, "i": np.int32, "b": np.uint8}
_KIND_NAMES = {"d": "float64", "i": "int32", "b": "flag byte"}


def _field_view(block: npt.NDArray[np.float64], kind: str, offset: int, shape: tuple[int, ...],
                strides: tuple[int, ...]) -> npt.NDArray[Any]:
    return np.ndarray(shape, dtype=_KINDS[kind], buffer=block, offset=offset, strides=strides)


def _scalar_property(name: str, kind: str, offset: int, doc: str) -> property:
    def get(self: _BlockView) -> Any:
        return _field_view(self.array, kind, offset, (), ())[()].item()

    def set(self: _BlockView, value: Any) -> None:
        _field_view(self.array, kind, offset, (), ())[()] = value

    return property(get, set, doc=doc)


def _array_property(name: str, kind: str, offset: int, shape: tuple[int, ...],
                    strides: tuple[int, ...], doc: str) -> property:
    def get(self: _BlockView) -> npt.NDArray[Any]:
        return _field_view(self.array, kind, offset, shape, strides)

    def set(self: _BlockView, value: Any) -> None:
        _field_view(self.array, kind, offset, shape, strides)[...] = value

    return property(get, set, doc=doc)


def _view_classes() -> dict[str, type[_BlockView]]:
    fields: dict[str, list[tuple[str, str, int, tuple[int, ...], tuple[int, ...], str]]] = {}
    for block, name, kind, offset, shape, strides, doc in _dlv.FIELDS:
        fields.setdefault(block, []).append((name, kind, offset, shape, strides, doc))
    classes = {}
    for block, entries in fields.items():
        attrs: dict[str, Any] = {"__slots__": (), "__doc__": f"Named fields of the {block} block."}
        for name, kind, offset, shape, strides, doc in entries:
            where = f"{_KIND_NAMES[kind]} at byte {offset}"
            if shape:
                where = f"{_KIND_NAMES[kind]} view of shape {shape} from byte {offset}"
            text = f"{name}: {doc}; {where}" if doc else f"{name}: {where}"
            attrs[name] = (_array_property(name, kind, offset, shape, strides, text) if shape
                           else _scalar_property(name, kind, offset, text))
        attrs["fields"] = tuple(e[0] for e in entries)
        classes[block] = type(f"{block.title().replace('_', '')}View", (_BlockView,), attrs)
    return classes


class _BlockView:
    __slots__ = ("array",)

    def __init__(self, array: npt.NDArray[np.float64]) -> None:
        self.array = array

    def __repr__(self) -> str:
        return f"<{type(self).__name__} of {self.array.size} slots>"


_VIEWS = _view_classes()
BLOCK_NAMES = tuple(name for name, _ in _dlv.BLOCKS)
BLOCK_SLOTS = dict(_dlv.BLOCKS)


class Blocks:
    """The host's view: every argument block of ``dlv_cal`` as a numpy array.

    Each block is a zero-filled float64 array of its exact size (the mode is
    one int32), reachable as ``blocks.<name>.array``; the named fields are
    views into it: ``blocks.well.reservoir_pressure[0] = 2400``. Scalar
    fields (int32 selectors and counts, flag bytes, single doubles) are
    properties: ``blocks.well.layer_count = 1``.
    """

    # The views of the blocks, each with its named fields as attributes (made
    # from the library's field table when the package is imported).
    fluids: Any
    tables: Any
    separator: Any
    layer_curves: Any
    well: Any
    completion: Any
    completion_curves: Any
    traverse_curves: Any
    traverse: Any
    summary: Any
    results: Any

    def __init__(self) -> None:
        self.mode_array = np.zeros(1, dtype=np.int32)
        for name in BLOCK_NAMES:
            if name == "mode":
                continue
            array = np.zeros(BLOCK_SLOTS[name], dtype=np.float64)
            view = _VIEWS[name](array) if name in _VIEWS else _BlockView(array)
            setattr(self, name, view)

    @property
    def mode(self) -> int:
        """Calculation mode: 0 oil production, 1 gas production, 2 water injection, 3 gas injection."""
        return int(self.mode_array[0])

    @mode.setter
    def mode(self, value: int) -> None:
        self.mode_array[0] = value

    @classmethod
    def from_well(cls, well: Well) -> Blocks:
        """The blocks a well document (a dict or a JSON file path) fills, as the dlv command fills them.

        Raises ``WellError`` when the document cannot be computed.
        """
        from ._wells import WellError, _document_text, _require_wellfile

        _require_wellfile()
        text, source = _document_text(well)
        problems, arrays = _dlv.well_blocks(text)
        if problems:
            raise WellError(problems, source)
        blocks = cls()
        for name, array in zip(BLOCK_NAMES, arrays):
            if name == "mode":
                blocks.mode = array
            else:
                getattr(blocks, name).array[...] = array
        return blocks

    def arrays(self) -> list[npt.NDArray[Any]]:
        """The twelve arrays in dlv_cal's argument order."""
        return [self.mode_array if n == "mode" else getattr(self, n).array for n in BLOCK_NAMES]

    def calculate(self, changed_pressure_flag: int = 0, log_path: str | None = None) -> int:
        """Runs dlv_cal on these blocks; the results land in the same arrays. Returns 1."""
        return _dlv.cal(self.arrays(), changed_pressure_flag, log_path or "")
