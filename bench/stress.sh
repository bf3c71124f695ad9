#!/usr/bin/env bash
# Stress benchmark: converts generated surfacing programs of growing length and shows whether the
# peak memory stays within 1.3 x (records x 152 + knots x 24 bytes) + 64 MiB and whether the time
# grows no worse than linearly with the program's length.
#
#   bench/stress.sh                    0.5, 1, 2 and 5 million lines
#   STRESS_LINES="100000 200000" bench/stress.sh
#
# Each size runs as one conversion_table run (a fresh child process per conversion, CPU time
# from the progress stages, peak memory as ru_maxrss at the return of p); the pocketing and
# drilling columns are kept tiny. The last column compares the CPU time per line with the
# smallest size: a value near 1 is linear.
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=${STRESS_LINES:-"500000 1000000 2000000 5000000"}
jobs=${JOBS:-2}

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPULSEPOST_BENCH=ON >/dev/null
cmake --build build -j "$jobs" --target conversion_table >/dev/null

# The surfacing column (the first number) of a row of the table.
row() {
  awk -v label="$1" '{ l = substr($0, 1, 28); sub(/ +$/, "", l); if (l == label) print $(NF - 2) }' "$2"
}

printf '%10s %10s %10s %9s %9s %12s %10s %10s %7s %9s\n' lines records knots 'CPU s' 'wall s' \
  'CPU us/line' 'peak MiB' 'limit MiB' within 'vs first'
first=""
status=0
for n in $sizes; do
  log=$(mktemp)
  if ! build/bench/conversion_table "$n" 1000 1000 >"$log" 2>/dev/null; then
    echo "conversion of $n lines failed:"; cat "$log"; status=1; rm -f "$log"; continue
  fi
  lines=$(row "lines" "$log")
  records=$(row "records" "$log")
  knots=$(row "profile knots" "$log")
  cpu=$(row "total (CPU s)" "$log")
  wall=$(row "total (wall s)" "$log")
  peak=$(row "peak memory (MiB)" "$log")
  limit=$(row "1.3 x stores + 64 (MiB)" "$log")
  rm -f "$log"
  per=$(awk -v c="$cpu" -v l="$lines" 'BEGIN { printf "%.3f", c / l * 1e6 }')
  [ -n "$first" ] || first=$per
  ratio=$(awk -v p="$per" -v f="$first" 'BEGIN { printf "%.2f", p / f }')
  within=$(awk -v p="$peak" -v l="$limit" 'BEGIN { print (p <= l) ? "yes" : "NO" }')
  [ "$within" = yes ] || status=1
  printf '%10s %10s %10s %9s %9s %12s %10s %10s %7s %9s\n' "$lines" "$records" "$knots" "$cpu" \
    "$wall" "$per" "$peak" "$limit" "$within" "$ratio"
done
exit $status
