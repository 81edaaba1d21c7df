"""Well documents: the same results and messages as the dlv command."""

import copy
import json
import subprocess
import sys

import numpy as np
import pytest

import dlv

VOGEL_WELL = {
    "description": "One-layer oil well, Vogel curve from one test",
    "mode": "oil_production",
    "method": "vogel",
    "layers": [
        {
            "reservoir_pressure": 2400,
            "layer_temperature": 180,
            "api_gravity": 35,
            "gas_sg": 0.7,
            "water_sg": 1.05,
            "water_cut": 0.2,
            "producing_gor": 500,
        }
    ],
    "tests": [{"test_rate": 1000, "test_pressure": 1800}],
    "separator": {"separator_pressure": 100, "separator_temperature": 80},
}


def _command_json(dlv_command, path):
    out = subprocess.run([dlv_command, "run", str(path), "--format", "json"],
                         capture_output=True, text=True, check=True)
    return json.loads(out.stdout)


def test_file_and_dict_give_the_command_result(dlv_command, example_wells):
    for path in example_wells:
        expected = _command_json(dlv_command, path)
        from_file = dlv.calculate(path)
        from_dict = dlv.calculate(json.loads(path.read_text()))
        assert from_file.to_dict() == expected, path.name
        assert from_dict.to_dict() == expected, path.name


def test_result_arrays_by_name():
    r = dlv.calculate(VOGEL_WELL)
    assert r.rate.shape == r.pressure.shape == r.drawdown.shape == (1, 25)
    assert r.rate_unit == "STB/d" and r.units["pressure"] == "psi gauge"
    np.testing.assert_array_equal(r.drawdown[0], 2400 - r.pressure[0])
    np.testing.assert_array_equal(r.well_curve.rate, r.rate[0])
    assert r.well_curve.units["water_cut"] == r.units["water_cut"]
    assert r.fluid_properties.bubble_point.shape == (1,)
    assert r.summary["maximum_rate"] == r.rate[0, 24]
    assert r.completion is None and r.traverse is None
    assert "psi gauge" in type(r).pressure.__doc__
    # The result is a copy: changing it does not change the document.
    d = r.to_dict()
    d["layers"][0]["curve"]["rate"][0] = -1
    assert r.to_dict()["layers"][0]["curve"]["rate"][0] == 0


def test_dataframe_has_every_curve_point():
    pd = pytest.importorskip("pandas")
    r = dlv.calculate(VOGEL_WELL)
    frame = r.to_dataframe()
    assert isinstance(frame, pd.DataFrame)
    assert len(frame) == 25 * 2  # the layer curve and the well curve
    layer = frame[frame.curve == "layer"]
    np.testing.assert_array_equal(layer.rate_stb_per_d.to_numpy(), r.rate[0])
    assert list(layer.point) == list(range(25))
    assert frame.attrs["units"]["rate"] == "STB/d"


def _set(path, value):
    def change(doc):
        *parents, last = path
        for key in parents:
            doc = doc[key]
        if value is _DELETE:
            del doc[last]
        else:
            doc[last] = value
    return change


_DELETE = object()

# (case, change to the Vogel well, JSON path of the first problem)
BAD_WELLS = [
    ("missing mode", _set(["mode"], _DELETE), "mode"),
    ("unknown method", _set(["method"], "vogle"), "method"),
    ("text for a number", _set(["layers", 0, "reservoir_pressure"], "2400"),
     "layers[0].reservoir_pressure"),
    ("out of range", _set(["layers", 0, "reservoir_pressure"], -5), "layers[0].reservoir_pressure"),
    ("unknown key", _set(["layers", 0, "reservoir_presure"], 2400), "layers[0].reservoir_presure"),
    ("no test for the method", _set(["tests"], []), "tests"),
    ("two layers for a one-curve method",
     lambda d: d["layers"].append(copy.deepcopy(d["layers"][0])), "layers"),
]


@pytest.mark.parametrize("case,change,path", BAD_WELLS, ids=[c[0] for c in BAD_WELLS])
def test_bad_well_raises_the_command_message(case, change, path, tmp_path, dlv_command):
    doc = copy.deepcopy(VOGEL_WELL)
    change(doc)
    with pytest.raises(dlv.WellError) as from_dict:
        dlv.calculate(doc)
    assert from_dict.value.path == path
    assert from_dict.value.message
    file = tmp_path / "bad.json"
    file.write_text(json.dumps(doc))
    with pytest.raises(dlv.WellError) as from_file:
        dlv.calculate(file)
    command = subprocess.run([dlv_command, "run", str(file)], capture_output=True, text=True)
    assert command.returncode == 2
    assert str(from_file.value).splitlines() == command.stderr.splitlines()[:-1]


def test_json_syntax_error_names_line_and_column(tmp_path, dlv_command):
    file = tmp_path / "broken.json"
    file.write_text('{\n  "mode": "oil_production",\n  "method": vogel\n}\n')
    with pytest.raises(dlv.WellError) as err:
        dlv.calculate(file)
    command = subprocess.run([dlv_command, "run", str(file)], capture_output=True, text=True)
    assert str(err.value).splitlines() == command.stderr.splitlines()[:-1]
    assert "3" in str(err.value)  # the line of the error


def test_dict_values_numpy_and_not_json():
    doc = copy.deepcopy(VOGEL_WELL)
    doc["layers"][0]["reservoir_pressure"] = np.float64(2400)
    doc["tests"][0]["test_rate"] = np.int64(1000)
    assert dlv.calculate(doc).to_dict() == dlv.calculate(VOGEL_WELL).to_dict()
    with pytest.raises(dlv.WellError):
        dlv.calculate({**VOGEL_WELL, "description": float("nan")})
    with pytest.raises(TypeError):
        dlv.calculate(42)


