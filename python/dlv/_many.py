"""Many independent wells spread over processes."""

import multiprocessing
import os
import sys
import time

from . import _dlv
from ._result import Result
from ._wells import WellError, _document_text, _require_wellfile


def _run_one(well):
    """Runs in a worker: the result document as JSON text, or the problems.

    A well that cannot even be read (a missing or unreadable file, text that
    is not UTF-8, a value of the wrong type) is a problem of that well alone.
    """
    try:
        text, source = _document_text(well)
    except WellError as exc:
        return False, [(p, m, e, line) for (p, m, e), line in zip(exc.problems, exc.lines)], None
    except (OSError, UnicodeDecodeError, TypeError) as exc:
        source = well if isinstance(well, (str, os.PathLike)) else None
        return False, [("", f"cannot be read: {exc}", "", f": cannot be read: {exc}")], source
    problems, result = _dlv.run_well(text, "")
    if problems:
        return False, problems, source
    return True, Result(None, None, source, text=result, well_text=text), source


class _Progress:
    """A one-line progress bar on a terminal."""

    def __init__(self, total, stream):
        self.total, self.stream, self.start, self.done = total, stream, time.monotonic(), 0
        self.drawn = 0.0

    def step(self):
        self.done += 1
        now = time.monotonic()
        if self.done < self.total and now - self.drawn < 0.1:
            return
        self.drawn = now
        width = 30
        filled = width * self.done // max(self.total, 1)
        rate = self.done / max(now - self.start, 1e-9)
        self.stream.write(
            f"\r[{'#' * filled}{'.' * (width - filled)}] {self.done}/{self.total} wells"
            f" ({rate:.0f}/s)"
        )
        if self.done == self.total:
            self.stream.write("\n")
        self.stream.flush()


def calculate_many(wells, processes=None, progress=None, errors="raise", chunksize=None):
    """Computes independent wells (dicts or JSON file paths), results in input order.

    ``processes``: number of worker processes (default: the machine's CPU
    count; 1 computes in this process). ``progress``: draw a progress bar on
    standard error (default: when standard error is a terminal). ``errors``:
    "raise" raises the ``WellError`` of the first bad well (in input order)
    after all wells ran; "return" puts the ``WellError`` in the bad well's
    place in the list.
    """
    _require_wellfile()
    if errors not in ("raise", "return"):
        raise ValueError('errors is "raise" or "return"')
    wells = list(wells)
    processes = processes or os.cpu_count() or 1
    if progress is None:
        progress = sys.stderr.isatty()
    bar = _Progress(len(wells), sys.stderr) if progress and wells else None

    def outcomes():
        if processes == 1 or len(wells) < 2:
            for well in wells:
                yield _run_one(well)
            return
        size = chunksize or max(1, min(256, len(wells) // (8 * processes)))
        # The compiled module holds its lock across a fork, so a worker never
        # starts with the library locked by a thread of this process.
        with multiprocessing.Pool(min(processes, len(wells))) as pool:
            yield from pool.imap(_run_one, wells, chunksize=size)

    results = []
    for ok, payload, source in outcomes():
        if ok:
            results.append(payload)
        else:
            results.append(WellError(payload, source))
        if bar:
            bar.step()
    if errors == "raise":
        for r in results:
            if isinstance(r, WellError):
                raise r
    return results
