"""Builds the compiled module dlv._dlv with CMake for pip (see pyproject.toml).

The CMake build of the whole source tree (one folder up) makes _dlv with the
library it calls, libDLV.so, and the traverse library libPTRAV.so; its
install component "python" puts the three beside the package's modules, where
_dlv finds the libraries through its run path ($ORIGIN).

Environment (optional):
  DLV_PIP_BUILD_DIR  the CMake build folder (default: build/python-package of
                     the source tree; kept, so that a second install builds
                     only what changed)
  DLV_BUILD_JOBS     parallel compile jobs (default: the CPU count)
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

PACKAGE_ROOT = pathlib.Path(__file__).resolve().parent
SOURCE_ROOT = PACKAGE_ROOT.parent


def library_version() -> str:
    """The version of include/dlv/dlv.h, the one place it is written."""
    header = (SOURCE_ROOT / "include" / "dlv" / "dlv.h").read_text()
    found = re.search(r'#define DLV_VERSION_STRING "([^"]+)"', header)
    if not found:
        raise RuntimeError("include/dlv/dlv.h: DLV_VERSION_STRING not found")
    return found.group(1)


class CMakeBuild(build_ext):
    """Builds the extension with the project's CMake build instead of setuptools' compiler."""

    def build_extension(self, ext: Extension) -> None:
        if not shutil.which("cmake"):
            raise RuntimeError("cmake is needed to build dlv (apt-get install cmake)")
        build_dir = pathlib.Path(os.environ.get("DLV_PIP_BUILD_DIR") or
                                 SOURCE_ROOT / "build" / "python-package").resolve()
        # build_lib/dlv, where setuptools collects the package for the wheel.
        package_dir = pathlib.Path(self.get_ext_fullpath(ext.name)).resolve().parent
        configure = [
            "cmake", "-S", str(SOURCE_ROOT), "-B", str(build_dir),
            "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
            "-DDLV_TESTS=OFF", "-DDLV_BENCH=OFF", "-DDLV_EXAMPLES=OFF",
            f"-DPython3_EXECUTABLE={sys.executable}",
            f"-DDLV_PYTHON_INSTALL_DIR={package_dir.parent}",
        ]
        if shutil.which("ccache"):
            configure += ["-DCMAKE_C_COMPILER_LAUNCHER=ccache",
                          "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
        jobs = os.environ.get("DLV_BUILD_JOBS") or str(os.cpu_count() or 1)
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build_dir), "--target", "_dlv", "-j", jobs],
                       check=True)
        subprocess.run(["cmake", "--install", str(build_dir), "--component", "python"],
                       check=True)


setup(
    version=library_version(),
    ext_modules=[Extension("dlv._dlv", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
)
