"""Work spread over any concurrent.futures.Executor, in chunks.

``map_chunked(function, items, executor)`` is the whole of the package's
scheduling: it cuts the items into chunks, submits ``function(chunk)`` for
each (``function`` takes a list and returns a list of the same length), and
yields the per-item results in input order. The executor does the rest:
a ``ProcessPoolExecutor`` on one machine, or a Dask cluster's
``Client(...).get_executor()`` over several.
"""

from __future__ import annotations

import math
import os
from collections.abc import Callable, Iterable, Iterator
from concurrent.futures import Executor
from typing import Any, TypeVar

Item = TypeVar("Item")

# A chunk carries enough wells that the cost of a task (pickling, a message to
# a worker, a future) is small beside its work, and the work still spreads:
# about four chunks per worker, at most this many items per chunk.
MAX_CHUNK = 256


def chunk_size(count: int, workers: int | None = None) -> int:
    """The items per chunk for ``count`` items over ``workers`` workers (default: this machine's CPUs)."""
    workers = max(1, workers or os.cpu_count() or 1)
    return max(1, min(MAX_CHUNK, math.ceil(count / (4 * workers))))


def map_chunked(function: Callable[[list[Item]], list[Any]], items: Iterable[Item],
                executor: Executor, chunksize: int | None = None,
                on_chunk: Callable[[int], object] | None = None) -> Iterator[Any]:
    """Yields ``function``'s result for every item, in input order.

    ``function`` must be picklable (a module-level function) for process
    pools and clusters. ``on_chunk(n)`` is called after each chunk of ``n``
    items arrives (a progress bar). Every chunk is submitted at once; an
    exception raised by ``function`` propagates when its chunk is reached.
    """
    items = list(items)
    size = chunksize or chunk_size(len(items))
    futures = [executor.submit(function, items[k : k + size]) for k in range(0, len(items), size)]
    try:
        for future in futures:
            results = future.result()
            if on_chunk:
                on_chunk(len(results))
            yield from results
    finally:
        for future in futures:  # a consumer that stops early leaves no work queued
            future.cancel()