def test_many_wells_in_input_order_over_processes(example_wells):
    wells = [copy.deepcopy(VOGEL_WELL) for _ in range(6)]
    for k, w in enumerate(wells):
        w["layers"][0]["reservoir_pressure"] = 2000 + 100 * k
    wells.insert(3, str(example_wells[0]))
    serial = [dlv.calculate(w).to_dict() for w in wells]
    for processes in (1, 2):
        results = dlv.calculate_many(wells, processes=processes, progress=False)
        assert [r.to_dict() for r in results] == serial
        np.testing.assert_array_equal(results[-1].well_curve.rate, serial[-1]["well_curve"]["rate"])


def test_many_wells_with_a_bad_one(tmp_path):
    bad = {**VOGEL_WELL, "method": "nope"}
    missing = str(tmp_path / "missing.json")
    wells = [VOGEL_WELL, bad, VOGEL_WELL, missing]
    results = dlv.calculate_many(wells, processes=2, errors="return", progress=False)
    assert isinstance(results[1], dlv.WellError) and results[1].path == "method"
    assert isinstance(results[2], dlv.Result)
    assert isinstance(results[3], dlv.WellError) and "cannot be read" in results[3].message
    with pytest.raises(dlv.WellError):
        dlv.calculate_many(wells, processes=2, progress=False)


def test_many_wells_while_another_thread_calls_the_library():
    # Workers are forked while a thread of the parent is inside the library
    # now and then; none of them may start with the library locked.
    code = (
        "import threading, dlv\n"
        "stop = threading.Event()\n"
        "def busy():\n"
        "    while not stop.is_set(): dlv.calculate(%r)\n"
        "t = threading.Thread(target=busy); t.start()\n"
        "for _ in range(5): dlv.calculate_many([%r] * 4, processes=2, progress=False)\n"
        "stop.set(); t.join(); print('done')\n" % (VOGEL_WELL, VOGEL_WELL))
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                         timeout=60, check=True)
    assert out.stdout.strip() == "done"


def test_pandas_and_matplotlib_are_imported_only_when_used():
    code = ("import sys, dlv; dlv.calculate(dlv.well_schema() and %r).to_dict(); "
            "print('pandas' in sys.modules, 'matplotlib' in sys.modules)" % (VOGEL_WELL,))
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True)
    assert out.stdout.split() == ["False", "False"]


def test_unreadable_documents_raise_wellerror(tmp_path):
    binary = tmp_path / "binary.json"
    binary.write_bytes(b"\x89PNG\r\n\x1a\n\x00\x00")
    latin = tmp_path / "latin.json"
    latin.write_bytes('{"description": "caf\u00e9"}'.encode("latin-1"))
    cases = [
        (binary, "binary content"),
        (latin, "not UTF-8"),
        (str(tmp_path / "missing.json"), "cannot be read"),
        (json.dumps(VOGEL_WELL), "pass it as calculate(json=...)"),
    ]
    for well, message in cases:
        with pytest.raises(dlv.WellError) as err:
            dlv.calculate(well)
        assert message in err.value.message, well
    with pytest.raises(dlv.WellError):
        dlv.calculate(json=b"\xff\xfe{}")
    with pytest.raises(TypeError):
        dlv.calculate(VOGEL_WELL, json="{}")


def test_json_text_and_duplicate_keys():
    text = json.dumps(VOGEL_WELL)
    assert dlv.calculate(json=text).to_dict() == dlv.calculate(VOGEL_WELL).to_dict()
    assert dlv.calculate(json=text.encode()).to_dict() == dlv.calculate(VOGEL_WELL).to_dict()
    twice = text.replace('"mode": "oil_production"', '"mode": "oil_production", "mode": "x"')
    with pytest.raises(dlv.WellError) as err:
        dlv.calculate(json=twice)
    assert err.value.path == "mode" and "twice" in err.value.message


def test_inconsistent_well_raises_and_fallbacks_warn():
    doc = copy.deepcopy(VOGEL_WELL)
    doc["tests"][0]["test_pressure"] = 2600  # above the reservoir pressure
    with pytest.raises(dlv.WellError) as err:
        dlv.calculate(doc)
    assert err.value.path == "tests[0].test_pressure"
    # Vogel's curve with water cut 1: the maximum oil rate is the library's floor.
    wet = {"mode": "oil_production", "method": "vogel", "fluid": {"fluid_type": "none"},
           "layers": [{"reservoir_pressure": 2000, "bubble_point": 2000, "water_cut": 1}],
           "tests": [{"test_rate": 500, "test_pressure": 1500}]}
    with pytest.warns(dlv.FallbackWarning, match="floored at 0.01"):
        result = dlv.calculate(wet)
    assert result.fallbacks and any("floored" in n for n in result.notes)
    assert result.fallback_notes == result.to_dict()["fallbacks"]
    assert dlv.calculate(VOGEL_WELL).fallbacks is False


def test_version_and_quick_vogel_default():
    assert dlv.__version__.count(".") == 2
    # pwf/pr = 0.75: V = 0.4, so the maximum rate is 1000 / 0.4 = 2500 STB/d.
    assert dlv.vogel(2400, 1000, 1800).max_rate == pytest.approx(2500.0, rel=1e-12)
    assert dlv.vogel(2400, 1000, 1800, 2400).max_rate == dlv.vogel(2400, 1000, 1800).max_rate
