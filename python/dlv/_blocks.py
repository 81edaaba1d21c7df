"""The twelve blocks of ``dlv_cal`` as numpy arrays with named views."""

import numpy as np

from . import _dlv

_KINDS = {"d": np.float64, "i": np.int32, "b": np.uint8}
_KIND_NAMES = {"d": "float64", "i": "int32", "b": "flag byte"}


def _field_view(block, kind, offset, shape, strides):
    return np.ndarray(shape, dtype=_KINDS[kind], buffer=block, offset=offset, strides=strides)


def _scalar_property(name, kind, offset, doc):
    def get(self):
        return _field_view(self.array, kind, offset, (), ())[()].item()

    def set(self, value):
        _field_view(self.array, kind, offset, (), ())[()] = value

    return property(get, set, doc=doc)


def _array_property(name, kind, offset, shape, strides, doc):
    def get(self):
        return _field_view(self.array, kind, offset, shape, strides)

    def set(self, value):
        _field_view(self.array, kind, offset, shape, strides)[...] = value

    return property(get, set, doc=doc)


def _view_classes():
    fields = {}
    for block, name, kind, offset, shape, strides, doc in _dlv.FIELDS:
        fields.setdefault(block, []).append((name, kind, offset, shape, strides, doc))
    classes = {}
    for block, entries in fields.items():
        attrs = {"__slots__": ("array",), "__doc__": f"Named fields of the {block} block."}
        for name, kind, offset, shape, strides, doc in entries:
            where = f"{_KIND_NAMES[kind]} at byte {offset}"
            if shape:
                where = f"{_KIND_NAMES[kind]} view of shape {shape} from byte {offset}"
                make = _array_property
            else:
                make = _scalar_property
            text = f"{name}: {doc}; {where}" if doc else f"{name}: {where}"
            attrs[name] = make(name, kind, offset, shape, strides, text) if shape else make(
                name, kind, offset, text
            )
        attrs["fields"] = tuple(e[0] for e in entries)
        classes[block] = type(f"{block.title().replace('_', '')}View", (_BlockView,), attrs)
    return classes


class _BlockView:
    __slots__ = ()

    def __init__(self, array):
        self.array = array

    def __repr__(self):
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

    def __init__(self):
        self.mode_array = np.zeros(1, dtype=np.int32)
        for name in BLOCK_NAMES:
            if name == "mode":
                continue
            array = np.zeros(BLOCK_SLOTS[name], dtype=np.float64)
            view = _VIEWS[name](array) if name in _VIEWS else _BlockView(array)
            setattr(self, name, view)

    @property
    def mode(self):
        """Calculation mode: 0 oil production, 1 gas production, 2 water injection, 3 gas injection."""
        return int(self.mode_array[0])

    @mode.setter
    def mode(self, value):
        self.mode_array[0] = value

    @classmethod
    def from_well(cls, well):
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

    def arrays(self):
        """The twelve arrays in dlv_cal's argument order."""
        return [self.mode_array if n == "mode" else getattr(self, n).array for n in BLOCK_NAMES]

    def calculate(self, changed_pressure_flag=0, log_path=None):
        """Runs dlv_cal on these blocks; the results land in the same arrays. Returns 1."""
        return _dlv.cal(self.arrays(), changed_pressure_flag, log_path or "")
