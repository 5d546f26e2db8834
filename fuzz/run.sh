#!/usr/bin/env bash
# Runs fuzz targets of a configured and built fuzz build for a number of seconds each and prints
# one line per target. Usage: fuzz/run.sh BUILD_DIR SECONDS [TARGET...] (default: every target).
# Each target grows its own corpus in BUILD_DIR/fuzz/corpus/NAME, starting from fuzz/seeds/NAME
# (and, for JPEG, the demo's preview pictures); a failing input goes to BUILD_DIR/fuzz/findings
# and the whole output to BUILD_DIR/fuzz/logs. Exits non-zero when any target failed.
set -uo pipefail

build=$(realpath "$1")
seconds=$2
shift 2
here=$(dirname "$(realpath "$0")")
out="$build/fuzz"
mkdir -p "$out/corpus" "$out/findings" "$out/logs"
# The flat-file target rewrites a real file at every input: in memory no disk sync slows it.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$out"/fuzz_*; do
    [ -f "$program" ] && [ -x "$program" ] && targets+=("$(basename "$program")")
  done
fi

failed=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  corpus="$out/corpus/$name"
  log="$out/logs/$name.log"
  mkdir -p "$corpus"
  if [ "$name" = jpeg ]; then
    cp "$here/../examples/demo/preview/"*.jpg "$corpus/"
  fi
  options=()
  if [ -f "$here/$name.dict" ]; then
    options+=(-dict="$here/$name.dict")
  fi
  # No input should take near 30 s: one that does is reported as a hang.
  "$out/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$name-" "${options[@]}" "$corpus" "$here/seeds/$name" \
    >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
  if [ $status -eq 0 ]; then
    echo "$target: ok, ${runs:-?} runs in ${time:-?} s, corpus $(ls "$corpus" | wc -l) inputs"
  else
    failed=1
    finding=$(sed -n 's/.*Test unit written to \(.*\)/\1/p' "$log" | tail -n 1)
    reason=$(grep -m 1 -E 'ERROR|Property|runtime error' "$log")
    echo "$target: FAILED after ${runs:-?} runs: $reason; input ${finding:-none}; log $log"
  fi
done
exit $failed
