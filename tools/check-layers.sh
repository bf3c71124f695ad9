#!/bin/sh
# Checks that the #include lines of src/ form layers: a folder may include itself and the folders
# below it, never one above. Bottom to top:
#
#   platform report geometry config store gcode refine planner output entry
#
# readback is a library of its own on the public formats: it may include itself, platform/,
# report/, geometry/ (the Vec4 and record kinds that the BRK stream carries; plain values, no
# state) and the public header (pulsepost/), which every folder may include.
# Prints every include that breaks the order and exits with 1 when there is one.
#
set -eu
cd "$(dirname "$0")/.."

files=$(find src -name '*.h' -o -name '*.cpp' | sort)
# shellcheck disable=SC2086
exec awk '
BEGIN {
    split("platform report geometry config store gcode refine planner output entry", order, " ")
    for (i in order) rank[order[i]] = i + 0
    allowedInReadback["readback"] = 1
    allowedInReadback["platform"] = 1
    allowedInReadback["report"] = 1
    allowedInReadback["geometry"] = 1
    bad = 0
}
/^[ \t]*#[ \t]*include[ \t]*"/ {
    split(FILENAME, path, "/")
    from = path[2]
    line = $0
    sub(/^[^"]*"/, "", line)
    sub(/".*$/, "", line)
    if (line !~ /\//) next                      # a file beside the includer
    to = substr(line, 1, index(line, "/") - 1)
    if (to == "pulsepost") next                 # the public header
    if (from == "readback") {
        ok = (to in allowedInReadback)
    } else {
        ok = (from in rank) && (to in rank) && rank[to] <= rank[from]
    }
    if (!ok) {
        printf "%s:%d: %s/ includes %s\n", FILENAME, FNR, from, line
        bad = 1
    }
}
END { exit bad }
' $files
