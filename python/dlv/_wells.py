"""Well documents (the well-file format, as a dict or a JSON file) to results."""

import json
import os

from . import _dlv
from ._result import Result


class WellError(ValueError):
    """A well document that cannot be computed; nothing was computed.

    ``path`` and ``message`` describe the first problem (``path`` is a JSON
    path such as ``layers[0].reservoir_pressure``); ``problems`` lists every
    problem as (path, message, expected) and ``str(error)`` gives the lines
    the dlv command prints for them.
    """

    def __init__(self, problems, source=None):
        self.problems = [(path, message, expected) for path, message, expected, _ in problems]
        self.lines = [text for *_, text in problems]
        self.path, self.message, self.expected = self.problems[0]
        self.source = source
        prefix = f"{source}: " if source else ""
        super().__init__("\n".join(prefix + line for line in self.lines))


def _document_text(well):
    """JSON text of a well given as a dict (numpy values allowed) or as a file path."""
    if isinstance(well, dict):
        try:
            return json.dumps(well, allow_nan=False, default=_plain), None
        except (TypeError, ValueError) as exc:
            raise WellError([("", f"not a JSON document: {exc}", "", f": not a JSON document: {exc}")])
    if isinstance(well, (str, os.PathLike)):
        path = os.fspath(well)
        with open(path, encoding="utf-8") as f:
            return f.read(), path
    raise TypeError(f"a well is a dict or the path of a JSON file, not {type(well).__name__}")


def _plain(value):
    if hasattr(value, "tolist"):  # numpy arrays and scalars
        return value.tolist()
    raise TypeError(f"{type(value).__name__} is not a JSON value")


def _require_wellfile():
    if not hasattr(_dlv, "run_well"):
        raise RuntimeError("this build of dlv has no well-file layer")


def calculate(well, log_path=None):
    """Computes a well given as a dict or as the path of a JSON well file.

    The document goes through the same parsing, checks and mapping as the dlv
    command. Returns a ``Result``; raises ``WellError`` when the document
    cannot be computed. ``log_path`` names a file for the library's
    diagnostic messages (appended).
    """
    _require_wellfile()
    text, source = _document_text(well)
    problems, result = _dlv.run_well(text, os.fspath(log_path) if log_path else "")
    if problems:
        raise WellError(problems, source)
    return Result(None, None, source, text=result, well_text=text)


def well_schema():
    """The JSON Schema of a well document, as a dict."""
    _require_wellfile()
    return json.loads(_dlv.well_schema())
