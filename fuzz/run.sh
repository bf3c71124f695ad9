#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ and runs each for a bounded time.
#
#   fuzz/run.sh                 every target, FUZZ_SECONDS each (default 300)
#   FUZZ_SECONDS=30 fuzz/run.sh fuzz_machine_config fuzz_cut_params
#
# Each target keeps its growing corpus in build-fuzz/work/corpus/<target>, seeded from
# fuzz/seeds/<name> and, for the G-code targets, from copies of fuzz/seeds/gcode/, examples/ and
# ../shared/corpus/ (the originals are only read). Crashes, hangs and broken properties are saved as
# build-fuzz/work/artifacts/<target>-*; the run fails when any target finds one. The last lines
# give per target the executions per second and the coverage reached (cov: edges, ft: features).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${FUZZ_BUILD:-build-fuzz}
case $build in /*) ;; *) build=$root/$build ;; esac
# Absolute paths throughout: the targets move into their own scratch directories.
work=$build/work
seconds=${FUZZ_SECONDS:-300}
# The targets write their inputs to files and read them back thousands of times a second: keep
# their scratch directories in memory where the machine has a tmpfs.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
jobs=${JOBS:-2}

CC=${FUZZ_CC:-clang} CXX=${FUZZ_CXX:-clang++} cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPULSEPOST_FUZZ=ON -DPULSEPOST_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_targets >/dev/null

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    [ "$name" = fuzz_support ] || targets+=("$name")
  done
fi

# The shared corpus lies beside the repository (beside the main checkout for a worktree).
shared_corpus=../shared/corpus
if [ ! -d "$shared_corpus" ]; then
  common=$(git rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
  [ -n "$common" ] && shared_corpus=$(dirname "$(dirname "$common")")/shared/corpus
fi

# Copies the G-code seeds into dir (only regular files of at most max bytes).
copy_gcode_seeds() {
  local dir=$1 max=$2 from
  for from in fuzz/seeds/gcode examples "$shared_corpus"; do
    [ -d "$from" ] || continue
    find "$from" -maxdepth 1 -type f ! -name '*.tsv' ! -name '*.md' -size -"$((max + 1))"c \
      -exec cp -t "$dir" {} + 2>/dev/null || true
  done
}

mkdir -p "$work/artifacts"
summary=()
failed=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  corpus=$work/corpus/$target
  seeds=$work/seeds/$target
  mkdir -p "$corpus" "$seeds"
  max_len=4096
  case $target in
    fuzz_conversion | fuzz_interpretation | fuzz_readback) max_len=65536 ;;
  esac
  [ -d "fuzz/seeds/$name" ] && cp -r "fuzz/seeds/$name/." "$seeds/"
  case $target in
    fuzz_conversion | fuzz_interpretation) copy_gcode_seeds "$seeds" "$max_len" ;;
  esac
  options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=30 -rss_limit_mb=3072
           -use_value_profile=1 -print_final_stats=1 -artifact_prefix="$work/artifacts/$target-")
  dict=fuzz/dict/$name.dict
  case $target in fuzz_conversion | fuzz_interpretation) dict=fuzz/dict/gcode.dict ;; esac
  [ -f "$dict" ] && options+=(-dict="$root/$dict")
  log=$work/$target.log
  echo "== $target: ${seconds}s (log $log)"
  status=0
  "$build/fuzz/$target" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)
  [ -n "$done_line" ] || done_line=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  runs=$(awk '/stat::number_of_executed_units:/ {n = $2} END {print n}' "$log")
  speed=$(awk '/stat::average_exec_per_sec:/ {n = $2} END {print n}' "$log")
  cov=$(echo "$done_line" | sed -nE 's/.*cov: ([0-9]+).*/\1/p')
  ft=$(echo "$done_line" | sed -nE 's/.*ft: ([0-9]+).*/\1/p')
  files=$(find "$corpus" -type f | wc -l)
  verdict=ok
  if [ "$status" -ne 0 ]; then
    verdict="FOUND (exit $status)"
    failed=1
    grep -E 'ERROR|PROPERTY BROKEN|SUMMARY|Test unit written' "$log" | head -8 || true
  fi
  summary+=("$(printf '%-24s %8ss %10s runs %8s exec/s  cov %6s  ft %7s  corpus %6s  %s' \
    "$target" "$seconds" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "$files" "$verdict")")
done

echo
printf '%s\n' "${summary[@]}"
exit $failed
