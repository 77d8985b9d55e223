#!/usr/bin/env python3
"""Plants each fault of tests/faults/faults.yaml, one at a time, in a private
copy of the sources, builds, and runs the unit tests (native) and the
Windows test programs on a Wine bench of the copy; a fault that no test
fails is reported as missed. Not part of the test command: it takes about
half a minute a fault. Needs the windows preset built once (ccache).

    plant-faults.py [--only ID,...] [--keep DIR]

Prints one line a fault (every test that fails on it, or missed, and how
long the run took) and a summary; exits 1 if any fault was missed or could
not be planted.
"""
import argparse
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

import yaml

ROOT = pathlib.Path(__file__).resolve().parent.parent


def run(command, cwd, env=None, timeout=300):
    return subprocess.run(command, cwd=cwd, capture_output=True, text=True, timeout=timeout,
                          env=env, check=False)


def copy_sources(into):
    files = run(["bash", "scripts/source-files.sh"], ROOT).stdout.split()
    for name in files:
        target = into / name
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(ROOT / name, target)


def failed_tests(output):
    found = (re.match(r"\[  FAILED  \] ([\w/]+\.[\w/]+)", line) for line in output.splitlines())
    return sorted({match.group(1) for match in found if match})


def try_fault(copy, fault):
    path = copy / fault["file"]
    original = path.read_text(encoding="utf-8")
    if original.count(fault["find"]) != 1:
        return "not found", 0.0
    path.write_text(original.replace(fault["find"], fault["replace"]), encoding="utf-8")
    start = time.monotonic()
    try:
        for preset in ("native", "windows"):
            built = run(["cmake", "--build", "--preset", preset, "-j2"], copy)
            if built.returncode:
                return f"does not compile ({preset})", time.monotonic() - start
        # Every suite, so that the list shows each test that catches the fault.
        caught = []
        native = run(["ctest", "--preset", "native", "--output-on-failure"], copy)
        if native.returncode:
            caught += failed_tests(native.stdout) or ["the unit tests"]
        bench = ["bash", "scripts/run-gtest.sh", "build/windows"]
        env = {**os.environ, "LUMORA_EXPECT_DPI": "96",
               "LUMORA_EXE": str(copy / "build/windows/app/lumora.exe")}
        for count, program in (("5", "build/windows/tests/lumora_unit_tests.exe"),
                               ("17", "build/windows/tests/lumora_win32_tests.exe")):
            ran = run(bench + [count, program], copy, env=env)
            if ran.returncode:
                caught += [f"{name} (Wine)" for name in failed_tests(ran.stdout)] or [
                    f"{pathlib.Path(program).stem}'s end"]
        if not caught:  # what only another DPI shows
            subprocess.run(["bash", "scripts/wine-bench.sh", "dpi", "build/windows", "144"], cwd=copy,
                           check=True, capture_output=True)
            try:
                ran = run(bench + ["7", "build/windows/tests/lumora_win32_tests.exe",
                                   "--gtest_filter=MainWindowTest.*:AboutWindowTest.*:ShowTest.*"],
                          copy, env={**env, "LUMORA_EXPECT_DPI": "144"})
            finally:
                subprocess.run(["bash", "scripts/wine-bench.sh", "dpi", "build/windows", "96"], cwd=copy,
                               check=True, capture_output=True)
            if ran.returncode:
                caught += [f"{name} (Wine, 144 DPI)" for name in failed_tests(ran.stdout)] or ["the 144-DPI run's end"]
        if caught:
            return "caught by " + ", ".join(sorted(set(caught))), time.monotonic() - start
        return "MISSED", time.monotonic() - start
    except subprocess.TimeoutExpired:
        return "caught by a time-out only", time.monotonic() - start
    finally:
        path.write_text(original, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--only", default="")
    parser.add_argument("--keep")
    args = parser.parse_args()
    faults = yaml.safe_load((ROOT / "tests/faults/faults.yaml").read_text(encoding="utf-8"))
    if args.only:
        wanted = set(args.only.split(","))
        faults = [f for f in faults if f["id"] in wanted]
    copy = pathlib.Path(args.keep) if args.keep else pathlib.Path(tempfile.mkdtemp(prefix="lumora-faults."))
    # Compiled through the cache the test command fills, keyed on this copy's paths.
    os.environ.update(CMAKE_C_COMPILER_LAUNCHER="ccache", CMAKE_CXX_COMPILER_LAUNCHER="ccache",
                      CCACHE_BASEDIR=str(copy), CCACHE_NOHASHDIR="1")
    if not (copy / "build/windows/CMakeCache.txt").exists():
        copy_sources(copy)
        for preset in ("native", "windows"):
            subprocess.run(["cmake", "--preset", preset], cwd=copy, check=True, capture_output=True)
            subprocess.run(["cmake", "--build", "--preset", preset, "-j2"], cwd=copy, check=True,
                           capture_output=True)
    subprocess.run(["bash", "scripts/wine-bench.sh", "start", "build/windows"], cwd=copy, check=True,
                   capture_output=True)
    missed = []
    try:
        for fault in faults:
            verdict, seconds = try_fault(copy, fault)
            print(f"{fault['id']}: {verdict} ({seconds:.0f} s)", flush=True)
            if verdict == "MISSED" or verdict.startswith(("not found", "does not compile")):
                missed.append(fault["id"])
    finally:
        subprocess.run(["bash", "scripts/wine-bench.sh", "stop", "build/windows"], cwd=copy, check=False,
                       capture_output=True)
        if not args.keep:
            shutil.rmtree(copy, ignore_errors=True)
    print(f"faults: {len(faults) - len(missed)} of {len(faults)} caught; missed: {', '.join(missed) or 'none'}")
    sys.exit(1 if missed else 0)


if __name__ == "__main__":
    main()
