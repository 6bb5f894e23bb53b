#!/usr/bin/env bash
# Speed and memory of the check in context: `scrivlo-spell check` on documents of 100,000
# words made of the project's own texts repeated (a child's story; the test sentences,
# dense in confusable words; the project's documentation), in context (the default),
# without the model (SCRIVLO_WORD_MODEL=: capitals only) and without context
# (--no-context), measured from the outside by checker-bench: words per second of the
# whole process, from start to exit (the model's loading included), its peak resident
# memory, and the lines printed. Medians of RUNS runs.
# usage: bench/context-check.sh [BIN_DIR] [WORDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-build/bin}
words=${2:-100000}
runs=${RUNS:-5}
for tool in "$bin/checker-bench" "$bin/scrivlo-spell"; do
  [ -x "$tool" ] || { echo "context-check.sh: $tool is missing (build with -DSCRIVLO_BUILD_BENCH=ON)" >&2; exit 2; }
done

field() { awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }' <<< "$1"; }
row() { # label, text, then environment assignments for env
  local label=$1 text=$2 r s
  shift 2
  # shellcheck disable=SC2086
  r=$(env "$@" "$bin/checker-bench" check "$runs" "$text" -- "$bin/scrivlo-spell" \
        --dict "$bin/ENGLISH.DCT" $ARGS check)
  s=$(field "$r" seconds)
  printf '%-26s %12.0f %10.3f %9d %9d\n' "$label" "$(echo "$(field "$r" words) / $s" | bc -l)" \
    "$s" "$(field "$r" maxrss_kb)" "$(field "$r" flagged)"
}
measure() { # description, block file
  local text
  text=$(mktemp --suffix=.txt)
  while [ "$(wc -w < "$text")" -lt "$words" ]; do cat "$2" >> "$text"; done
  printf '\n%s: %d words (%d bytes), medians of %d runs\n' "$1" "$(wc -w < "$text")" \
    "$(stat -c %s "$text")" "$runs"
  printf '%-26s %12s %10s %9s %9s\n' check "words/s" seconds "peak KB" flagged
  ARGS= row "in context" "$text"
  ARGS= row "capitals only (no model)" "$text" SCRIVLO_WORD_MODEL=
  ARGS=--no-context row "--no-context" "$text"
  rm -f "$text"
}

sentences=$(mktemp)
prose=$(mktemp)
trap 'rm -f "$sentences" "$prose"' EXIT
# The test sentences without their marks ("[typed|meant]" is the typed word), five to a
# paragraph, after the sample text: dense in confusable words and errors.
{ cat "$here/../data/sample.txt"; echo
  sed -n 's/^[!=^~] //p' "$here/../tests/spell/data/context-sentences.txt" |
    sed -E 's/\[([^]|]*)\|[^]]*\]/\1/g' | awk '{ print } NR % 5 == 0 { print "" }'; echo
} > "$sentences"
# The project's own documentation: varied words, rare ones among them, some code.
cat "$here/../README.md" "$here/../CONTRIBUTING.md" "$here/README.md" > "$prose"
measure "Children's story (data/sample.txt)" "$here/../data/sample.txt"
measure "Test sentences (data/sample.txt, tests/spell/data/context-sentences.txt)" "$sentences"
measure "Documentation (README.md, CONTRIBUTING.md, bench/README.md)" "$prose"
