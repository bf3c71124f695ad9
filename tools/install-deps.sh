#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already installed (safe to run
# again). The Makefile runs it before configuring, so that on a fresh Debian machine `make demo`
# and `make test` are the whole set-up.
#
#   tools/install-deps.sh         what `make`, `make demo` and `make test` need
#   tools/install-deps.sh --all   also what `make bench-micro`, `make format-check`,
#                                 `make tidy`, `make sanitize` and `make fuzz` need (CI
#                                 installs these)
#
# As root it installs what is missing through the machine's configured package sources; as any
# other user it prints the one command to run and exits with 1. Where there is no dpkg (not a
# Debian system) it checks nothing and leaves the finding of dependencies to CMake.
set -euo pipefail

packages=(cmake g++ libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev)
case "${1:-}" in
  "") ;;
  --all) packages+=(libbenchmark-dev clang-format clang-tidy clang libclang-rt-14-dev) ;;
  *)
    echo "usage: tools/install-deps.sh [--all]" >&2
    exit 2
    ;;
esac

if ! command -v dpkg-query >/dev/null 2>&1; then
  exit 0
fi

missing=()
for pkg in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
  echo "install-deps: the build needs ${missing[*]}; install them with" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
