"""Lift tables from Python: a published traverse at its place in the table, the
same table on one process, two processes and a Dask cluster, the deck file,
and the refusals of bad axes."""

import concurrent.futures
import json
import os
import re
import subprocess

import numpy as np
import pytest

import dlv

WELLS = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "wellfile", "tubing_wells")
GUO = os.path.join(WELLS, "guo_hagedorn_brown.json")
INJECTOR = os.path.join(WELLS, "water_injector.json")
# Guo's Hagedorn-Brown well at its published point (758 STB/d, 200 psia,
# water cut 0.1, GOR 83.3 scf/STB) among other axis values; 200 000 STB/d is
# beyond what the tubing carries and is filled.
GUO_AXES = dict(rates=[500, 758, 200000], wellhead_pressures=[200, 400, 600],
                water_cuts=[0.1, 0.3], gors=[83.333333333333 / 1000, 0.5])


def test_published_point_sits_at_its_index_in_every_view(tmp_path):
    t = dlv.vfp_table(GUO, **GUO_AXES)
    assert t.bhp.shape == (3, 2, 2, 1, 3)
    # Guo et al. (2007), Hagedorn-Brown spreadsheet: 3127 psia at 9700 ft.
    assert t.bhp[0, 0, 0, 0, 1] == pytest.approx(3127, abs=1.0)
    assert t.datum_depth == 9700
    assert sorted({i[4] for i in t.filled}) == [2] and len(t.filled) == 12
    xr = pytest.importorskip("xarray")
    da = t.to_xarray()
    assert isinstance(da, xr.DataArray)
    assert float(da.sel(wellhead_pressure=200, water=0.1, rate=758).isel(gas=0, lift=0)) == (
        t.bhp[0, 0, 0, 0, 1])
    path = tmp_path / "table.inc"
    t.write(path, table_number=7)
    text = path.read_text()
    assert "VFPPDIMS 3 3 2 2 1 7" in text
    rows = re.findall(r"^\s+(\d+) (\d+) (\d+) (\d+) ", text, flags=re.M)
    assert len(rows) == 12 and rows[-1] == ("3", "2", "2", "1")
    ax = t.plot(water=1, gas=1)
    assert len([line for line in ax.get_lines() if line.get_label().startswith("THP")]) == 3


@pytest.mark.parametrize("well, axes", [
    (GUO, GUO_AXES),
    (INJECTOR, dict(rates=[0, 1000, 3000], wellhead_pressures=[100, 1500, 2000, 2500])),
])
def test_two_processes_give_the_table_of_one(well, axes):
    one = dlv.vfp_table(well, **axes)
    two = dlv.vfp_table(well, processes=2, **axes)
    assert np.array_equal(one.bhp, two.bhp)
    assert one.filled == two.filled and one.falls == two.falls


def test_many_wells_through_any_executor():
    bad = json.load(open(GUO))
    del bad["tubing"]
    wells = [GUO, INJECTOR, bad]
    axes = dict(rates=[500, 1000], wellhead_pressures=[200, 1500])
    here = dlv.vfp_tables(wells, errors="return", **axes)
    assert isinstance(here[2], dlv.WellError) and here[2].path == "tubing"
    with concurrent.futures.ProcessPoolExecutor(2) as pool:
        pooled = dlv.vfp_tables(wells, executor=pool, errors="return", **axes)
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        clustered = dlv.vfp_tables(wells, executor=client.get_executor(), errors="return", **axes)
    for tables in (pooled, clustered):
        for a, b in zip(here[:2], tables[:2]):
            assert np.array_equal(a.bhp, b.bhp)
        assert isinstance(tables[2], dlv.WellError) and tables[2].path == "tubing"
    with pytest.raises(dlv.WellError):
        dlv.vfp_tables(wells, **axes)


@pytest.mark.parametrize("axes, path, words", [
    (dict(rates=[1000, 500], wellhead_pressures=[200, 400]), "rates[1]", "below"),
    (dict(rates=[], wellhead_pressures=[200, 400]), "rates", "empty"),
    (dict(rates=[500, 1000], wellhead_pressures=[200, 400], gors=[500, 800]), "gors[0]",
     "thousand"),
    (dict(rates=[500, 1000], wellhead_pressures=[200, 400], alq=[0, 50]), "alq[1]", "lift gas"),
    (dict(rates=[500, float("nan")], wellhead_pressures=[200, 400]), "rates[1]", "finite"),
])
def test_bad_axes_raise_with_their_path(axes, path, words):
    with pytest.raises(dlv.WellError) as err:
        dlv.vfp_table(GUO, **axes)
    assert any(p == path and words in m for p, m, _ in err.value.problems), err.value
    with pytest.raises(ValueError, match="one of"):
        dlv.vfp_table(GUO, rates=[1, 2], wellhead_pressures=[200, 400], gors=[0.1], glrs=[0.1])


def test_command_writes_the_table_and_reports_filled_entries(dlv_command, tmp_path):
    out = tmp_path / "t.inc"
    run = subprocess.run([dlv_command, "vfp", GUO, "--rates", "500,758,200000",
                          "--wellhead-pressures", "200,400", "--water-cuts", "0.1",
                          "--gors", "0.0833333333333", "--table-number", "4", "-o", str(out)],
                         capture_output=True, text=True)
    assert run.returncode == 0, run.stderr
    assert "VFPPDIMS 3 2 1 1 1 4" in out.read_text()
    filled = [line for line in run.stderr.splitlines() if "filled:" in line]
    assert len(filled) == 2 and all("FLO 3 (200000 stb/d)" in line for line in filled)


@pytest.mark.parametrize("args, words", [
    (["--rates", "758,500", "--wellhead-pressures", "200,400"], "rates[1]"),
    (["--rates", "500,758", "--wellhead-pressures", "200,400", "--gors", "83,500"], "scf/stb"),
    (["--rates", "500,758", "--wellhead-pressures", "200,400", "--water-cuts", "0.1",
      "--water-oil-ratios", "0.1"], "not several"),
    (["--rates", "500,758", "--wellhead-pressures", "200,400", "--alq", "0,10"], "lift gas"),
    (["--rates", "500,758", "--wellhead-pressures", "200,400", "--datum-depth", "12000"],
     "datum_depth"),
    (["--rates", "500,758", "--wellhead-pressures", "-5,400"], "wellhead_pressures[0]"),
])
def test_command_refuses_bad_axes_and_writes_nothing(dlv_command, tmp_path, args, words):
    out = tmp_path / "t.inc"
    run = subprocess.run([dlv_command, "vfp", GUO, *args, "-o", str(out)], capture_output=True,
                         text=True)
    assert run.returncode == 2 and words in run.stderr, run.stderr
    assert not out.exists()
