#!/usr/bin/env bash
# Renders the committed PNG icons from the SVG sources (needs rsvg-convert, Debian librsvg2-bin).
# Run after editing an SVG and commit the PNGs, so that building needs no SVG renderer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
for name in dsptuner dsptuner8; do
    for size in 16 22 24 32 48 64 128 256; do
        mkdir -p "$here/${size}x${size}"
        rsvg-convert -w "$size" -h "$size" -o "$here/${size}x${size}/$name.png" "$here/$name.svg"
    done
done
