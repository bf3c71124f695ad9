#!/usr/bin/env bash
# Renders an SVG (for instance one written by `pulsepost plot`) to a PNG with headless Chromium,
# to look at a plot the way a person would see it in a browser.
#   tools/render_svg.sh plot.svg [out.png] [WIDTHxHEIGHT]
set -euo pipefail

svg=${1:?usage: render_svg.sh FILE.svg [OUT.png] [WIDTHxHEIGHT]}
png=${2:-${svg%.svg}.png}
size=${3:-1200,900}
size=${size/x/,}

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  if [ "$(id -u)" = 0 ]; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq chromium >/dev/null
    browser=$(command -v chromium)
  else
    echo "render_svg.sh: chromium is not installed (apt-get install chromium)" >&2
    exit 2
  fi
fi

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
abs_svg=$(cd "$(dirname "$svg")" && pwd)/$(basename "$svg")
abs_png=$(cd "$(dirname "$png")" && pwd)/$(basename "$png")

"$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --hide-scrollbars --user-data-dir="$profile" --screenshot="$abs_png" \
  --window-size="$size" "file://$abs_svg" >/dev/null 2>&1

if [ ! -s "$abs_png" ]; then
  echo "render_svg.sh: chromium wrote no picture for $svg" >&2
  exit 1
fi
echo "$abs_png"
