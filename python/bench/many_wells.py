"""Wells per second of dlv.calculate_many over the example wells.

Usage: PYTHONPATH=<build>/python /usr/bin/python3 python/bench/many_wells.py [REPEATS] [PROCESSES ...]
"""

import pathlib
import sys
import time

import dlv

repeats = int(sys.argv[1]) if len(sys.argv) > 1 else 40
counts = [int(a) for a in sys.argv[2:]] or [1, 2]
examples = sorted((pathlib.Path(__file__).resolve().parents[2] / "examples" / "wells").glob("*.json"))
wells = [str(p) for p in examples] * repeats
dlv.calculate_many(wells[: len(examples)], processes=1, progress=False)  # warm the caches
for processes in counts:
    start = time.perf_counter()
    dlv.calculate_many(wells, processes=processes, progress=False)
    elapsed = time.perf_counter() - start
    print(f"{processes} process(es): {len(wells)} wells in {elapsed:.2f} s = {len(wells) / elapsed:.0f} wells/s")
