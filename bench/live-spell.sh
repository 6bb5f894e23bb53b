#!/usr/bin/env bash
# Checking while typing: typing latency in a 100,000-word document and opening a 1.5 MB
# Rich Text document, each with and without checking (bench/LiveSpellBench.cpp).
set -euo pipefail
bin=${1:-build/bin}
sample=$(mktemp --suffix=.rtf)
trap 'rm -f "$sample"' EXIT
QT_QPA_PLATFORM=offscreen "$bin/rtf-load-bench" --make "$sample" 1500
printf 'sample: %s bytes\n' "$(stat -c %s "$sample")"
QT_QPA_PLATFORM=offscreen "$bin/live-spell-bench" "$bin" "$sample"
