#!/usr/bin/env bash
# Checks that the README's code does what it says: every block marked
# "<!-- from FILE -->" is a verbatim part of FILE; every FILE with an
# "<!-- output of FILE -->" block is compiled and run (C against libDLV.so,
# C# under mono, a Windows C host with mingw-w64 under wine beside DLV.dll)
# and prints exactly that block; every "$ " command of a "<!-- commands -->"
# block runs from the repository root and prints the lines below it.
# Usage: tools/check_readme.sh [LINUX_BUILD_DIR] [WINDOWS_BUILD_DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export DLV_LINUX_BUILD=$(cd "${1:-$root/build/release}" && pwd)
export DLV_WINDOWS_BUILD=${2:-$root/build/windows}
export DLV_ROOT=$root
exec python3 - <<'PY'
import os, re, shutil, subprocess, sys, tempfile

root = os.environ["DLV_ROOT"]
linux = os.environ["DLV_LINUX_BUILD"]
windows = os.environ["DLV_WINDOWS_BUILD"]
readme = open(os.path.join(root, "README.md"), encoding="utf-8").read()
blocks = re.findall(r"<!-- (from|output of|commands) ?([^ ]*) -->\n```[a-z]*\n(.*?)```", readme, re.S)
work = tempfile.mkdtemp(prefix="dlv_readme_")
passed = failed = 0

def result(ok, what, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print("ok   " + what)
    else:
        failed += 1
        print("FAIL " + what + ("\n" + detail if detail else ""))

def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, timeout=300, **kw)

def program_output(path):
    src = os.path.join(root, path)
    name = os.path.splitext(os.path.basename(path))[0]
    if path.endswith(".cs"):
        exe = os.path.join(work, name + ".exe")
        b = run(["mcs", "-nologo", "-out:" + exe, src])
        if b.returncode:
            return None, b.stdout + b.stderr
        env = dict(os.environ, LD_LIBRARY_PATH=linux)
        r = run(["mono", exe], env=env, cwd=work)
        return r.stdout, r.stderr
    if "windows.h" in open(src).read():
        exe = os.path.join(work, name + ".exe")
        b = run(["x86_64-w64-mingw32-gcc", "-std=c99", "-Wall", "-Werror", "-o", exe, src])
        if b.returncode:
            return None, b.stdout + b.stderr
        dll = os.path.join(windows, "DLV.dll")
        if not os.path.exists(dll):
            return None, "no %s: build the Windows DLL first (tools/windows_tests.sh)" % dll
        shutil.copy(dll, work)
        shutil.copy(os.path.join(windows, "ptrav", "PTRAV.dll"), work)
        env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
                   WINEPREFIX=os.environ.get("WINEPREFIX", os.path.join(root, "build", "wineprefix")))
        r = run(["wine", exe], env=env, cwd=work)
        return r.stdout.replace("\r\n", "\n"), r.stderr
    exe = os.path.join(work, name)
    b = run(["cc", "-std=c99", "-Wall", "-Wextra", "-Wpedantic", "-Werror",
             "-I" + os.path.join(root, "include"), "-o", exe, src, "-L" + linux, "-lDLV",
             "-Wl,-rpath," + linux, "-Wl,-rpath-link," + os.path.join(linux, "ptrav")])
    if b.returncode:
        return None, b.stdout + b.stderr
    r = run([exe], cwd=work)
    return r.stdout, r.stderr

for kind, path, body in blocks:
    if kind == "from":
        text = open(os.path.join(root, path), encoding="utf-8").read()
        result(body in text, "README block is part of " + path)
    elif kind == "output of":
        out, err = program_output(path)
        result(out == body, path + " prints what the README shows",
               err if out is None else "--- README\n" + body + "--- printed\n" + out)
    else:
        env = dict(os.environ, PATH=os.path.join(linux, "cli") + os.pathsep + os.environ["PATH"])
        parts = re.split(r"^\$ (.*)\n", body, flags=re.M)
        for cmd, expected in zip(parts[1::2], parts[2::2]):
            r = subprocess.run(["bash", "-c", cmd], capture_output=True, text=True, cwd=root,
                               env=env, timeout=300)
            got = r.stdout + r.stderr
            result(got == expected, "$ " + cmd, "--- README\n" + expected + "--- printed\n" + got)

shutil.rmtree(work, ignore_errors=True)
print("%d passed, %d failed" % (passed, failed))
sys.exit(1 if failed or not blocks else 0)
PY
