#!/usr/bin/env bash
# Peak memory of `scrivlo-spell check` on 100 MB of text (UTF-8 and code page 1252
# lines), read through a pipe and by name without context, and through a pipe in context,
# measured by /usr/bin/time -v (package time).
# Usage: bench/stdin-memory.sh [BIN_DIR] [MEGABYTES]
set -euo pipefail
bin=${1:-build/bin}
megabytes=${2:-100}
text=$(mktemp --suffix=.txt)
trap 'rm -f "$text"' EXIT

# data/sample.txt with a line of accented words in each encoding, repeated to size.
block=$(mktemp)
{ cat "$(dirname "$0")/../data/sample.txt"
  printf 'The caf\xc3\xa9 served cr\xc3\xa8me br\xc3\xbbl\xc3\xa9e.\n'
  printf 'The caf\xe9 served cr\xe8me br\xfbl\xe9e.\n'; } > "$block"
while [ "$(stat -c %s "$text")" -lt $((megabytes << 20)) ]; do
  cat "$block" "$block" "$block" "$block" "$block" "$block" "$block" "$block" >> "$text"
done
rm -f "$block"
echo "scrivlo-spell check on $(( $(stat -c %s "$text") >> 20 )) MB ($(wc -l < "$text") lines)"

measure() { # label, then the command; prints peak resident KB and seconds
  local label=$1 log
  shift
  log=$(mktemp)
  "$@" 2> "$log" > /dev/null || [ $? -eq 1 ] # 1: unknown words were reported
  printf '%-10s peak %8s KB  %6s s elapsed\n' "$label" \
    "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")" \
    "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")"
  rm -f "$log"
}
# Unknown words only, then in context: the word-sequence model adds its own fixed size.
measure "pipe" sh -c 'cat "$1" | /usr/bin/time -v "$2" --no-context check' sh "$text" "$bin/scrivlo-spell"
measure "by name" /usr/bin/time -v "$bin/scrivlo-spell" --no-context check "$text"
measure "pipe, in context" sh -c 'cat "$1" | /usr/bin/time -v "$2" check' sh "$text" "$bin/scrivlo-spell"
