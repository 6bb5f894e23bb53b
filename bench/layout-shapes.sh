#!/usr/bin/env bash
# Opening documents whose layout is costly: a line without spaces of 1 MB (Rich Text and
# plain text) and of 20 MB, a table of 100,000 rows of 2 cells and one of 5000 rows of 200
# cells. For each: when Open returns (the window is usable), when the whole text is laid
# out, and the most processor time the interface thread spent between two turns of its
# event loop. One run each: the large ones take minutes.
set -euo pipefail
bin=${1:-build/bin}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
run() { QT_QPA_PLATFORM=offscreen "$bin/rtf-load-bench" "$@"; }
run --make-line "$dir/line-1mb.txt" 1000000
run --make-line "$dir/line-1mb.rtf" 1000000
run --make-line "$dir/line-20mb.txt" 20000000
run --make-table "$dir/table-100000x2.rtf" 100000 2
run --make-table "$dir/table-5000x200.rtf" 5000 200
for f in line-1mb.txt line-1mb.rtf line-20mb.txt table-100000x2.rtf table-5000x200.rtf; do
  run --editor "$dir/$f" 1
done
