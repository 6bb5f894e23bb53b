#!/usr/bin/env bash
# Measures choices for ENGLISH.DCT: for each setting of data/english-wordlist.sh it builds a
# dictionary and prints one Markdown table row:
#   - suggestions for the children's misspellings (holbrook, kidspell_websearch): the right
#     word first / in the top 5 / in the top 10, through scrivlo-spell's pipe;
#   - correct words of ordinary text that it flags: words of the fortunes texts (Debian
#     package fortunes) that scrivlo-spell reports although the largest SCOWL lists (size 95,
#     every spelling and category) hold them, as occurrences and distinct words.
# usage: bench/dictionary-choice.sh [BIN_DIR] [CORPORA_DIR] [NAME=SETTINGS]...
#   SETTINGS are shell assignments to the variables of data/english-wordlist.sh, e.g.
#   bench/dictionary-choice.sh build/bin ../shared/corpora "size 60=DCT_MAX_SIZE=60 DCT_ORDER=size"
set -euo pipefail

bin=${1:-build/bin}
corpora=${2:-$(dirname "$0")/../../shared/corpora}
shift 2 || true
data=$(cd "$(dirname "$0")/../data" && pwd)
scowl=${SCOWL_DIR:-/usr/share/dict/scowl}
fortunes=/usr/share/games/fortunes
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ -d "$fortunes" ] || { echo "dictionary-choice.sh: no $fortunes (package fortunes)" >&2; exit 2; }
# Ordinary prose: the fortune files of everyday topics (no program code, no ASCII art).
for f in education food fortunes humorists kids law literature love medicine men-women \
  miscellaneous news people pets platitudes politics riddles science songs-poems sports \
  wisdom work; do
  [ -f "$fortunes/$f" ] && cat "$fortunes/$f"
done > "$work/ordinary.txt"
# Every word any SCOWL list knows, lower case: what counts as a correct word.
cat "$scowl"/*.[0-9][0-9] | tr 'A-Z' 'a-z' | LC_ALL=C sort -u > "$work/correct.txt"

pct() { awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) printf "%.1f", $(i + 1) }' <<< "$1"; }

printf 'Ordinary text: %d words; correct words are the %d words of every SCOWL list.\n\n' \
  "$(tr -cs "A-Za-z'" '\n' < "$work/ordinary.txt" | grep -c '[A-Za-z]')" "$(wc -l < "$work/correct.txt")"
printf '| choice | words | KB | holbrook first / top 5 / top 10 %% | kidspell first / top 5 / top 10 %% | correct words flagged (occurrences / distinct) |\n'
printf '|---|---|---|---|---|---|\n'
for choice in "$@"; do
  name=${choice%%=*}
  settings=${choice#*=}
  (eval "export $settings" && sh "$data/english-wordlist.sh") > "$work/list.txt"
  "$bin/mkdct" -q -o "$work/TEST.DCT" "$work/list.txt"
  words=$(cut -f1 "$work/list.txt" | tr 'A-Z' 'a-z' | { grep -v "'s\$" || true; } | LC_ALL=C sort -u | wc -l)
  kb=$(( $(stat -c %s "$work/TEST.DCT") / 1024 ))
  row=""
  for corpus in holbrook kidspell_websearch; do
    r=$("$bin/checker-bench" suggest "$corpora/$corpus.tsv" -- \
      "$bin/scrivlo-spell" --dict "$work/TEST.DCT" --max 10 -a)
    row="$row | $(pct "$r" first) / $(pct "$r" top5) / $(pct "$r" top10)"
  done
  # scrivlo-spell exits with 1 when it found unknown words.
  flagged=$({ "$bin/scrivlo-spell" --dict "$work/TEST.DCT" --user /dev/null --no-context check \
    "$work/ordinary.txt" || true; } \
    | sed 's/.*: //' | tr 'A-Z' 'a-z' | sed "s/'s\$//" \
    | LC_ALL=C awk 'NR == FNR { ok[$0] = 1; next } ($0 in ok) { n++; d[$0] = 1 }
        END { printf "%d / %d", n, length(d) }' "$work/correct.txt" -)
  printf '| %s | %d | %d%s | %s |\n' "$name" "$words" "$kb" "$row" "$flagged"
done
