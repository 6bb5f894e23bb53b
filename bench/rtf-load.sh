#!/usr/bin/env bash
# Loading a 1.4 MB Rich Text document: Scrivlo's reader into the editor's document,
# side by side with unrtf --text on the same file. Medians of several runs.
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
