#!/usr/bin/env bash
# Measures the program on a full-HD job: 250 frames of 1280x720 colour bars placed on a
# 1920x1080 canvas, each digested and written to a .y4m file (removed afterwards). Runs
# the job with --jobs 1, with --jobs 2 and with --jobs 2 and a flip in the effect chain,
# each setting REPEAT times in turn (default 3), and prints every run's frames per second,
# CPU time and peak memory, then the best run of each setting and the speed-ups. The
# machine's load average is printed first: other work on it skews the numbers.
# The files go to OUTPUT_DIR, by default /dev/shm (memory) where it exists: on a disk the
# 777 MB of frames per run make the job wait for the disk whatever the number of jobs.
# Usage: [OUTPUT_DIR=dir] examples/still-image/measure.sh [build-dir] [repeat]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/default}
repeat=${2:-3}
program=$build/examples/still-image/still-image
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package 'time')" >&2; exit 1; }
[[ -x $program ]] || { echo "build $program first" >&2; exit 1; }

output_dir=${OUTPUT_DIR:-$( [[ -w /dev/shm ]] && echo /dev/shm || echo "${TMPDIR:-/tmp}")}
work=$(mktemp -d -p "$output_dir")
trap 'rm -rf "$work"' EXIT
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores; files in $output_dir"

declare -A best
settings=("jobs1:--jobs 1" "jobs2:--jobs 2" "jobs2_flip:--jobs 2 --effect flip:h")
for ((i = 1; i <= repeat; ++i)); do
  for setting in "${settings[@]}"; do
    name=${setting%%:*}
    read -ra extra <<<"${setting#*:}"
    /usr/bin/time -v -o "$work/time" "$program" --bars 1280x720 --canvas 1920x1080 --at 320,180 --duration 10s \
      --fps 25 -o "$work/out.y4m" --listing "$work/listing" --progress none "${extra[@]}" 2>"$work/stderr"
    fps=$(sed -n 's/.* \([0-9.]*\) frames\/s$/\1/p' "$work/stderr")
    cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {printf "%.2f", s}' "$work/time")
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time")
    printf '  %-11s run %d: %6.1f frames/s, %5.2f s CPU, %6d kB peak\n' "$name" "$i" "$fps" "$cpu" "$rss"
    if [[ -z ${best[$name]:-} ]] || awk "BEGIN {exit !($fps > ${best[$name]})}"; then best[$name]=$fps; fi
  done
done
echo "  output: $(stat -c %s "$work/out.y4m") bytes, $(grep -vc '^#' "$work/listing") listed frames"
awk -v j1="${best[jobs1]}" -v j2="${best[jobs2]}" -v f="${best[jobs2_flip]}" 'BEGIN {
  printf "best: --jobs 1 %.1f, --jobs 2 %.1f, --jobs 2 with flip %.1f frames/s\n", j1, j2, f
  printf "--jobs 2 / --jobs 1: %.2fx; the flip costs %.2fx\n", j2 / j1, j2 / f }'
