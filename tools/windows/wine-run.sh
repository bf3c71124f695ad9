#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, quietly and in a prefix of its own: the
# emulator CMake puts before every Windows test command (CMAKE_CROSSCOMPILING_EMULATOR).
#
# WINEPREFIX is taken from the environment (tools/windows/test-windows.sh makes a temporary one
# and prepares it once); without it a prefix under the temporary directory is used and prepared
# on first use.
set -euo pipefail
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/pulsepost-wine-$(id -u)}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -u >/dev/null 2>&1
fi
exec wine "$@"
