#!/usr/bin/env python3
"""Names every test entry of the shipped 32-bit tree that did not run, and
why, and fails if there is one: each runs in that tree, or where the machine
runs no 32-bit code, in the x64 tree in its place. Reads the JUnit files
CTest wrote for this run.

    check-entries.py TREE32 TREE64
"""
import json
import pathlib
import subprocess
import sys
import xml.etree.ElementTree as ElementTree


def entries(tree):
    shown = subprocess.run(["ctest", "--test-dir", str(tree), "--show-only=json-v1"], check=True,
                           capture_output=True, text=True).stdout
    return [test["name"] for test in json.loads(shown)["tests"]]


def passed(tree):
    """The entries that ran and passed in a tree this run."""
    report = pathlib.Path(tree) / "junit.xml"
    if not report.exists():
        return set()
    cases = ElementTree.parse(report).getroot().iter("testcase")
    return {case.get("name") for case in cases if case.get("status") == "run" and case.find("failure") is None}


def main():
    tree32, tree64 = map(pathlib.Path, sys.argv[1:3])
    here, instead = passed(tree32), passed(tree64)
    x64_entries = set(entries(tree64)) if (tree64 / "CTestTestfile.cmake").exists() else set()
    shipped = entries(tree32)
    missing = []
    for name in shipped:
        if name in here or name in instead:
            continue
        why = ("the x64 tree has no such entry to run in its place" if name not in x64_entries
               else "it did not run in the x64 tree either")
        print(f"test: not run: {name}: {why}", file=sys.stderr)
        missing.append(name)
    if missing:
        sys.exit(1)
    ran32 = sum(name in here for name in shipped)
    print(f"test: every test entry of {tree32} ran: {ran32} there"
          + (f", {len(shipped) - ran32} on the x64 build in its place" if instead else ""))


if __name__ == "__main__":
    main()
