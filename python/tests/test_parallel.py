"""Many wells over executors: a process pool and a Dask cluster, in chunks."""

import concurrent.futures
import copy
import json
import multiprocessing
import subprocess

import pytest

import dlv
from dlv import _parallel

from test_wells import VOGEL_WELL


def _wells_with_bad_ones(tmp_path, example_wells):
    """Good wells around a bad method and a missing file; chunks of two straddle them."""
    wells = [copy.deepcopy(VOGEL_WELL) for _ in range(5)]
    for k, w in enumerate(wells):
        w["layers"][0]["reservoir_pressure"] = 2000 + 100 * k
    wells.insert(1, {**VOGEL_WELL, "method": "nope"})
    wells.insert(4, str(tmp_path / "missing.json"))
    wells += [str(p) for p in example_wells]
    return wells


def _check_against_serial(wells, results):
    assert len(results) == len(wells)
    assert isinstance(results[1], dlv.WellError) and results[1].path == "method"
    assert isinstance(results[4], dlv.WellError) and "cannot be read" in results[4].message
    for well, got in zip(wells, results):
        if isinstance(got, dlv.WellError):
            continue
        assert got.to_dict() == dlv.calculate(well).to_dict()
        assert got.source == (well if isinstance(well, str) else None)


def test_chunk_sizes():
    # About four chunks per worker, at least one well and at most 256 per chunk.
    cases = [(1000, 2, 125), (1001, 2, 126), (10, 2, 2), (3, 4, 1), (0, 2, 1), (10**6, 8, 256)]
    for count, workers, size in cases:
        assert _parallel.chunk_size(count, workers) == size, (count, workers)


def test_process_pool_executor_keeps_order_and_errors(tmp_path, example_wells):
    wells = _wells_with_bad_ones(tmp_path, example_wells)
    context = multiprocessing.get_context("fork")
    with concurrent.futures.ProcessPoolExecutor(2, mp_context=context) as pool:
        results = dlv.calculate_many(wells, executor=pool, chunksize=2, errors="return",
                                     progress=False)
        _check_against_serial(wells, results)
        with pytest.raises(dlv.WellError) as raised:
            dlv.calculate_many(wells, executor=pool, progress=False)
        assert raised.value.path == "method"  # the first bad well in input order
    with pytest.raises(TypeError):
        dlv.calculate_many(wells, processes=2, executor=pool)


def test_dask_local_cluster_of_two_workers(tmp_path, example_wells):
    distributed = pytest.importorskip(
        "dask.distributed", reason="dask.distributed is not installed (Debian python3-distributed)"
    )
    wells = _wells_with_bad_ones(tmp_path, example_wells)
    # Two workers as threads of this process: starts in about a second.
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=False,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster, timeout=30) as client:
            results = dlv.calculate_many(wells, executor=client.get_executor(), chunksize=3,
                                         errors="return", progress=False)
    _check_against_serial(wells, results)


def test_results_read_back_as_the_command_writes_them(example_wells, dlv_command):
    # The package's result text and the command's JSON give the same values and types.
    results = dlv.calculate_many([str(p) for p in example_wells], processes=1, progress=False)
    for path, result in zip(example_wells, results):
        out = subprocess.run([dlv_command, "run", str(path), "--format", "json"],
                             capture_output=True, text=True)
        assert out.returncode in (0, 3), out.stderr
        expected = json.loads(out.stdout)
        assert result.document == expected, path.name
        assert json.dumps(result.document) == json.dumps(expected)  # ints stay ints, floats floats
