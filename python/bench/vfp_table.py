#!/usr/bin/python3
"""Time of one lift table of 10 rates x 5 wellhead pressures x 4 water cuts x 4 GORs
(800 traverses) on one process and on two, best of N rounds, with the processor time
of the calling process and of its workers.

Usage: PYTHONPATH=build/release/python python/bench/vfp_table.py [WELL.json] [ROUNDS]
"""
import os
import resource
import sys
import time

import dlv

HERE = os.path.dirname(os.path.abspath(__file__))
WELL = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "tests", "opm",
                                                           "one_producer.json")
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
AXES = dict(rates=[50, 100, 200, 400, 700, 1000, 1500, 2000, 3000, 4000],
            wellhead_pressures=[100, 200, 300, 400, 600], water_cuts=[0, 0.2, 0.4, 0.6],
            gors=[0.2, 0.4, 0.6, 0.8])


def cpu(who):
    r = resource.getrusage(who)
    return r.ru_utime + r.ru_stime


best = {}
for _ in range(ROUNDS):
    for processes in (1, 2):
        c0, w0, t0 = cpu(resource.RUSAGE_SELF), cpu(resource.RUSAGE_CHILDREN), time.perf_counter()
        dlv.vfp_table(WELL, processes=processes, **AXES)
        wall = time.perf_counter() - t0
        own, workers = cpu(resource.RUSAGE_SELF) - c0, cpu(resource.RUSAGE_CHILDREN) - w0
        if processes not in best or wall < best[processes][0]:
            best[processes] = (wall, own, workers)
for processes, (wall, own, workers) in sorted(best.items()):
    print(f"{processes} process{'es' if processes > 1 else ''}: {wall:.3f} s wall, "
          f"{own:.3f} s processor time here, {workers:.3f} s in workers")
print(f"two processes: {best[1][0] / best[2][0]:.2f} times as fast; "
      f"load average {os.getloadavg()[0]:.1f}")
