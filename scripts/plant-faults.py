#!/usr/bin/env python3
"""Plants each fault of tests/faults/faults.yaml, one at a time, in a private
copy of the sources, builds, and runs the unit tests (native) and the
Windows test programs on a Wine bench of the copy, or for a fault of the
release the CTest entry it names (`ctest`); a fault that no test fails is
reported as missed. Not part of the test command: it takes about
half a minute a fault. Needs the windows preset built once (ccache).

    plant-faults.py [--only ID,...] [--keep DIR]

Prints one line a fault (every test that fails on it, or missed; how long
the slowest of those tests took to fail, and the whole run) and a summary
with the longest time any fault took to fail; exits 1 if any fault was
missed, caught only by a time-out, or could not be planted.
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
        # A run ended mid-fault leaves the fault built: a file that differs
        # is written anew, newer than what was built from it.
        if not target.exists() or target.read_bytes() != (ROOT / name).read_bytes():
            shutil.copyfile(ROOT / name, target)
            shutil.copymode(ROOT / name, target)


def failed_tests(output):
    """Each failing test and how long it ran, in seconds."""
    found = (re.match(r"\[  FAILED  \] ([\w/]+\.[\w/]+)(?:, where .*)? \((\d+) ms\)", line)
             for line in output.splitlines())
    return {match.group(1): int(match.group(2)) / 1000 for match in found if match}


def test_counts(copy):
    """How many tests each Wine test entry runs, as tests/CMakeLists.txt writes it."""
    text = (copy / "tests/CMakeLists.txt").read_text(encoding="utf-8")
    return {name: count for name, count in re.findall(r"lumora_add_wine_test\((\w+) (\d+) ", text)}


def try_fault(copy, fault):
    path = copy / fault["file"]
    original = path.read_text(encoding="utf-8")
    if original.count(fault["find"]) != 1:
        return "not found", 0.0
    path.write_text(original.replace(fault["find"], fault["replace"]), encoding="utf-8")
    start = time.monotonic()
    counts = test_counts(copy)
    caught = {}  # test: seconds to fail
    try:
        for preset in ("native", "windows"):
            built = run(["cmake", "--build", "--preset", preset, "-j2"], copy)
            if built.returncode:
                return f"does not compile ({preset})", time.monotonic() - start
        if "ctest" in fault:  # a fault of the release, for the release's own test
            began = time.monotonic()
            checked = run(["ctest", "--preset", "windows", "-R", f"^{fault['ctest']}$", "--output-on-failure"],
                          copy)
            took = time.monotonic() - began
            # Its fixture may have ended the bench the other faults run on.
            subprocess.run(["bash", "scripts/wine-bench.sh", "start", "build/windows"], cwd=copy, check=True,
                           capture_output=True)
            if checked.returncode == 0:
                return "MISSED", time.monotonic() - start
            said = [line.strip() for line in checked.stdout.splitlines()
                    if re.match(r"\s*(package:|manifest:|AssertionError|FAIL:)", line)]
            return (f"caught by {fault['ctest']} ({'; '.join(said[:2])[:240]}); fails in {took:.1f} s",
                    time.monotonic() - start)
        # Every suite, so that the list shows each test that catches the fault.
        native = run(["ctest", "--preset", "native", "--output-on-failure"], copy)
        if native.returncode:
            caught.update(failed_tests(native.stdout) or {"the unit tests": 0.0})
        bench = ["bash", "scripts/run-gtest.sh", "build/windows"]
        env = {**os.environ, "LUMORA_EXPECT_DPI": "96",
               "LUMORA_EXE": str(copy / "build/windows/app/lumora.exe")}
        for count, program in ((counts["unit_tests"], "build/windows/tests/lumora_unit_tests.exe"),
                               (counts["win32_tests"], "build/windows/tests/lumora_win32_tests.exe")):
            began = time.monotonic()
            ran = run(bench + [count, program], copy, env=env)
            if "still running after its time" in ran.stdout + ran.stderr:
                return "caught by a time-out only", time.monotonic() - start
            if ran.returncode:
                found = failed_tests(ran.stdout)
                caught.update({f"{name} (Wine)": seconds for name, seconds in found.items()} or {
                    f"{pathlib.Path(program).stem}'s end": time.monotonic() - began})
        if not caught:  # what only another DPI shows
            subprocess.run(["bash", "scripts/wine-bench.sh", "dpi", "build/windows", "144"], cwd=copy,
                           check=True, capture_output=True)
            try:
                began = time.monotonic()
                ran = run(bench + [counts["win32_tests_144dpi"], "build/windows/tests/lumora_win32_tests.exe",
                                   "--gtest_filter=MainWindowTest.*:AboutWindowTest.*:ShowTest.*"],
                          copy, env={**env, "LUMORA_EXPECT_DPI": "144"})
            finally:
                subprocess.run(["bash", "scripts/wine-bench.sh", "dpi", "build/windows", "96"], cwd=copy,
                               check=True, capture_output=True)
            if ran.returncode:
                found = failed_tests(ran.stdout)
                caught.update({f"{name} (Wine, 144 DPI)": seconds for name, seconds in found.items()} or {
                    "the 144-DPI run's end": time.monotonic() - began})
        if caught:
            slowest = max(caught.values())
            return (f"caught by {', '.join(sorted(caught))}; fails in {slowest:.1f} s",
                    time.monotonic() - start)
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
    copy_sources(copy)  # a kept copy is brought up to date
    if not (copy / "build/windows/CMakeCache.txt").exists():
        for preset in ("native", "windows"):
            subprocess.run(["cmake", "--preset", preset], cwd=copy, check=True, capture_output=True)
            subprocess.run(["cmake", "--build", "--preset", preset, "-j2"], cwd=copy, check=True,
                           capture_output=True)
    subprocess.run(["bash", "scripts/wine-bench.sh", "start", "build/windows"], cwd=copy, check=True,
                   capture_output=True)
    missed = []
    longest = 0.0
    try:
        for fault in faults:
            verdict, seconds = try_fault(copy, fault)
            print(f"{fault['id']}: {verdict} (run {seconds:.0f} s)", flush=True)
            if verdict == "MISSED" or verdict.startswith(("not found", "does not compile", "caught by a time-out")):
                missed.append(fault["id"])
            elif match := re.search(r"fails in ([\d.]+) s", verdict):
                longest = max(longest, float(match.group(1)))
    finally:
        subprocess.run(["bash", "scripts/wine-bench.sh", "stop", "build/windows"], cwd=copy, check=False,
                       capture_output=True)
        if not args.keep:
            shutil.rmtree(copy, ignore_errors=True)
    print(f"faults: {len(faults) - len(missed)} of {len(faults)} caught, the slowest failing in {longest:.1f} s; "
          f"missed: {', '.join(missed) or 'none'}")
    sys.exit(1 if missed else 0)


if __name__ == "__main__":
    main()
