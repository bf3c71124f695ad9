#!/usr/bin/env bash
# Ctrl-C and SIGTERM during `pulsepost convert` end the conversion as Esc does: the exit status is
# 130, a message names the program, and its CM and BRK files are left empty rather than stopping
# in the middle of a move. Timing-dependent (the signal must land while the conversion runs), so
# it is a script that CI runs rather than a unit test. Usage: tools/check-interrupt.sh [PULSEPOST]
set -euo pipefail
cli=$(realpath "${1:-build/tools/pulsepost}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# A long zigzag: some seconds of conversion; the signals land in the reading and in a later stage.
awk 'BEGIN { for (i = 0; i < 2000000; ++i) printf "G1 X%.3f Y%.4f\n", (i % 2) * 0.01, i * 0.0001 }' \
    >big.nc
status=0
# SIGINT lands while the program is read; SIGTERM as soon as the conversion has created its CM
# file (the stale text is gone), that is in the planning or the tick stage, however fast or
# loaded the machine is.
for signal in INT TERM; do
    printf 'stale' >big.CM
    printf 'stale' >big.BRK
    "$cli" convert big.nc >out.txt 2>err.txt &
    pid=$!
    if [ "$signal" = INT ]; then
        sleep 0.5
    else
        for _ in $(seq 600); do
            [ "$(head -c 5 big.CM)" = stale ] || break
            sleep 0.05
        done
    fi
    kill -"$signal" "$pid" 2>/dev/null || true  # already ended: the checks below say so
    code=0
    wait "$pid" || code=$?
    if [ "$code" -ne 130 ]; then
        echo "check-interrupt: SIG$signal: exit status $code, expected 130" >&2
        status=1
    fi
    if [ -s big.CM ] || [ -s big.BRK ]; then
        echo "check-interrupt: SIG$signal: the CM or BRK file was not emptied" >&2
        status=1
    fi
    if ! grep -q "big.nc: interrupted" err.txt; then
        echo "check-interrupt: SIG$signal: no message naming the program" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "check-interrupt: SIGINT and SIGTERM end the conversion with 130"
exit "$status"
