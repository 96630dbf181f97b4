#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (address and
# undefined-behaviour sanitizers) into build-fuzz/, then runs each target over
# its seed corpus in tests/fuzz/corpus/<name>/, every file once: that is what
# scripts/test.sh, and so CI, does.
#
#   scripts/fuzz.sh                      every target over its corpus
#   scripts/fuzz.sh record inifile       only these targets
#   scripts/fuzz.sh --time 120 [NAME...] fuzz each for 120 s (niced)
#
# Fuzzing keeps the inputs it finds in build-fuzz/corpus/<name>/ and a crash
# in build-fuzz/artifacts/; copy a crash into tests/fuzz/corpus/<name>/ once
# it is fixed, so the corpus run keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --time) seconds="${2:?--time needs a number of seconds}"; shift 2 ;;
    --time=*) seconds="${1#--time=}"; shift ;;
    -h|--help) sed -n '2,15p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
case "$seconds" in
  ''|*[!0-9]*) echo "--time takes a whole number of seconds" >&2; exit 2 ;;
esac

scripts/deps.sh
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  generator=()
  if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
  CC=clang CXX=clang++ cmake -S . -B build-fuzz "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCARVELLO_FUZZ=ON
fi
cmake --build build-fuzz --parallel "${JOBS:-2}"

if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/fuzz_*.cpp; do
    name="${source##*/fuzz_}"
    targets+=("${name%.cpp}")
  done
fi

export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
failed=()
for name in "${targets[@]}"; do
  exe="build-fuzz/tests/fuzz/fuzz_$name"
  corpus="tests/fuzz/corpus/$name"
  if [ ! -x "$exe" ]; then echo "no fuzz target $name" >&2; exit 2; fi
  mapfile -t seeds < <(find "$corpus" -type f 2>/dev/null | sort)
  if [ ${#seeds[@]} -eq 0 ]; then
    echo "fuzz_$name has no seeds in $corpus" >&2
    failed+=("$name")
    continue
  fi
  log="build-fuzz/fuzz_$name.log"
  if [ "$seconds" -eq 0 ]; then
    # Files, not the folder: each is run once and nothing is written back.
    if "$exe" "${seeds[@]}" >"$log" 2>&1; then
      echo "fuzz_$name: ${#seeds[@]} seeds, no failure"
    else
      tail -n 60 "$log"
      echo "fuzz_$name: FAILED on its corpus (log: $log)"
      failed+=("$name")
    fi
  else
    mkdir -p "build-fuzz/corpus/$name" build-fuzz/artifacts
    echo "fuzz_$name: fuzzing for $seconds s"
    # New inputs go to the first folder only, so the committed corpus stays
    # as it is.
    if nice -n 10 "$exe" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/artifacts/${name}-" "build-fuzz/corpus/$name" "$corpus" >"$log" 2>&1; then
      grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$log" | tail -n 2 || true
      echo "fuzz_$name: no failure in $seconds s"
    else
      tail -n 60 "$log"
      echo "fuzz_$name: FAILED (log: $log, input in build-fuzz/artifacts/)"
      failed+=("$name")
    fi
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets failing: ${failed[*]}"
  exit 1
fi
