"""Well documents (the well-file format, as a dict or a JSON file) to results."""

from __future__ import annotations

import json as _json
import os
import warnings
from collections.abc import Sequence
from typing import Any, Union

from . import _dlv
from ._result import Result
from ._units import unit_system

# A well: its document as a dict, or the path of a JSON well file.
Well = Union[dict[str, Any], str, "os.PathLike[str]"]
# What the compiled module gives for each problem: (path, message, expected,
# the line the dlv command prints).
ProblemRow = tuple[str, str, str, str]


class WellError(ValueError):
    """A well document that cannot be computed; nothing was computed.

    ``path`` and ``message`` describe the first problem (``path`` is a JSON
    path such as ``layers[0].reservoir_pressure``); ``problems`` lists every
    problem as (path, message, expected) and ``str(error)`` gives the lines
    the dlv command prints for them.
    """

    def __init__(self, problems: Sequence[ProblemRow], source: str | None = None) -> None:
        self.problems = [(path, message, expected) for path, message, expected, _ in problems]
        self.lines = [text for *_, text in problems]
        self.path, self.message, self.expected = self.problems[0]
        self.source = source
        prefix = f"{source}: " if source else ""
        super().__init__("\n".join(prefix + line for line in self.lines))


class FallbackWarning(UserWarning):
    """A result that carries the library's fall-back values (floors, sentinels, log messages)."""


def _unreadable(message: str, source: str | None = None) -> WellError:
    return WellError([("", message, "", f": {message}")], source)


def _document_text(well: Well) -> tuple[str, str | None]:
    """JSON text of a well given as a dict (numpy values allowed) or as a file path.

    Every document that cannot be read raises WellError: a missing or
    unreadable file, binary content, text that is not UTF-8, a string that
    names no file (a JSON text goes in through ``json=``).
    """
    if isinstance(well, dict):
        try:
            return _json.dumps(well, allow_nan=False, default=_plain), None
        except (TypeError, ValueError) as exc:
            raise _unreadable(f"not a JSON document: {exc}")
    if isinstance(well, (str, os.PathLike)):
        path = os.fspath(well)
        if isinstance(path, bytes):
            path = os.fsdecode(path)
        if isinstance(well, str) and well.lstrip().startswith(("{", "[")):
            raise _unreadable("a JSON text is not a file path; pass it as calculate(json=...)")
        try:
            with open(path, "rb") as f:
                data = f.read()
        except OSError as exc:
            raise _unreadable(f"cannot be read: {exc.strerror or exc}", path) from None
        return _decoded(data, path), path
    raise TypeError(f"a well is a dict or the path of a JSON file, not {type(well).__name__}")


def _decoded(data: bytes, source: str | None = None) -> str:
    """The text of a document's bytes; binary content and other encodings are refused."""
    if b"\0" in data:
        raise _unreadable("binary content, not a JSON well file", source)
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError as exc:
        raise _unreadable(f"not UTF-8 text (byte {exc.start})", source) from None


def _plain(value: Any) -> Any:
    if hasattr(value, "tolist"):  # numpy arrays and scalars
        return value.tolist()
    raise TypeError(f"{type(value).__name__} is not a JSON value")


def _require_wellfile() -> None:
    if not hasattr(_dlv, "run_well"):
        raise RuntimeError("this build of dlv has no well-file layer")


def calculate(well: Well | None = None, log_path: str | os.PathLike[str] | None = None, *,
              json: str | bytes | None = None, units: str | None = None) -> Result:
    """Computes a well given as a dict, as the path of a JSON well file, or as JSON text.

    ``calculate(well)`` takes a dict or a path; ``calculate(json=text)`` takes
    the JSON text itself (str or bytes). The document goes through the same
    parsing, checks and mapping as the dlv command. Returns a ``Result``;
    raises ``WellError`` when the document cannot be read or computed.

    A result that carries the library's fall-back values (where ``dlv run``
    exits with status 3) is returned with ``result.fallbacks`` True and its
    notes, and a ``FallbackWarning`` is issued; turn it into an error with
    ``warnings.simplefilter("error", dlv.FallbackWarning)``. ``log_path``
    names a file the library's diagnostic messages are appended to; they
    come back among the notes either way.

    A well document in metric units says ``"units": "metric"``. ``units``
    ("field" or "metric") sets the unit system of the result (default: the
    document's own); ``result.units`` names the unit of every column, and
    every pressure says whether it is gauge or absolute.
    """
    _require_wellfile()
    system = "" if units is None else unit_system(units)
    if (well is None) == (json is None):
        raise TypeError("calculate takes a well (dict or path) or json=TEXT, exactly one")
    if json is not None:
        if isinstance(json, (bytes, bytearray)):
            json = _decoded(bytes(json))
        if not isinstance(json, str):
            raise TypeError(f"json= takes a str or bytes, not {type(json).__name__}")
        text, source = json, None
    else:
        assert well is not None  # one of the two, checked above
        text, source = _document_text(well)
    problems, result = _dlv.run_well(text, os.fspath(log_path) if log_path else "", system)
    if problems:
        raise WellError(problems, source)
    out = Result(None, None, source, text=result, well_text=text)
    if out.fallbacks:
        where = f"{source}: " if source else ""
        warnings.warn(
            where + "computed with fall-backs: " + "; ".join(out.fallback_notes),
            FallbackWarning,
            stacklevel=2,
        )
    return out


def well_schema() -> dict[str, Any]:
    """The JSON Schema of a well document, as a dict."""
    _require_wellfile()
    return _json.loads(_dlv.well_schema())
