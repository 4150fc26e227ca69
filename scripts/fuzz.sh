#!/usr/bin/env bash
# Runs the libFuzzer targets built by the fuzz preset, one after the other.
#
#   scripts/fuzz.sh short [target...]   about 12 s per target (the fuzz
#                                       preset's CTest entries, one a target)
#   scripts/fuzz.sh long  [target...]   9 min per target, with a table of figures
#
# FUZZ_BUILD_DIR  the fuzz build (default build/fuzz)
# FUZZ_SECONDS    seconds per target, overriding the mode's default
#
# Each target starts from its seed corpus (fuzz/corpus/<name>) and the crash
# inputs kept as regression cases (fuzz/crashes/<name>), uses the dictionary
# fuzz/<name>.dict when there is one, and grows a working corpus in the
# build folder that later runs continue from. A crash, leak, timeout or
# failed check stops that target; the input is saved under
# <build>/fuzz-crashes/<name>/ and the script exits non-zero.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)

mode=${1:-}
case "$mode" in
short) seconds=${FUZZ_SECONDS:-12} ;;
long) seconds=${FUZZ_SECONDS:-540} ;;
*)
  echo "usage: $0 short|long [target...]" >&2
  exit 2
  ;;
esac
shift

build=${FUZZ_BUILD_DIR:-build/fuzz}
[[ $build = /* ]] || build="$root/$build"

if (($# > 0)); then
  targets=("$@")
else
  targets=()
  for src in fuzz/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    targets+=("${name#fuzz_}")
  done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failures=0
rows=()
for t in "${targets[@]}"; do
  exe="$build/fuzz/fuzz_$t"
  if [[ ! -x $exe ]]; then
    echo "fuzz: $exe is missing; build the fuzz preset first" >&2
    rows+=("$(printf '%-16s %8s %14s %10s %20s %8s  %s' "$t" - - - - - "NOT BUILT")")
    failures=$((failures + 1))
    continue
  fi
  work="$build/fuzz-corpus/$t"
  crashes="$build/fuzz-crashes/$t"
  log="$build/fuzz-logs/$t.log"
  mkdir -p "$work" "$crashes" "$(dirname "$log")"
  seeds=("fuzz/corpus/$t")
  [[ -d fuzz/crashes/$t ]] && seeds+=("fuzz/crashes/$t")
  options=()
  [[ -f fuzz/$t.dict ]] && options+=("-dict=fuzz/$t.dict")

  echo "=== fuzz_$t: $seconds s"
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "${options[@]}" -artifact_prefix="$crashes/" "$work" "${seeds[@]}" >"$log" 2>&1
  rc=$?

  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  # The corpus in memory at the end: units and bytes, from the last status line.
  corpus=$(grep -o 'corp: [0-9]*/[0-9]*[bKM]*' "$log" | tail -1 | sed 's/corp: //')
  found=$(grep -c 'Test unit written to' "$log")
  if ((rc != 0)); then
    failures=$((failures + 1))
    status="FAILED (exit $rc)"
    echo "--- fuzz_$t failed; the end of $log:"
    tail -40 "$log"
    echo "--- saved inputs:"
    ls -l "$crashes"
  else
    status=ok
  fi
  rows+=("$(printf '%-16s %8s %14s %10s %20s %8s  %s' "$t" "$seconds" "${execs:-?}" "${rate:-?}" \
    "${corpus:-?}" "$found" "$status")")
done

echo
printf '%-16s %8s %14s %10s %20s %8s  %s\n' target seconds executions exec/s "corpus (units/size)" \
  crashes result
printf '%s\n' "${rows[@]}"
if ((failures > 0)); then
  echo "fuzz: $failures target(s) failed" >&2
  exit 1
fi
