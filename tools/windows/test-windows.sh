#!/usr/bin/env bash
# Builds pulsepost.dll with the i686 mingw-w64 cross compiler and runs its tests under Wine:
# the export and import tables, the platform layer under the Windows C runtime, and conversions
# through LoadLibrary/GetProcAddress whose outputs must be the same bytes as the Linux library's.
#
# Installs what it needs first (tools/windows/install-deps.sh; root on Debian). The Wine prefix is
# made in a temporary folder, prepared once with wineboot, and its wineserver is ended at the end.
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=${JOBS:-$(nproc)}

if [ "$(id -u)" = 0 ]; then
  tools/windows/install-deps.sh
fi

# The Linux library and host make the reference outputs.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs" --target pulsepost pulsepost_dll_host pulsepost_math_agreement

cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
  -DPULSEPOST_REFERENCE_BUILD="$PWD/build" >/dev/null
cmake --build build-windows -j "$jobs"

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/pulsepost-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
echo "test-windows: preparing the Wine prefix"
start=$(date +%s)
wineboot -u >/dev/null 2>&1
echo "test-windows: prefix ready in $(( $(date +%s) - start )) s"

cd build-windows
ctest --output-on-failure
