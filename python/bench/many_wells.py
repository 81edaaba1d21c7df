"""Wells per second of dlv.calculate_many over the example wells.

Usage: PYTHONPATH=<build>/python /usr/bin/python3 python/bench/many_wells.py [REPEATS] [ROUNDS] [--build]
Each round times every process count once (interleaved); the best round of each is
printed, the one least disturbed by other work on the machine.
"""

import pathlib
import resource
import sys
import time

import dlv

build = "--build" in sys.argv  # also build every result's arrays in this process
sys.argv = [a for a in sys.argv if a != "--build"]
repeats = int(sys.argv[1]) if len(sys.argv) > 1 else 100
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
examples = sorted((pathlib.Path(__file__).resolve().parents[2] / "examples" / "wells").glob("*.json"))
wells = [str(p) for p in examples] * repeats
dlv.calculate_many(wells[: len(examples)], processes=1, progress=False)  # warm the caches
best = {1: 0.0, 2: 0.0}
cpu = {}  # processor time per well: (this process, the workers), in microseconds
for _ in range(rounds):
    for processes in best:
        start = time.perf_counter()
        own, children = time.process_time(), resource.getrusage(resource.RUSAGE_CHILDREN)
        results = dlv.calculate_many(wells, processes=processes, progress=False)
        if build:
            for r in results:
                r.rate  # the arrays of a result are built on first use
        rate = len(wells) / (time.perf_counter() - start)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        workers = after.ru_utime + after.ru_stime - children.ru_utime - children.ru_stime
        if rate > best[processes]:
            best[processes] = rate
            cpu[processes] = ((time.process_time() - own) / len(wells) * 1e6,
                              workers / len(wells) * 1e6)
for processes, rate in best.items():
    own, workers = cpu[processes]
    print(f"{processes} process(es): {rate:.0f} wells/s ({len(wells)} wells, best of {rounds}); "
          f"processor time per well {own:.0f} us here, {workers:.0f} us in workers")
