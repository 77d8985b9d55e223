#!/usr/bin/env bash
# Runs a GoogleTest program on a build tree's Wine bench and passes only if
# it ran exactly the number of tests it should and ended with status 0
# after its summary: a filter that matches nothing, a program that ends
# early or one that crashes after its summary fails.
#   run-gtest.sh BUILD_DIR COUNT PROGRAM [ARGS...]
set -uo pipefail
build=${1:?build dir} count=${2:?number of tests} program=${3:?program}
shift 3

out=$(mktemp)
trap 'rm -f "$out"' EXIT
bash "$(dirname "$0")/wine-bench.sh" run "$build" "$program" "$@" 2>&1 | tee "$out"
status=${PIPESTATUS[0]}

summary=$(grep -aE '^\[==========\] [0-9]+ tests? from [0-9]+ test suites? ran' "$out" | tail -1)
ran=$(sed -E 's/^\[==========\] ([0-9]+) .*/\1/' <<<"$summary")
if [ -z "$summary" ]; then
  echo "run-gtest: $(basename "$program") ended before its summary (status $status)" >&2
  exit 1
fi
if [ "$ran" != "$count" ]; then
  echo "run-gtest: $(basename "$program") ran $ran tests where $count should run" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then
  echo "run-gtest: $(basename "$program") ended with status $status" >&2
  exit 1
fi
