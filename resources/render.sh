#!/usr/bin/env bash
# Renders the SVG artwork in icons/ to the PNGs the program embeds. Run after editing an
# SVG and commit both; the build does not need librsvg.
set -euo pipefail
cd "$(dirname "$0")/icons"
command -v rsvg-convert >/dev/null || {
  echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
  exit 1
}

for svg in *.svg; do
  rsvg-convert "$svg" -o "${svg%.svg}.png"
done
# The application icon is the idle tray picture, drawn larger for launchers.
for size in 64 128; do
  rsvg-convert -w "$size" -h "$size" tray_idle.svg -o "kelvado_$size.png"
done
