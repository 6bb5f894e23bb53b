#!/usr/bin/env bash
# Loading Rich Text documents: Scrivlo's reader into a document (1.4 MB, side by side with
# unrtf --text on the same file), then Open into the editor at 8, 16, 32 and 64 MB, where
# the time must grow in proportion to the size. Medians of several runs.
set -euo pipefail
bin=${1:-build/bin}
sample=$(mktemp --suffix=.rtf)
trap 'rm -f "$sample"' EXIT
QT_QPA_PLATFORM=offscreen "$bin/rtf-load-bench" --make "$sample" 1400
QT_QPA_PLATFORM=offscreen "$bin/rtf-load-bench" "$sample" 9
times=()
for _ in 1 2 3 4 5 6 7 8 9; do
  start=$(date +%s%N)
  unrtf --text "$sample" > /dev/null
  times+=($(( ($(date +%s%N) - start) / 1000 )))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 5p)
printf 'unrtf --text: %.1f ms (median of 9, whole process)\n' "$(echo "$median / 1000" | bc -l)"
# The sample's size in KB is about 1.12 times the number asked for.
for mb in 8 16 32 64; do
  QT_QPA_PLATFORM=offscreen "$bin/rtf-load-bench" --make "$sample" $((mb * 1024 * 100 / 112))
  QT_QPA_PLATFORM=offscreen "$bin/rtf-load-bench" --editor "$sample" 3
done
