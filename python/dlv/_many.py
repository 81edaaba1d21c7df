"""Many independent wells spread over processes."""

from __future__ import annotations

import concurrent.futures
import multiprocessing
import os
import sys
import time
from collections.abc import Iterable, Iterator
from typing import IO, Any

from . import _dlv
from ._parallel import chunk_size, map_chunked
from ._result import Result
from ._wells import ProblemRow, Well, WellError, _document_text, _require_wellfile

# What a worker gives back for one well: (True, (result text, well text),
# source) or (False, problem rows, source).
Outcome = tuple[bool, Any, "str | None"]


def _read(well: Well) -> tuple[str | None, Any, list[ProblemRow] | None]:
    """(text, source, None) of a readable well, or (None, source, problems).

    A well that cannot even be read (a missing or unreadable file, text that
    is not UTF-8, a value of the wrong type) is a problem of that well alone.
    """
    try:
        text, source = _document_text(well)
        return text, source, None
    except WellError as exc:
        return None, None, [(p, m, e, line) for (p, m, e), line in zip(exc.problems, exc.lines)]
    except (OSError, UnicodeDecodeError, TypeError) as exc:
        where = well if isinstance(well, (str, os.PathLike)) else None
        return None, where, [("", f"cannot be read: {exc}", "", f": cannot be read: {exc}")]


def _is_file_name(well: Well) -> bool:
    return isinstance(well, str) and not well.lstrip().startswith(("{", "["))


def _run_chunk(wells: list[Well]) -> list[Outcome]:
    """Runs in a worker: for each well (ok, (result text, well text) or problems, source).

    Well files go to the library, which reads and computes them in one call;
    the rest, and any file it could not read as a JSON document, are read here
    (which says why a file cannot be used) and computed in a second call.
    Plain strings travel back to the caller's process, which is cheaper to
    pickle than Result objects; the caller builds the Results.
    """
    out: list[Outcome | None] = [None] * len(wells)
    files = [k for k, well in enumerate(wells) if _is_file_name(well)]
    paths = [str(wells[k]) for k in files]
    for k, path, done in zip(files, paths, _dlv.run_well_files(paths)):
        if done is not None:
            rows, computed_text, file_text = done
            out[k] = (False, rows, path) if rows else (True, (computed_text, file_text), path)
    rest = [k for k, o in enumerate(out) if o is None]
    read = [_read(wells[k]) for k in rest]
    texts = [text for text, _, problems in read if problems is None and text is not None]
    computed = iter(_dlv.run_wells(texts) if texts else [])
    for k, (text, source, problems) in zip(rest, read):
        if problems is None:
            problems, result = next(computed)
            if not problems:
                out[k] = (True, (result, text), source)
                continue
        out[k] = (False, problems, source)
    return [o for o in out if o is not None]


class _Progress:
    """A one-line progress bar on a terminal."""

    def __init__(self, total: int, stream: IO[str]) -> None:
        self.total, self.stream, self.start, self.done = total, stream, time.monotonic(), 0
        self.drawn = 0.0

    def step(self, count: int = 1) -> None:
        self.done += count
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


def calculate_many(wells: Iterable[Well], processes: int | None = None,
                   progress: bool | None = None, errors: str = "raise",
                   chunksize: int | None = None,
                   executor: concurrent.futures.Executor | None = None
                   ) -> list[Result | WellError]:
    """Computes independent wells (dicts or JSON file paths), results in input order.

    ``processes``: number of worker processes (default: the machine's CPU
    count; 1 computes in this process). ``executor``: any
    ``concurrent.futures.Executor`` to run the wells on instead, such as a
    ``ProcessPoolExecutor`` or a Dask cluster's
    ``dask.distributed.Client(...).get_executor()``; it is used as given and
    not shut down. Wells go to the workers in chunks of ``chunksize``
    (default: about four chunks per worker, at most 256 wells). ``progress``:
    draw a progress bar on standard error (default: when standard error is a
    terminal). ``errors``: "raise" raises the ``WellError`` of the first bad
    well (in input order) after all wells ran; "return" puts the
    ``WellError`` in the bad well's place in the list.
    """
    _require_wellfile()
    if errors not in ("raise", "return"):
        raise ValueError('errors is "raise" or "return"')
    if executor is not None and processes is not None:
        raise TypeError("calculate_many takes processes= or executor=, not both")
    todo = list(wells)
    count = processes or os.cpu_count() or 1
    if progress is None:
        progress = sys.stderr.isatty()
    bar = _Progress(len(todo), sys.stderr) if progress and todo else None
    step = bar.step if bar else None

    def outcomes() -> Iterator[Outcome]:
        if executor is not None:
            yield from map_chunked(_run_chunk, todo, executor, chunksize, step)
        elif count == 1 or len(todo) < 2:
            size = chunksize or 256
            for k in range(0, len(todo), size):
                chunk = _run_chunk(todo[k : k + size])
                if step:
                    step(len(chunk))
                yield from chunk
        else:
            workers = min(count, len(todo))
            size = chunksize or chunk_size(len(todo), workers)
            # Forked workers: the compiled module holds its lock across a fork,
            # so a worker never starts with the library locked by a thread of
            # this process.
            context = multiprocessing.get_context("fork")
            with concurrent.futures.ProcessPoolExecutor(workers, mp_context=context) as pool:
                yield from map_chunked(_run_chunk, todo, pool, size, step)

    results: list[Result | WellError] = []
    for ok, payload, source in outcomes():
        if ok:
            text, well_text = payload
            results.append(Result(None, None, source, text=text, well_text=well_text))
        else:
            results.append(WellError(payload, source))
    if errors == "raise":
        for r in results:
            if isinstance(r, WellError):
                raise r
    return results

