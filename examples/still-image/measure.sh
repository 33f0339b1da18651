#!/usr/bin/env bash
# Measures the program on a full-HD job: 250 frames of 1280x720 colour bars placed on a
# 1920x1080 canvas, each digested and written to a .y4m file (removed afterwards).
# Prints frames per second and peak memory (maximum resident set size).
# Usage: examples/still-image/measure.sh [build-dir]   (default build/default)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/default}
program=$build/examples/still-image/still-image
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package 'time')" >&2; exit 1; }
[[ -x $program ]] || { echo "build $program first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/time -v -o "$work/time" "$program" --bars 1280x720 --canvas 1920x1080 --at 320,180 \
  --duration 10s --fps 25 -o "$work/out.y4m" --listing "$work/listing" --progress none 2>"$work/stderr"
grep 'frames/s' "$work/stderr"
grep -E 'Maximum resident set size|User time|System time|Elapsed \(wall' "$work/time" | sed 's/^\s*/  /'
echo "  output: $(stat -c %s "$work/out.y4m") bytes, $(grep -vc '^#' "$work/listing") listed frames"
