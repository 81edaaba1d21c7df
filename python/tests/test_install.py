"""The installed package works on its own, outside the build tree."""

import os
import shutil
import subprocess
import sys

import pytest

from conftest import PACKAGE_DIR, SOURCE_DIR


def test_cmake_install_gives_a_working_package(tmp_path):
    build = PACKAGE_DIR.parents[1]
    if not (build / "CMakeCache.txt").exists() or not shutil.which("cmake"):
        pytest.skip("not a CMake build tree")
    env = dict(os.environ, DESTDIR=str(tmp_path))
    subprocess.run(["cmake", "--install", str(build), "--component", "python"], env=env,
                   check=True, capture_output=True)
    (package,) = [p.parent for p in tmp_path.rglob("dlv/__init__.py")]
    assert {"libDLV.so", "libPTRAV.so"} <= {p.name for p in package.iterdir()}
    code = ("import dlv, sys; assert dlv.__file__.startswith(sys.argv[1]); "
            "print(dlv.calculate(sys.argv[2]).summary['maximum_rate'] > 0)")
    well = SOURCE_DIR / "examples" / "wells" / "vogel_oil.json"
    run = subprocess.run([sys.executable, "-c", code, str(package), str(well)], cwd=tmp_path,
                         env=dict(os.environ, PYTHONPATH=str(package.parent)),
                         capture_output=True, text=True, check=True)
    assert run.stdout.strip() == "True"
