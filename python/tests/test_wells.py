"""Well documents: the dlv command's results and messages, as arrays, tables and errors;
many wells over processes, a process pool and a Dask cluster, in chunks."""

import concurrent.futures
import copy
import io
import json
import multiprocessing
import subprocess
import sys

import numpy as np
import pytest

import dlv
from conftest import VOGEL_WELL, example


def _command(dlv_command, *args):
    return subprocess.run([dlv_command, *map(str, args)], capture_output=True, text=True)


def test_every_example_gives_the_command_result(dlv_command, example_wells):
    results = dlv.calculate_many([str(p) for p in example_wells], processes=1, progress=False)
    for path, many in zip(example_wells, results):
        out = _command(dlv_command, "run", path, "--format", "json")
        assert out.returncode in (0, 3), out.stderr
        expected = json.loads(out.stdout)
        assert dlv.calculate(json.loads(path.read_text())).to_dict() == expected, path.name
        # The same document, ints kept ints and floats floats.
        assert json.dumps(many.document) == json.dumps(expected), path.name


def test_result_arrays_by_name_and_nan_where_nothing_is_described():
    r = dlv.calculate(VOGEL_WELL)
    assert r.rate.shape == r.pressure.shape == r.drawdown.shape == (1, 25)
    assert r.rate_unit == "STB/d" and r.units["pressure"] == "psi gauge"
    np.testing.assert_array_equal(r.drawdown[0], 2400 - r.pressure[0])
    np.testing.assert_array_equal(r.well_curve.rate, r.rate[0])
    assert r.summary["maximum_rate"] == r.rate[0, 24]
    assert r.completion is None and r.traverse is None
    d = r.to_dict()  # a copy: changing it does not change the result
    d["layers"][0]["curve"]["rate"][0] = -1
    assert r.to_dict()["layers"][0]["curve"]["rate"][0] == 0
    for name in ("three_layer_oil", "darcy_gas", "water_injection"):
        r = dlv.calculate(example(name))
        for layer, entry in enumerate(r.document["layers"]):
            for key, value in entry["fluid_properties"].items():
                assert np.isnan(r.fluid_properties[key][layer]) == (value is None), (name, key)


@pytest.mark.parametrize("name", ["three_layer_oil", "perforated_gas"])
def test_dataframe_is_the_command_csv(dlv_command, name):
    pd = pytest.importorskip("pandas")
    text = _command(dlv_command, "run", example(name), "--format", "csv").stdout
    frame = dlv.calculate(example(name)).to_dataframe()
    pd.testing.assert_frame_equal(frame, pd.read_csv(io.StringIO(text)).astype({"layer": "Int64"}),
                                  check_dtype=False)
    assert frame.attrs["units"]["pressure"] == "psi gauge"


LAYER = VOGEL_WELL["layers"][0]
# (case, a bad Vogel well, JSON path of the first problem)
BAD_WELLS = [
    ("test above the reservoir", {**VOGEL_WELL, "tests": [{"test_rate": 1, "test_pressure": 2600}]},
     "tests[0].test_pressure"),
    ("two layers for a one-curve method", {**VOGEL_WELL, "layers": [LAYER, LAYER]}, "layers"),
]


@pytest.mark.parametrize("case,doc,path", BAD_WELLS, ids=[c[0] for c in BAD_WELLS])
def test_bad_well_raises_the_command_message(case, doc, path, tmp_path, dlv_command):
    with pytest.raises(dlv.WellError) as from_dict:
        dlv.calculate(doc)
    assert from_dict.value.path == path and from_dict.value.message
    file = tmp_path / "bad.json"
    file.write_text(json.dumps(doc))
    with pytest.raises(dlv.WellError) as from_file:
        dlv.calculate(file)
    command = _command(dlv_command, "run", file)
    assert command.returncode == 2
    assert str(from_file.value).splitlines() == command.stderr.splitlines()[:-1]


TEXT = json.dumps(VOGEL_WELL)


def _file(folder, data):
    (folder / "well.json").write_bytes(data)
    return folder / "well.json"


UNREADABLE = [  # (case, the call's arguments given a scratch folder, part of the message)
    ("binary", lambda t: {"well": _file(t, b"\x89PNG\r\n\x1a\n\x00")}, "binary content"),
    ("missing", lambda t: {"well": t / "missing.json"}, "cannot be read"),
    ("text for a path", lambda t: {"well": TEXT}, "pass it as calculate(json=...)"),
    ("syntax", lambda t: {"well": _file(t, b'{\n"mode": 1,\n"method": vogel}')}, "line 3"),
    ("not UTF-8 text", lambda t: {"json": b"\xff\xfe{}"}, "UTF-8"),
    ("not a number", lambda t: {"well": {**VOGEL_WELL, "description": float("nan")}},
     "not a JSON document"),
]


