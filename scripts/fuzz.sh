#!/usr/bin/env bash
# Runs the libFuzzer targets of the native tree (AddressSanitizer and UndefinedBehaviorSanitizer)
# one after another, each on its own copy of the seeds kept in tests/fuzz/corpus, and sums up
# what they did. The copies live in the build folder and keep what each run adds, so later
# runs go deeper; findings (crash, leak, timeout, out-of-memory inputs) of a target's last run
# are kept beside them.
#
# Usage: scripts/fuzz.sh [-t seconds] [-n executions] [target...]
#   -t  time per target, default 600 seconds
#   -n  also stop a target after this many executions
#   targets are named with or without "fuzz_"; default: every target in tests/fuzz
# Exits 1 when any target found something.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QXGE_BUILD:-$root/build}

seconds=600
runs=0
while getopts "t:n:" option; do
  case $option in
    t) seconds=$OPTARG ;;
    n) runs=$OPTARG ;;
    *) sed -n '/^# Usage/,/^# Exits/s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

targets=()
for name in "$@"; do targets+=("fuzz_${name#fuzz_}"); done
if ((${#targets[@]} == 0)); then
  for src in "$root"/tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

"$root/scripts/build.sh" native >/dev/null

# name, executions, milliseconds, findings
row() { printf '%-22s %12d %8d %8d %9d\n' "$1" "$2" $(($2 * 1000 / ($3 > 0 ? $3 : 1))) $((($3 + 500) / 1000)) "$4"; }
printf '%-22s %12s %8s %8s %9s\n' target executions exec/s seconds findings
total_runs=0 total_ms=0 total_findings=0
for target in "${targets[@]}"; do
  binary=$build/native/bin/$target
  if [ ! -x "$binary" ]; then
    echo "fuzz: no target $target in $build/native/bin" >&2
    exit 2
  fi
  work=$build/native/fuzz/$target
  rm -rf "$work/findings"
  mkdir -p "$work/corpus" "$work/findings"
  cp -n "$root/tests/fuzz/corpus/$target"/* "$work/corpus/" 2>/dev/null || true
  args=(-max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1
        -artifact_prefix="$work/findings/")
  ((runs > 0)) && args+=(-runs="$runs")
  [ -f "$root/tests/fuzz/$target.dict" ] && args+=(-dict="$root/tests/fuzz/$target.dict")

  start=$(date +%s%N)
  # A finding ends the target's run with a non-zero status; the summary below counts it.
  (cd "$work" && "$binary" "${args[@]}" corpus >log 2>&1) || true
  elapsed_ms=$((($(date +%s%N) - start) / 1000000))

  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  findings=$(find "$work/findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  if [ -z "$executed" ]; then  # no final statistics: the target did not get going
    executed=0
    findings=$((findings > 0 ? findings : 1))
  fi
  row "$target" "$executed" "$elapsed_ms" "$findings"
  if ((findings > 0)); then
    echo "  see $work/log and $work/findings/" >&2
  fi
  total_runs=$((total_runs + executed))
  total_ms=$((total_ms + elapsed_ms))
  total_findings=$((total_findings + findings))
done
row total "$total_runs" "$total_ms" "$total_findings"
((total_findings == 0))
