#!/usr/bin/env bash
# Scrivlo's command-line checker side by side with Hunspell and GNU Aspell, in one run on
# the same inputs, measured from the outside by checker-bench:
#   - checking the King James Bible (Debian package bible-kjv-text, printed by `bible`):
#     words per second of the whole process and its peak resident memory (medians of RUNS;
#     Scrivlo checks without context, as the others do: bench/context-check.sh measures it);
#   - suggesting for the misspellings of each corpus through the pipe protocol (-a):
#     median and 95th-percentile time per word, the right word first / in the top 5 / in
#     the top 10, and the share of misspellings taken as words; Scrivlo twice, with the
#     children's ranking (its default) and with the fixed search (--classic).
# usage: bench/compare.sh [BIN_DIR] [CORPORA_DIR]   (or CORPORA=DIR in the environment)
# The corpora are not part of the repository; without them the suggestion part is skipped.
set -euo pipefail

bin=${1:-build/bin}
corpora=${2:-${CORPORA:-}}
runs=${RUNS:-5}
scrivlo="$bin/scrivlo-spell --dict $bin/ENGLISH.DCT"
hunspell="hunspell -d en_US -i utf-8"
aspell="aspell --lang=en --encoding=utf-8 --sug-mode=normal"

for tool in bible hunspell aspell "$bin/checker-bench" "$bin/scrivlo-spell"; do
  command -v "$tool" > /dev/null || { echo "compare.sh: $tool is missing (make bench installs the peers)" >&2; exit 2; }
done

# The text, without the verse references ("Ge1:1 ") that no checker should see.
text="$bin/kjv.txt"
if [ ! -s "$text" ]; then
  bible -f Genesis1:1-Revelation22:21 | sed -E 's/^[1-3]?[A-Za-z]+[0-9]+:[0-9]+ //' > "$text.part"
  mv "$text.part" "$text"
fi
bytes=$(stat -c %s "$text")

declare -A checkRow
for name in scrivlo hunspell aspell; do
  case $name in
    scrivlo) cmd="$scrivlo --no-context check" ;;
    hunspell) cmd="$hunspell -l" ;;
    aspell) cmd="$aspell list" ;;
  esac
  # shellcheck disable=SC2086
  checkRow[$name]=$("$bin/checker-bench" check "$runs" "$text" -- $cmd)
done

field() { awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }' <<< "$1"; }

printf '\nChecking %s (King James Bible, bible-kjv-text; %d bytes, %s words), medians of %d runs\n' \
  "$text" "$bytes" "$(field "${checkRow[scrivlo]}" words)" "$runs"
printf '%-10s %12s %10s %9s %12s %9s\n' checker "words/s" seconds "peak KB" "× Hunspell" flagged
hs=$(field "${checkRow[hunspell]}" seconds)
for name in scrivlo hunspell aspell; do
  row=${checkRow[$name]}
  s=$(field "$row" seconds)
  printf '%-10s %12.0f %10.3f %9d %12.1f %9d\n' "$name" \
    "$(echo "$(field "$row" words) / $s" | bc -l)" "$s" "$(field "$row" maxrss_kb)" \
    "$(echo "$hs / $s" | bc -l)" "$(field "$row" flagged)"
done

if [ -z "$corpora" ] || [ ! -d "$corpora" ]; then
  printf '\nSuggestion benchmark skipped: no misspelling corpora; run with CORPORA=DIR (the folder of holbrook.tsv, ...).\n'
  exit 0
fi
printf '\nSuggesting through the pipe (-a), per corpus (pairs whose misspelling holds a space skipped)\n'
printf '%-22s %-9s %6s %10s %10s %7s %7s %7s %9s %8s\n' corpus checker pairs "median µs" "p95 µs" \
  "first%" "top5%" "top10%" "accepted%" "flagged:"
printf '%-22s %-9s %6s %10s %10s %7s %7s %7s %9s %8s\n' "" "" "" "" "" "" "" "" "" "first%"
for file in holbrook kidspell_websearch aspell_orig norvig1; do
  corpus="$corpora/$file.tsv"
  [ -f "$corpus" ] || continue
  for name in scrivlo classic hunspell aspell; do
    case $name in
      scrivlo) cmd="$scrivlo --max 10 -a" ;;
      classic) cmd="$scrivlo --classic --max 10 -a" ;;
      hunspell) cmd="$hunspell -a" ;;
      aspell) cmd="$aspell -a" ;;
    esac
    # shellcheck disable=SC2086
    row=$("$bin/checker-bench" suggest "$corpus" -- $cmd)
    printf '%-22s %-9s %6d %10.1f %10.1f %7.1f %7.1f %7.1f %9.1f %8.1f\n' "$file" "$name" \
      "$(field "$row" pairs)" "$(field "$row" median_us)" "$(field "$row" p95_us)" \
      "$(field "$row" first)" "$(field "$row" top5)" "$(field "$row" top10)" \
      "$(field "$row" accepted)" "$(field "$row" flagged_first)"
  done
done
printf '\nTimes are wall-clock on a shared machine: medians of one run, expect noise.\n'