@pytest.mark.parametrize("case,call,message", UNREADABLE, ids=[c[0] for c in UNREADABLE])
def test_unreadable_documents_raise_wellerror(tmp_path, case, call, message):
    with pytest.raises(dlv.WellError) as err:
        dlv.calculate(**call(tmp_path))
    assert message in str(err.value)


def test_numpy_values_json_text_and_wrong_types():
    doc = copy.deepcopy(VOGEL_WELL)
    doc["layers"][0]["reservoir_pressure"] = np.float64(2400)
    doc["tests"][0]["test_rate"] = np.int64(1000)
    expected = dlv.calculate(VOGEL_WELL).to_dict()
    for same in (dlv.calculate(doc), dlv.calculate(json=TEXT), dlv.calculate(json=TEXT.encode())):
        assert same.to_dict() == expected
    for wrong in (dict(well=42), dict(well=VOGEL_WELL, json="{}")):
        with pytest.raises(TypeError):
            dlv.calculate(**wrong)


def test_fallbacks_warn_and_are_listed():
    # Vogel's curve with water cut 1: the maximum oil rate is the library's floor.
    wet = {"mode": "oil_production", "method": "vogel", "fluid": {"fluid_type": "none"},
           "layers": [{"reservoir_pressure": 2000, "bubble_point": 2000, "water_cut": 1}],
           "tests": [{"test_rate": 500, "test_pressure": 1500}]}
    with pytest.warns(dlv.FallbackWarning, match="floored at 0.01"):
        result = dlv.calculate(wet)
    assert result.fallbacks and any("floored" in n for n in result.notes)
    assert result.fallback_notes == result.to_dict()["fallbacks"]
    assert dlv.calculate(VOGEL_WELL).fallbacks is False


def _python(code):
    return subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                          timeout=60, check=True).stdout.split()


def test_workers_fork_while_a_thread_is_in_the_library():
    # None of the workers may start with the library locked.
    assert _python(
        "import threading, dlv\nstop = threading.Event()\n"
        "def busy():\n    while not stop.is_set(): dlv.calculate(%r)\n"
        "t = threading.Thread(target=busy); t.start()\n"
        "for _ in range(5): dlv.calculate_many([%r] * 4, processes=2, progress=False)\n"
        "stop.set(); t.join(); print('done')\n" % (VOGEL_WELL, VOGEL_WELL)) == ["done"]


def test_pandas_and_matplotlib_are_imported_only_when_used():
    assert _python("import sys, dlv; dlv.calculate(%r).to_dict(); "
                   "print('pandas' in sys.modules, 'matplotlib' in sys.modules)"
                   % (VOGEL_WELL,)) == ["False", "False"]
    assert dlv.__version__.count(".") == 2


def _wells_with_bad_ones(tmp_path, example_wells):
    """Good wells around a bad method and a missing file; chunks of two straddle them."""
    wells = [copy.deepcopy(VOGEL_WELL) for _ in range(5)]
    for k, w in enumerate(wells):
        w["layers"][0]["reservoir_pressure"] = 2000 + 100 * k
    wells.insert(1, {**VOGEL_WELL, "method": "nope"})
    wells.insert(4, str(tmp_path / "missing.json"))
    wells += [str(p) for p in example_wells]
    (tmp_path / "cut.json").write_bytes(b"\x89PNG\r\n\x1a\n\x00")
    (tmp_path / "nope.json").write_text(json.dumps({**VOGEL_WELL, "method": "nope"}))
    return wells + [str(tmp_path / "cut.json"), str(tmp_path / "nope.json")]


def _check_against_serial(wells, results):
    assert len(results) == len(wells)
    assert isinstance(results[1], dlv.WellError) and results[1].path == "method"
    assert isinstance(results[4], dlv.WellError) and "cannot be read" in results[4].message
    assert isinstance(results[-2], dlv.WellError) and "binary content" in results[-2].message
    assert isinstance(results[-1], dlv.WellError) and results[-1].path == "method"
    for well, got in zip(wells, results):
        if isinstance(got, dlv.WellError):
            continue
        assert got.to_dict() == dlv.calculate(well).to_dict()
        assert got.source == (well if isinstance(well, str) else None)


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
    distributed = pytest.importorskip("dask.distributed")
    wells = _wells_with_bad_ones(tmp_path, example_wells)
    # Two workers as threads of this process: starts in about a second.
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=False,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster, timeout=30) as client:
        results = dlv.calculate_many(wells, executor=client.get_executor(), chunksize=3,
                                     errors="return", progress=False)
    _check_against_serial(wells, results)
